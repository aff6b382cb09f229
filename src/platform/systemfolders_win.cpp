#include "systemfolders.h"

#include <QDir>
#include <QVector>

#include <windows.h>

namespace appinstaller {
namespace platform {

namespace {

using DirectoryQuery = UINT(WINAPI *)(LPWSTR, UINT);

// One of the Get...DirectoryW queries, with forward slashes; empty when the
// system has no such directory (GetSystemWow64DirectoryW on 32-bit Windows).
QString queryDirectory(DirectoryQuery query)
{
    QVector<wchar_t> buffer(MAX_PATH + 1);
    UINT length = query(buffer.data(), UINT(buffer.size()));
    if (length >= UINT(buffer.size())) {
        buffer.resize(int(length) + 1);
        length = query(buffer.data(), UINT(buffer.size()));
    }
    if (length == 0 || length >= UINT(buffer.size()))
        return QString();
    return QDir::fromNativeSeparators(QString::fromWCharArray(buffer.constData(), int(length)));
}

QString environmentDirectory(const char *name)
{
    return QDir::fromNativeSeparators(qEnvironmentVariable(name));
}

} // namespace

QString publicDesktopPath()
{
    return QStringLiteral("C:/Users/Public/Desktop/");
}

QStringList systemDirectories()
{
    QStringList directories;
    const auto add = [&directories](const QString &path) {
        if (!path.isEmpty() && !directories.contains(path, Qt::CaseInsensitive))
            directories.append(path);
    };
    add(queryDirectory(&GetWindowsDirectoryW));
    add(queryDirectory(&GetSystemDirectoryW));
    add(queryDirectory(&GetSystemWow64DirectoryW));

    // A 32-bit process sees the 64-bit program-files folder only through
    // ProgramW6432, so every spelling of the roots is asked for.
    const char *const variables[] = {
        "ProgramFiles",      "ProgramFiles(x86)", "ProgramW6432",
        "CommonProgramFiles", "CommonProgramFiles(x86)", "CommonProgramW6432",
        "ProgramData",       "SystemRoot",        "windir",
    };
    for (const char *name : variables)
        add(environmentDirectory(name));

    // %SystemDrive% is a bare "C:", which names the current directory on that drive.
    const QString drive = environmentDirectory("SystemDrive");
    if (!drive.isEmpty())
        add(drive.endsWith(QLatin1Char('/')) ? drive : drive + QLatin1Char('/'));
    return directories;
}

} // namespace platform
} // namespace appinstaller
