// Arbitrary install locations and product names through the removal guards, in a
// sandbox that looks like a user's machine: a home with its standard folders, the
// registry stand-in's drive with the product installed, and links that lead to the
// root, the home, the product, a file and in circles.
//
// The input is a path below the sandbox, so ".." and the links can lead anywhere.
// What the guard allows is checked against places listed here, not by the guard's
// own reasoning: inside the sandbox only the product's directory and its Start-menu
// folder may be removed; outside it never the root, a system directory or anything
// holding one of the sandbox's protected places. A name the guard accepts must stay
// one component inside whatever folder it is joined to, and expand no wildcard.

#include "platform/registrykey.h"
#include "uninstall/removalguard.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Sandbox
{
    QString root;
    QStringList removable;  // the product's own directories
    QStringList untouchable; // never removable, nor anything holding them
    // Every entry of the sandbox, relative to its root. Whether a path reaches an
    // existing place is invisible to coverage, so the input is compared with each of
    // them: libFuzzer learns from such comparisons and builds paths to every place.
    std::vector<std::string> places;
};

Sandbox s_sandbox;

// Called through a pointer the compiler cannot see through, so that comparisons
// made only for libFuzzer to watch are not optimised away.
int (*volatile s_compare)(const void *, const void *, std::size_t) = std::memcmp;

void require(bool condition, const char *what, const QString &input)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s\ninput: %s\n", what, input.toUtf8().constData());
    std::abort();
}

bool isAtOrBelow(const QString &path, const QString &directory)
{
    return path == directory || path.startsWith(directory + QLatin1Char('/'));
}

void makeDir(const QString &path)
{
    if (!QDir().mkpath(path))
        std::abort();
}

void makeFile(const QString &path)
{
    makeDir(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
}

void makeLink(const QString &target, const QString &link)
{
    if (!QFile::link(target, link))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/fuzz-guard-XXXXXX"));
    if (!dir.isValid())
        std::abort();
    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    const QString home = root + QStringLiteral("/home");
    const QString data = home + QStringLiteral("/.local/share");
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/.config")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home + QStringLiteral("/.cache")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + QStringLiteral("/runtime")));
    static QCoreApplication application(*argc, *argv);

    const QString drive = data + QStringLiteral("/appinstaller/drive_c");
    const QString product = drive + QStringLiteral("/Program Files/Viewer");
    const QString startMenuFolder = data + QStringLiteral("/applications/Viewer");
    const QString desktop = home + QStringLiteral("/Desktop");
    for (const QString &folder : {desktop, home + QStringLiteral("/Documents"), home + QStringLiteral("/.config"),
                                  home + QStringLiteral("/.cache"), root + QStringLiteral("/runtime"),
                                  drive + QStringLiteral("/Users/Public/Desktop"), drive + QStringLiteral("/Windows")})
        makeDir(folder);
    // Qt disowns a runtime directory that others may enter, as the system never makes it.
    if (!QFile::setPermissions(root + QStringLiteral("/runtime"),
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        std::abort();
    makeFile(home + QStringLiteral("/Documents/notes.txt"));
    makeFile(product + QStringLiteral("/bin/Viewer.exe"));
    makeFile(product + QStringLiteral("/data/maps/tile.dat"));
    makeFile(startMenuFolder + QStringLiteral("/Tools/Help.lnk"));
    makeLink(home, product + QStringLiteral("/data/home"));
    makeLink(QStringLiteral("/"), product + QStringLiteral("/data/root"));
    makeLink(QStringLiteral("/"), desktop + QStringLiteral("/root"));
    makeLink(QStringLiteral("/usr"), desktop + QStringLiteral("/usr"));
    makeLink(home, desktop + QStringLiteral("/home"));
    makeLink(QStringLiteral(".."), desktop + QStringLiteral("/up"));
    makeLink(product, desktop + QStringLiteral("/product"));
    makeLink(home + QStringLiteral("/Documents/notes.txt"), desktop + QStringLiteral("/notes"));
    makeLink(desktop + QStringLiteral("/loop-b"), desktop + QStringLiteral("/loop-a"));
    makeLink(desktop + QStringLiteral("/loop-a"), desktop + QStringLiteral("/loop-b"));

    QDirIterator entries(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        s_sandbox.places.push_back(QDir(root).relativeFilePath(entries.next()).toStdString());

    s_sandbox.root = root;
    s_sandbox.removable = QStringList{product, startMenuFolder};
    s_sandbox.untouchable = QStringList{QStringLiteral("/bin"),  QStringLiteral("/boot"), QStringLiteral("/dev"),
                             QStringLiteral("/etc"),  QStringLiteral("/home"), QStringLiteral("/lib"),
                             QStringLiteral("/opt"),  QStringLiteral("/proc"), QStringLiteral("/root"),
                             QStringLiteral("/run"),  QStringLiteral("/sbin"), QStringLiteral("/srv"),
                             QStringLiteral("/sys"),  QStringLiteral("/tmp"),  QStringLiteral("/usr"),
                             QStringLiteral("/usr/bin"), QStringLiteral("/usr/lib"), QStringLiteral("/usr/share"),
                             QStringLiteral("/var"),  QDir::tempPath(), home, desktop,
                             home + QStringLiteral("/Documents"), data, data + QStringLiteral("/applications"),
                             drive, drive + QStringLiteral("/Program Files"), drive + QStringLiteral("/Windows"),
                             drive + QStringLiteral("/Users/Public/Desktop")};
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<int>(size));
    for (const std::string &place : s_sandbox.places)
        s_compare(data, place.data(), std::min(size, place.size()));

    const QString path = s_sandbox.root + QLatin1Char('/') + input;
    if (appinstaller::isRemovableDirectory(path)) {
        const QString target = QFileInfo(path).canonicalFilePath();
        require(QFileInfo(target).isDir(), "allowed something that is no directory", input);
        require(target != QLatin1String("/"), "allowed the filesystem root", input);
        for (const QString &place : qAsConst(s_sandbox.untouchable))
            require(!isAtOrBelow(place, target), "allowed a protected place or one holding it", input);
        if (isAtOrBelow(target, s_sandbox.root)) {
            bool ours = false;
            for (const QString &product : qAsConst(s_sandbox.removable))
                ours = ours || isAtOrBelow(target, product);
            require(ours, "allowed a directory of the sandbox that is not the product's", input);
        }
    }

    if (appinstaller::isSafeProductName(input)) {
        require(!input.isEmpty() && input != QLatin1String(".") && input != QLatin1String(".."),
                "accepted a name that is no file name", input);
        for (const QChar c : input) {
            require(c != QLatin1Char('/') && c != QLatin1Char('\\') && c.unicode() >= 0x20,
                    "accepted a separator or a control character", input);
            require(c != QLatin1Char('*') && c != QLatin1Char('?'), "accepted a wildcard", input);
        }
        require(!input.endsWith(QLatin1Char('.')) && !input.endsWith(QLatin1Char(' ')),
                "accepted a name that Windows would shorten", input);
        const QString folder = s_sandbox.root + QStringLiteral("/folder");
        for (const QString &joined : {folder + QLatin1Char('/') + input,
                                      folder + QLatin1Char('/') + input + QStringLiteral(".lnk")}) {
            require(QDir::cleanPath(joined) == joined && QFileInfo(joined).path() == folder,
                    "the name leaves the folder it is joined to", input);
        }
    }
    return 0;
}
