#include "xdriver.h"

#include <QDeadlineTimer>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

QString run(const QString &program, const QStringList &arguments, bool *ok = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(10000);
    if (!finished)
        process.kill();
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString findWindow(const QString &title)
{
    const QString pattern = QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$');
    return run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                           QStringLiteral("--name"), pattern})
        .section(QLatin1Char('\n'), 0, 0);
}

} // namespace

namespace XDriver {

QString waitForWindow(const QString &title, int timeoutMs)
{
    // The window belongs to another process: poll for it, as QTRY_VERIFY would.
    const QDeadlineTimer deadline(timeoutMs);
    QString id = findWindow(title);
    while (id.isEmpty() && !deadline.hasExpired()) {
        QTest::qWait(50);
        id = findWindow(title);
    }
    return id;
}

bool waitForWindowGone(const QString &title, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!findWindow(title).isEmpty()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(50);
    }
    return true;
}

QRect geometry(const QString &windowId)
{
    const QString out = run(QStringLiteral("xdotool"),
                            {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), windowId});
    QRect rect;
    const QStringList lines = out.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString name = line.section(QLatin1Char('='), 0, 0);
        const int value = line.section(QLatin1Char('='), 1).toInt();
        if (name == QLatin1String("X"))
            rect.moveLeft(value);
        else if (name == QLatin1String("Y"))
            rect.moveTop(value);
        else if (name == QLatin1String("WIDTH"))
            rect.setWidth(value);
        else if (name == QLatin1String("HEIGHT"))
            rect.setHeight(value);
    }
    return rect;
}

bool key(const QString &windowId, const QString &keys)
{
    bool ok = false;
    run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), windowId,
                                    QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys},
        &ok);
    return ok;
}

bool click(const QString &windowId, int x, int y)
{
    bool ok = false;
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QStringLiteral("--window"), windowId,
         QString::number(x), QString::number(y), QStringLiteral("click"), QStringLiteral("1")},
        &ok);
    return ok;
}

bool clickUntilExit(QProcess &process, const QString &windowId, const QPoint &at, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (process.state() != QProcess::NotRunning) {
        if (deadline.hasExpired())
            return false;
        // A click that lands after the window has gone fails harmlessly.
        click(windowId, at.x(), at.y());
        process.waitForFinished(300);
    }
    return true;
}

bool screenshot(const QString &path, const QString &windowId)
{
    bool ok = false;
    run(QStringLiteral("import"),
        {QStringLiteral("-window"), windowId.isEmpty() ? QStringLiteral("root") : windowId, path}, &ok);
    return ok;
}

QString clipboardText()
{
    bool ok = false;
    const QString text = run(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                                       QStringLiteral("clipboard")},
                             &ok);
    return ok ? text : QString();
}

} // namespace XDriver
