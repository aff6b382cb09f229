#include "sampleproduct.h"

#include "testsandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>

namespace {
const QString kNameEN = QStringLiteral("Raruz Viewer");
const QString kNameCH = QStringLiteral("拉鲁兹查看器");
const QString kGuid = QStringLiteral("{5C2B8F0E-7A31-4D6B-9E2A-3F1D0C7B9A64}");

bool isBelow(const QString &path, const QString &dir)
{
    return path == dir || path.startsWith(dir + QLatin1Char('/'));
}
} // namespace

SampleProduct::SampleProduct(const QString &dir, int bulkFiles)
{
    QDir().mkpath(dir);
    m_root = QDir(dir).canonicalPath();

    const QString script = qEnvironmentVariable("UNINSTALL_SOURCE_DIR")
                           + QStringLiteral("/scripts/install-sample-product.sh");
    QProcess installer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SAMPLE_BULK_FILES"), QString::number(bulkFiles));
    installer.setProcessEnvironment(env);
    installer.start(QStringLiteral("bash"),
                    {script, m_root, qEnvironmentVariable("UNINSTALL_BIN_DIR")});
    if (!installer.waitForFinished(60000) || installer.exitStatus() != QProcess::NormalExit
        || installer.exitCode() != 0) {
        m_error = QString::fromLocal8Bit(installer.readAllStandardError());
        return;
    }

    // The script prints lines of the form: export NAME='value'
    const QStringList lines = QString::fromUtf8(installer.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (!line.startsWith(QStringLiteral("export ")))
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        QString value = line.mid(equals + 1);
        value = value.mid(1, value.size() - 2);
        m_scriptEnvironment.insert(line.mid(7, equals - 7), value);
    }
    m_uninstaller = m_scriptEnvironment.value(QStringLiteral("UNINSTALL_EXE"));
    m_installDir = QFileInfo(m_uninstaller).absolutePath();
    m_installed = QFileInfo(m_uninstaller).isExecutable();
    if (!m_installed)
        m_error = QStringLiteral("the script reported no uninstaller");
}

QString SampleProduct::home() const
{
    return m_scriptEnvironment.value(QStringLiteral("HOME"));
}

QString SampleProduct::keyFile() const
{
    return m_scriptEnvironment.value(QStringLiteral("XDG_DATA_HOME")) + QStringLiteral("/appinstaller/registry/")
           + keyPath().replace(QLatin1Char('\\'), QLatin1Char('/')) + QStringLiteral(".ini");
}

QString SampleProduct::keyPath() const
{
    const QString arch = QSysInfo::currentCpuArchitecture();
    const bool wow64 = arch == QLatin1String("x86_64") || arch == QLatin1String("ia64");
    return QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\") + (wow64 ? QStringLiteral("Wow6432Node\\") : QString())
           + QStringLiteral("Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kGuid;
}

QString SampleProduct::copyUninstallerTo(const QString &dir) const
{
    QProcess copy;
    copy.start(QStringLiteral("sh"),
               {QStringLiteral("-c"), QStringLiteral("cp -a \"$1\"/Uninstall \"$1\"/libVexiloControl.so* \"$1\"/rcc "
                                                     "\"$1\"/translations \"$1\"/AppConfig.xml \"$2\"/"),
                QStringLiteral("sh"), m_installDir, dir});
    if (!copy.waitForFinished() || copy.exitCode() != 0)
        return QString();
    return dir + QStringLiteral("/Uninstall");
}

QStringList SampleProduct::footprint() const
{
    const QString dataHome = m_scriptEnvironment.value(QStringLiteral("XDG_DATA_HOME"));
    const QString desktop = home() + QStringLiteral("/Desktop/");
    const QString publicDesktop = dataHome + QStringLiteral("/appinstaller/drive_c/Users/Public/Desktop/");
    const QString startMenu = dataHome + QStringLiteral("/applications/");
    return {m_installDir,
            desktop + kNameEN + QStringLiteral(".lnk"),
            desktop + kNameCH + QStringLiteral(".lnk"),
            publicDesktop + kNameEN + QStringLiteral(".lnk"),
            publicDesktop + kNameCH + QStringLiteral(".lnk"),
            startMenu + kNameEN,
            startMenu + kNameCH,
            keyFile()};
}

QStringList SampleProduct::remainingFootprint() const
{
    QStringList remaining;
    const QStringList paths = footprint();
    for (const QString &path : paths) {
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            remaining.append(path);
    }
    return remaining;
}

QProcessEnvironment SampleProduct::environment(const QString &language) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (auto it = m_scriptEnvironment.cbegin(); it != m_scriptEnvironment.cend(); ++it)
        env.insert(it.key(), it.value());
    env.remove(QStringLiteral("UNINSTALL_EXE"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("LANGUAGE"));
    // C.UTF-8 is present on every Debian system; the message language comes from LANG.
    env.remove(QStringLiteral("LC_ALL"));
    env.insert(QStringLiteral("LC_CTYPE"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LANG"), language == QLatin1String("zh") ? QStringLiteral("zh_CN.UTF-8")
                                                                        : QStringLiteral("en_US.UTF-8"));
    return env;
}

QMap<QString, QString> SampleProduct::listing() const
{
    return TestSandbox::listing(m_root);
}

QStringList SampleProduct::changes(const QMap<QString, QString> &before, const QMap<QString, QString> &after,
                                   bool outsideFootprintOnly) const
{
    const QDir base(m_root);
    QStringList ignored;
    if (outsideFootprintOnly) {
        const QStringList paths = footprint();
        for (const QString &path : paths)
            ignored.append(base.relativeFilePath(path));
    }
    // Caches and runtime files belong to the libraries that write them, not to the product.
    ignored << base.relativeFilePath(home() + QStringLiteral("/.cache"))
            << base.relativeFilePath(m_scriptEnvironment.value(QStringLiteral("XDG_RUNTIME_DIR")));

    auto isIgnored = [&ignored](const QString &relative) {
        for (const QString &prefix : ignored) {
            if (isBelow(relative, prefix))
                return true;
        }
        return false;
    };

    QStringList changes;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (isIgnored(it.key()))
            continue;
        if (!after.contains(it.key()))
            changes.append(QStringLiteral("removed: ") + it.key());
        else if (after.value(it.key()) != it.value())
            changes.append(QStringLiteral("changed: ") + it.key());
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()) && !isIgnored(it.key()))
            changes.append(QStringLiteral("added: ") + it.key());
    }
    return changes;
}

QStringList SampleProduct::faultsOfCompleteUninstall(const QMap<QString, QString> &before) const
{
    QStringList faults;
    const QStringList remaining = remainingFootprint();
    for (const QString &path : remaining)
        faults.append(QStringLiteral("remains: ") + path);
    return faults + changes(before, listing());
}
