#ifndef APPINSTALLER_UNINSTALLREPORT_H
#define APPINSTALLER_UNINSTALLREPORT_H

#include <QList>
#include <QString>
#include <QStringList>

namespace appinstaller {

// What of the product an uninstall left behind, so that the user can be told the
// truth and remove the rest by hand. An empty report means nothing remains.
class UninstallReport
{
public:
    enum class Kind { InstallDirectory, Shortcut, StartMenuFolder, RegistryKey };
    enum class Reason {
        // The removal was attempted and the thing is still there (no rights, in use).
        NotRemoved,
        // The removal guard would not let the thing be removed at all.
        RefusedAsUnsafe,
    };

    // One thing that remains. location is a path as the file system spells it,
    // empty for an install location that the registry does not record, or the full
    // path of the registry key. For a directory that could not be removed, entries
    // are the first, in name order, of the paths below it that remain too, and
    // unlistedEntries counts the others.
    struct Leftover
    {
        Kind kind = Kind::InstallDirectory;
        Reason reason = Reason::NotRemoved;
        QString location;
        QStringList entries;
        int unlistedEntries = 0;
    };

    // At most this many entries are listed below a directory.
    static constexpr int kListedEntries = 20;

    bool isComplete() const { return m_leftovers.isEmpty(); }
    QList<Leftover> leftovers() const { return m_leftovers; }

    void addRefused(Kind kind, const QString &location);
    void addNotRemoved(Kind kind, const QString &location);
    // Records what is still there of a directory tree after its removal: the
    // directory with the paths below it, links not followed. heldFiles are the
    // files of the running program that cannot be deleted while it runs (see
    // platform::filesHeldByThisProcess()); they, and the directories that hold
    // them, are bound to stay and do not count, so a tree that holds nothing else
    // is not recorded at all. Paths are compared without regard to case, as the
    // removal guard compares them.
    void addRemainingTree(Kind kind, const QString &directory, const QStringList &heldFiles);

private:
    QList<Leftover> m_leftovers;
};

} // namespace appinstaller

#endif
