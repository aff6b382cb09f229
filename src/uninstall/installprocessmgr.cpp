#include "installprocessmgr.h"

#include "platform/systemfolders.h"
#include "product/setupconfig.h"
#include "product/uninstallregistry.h"
#include "removalguard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <string>

namespace appinstaller {

namespace {

QString englishName()
{
    return QString::fromUtf8(SetupConfig::instance()->softwareNameEN().c_str());
}

QString chineseName()
{
    return QString::fromLocal8Bit(SetupConfig::instance()->softwareNameCH().c_str());
}

// Removes a directory tree the removal guard allows; anything else stays as it
// is. When the path named is itself a symbolic link, only the link goes: the
// guard has vouched for its target, but a link is the most that was put in that
// place, and what it leads to may be shared with other things. Links inside the
// tree are removed as links, never followed.
void removeDirectory(const QString &path)
{
    if (!isRemovableDirectory(path))
        return;
    QString named = QDir::fromNativeSeparators(path);
    while (named.size() > 1 && named.endsWith(QLatin1Char('/')))
        named.chop(1);
    const QFileInfo entry(named);
    if (entry.isSymLink())
        QFile::remove(named);
    else
        QDir(entry.canonicalFilePath()).removeRecursively();
}

// folder ends in a separator; an empty folder means the location is unknown.
void removeShortcut(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || !isSafeProductName(name))
        return;
    QFile::remove(folder + name + QStringLiteral(".lnk"));
}

void removeStartMenuFolder(const QString &programs, const QString &name)
{
    if (programs.isEmpty() || !isSafeProductName(name))
        return;
    removeDirectory(programs + QLatin1Char('/') + name + QLatin1Char('/'));
}

} // namespace

InstallProcessMgr::InstallProcessMgr() = default;

InstallProcessMgr::~InstallProcessMgr() = default;

void InstallProcessMgr::uninstall()
{
    const std::string location = UninstallRegistry::instance()->installLocation();
    emit signalProcess(0, QObject::tr("BeganToUnloadWkJrSaJaAq"));

    // An empty location would make a QDir of the working directory; the guard
    // refuses it along with every other path that is not the product's own.
    removeDirectory(QString::fromUtf8(location.c_str()));
    emit signalProcess(30, QObject::tr("DeleteShortcutULXVgdVTs"));

    removeShortcuts();
    emit signalProcess(60, QObject::tr("ClearTheRegistryeuyqTkYHjj"));

    UninstallRegistry::instance()->clearUninstallKey();
    emit signalProcess(100, QObject::tr("Uninstalled"));
}

// A name that could reach outside its folder, or name the folder itself, skips
// its steps; the other name's steps still run.
void InstallProcessMgr::removeShortcuts()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString userDesktop =
        desktop.isEmpty() ? QString() : QDir::toNativeSeparators(desktop + QLatin1Char('/'));
    const QString publicDesktop = platform::publicDesktopPath();
    const QString programs = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);

    removeShortcut(userDesktop, englishName());
    removeShortcut(userDesktop, chineseName());
    removeShortcut(publicDesktop, englishName());
    removeShortcut(publicDesktop, chineseName());
    removeStartMenuFolder(programs, englishName());
    removeStartMenuFolder(programs, chineseName());
}

} // namespace appinstaller
