#include "benchproduct.h"

#include "platform/registrykey.h"
#include "product/uninstallregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace bench {

namespace {

const char kGuid[] = "{7E0C4A52-93D1-4B7F-A2C6-5B1E8D3F0A97}";

QString sandboxRoot()
{
    const QString root = qEnvironmentVariable("BENCH_SANDBOX");
    if (root.isEmpty() || !QDir::isAbsolutePath(root))
        return {};
    return QFileInfo(root).canonicalFilePath();
}

} // namespace

bool BenchProduct::isInSandbox(const QString &path)
{
    const QString root = sandboxRoot();
    if (root.isEmpty() || !QDir::isAbsolutePath(path))
        return false;
    // The path need not exist yet: its deepest existing ancestor is resolved, so
    // that a link on the way cannot lead out, and the rest is appended as written.
    QString existing = QDir::cleanPath(path);
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const int slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return false;
        rest.prepend(existing.mid(slash));
        existing.truncate(slash);
    }
    const QString resolved = QFileInfo(existing).canonicalFilePath() + rest;
    return resolved.startsWith(root + QLatin1Char('/'));
}

bool BenchProduct::prepare(QString *error)
{
    if (sandboxRoot().isEmpty()) {
        *error = QStringLiteral("BENCH_SANDBOX must name an existing absolute directory");
        return false;
    }
    const QStringList mustBeInside = {qEnvironmentVariable("HOME"), qEnvironmentVariable("XDG_DATA_HOME"),
                                      QCoreApplication::applicationFilePath()};
    const auto outside = std::find_if(mustBeInside.cbegin(), mustBeInside.cend(),
                                      [](const QString &path) { return !isInSandbox(path); });
    if (outside != mustBeInside.cend()) {
        *error = QStringLiteral("%1 lies outside the sandbox BENCH_SANDBOX").arg(*outside);
        return false;
    }

    QFile config(QCoreApplication::applicationDirPath() + QStringLiteral("/AppConfig.xml"));
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = QStringLiteral("cannot write %1").arg(config.fileName());
        return false;
    }
    config.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<Setup>\n"
                                "    <GUID>%1</GUID>\n"
                                "    <SoftwareNameEN>Bench Product</SoftwareNameEN>\n"
                                "    <SoftwareNameCH>Bench Product CH</SoftwareNameCH>\n"
                                "    <ProgramName>bin/BenchClient.exe</ProgramName>\n"
                                "</Setup>\n")
                     .arg(QLatin1String(kGuid))
                     .toUtf8());
    return config.flush();
}

bool BenchProduct::install(const QString &location, QString *error)
{
    const std::string keyPath = appinstaller::UninstallRegistry::instance()->keyPath(kGuid);
    const QString file = appinstaller::platform::standInKeyFile(QString::fromStdString(keyPath));
    if (file.isEmpty() || !isInSandbox(file) || !isInSandbox(location)) {
        *error = QStringLiteral("the Uninstall key or the tree would lie outside the sandbox");
        return false;
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSettings key(file, QSettings::IniFormat);
    key.setIniCodec("UTF-8");
    key.setValue(QStringLiteral("DisplayName"), QStringLiteral("Bench Product"));
    key.setValue(QStringLiteral("InstallLocation"), location);
    key.sync();
    if (key.status() != QSettings::NoError) {
        *error = QStringLiteral("cannot write %1").arg(file);
        return false;
    }
    return true;
}

} // namespace bench
