#include "installprocessmgr.h"

#include "platform/heldfiles.h"
#include "platform/linkremoval.h"
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

using Kind = UninstallReport::Kind;

QString englishName()
{
    return QString::fromUtf8(SetupConfig::instance()->softwareNameEN().c_str());
}

QString chineseName()
{
    return QString::fromLocal8Bit(SetupConfig::instance()->softwareNameCH().c_str());
}

// Something is there when the path names an entry, a dangling link included.
bool isPresent(const QString &path)
{
    const QFileInfo entry(path);
    return entry.exists() || entry.isSymLink();
}

// Removes a directory tree the removal guard allows; anything else stays as it
// is, and is reported as refused when the path leads anywhere at all (an empty or
// relative path counts: it names no place the user could check). When the path
// named is itself a symbolic link, only the link goes: the guard has vouched for
// its target, but a link is the most that was put in that place, and what it
// leads to may be shared with other things. Links inside the tree are removed as
// links, never followed.
void removeDirectory(const QString &path, Kind kind, UninstallReport &report)
{
    QString named = QDir::fromNativeSeparators(path);
    if (!isRemovableDirectory(path)) {
        if (!QDir::isAbsolutePath(named) || isPresent(named))
            report.addRefused(kind, path);
        return;
    }
    while (named.size() > 1 && named.endsWith(QLatin1Char('/')))
        named.chop(1);
    const QFileInfo entry(named);
    if (entry.isSymLink()) {
        QFile::remove(named);
        if (isPresent(named))
            report.addNotRemoved(kind, named);
        return;
    }
    const QString tree = entry.canonicalFilePath();
    // A link that stays in the tree could lead the recursive removal into a folder
    // that is not the product's: then the tree stays whole and is reported.
    if (platform::removeLinksBelow(tree))
        QDir(tree).removeRecursively();
    // The running uninstaller's own files may be among what stays: on some systems
    // they are locked until it ends, and it usually runs from inside the product.
    if (isPresent(tree))
        report.addRemainingTree(kind, tree, platform::filesHeldByThisProcess());
}

// folder ends in a separator; an empty folder means the location is unknown.
void removeShortcut(const QString &folder, const QString &name, UninstallReport &report)
{
    if (folder.isEmpty() || !isSafeProductName(name))
        return;
    const QString path = folder + name + QStringLiteral(".lnk");
    QFile::remove(path);
    if (isPresent(path))
        report.addNotRemoved(Kind::Shortcut, path);
}

void removeStartMenuFolder(const QString &programs, const QString &name, UninstallReport &report)
{
    if (programs.isEmpty() || !isSafeProductName(name))
        return;
    removeDirectory(programs + QLatin1Char('/') + name, Kind::StartMenuFolder, report);
}

} // namespace

InstallProcessMgr::InstallProcessMgr() = default;

InstallProcessMgr::~InstallProcessMgr() = default;

void InstallProcessMgr::uninstall()
{
    UninstallReport outcome;
    const std::string location = UninstallRegistry::instance()->installLocation();
    emit signalProcess(0, QObject::tr("BeganToUnloadWkJrSaJaAq"));

    // An empty location would make a QDir of the working directory; the guard
    // refuses it along with every other path that is not the product's own.
    removeDirectory(QString::fromUtf8(location.c_str()), Kind::InstallDirectory, outcome);
    emit signalProcess(30, QObject::tr("DeleteShortcutULXVgdVTs"));

    removeShortcuts(outcome);
    emit signalProcess(60, QObject::tr("ClearTheRegistryeuyqTkYHjj"));

    const UninstallRegistry *registry = UninstallRegistry::instance();
    registry->clearUninstallKey();
    if (registry->isInstalled()) {
        const std::string key = registry->keyPath(SetupConfig::instance()->guid());
        outcome.addNotRemoved(Kind::RegistryKey, QString::fromStdString(key));
    }

    m_report = outcome;
    emit signalProcess(100, outcome.isComplete() ? QObject::tr("Uninstalled")
                                                 : QObject::tr("UninstallIncompleteHvRqYwNd"));
}

UninstallReport InstallProcessMgr::report() const
{
    return m_report;
}

// A name that could reach outside its folder, or name the folder itself, skips
// its steps; the other name's steps still run.
void InstallProcessMgr::removeShortcuts(UninstallReport &outcome)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString userDesktop =
        desktop.isEmpty() ? QString() : QDir::toNativeSeparators(desktop + QLatin1Char('/'));
    const QString publicDesktop = platform::publicDesktopPath();
    const QString programs = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);

    removeShortcut(userDesktop, englishName(), outcome);
    removeShortcut(userDesktop, chineseName(), outcome);
    removeShortcut(publicDesktop, englishName(), outcome);
    removeShortcut(publicDesktop, chineseName(), outcome);
    removeStartMenuFolder(programs, englishName(), outcome);
    removeStartMenuFolder(programs, chineseName(), outcome);
}

} // namespace appinstaller
