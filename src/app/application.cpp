#include "application.h"

#include "initresource.h"

#include <QDir>
#include <QLocale>
#include <QTranslator>

namespace appinstaller {

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    loadTranslations();
}

Application::~Application() = default;

void Application::loadTranslations()
{
    installTranslations(VexiloControl::GetTargetPath() + QStringLiteral("translations/"), QLocale());
}

QList<QTranslator *> Application::installTranslations(const QString &directory, const QLocale &locale)
{
    const QString pattern = locale.language() == QLocale::Chinese ? QStringLiteral("*_zh.qm")
                                                                   : QStringLiteral("*_en.qm");
    QList<QTranslator *> installed;
    const QStringList names = QDir(directory).entryList(QStringList(pattern));
    for (const QString &name : names) {
        // A file that fails to load still gets installed: it simply translates nothing.
        auto *translator = new QTranslator(QCoreApplication::instance());
        translator->load(name, directory, QString(), QString());
        QCoreApplication::installTranslator(translator);
        installed.append(translator);
    }
    return installed;
}

} // namespace appinstaller
