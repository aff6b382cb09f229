// Arbitrary key names through the registry stand-in's mapping of key paths to INI
// files. Whatever the name, the file must lie strictly inside the stand-in's
// registry directory, as the file system will resolve it.

#include "platform/registrykey.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QString s_registry;

void require(bool condition, const char *what, const QString &keyPath)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s\nkey path: %s\n", what, keyPath.toUtf8().constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The mapping follows XDG_DATA_HOME. The registry directory there holds a key, so
    // that a name the file system would read differently from Qt can be seen to
    // reach something.
    static QTemporaryDir dataHome(QDir::tempPath() + QStringLiteral("/fuzz-registry-XXXXXX"));
    if (!dataHome.isValid())
        std::abort();
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    s_registry = appinstaller::platform::standInRoot() + QStringLiteral("/registry/");
    const QString uninstall = s_registry + QStringLiteral("HKEY_LOCAL_MACHINE/SOFTWARE/Microsoft/Windows/CurrentVersion/Uninstall");
    QFile key(uninstall + QStringLiteral("/{KEY}.ini"));
    if (!QDir().mkpath(uninstall) || !key.open(QIODevice::WriteOnly))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<int>(size));
    // Both as a name of its own below the Uninstall root and as a whole key path.
    const QString uninstallRoot =
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");
    for (const QString &keyPath : {uninstallRoot + name, name}) {
        const QString file = appinstaller::platform::standInKeyFile(keyPath);
        if (file.isEmpty())
            continue;

        require(file.startsWith(s_registry) && file.endsWith(QLatin1String(".ini")),
                "the file lies outside the registry directory", keyPath);
        const int nul = file.indexOf(QChar(0));
        if (nul >= 0) {
            // The operating system would stop reading the name at the NUL, so it would
            // name something else; Qt must refuse such a name outright.
            require(!QFileInfo(file).exists() && !QFileInfo(file).isSymLink(),
                    "a name cut short at a NUL still names a file", keyPath);
            continue;
        }
        require(QDir::cleanPath(file) == file, "the file name holds . or .. or an empty component", keyPath);
        require(file.size() > s_registry.size() + 4, "the file is the registry directory itself", keyPath);
    }
    return 0;
}
