#include "systemfolders.h"

#include "registrykey.h"

namespace appinstaller {
namespace platform {

namespace {

// The stand-in for the Windows system drive lies below the stand-in root.
QString standInDrive()
{
    return standInRoot() + QStringLiteral("/drive_c");
}

} // namespace

QString publicDesktopPath()
{
    return standInDrive() + QStringLiteral("/Users/Public/Desktop/");
}

QStringList systemDirectories()
{
    QStringList directories = {
        QStringLiteral("/bin"),       QStringLiteral("/boot"),      QStringLiteral("/dev"),
        QStringLiteral("/etc"),       QStringLiteral("/home"),      QStringLiteral("/lib"),
        QStringLiteral("/lib32"),     QStringLiteral("/lib64"),     QStringLiteral("/libx32"),
        QStringLiteral("/media"),     QStringLiteral("/mnt"),       QStringLiteral("/opt"),
        QStringLiteral("/proc"),      QStringLiteral("/root"),      QStringLiteral("/run"),
        QStringLiteral("/sbin"),      QStringLiteral("/srv"),       QStringLiteral("/sys"),
        QStringLiteral("/tmp"),       QStringLiteral("/usr"),       QStringLiteral("/var"),
        QStringLiteral("/usr/bin"),   QStringLiteral("/usr/sbin"),  QStringLiteral("/usr/lib"),
        QStringLiteral("/usr/lib32"), QStringLiteral("/usr/lib64"), QStringLiteral("/usr/libexec"),
        QStringLiteral("/usr/include"), QStringLiteral("/usr/share"), QStringLiteral("/usr/src"),
        QStringLiteral("/usr/local"), QStringLiteral("/var/lib"),   QStringLiteral("/var/log"),
        QStringLiteral("/var/cache"), QStringLiteral("/var/tmp"),
    };
    // The stand-in drive mirrors what Windows protects on its system drive.
    const QString drive = standInDrive();
    directories << drive << drive + QStringLiteral("/Windows")
                << drive + QStringLiteral("/Program Files")
                << drive + QStringLiteral("/Program Files (x86)")
                << drive + QStringLiteral("/ProgramData");
    return directories;
}

} // namespace platform
} // namespace appinstaller
