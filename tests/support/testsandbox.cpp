#include "testsandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {
TestSandbox *s_current = nullptr;

const char *const kSandboxVariables[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME",
                                         "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"};
} // namespace

TestSandbox::TestSandbox()
    : m_dir(QDir::tempPath() + QStringLiteral("/uninstall-test-XXXXXX"))
{
    if (!m_dir.isValid())
        return;
    const QString base = m_dir.path();
    QDir().mkpath(home());
    QDir().mkpath(dataHome());
    QDir().mkpath(configHome());
    QDir().mkpath(base + QStringLiteral("/cache"));
    QDir().mkpath(base + QStringLiteral("/runtime"));
    QFile::setPermissions(base + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    qputenv("HOME", QFile::encodeName(home()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(base + QStringLiteral("/cache")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(base + QStringLiteral("/runtime")));
    s_current = this;
}

QString TestSandbox::home() const
{
    return m_dir.path() + QStringLiteral("/home");
}

QString TestSandbox::dataHome() const
{
    return home() + QStringLiteral("/.local/share");
}

QString TestSandbox::configHome() const
{
    return home() + QStringLiteral("/.config");
}

QProcessEnvironment TestSandbox::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : kSandboxVariables)
        env.insert(QString::fromLatin1(name), QString::fromLocal8Bit(qgetenv(name)));
    return env;
}

QMap<QString, QString> TestSandbox::listing(const QString &dir)
{
    QMap<QString, QString> entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir base(dir);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        QString kind = info.isSymLink() ? QStringLiteral("link->") + info.symLinkTarget()
                       : info.isDir()   ? QStringLiteral("dir")
                                        : QStringLiteral("file:%1").arg(info.size());
        kind += QStringLiteral(" perm:%1").arg(int(info.permissions()), 0, 16);
        entries.insert(base.relativeFilePath(info.filePath()), kind);
    }
    return entries;
}

TestSandbox *TestSandbox::current()
{
    return s_current;
}
