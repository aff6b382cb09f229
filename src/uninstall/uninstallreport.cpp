#include "uninstallreport.h"

#include <QDir>
#include <QDirIterator>
#include <QSet>

namespace appinstaller {

namespace {

QString comparable(const QString &path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path)).toCaseFolded();
}

} // namespace

void UninstallReport::addRefused(Kind kind, const QString &location)
{
    Leftover leftover;
    leftover.kind = kind;
    leftover.reason = Reason::RefusedAsUnsafe;
    leftover.location = location;
    m_leftovers.append(leftover);
}

void UninstallReport::addNotRemoved(Kind kind, const QString &location)
{
    Leftover leftover;
    leftover.kind = kind;
    leftover.location = location;
    m_leftovers.append(leftover);
}

void UninstallReport::addRemainingTree(Kind kind, const QString &directory, const QStringList &heldFiles)
{
    const QString top = comparable(directory);
    QSet<QString> exempt;
    for (const QString &file : heldFiles) {
        const QString path = comparable(file);
        exempt.insert(path);
        if (!path.startsWith(top + QLatin1Char('/')))
            continue;
        for (QString above = path.left(path.lastIndexOf(QLatin1Char('/'))); above.size() >= top.size();
             above.truncate(above.lastIndexOf(QLatin1Char('/'))))
            exempt.insert(above);
    }

    QStringList remaining;
    QDirIterator entries(directory, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        if (!exempt.contains(comparable(path)))
            remaining.append(path);
    }
    if (remaining.isEmpty() && exempt.contains(top))
        return;

    remaining.sort();
    Leftover leftover;
    leftover.kind = kind;
    leftover.location = directory;
    leftover.unlistedEntries = qMax(0, remaining.size() - kListedEntries);
    leftover.entries = remaining.mid(0, kListedEntries);
    m_leftovers.append(leftover);
}

} // namespace appinstaller
