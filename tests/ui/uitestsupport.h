#ifndef UITESTSUPPORT_H
#define UITESTSUPPORT_H

#include "initresource.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTranslator>
#include <QWidget>

namespace uitest {

// Applies the widget library's application-wide style sheet from the build tree, as
// start-up does, so that widgets are measured with the looks the program runs with.
inline bool applyLibraryStyleSheet()
{
    QString styleSheet;
    const QString rcc = qEnvironmentVariable("UNINSTALL_BIN_DIR") + QStringLiteral("/rcc/guiresource.rcc");
    if (!VexiloControl::InitResource(rcc, styleSheet, false) || styleSheet.isEmpty())
        return false;
    qApp->setStyleSheet(styleSheet);
    return true;
}

// Where widget lies inside ancestor.
inline QRect geometryIn(const QWidget *widget, const QWidget *ancestor)
{
    return QRect(widget->mapTo(ancestor, QPoint(0, 0)), widget->size());
}

inline bool nearColor(const QColor &actual, const QColor &expected, int tolerance = 3)
{
    return qAbs(actual.red() - expected.red()) <= tolerance
           && qAbs(actual.green() - expected.green()) <= tolerance
           && qAbs(actual.blue() - expected.blue()) <= tolerance;
}

inline QColor pixelOf(QWidget *widget, const QPoint &point)
{
    return widget->grab().toImage().pixelColor(point);
}

// The program's catalogue of one language from the build tree, installed for as
// long as this object lives.
class ScopedCatalogue
{
public:
    explicit ScopedCatalogue(const QString &language)
    {
        m_loaded = m_translator.load(QStringLiteral("uninstall_") + language,
                                     qEnvironmentVariable("UNINSTALL_BIN_DIR") + QStringLiteral("/translations"));
        if (m_loaded)
            QCoreApplication::installTranslator(&m_translator);
    }
    ~ScopedCatalogue() { QCoreApplication::removeTranslator(&m_translator); }
    ScopedCatalogue(const ScopedCatalogue &) = delete;
    ScopedCatalogue &operator=(const ScopedCatalogue &) = delete;

    bool isLoaded() const { return m_loaded; }
    QString text(const char *context, const char *key) const { return m_translator.translate(context, key); }

private:
    QTranslator m_translator;
    bool m_loaded = false;
};

} // namespace uitest

#endif
