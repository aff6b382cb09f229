#include "removalguard.h"

#include "platform/registrykey.h"
#include "platform/systemfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStringList>

#include <algorithm>

namespace appinstaller {

namespace {

// Every kind of place QStandardPaths knows about.
const QStandardPaths::StandardLocation kStandardLocations[] = {
    QStandardPaths::DesktopLocation,      QStandardPaths::DocumentsLocation,
    QStandardPaths::FontsLocation,        QStandardPaths::ApplicationsLocation,
    QStandardPaths::MusicLocation,        QStandardPaths::MoviesLocation,
    QStandardPaths::PicturesLocation,     QStandardPaths::TempLocation,
    QStandardPaths::HomeLocation,         QStandardPaths::AppLocalDataLocation,
    QStandardPaths::CacheLocation,        QStandardPaths::GenericDataLocation,
    QStandardPaths::RuntimeLocation,      QStandardPaths::ConfigLocation,
    QStandardPaths::DownloadLocation,     QStandardPaths::GenericCacheLocation,
    QStandardPaths::GenericConfigLocation, QStandardPaths::AppDataLocation,
    QStandardPaths::AppConfigLocation,
};

bool samePath(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// True when path lies strictly inside directory; both are clean and absolute.
bool isInside(const QString &path, const QString &directory)
{
    const QString prefix = directory.endsWith(QLatin1Char('/')) ? directory
                                                                : directory + QLatin1Char('/');
    return path.size() > prefix.size() && path.startsWith(prefix, Qt::CaseInsensitive);
}

// Adds a protected place both as written and as the file system resolves it, so
// that neither a link to it nor a link it is itself can slip past.
void addProtected(QStringList &places, const QString &path)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return;
    places.append(QDir::cleanPath(QDir::fromNativeSeparators(path)));
    const QString resolved = QFileInfo(path).canonicalFilePath();
    if (!resolved.isEmpty())
        places.append(resolved);
}

QStringList protectedPlaces()
{
    QStringList places;
    addProtected(places, QDir::homePath());
    addProtected(places, platform::publicDesktopPath());
    addProtected(places, platform::standInRoot());
    for (const QString &path : platform::systemDirectories())
        addProtected(places, path);

    // On Windows the search lists also hold the application's own directory and
    // folders below it. The uninstaller usually runs from inside the product's
    // directory, so those entries would forbid the very removal it exists for;
    // they are no user data and are left out.
    const QString applicationDir = QDir::cleanPath(QCoreApplication::applicationDirPath());
    for (const QStandardPaths::StandardLocation type : kStandardLocations) {
        addProtected(places, QStandardPaths::writableLocation(type));
        for (const QString &path : QStandardPaths::standardLocations(type)) {
            const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
            if (!applicationDir.isEmpty()
                && (samePath(clean, applicationDir) || isInside(clean, applicationDir)))
                continue;
            addProtected(places, path);
        }
    }
    return places;
}

bool isVolumeRoot(const QString &directory)
{
    if (QDir(directory).isRoot())
        return true;
    const QStorageInfo volume(directory);
    return volume.isValid() && samePath(QDir::cleanPath(volume.rootPath()), directory);
}

} // namespace

bool isRemovableDirectory(const QString &path)
{
    const QString written = QDir::fromNativeSeparators(path);
    if (written.isEmpty() || !QDir::isAbsolutePath(written))
        return false;

    const QFileInfo target(QFileInfo(written).canonicalFilePath());
    if (target.filePath().isEmpty() || !target.isDir())
        return false;

    const QString directory = target.filePath();
    if (isVolumeRoot(directory))
        return false;
    // The registry stand-in holds every product's keys: nothing at or below it is
    // any one product's to remove. (There is no stand-in on Windows.)
    const QString standIn = platform::standInRoot();
    if (!standIn.isEmpty()) {
        const QString registry = standIn + QStringLiteral("/registry");
        const QString canonical = QFileInfo(registry).canonicalFilePath();
        const QString stored = canonical.isEmpty() ? QDir::cleanPath(registry) : canonical;
        if (samePath(directory, stored) || isInside(directory, stored))
            return false;
    }
    const QStringList places = protectedPlaces();
    return std::none_of(places.cbegin(), places.cend(), [&directory](const QString &place) {
        return samePath(directory, place) || isInside(place, directory);
    });
}

bool isSafeProductName(const QString &name)
{
    if (name.isEmpty() || name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return false;
    static const QString forbidden = QStringLiteral("/\\<>:\"|?*");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c))
            return false;
    }
    return true;
}

} // namespace appinstaller
