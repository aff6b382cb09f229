#ifndef APPINSTALLER_APPLICATION_H
#define APPINSTALLER_APPLICATION_H

#include <QApplication>
#include <QList>

class QLocale;
class QTranslator;

namespace appinstaller {

// The application object. Its one task of its own is to install the catalogues of
// the system language before any window or dialog exists.
class Application : public QApplication
{
    Q_OBJECT

public:
    // argc is kept by reference for the application's lifetime, so it must be main's own.
    Application(int &argc, char **argv);
    ~Application() override;

    // Installs every catalogue of the locale's language found in directory:
    // "*_zh.qm" for any Chinese locale, "*_en.qm" for every other language, in name
    // order regardless of case. Qt consults the last installed first, so the file
    // that sorts last wins where several carry the same key. Returns the translators,
    // which the application owns.
    static QList<QTranslator *> installTranslations(const QString &directory, const QLocale &locale);

private:
    void loadTranslations();
};

} // namespace appinstaller

#endif
