#include "heldfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <tlhelp32.h>

namespace appinstaller {
namespace platform {

namespace {

// The loader may name a module in short (8.3) form or through another spelling of
// the same directory; the resolved path is the one a directory walk reports.
void addFile(QStringList &files, const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    files.append(resolved.isEmpty() ? QDir::cleanPath(QDir::fromNativeSeparators(path)) : resolved);
}

void addLoadedModules(QStringList &files)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, GetCurrentProcessId());
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    MODULEENTRY32W module = {};
    module.dwSize = sizeof(module);
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module))
        addFile(files, QString::fromWCharArray(module.szExePath));
    CloseHandle(snapshot);
}

} // namespace

QStringList filesHeldByThisProcess()
{
    QStringList files;
    addFile(files, QCoreApplication::applicationFilePath());
    addLoadedModules(files);

    const QDir directory(QCoreApplication::applicationDirPath());
    addFile(files, directory.filePath(QStringLiteral("rcc/guiresource.rcc")));
    const QDir catalogues(directory.filePath(QStringLiteral("translations")));
    const QStringList names = catalogues.entryList({QStringLiteral("*.qm")}, QDir::Files);
    for (const QString &name : names)
        addFile(files, catalogues.filePath(name));
    return files;
}

} // namespace platform
} // namespace appinstaller
