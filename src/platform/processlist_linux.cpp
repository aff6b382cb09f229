#include "platform/processlist.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <unistd.h>

namespace appinstaller {
namespace platform {

namespace {

// The longest name a Windows process record can hold, without its terminator.
constexpr int kMaxNameLength = 259;

QByteArray lastPathComponent(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

// The target of /proc/PID/exe, or nothing when the link cannot be read: the
// process belongs to someone else, is a kernel thread or has just ended.
QByteArray executableLink(const QByteArray &processDir)
{
    const QByteArray link = processDir + "/exe";
    QByteArray target(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t length = ::readlink(link.constData(), target.data(), size_t(target.size()));
        if (length < 0)
            return QByteArray();
        if (length < target.size()) {
            target.truncate(int(length));
            break;
        }
        target.resize(target.size() * 2);
    }
    // The kernel marks a replaced or removed executable; the process still runs it.
    static const QByteArray deletedMark = QByteArrayLiteral(" (deleted)");
    if (target.endsWith(deletedMark))
        target.chop(deletedMark.size());
    return target;
}

// The program a process was started as, which anyone may read even where the
// executable link is hidden. Empty for kernel threads and vanished processes.
QByteArray commandName(const QByteArray &processDir)
{
    QFile cmdline(QFile::decodeName(processDir + "/cmdline"));
    if (!cmdline.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray arguments = cmdline.readAll();
    return arguments.left(arguments.indexOf('\0'));
}

QString executableFileName(const QByteArray &processDir)
{
    QByteArray path = executableLink(processDir);
    if (path.isEmpty())
        path = commandName(processDir);
    return QFile::decodeName(lastPathComponent(path));
}

bool isProcessId(const QString &entry)
{
    for (const QChar c : entry) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !entry.isEmpty();
}

} // namespace

bool isExecutableRunning(const char *ansiFileName)
{
    if (ansiFileName == nullptr)
        return false;
    const QString wanted = QString::fromLocal8Bit(ansiFileName);
    if (wanted.isEmpty() || wanted.size() > kMaxNameLength)
        return false;

    const QString ownId = QString::number(::getpid());
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (!isProcessId(entry) || entry == ownId)
            continue;
        const QString name = executableFileName(QByteArrayLiteral("/proc/") + entry.toLatin1());
        if (name == wanted)
            return true;
    }
    return false;
}

} // namespace platform
} // namespace appinstaller
