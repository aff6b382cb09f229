#ifndef UITESTSUPPORT_H
#define UITESTSUPPORT_H

#include "initresource.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
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

} // namespace uitest

#endif
