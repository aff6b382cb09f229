#include "product/uninstallregistry.h"

#include "platform/registrykey.h"
#include "platform/systeminfo.h"

#include "testsandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QVariantMap>

#include <unistd.h>

using appinstaller::UninstallRegistry;
namespace platform = appinstaller::platform;

namespace {

const UninstallRegistry &registry()
{
    return *UninstallRegistry::instance();
}

QString keyPathOf(const QString &keyName)
{
    return QString::fromStdString(registry().keyPath(keyName.toStdString()));
}

// Writes a key of the stand-in; a name holding "/" is a value of a subkey.
bool writeKey(const QString &keyName, const QVariantMap &values)
{
    const QString file = platform::standInKeyFile(keyPathOf(keyName));
    if (file.isEmpty() || !QDir().mkpath(QFileInfo(file).path()))
        return false;
    if (values.isEmpty()) {
        QFile empty(file);
        return empty.open(QIODevice::WriteOnly);
    }
    QSettings settings(file, QSettings::IniFormat);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QVariantMap installedAt(const QString &location)
{
    return {{QStringLiteral("InstallLocation"), location}, {QStringLiteral("DisplayName"), QStringLiteral("Viewer")}};
}

QString sandboxRoot()
{
    return TestSandbox::current()->root();
}

} // namespace

class TestUninstallRegistry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void uninstallRootFollowsArchitecture();
    void installedState_data();
    void installedState();
    void hostileGuidReachesNothing_data();
    void hostileGuidReachesNothing();
    void emptyGuidNamesNoKey();
    void descriptionWithoutGuidNamesNoKey();
    void clearRemovesOnlyTheProductKey();
    void clearWithoutWriteAccessLeavesKey();

private:
    QString m_lockedDir;
    QString m_lockedFile;
};

void TestUninstallRegistry::init()
{
    QVERIFY(!platform::standInRoot().isEmpty());
    QVERIFY(platform::standInRoot().startsWith(sandboxRoot()));
    QVERIFY(QDir(platform::standInRoot()).removeRecursively());
}

void TestUninstallRegistry::cleanup()
{
    if (!m_lockedDir.isEmpty())
        QFile::setPermissions(m_lockedDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!m_lockedFile.isEmpty())
        QFile::setPermissions(m_lockedFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    m_lockedDir.clear();
    m_lockedFile.clear();
    QDir(platform::standInRoot()).removeRecursively();
}

void TestUninstallRegistry::uninstallRootFollowsArchitecture()
{
    const int architecture = platform::nativeProcessorArchitecture();
    const bool wow64 = architecture == platform::ArchitectureAmd64 || architecture == platform::ArchitectureIa64;
    const QString root = QString::fromStdString(registry().uninstallRootPath());

    if (wow64) {
        QCOMPARE(root, QStringLiteral("SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"));
        QCOMPARE(root.size(), 64);
    } else {
        QCOMPARE(root, QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"));
        QCOMPARE(root.size(), 52);
    }
    QCOMPARE(keyPathOf(QStringLiteral("{A1}")), QStringLiteral("HKEY_LOCAL_MACHINE\\") + root + QStringLiteral("{A1}"));
}

void TestUninstallRegistry::installedState_data()
{
    QTest::addColumn<QString>("storedKey");
    QTest::addColumn<QVariantMap>("values");
    QTest::addColumn<QString>("guid");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("location");

    const QString location = QStringLiteral("C:\\Program Files\\Viewer");
    QTest::newRow("present key") << QStringLiteral("{B1}") << installedAt(location) << QStringLiteral("{B1}")
                                 << true << location;
    QTest::newRow("absent key") << QString() << QVariantMap() << QStringLiteral("{B2}") << false << QString();
    QTest::newRow("existing but empty")
        << QStringLiteral("{B3}") << QVariantMap() << QStringLiteral("{B3}") << false << QString();
    QTest::newRow("values only in a subkey")
        << QStringLiteral("{B4}") << QVariantMap{{QStringLiteral("Details/InstallLocation"), location}}
        << QStringLiteral("{B4}") << true << QString();
    QTest::newRow("no InstallLocation")
        << QStringLiteral("{B5}") << QVariantMap{{QStringLiteral("DisplayName"), QStringLiteral("Viewer")}}
        << QStringLiteral("{B5}") << true << QString();
    QTest::newRow("number as InstallLocation")
        << QStringLiteral("{B6}") << QVariantMap{{QStringLiteral("InstallLocation"), 42}} << QStringLiteral("{B6}")
        << true << QStringLiteral("42");
    QTest::newRow("braces are part of the name")
        << QStringLiteral("{B7}") << installedAt(location) << QStringLiteral("{B7}") << true << location;
    QTest::newRow("braces are not stripped")
        << QStringLiteral("{B8}") << installedAt(location) << QStringLiteral("B8") << false << QString();
    QTest::newRow("braces are not added")
        << QStringLiteral("B9") << installedAt(location) << QStringLiteral("{B9}") << false << QString();
}

void TestUninstallRegistry::installedState()
{
    QFETCH(QString, storedKey);
    QFETCH(QVariantMap, values);
    QFETCH(QString, guid);
    QFETCH(bool, installed);
    QFETCH(QString, location);

    if (!storedKey.isNull())
        QVERIFY(writeKey(storedKey, values));

    QCOMPARE(registry().isKeyPresent(guid.toStdString()), installed);
    QCOMPARE(registry().isInstalled(guid.toStdString()), installed);
    QCOMPARE(QString::fromStdString(registry().installLocation(guid.toStdString())), location);
}

void TestUninstallRegistry::hostileGuidReachesNothing_data()
{
    QTest::addColumn<QString>("guid");

    QTest::newRow("climbs out") << QStringLiteral("..\\..\\x");
    QTest::newRow("parent") << QStringLiteral("..");
    QTest::newRow("slash") << QStringLiteral("a/b");
    QTest::newRow("dot") << QStringLiteral(".");
}

void TestUninstallRegistry::hostileGuidReachesNothing()
{
    QFETCH(QString, guid);

    // Where a mapping that resolved the name as a file path would land: a key there
    // must be neither mistaken for the product's nor removed.
    const QString keyPath = keyPathOf(guid);
    const QString bait = QDir::cleanPath(platform::standInRoot() + QStringLiteral("/registry/")
                                         + QString(keyPath).replace(QLatin1Char('\\'), QLatin1Char('/')))
                         + QStringLiteral(".ini");
    QVERIFY(QDir().mkpath(QFileInfo(bait).path()));
    {
        QSettings settings(bait, QSettings::IniFormat);
        settings.setValue(QStringLiteral("InstallLocation"), QStringLiteral("C:\\Bait"));
    }
    QVERIFY(QFile::exists(bait));
    QVERIFY(writeKey(QStringLiteral("{OTHER}"), installedAt(QStringLiteral("C:\\Other"))));
    const QMap<QString, QString> before = TestSandbox::listing(sandboxRoot());

    const std::string name = guid.toStdString();
    QVERIFY(!registry().isInstalled(name));
    QVERIFY(registry().installLocation(name).empty());
    QVERIFY(registry().readValue("InstallLocation", name).empty());
    registry().clearUninstallKey(name);

    QCOMPARE(TestSandbox::listing(sandboxRoot()), before);
}

void TestUninstallRegistry::emptyGuidNamesNoKey()
{
    QVERIFY(writeKey(QStringLiteral("{OTHER-1}"), installedAt(QStringLiteral("C:\\Other1"))));
    QVERIFY(writeKey(QStringLiteral("{OTHER-2}"), installedAt(QStringLiteral("C:\\Other2"))));
    const QMap<QString, QString> before = TestSandbox::listing(sandboxRoot());

    QVERIFY(!registry().isKeyPresent(std::string()));
    QVERIFY(!registry().isInstalled(std::string()));
    QVERIFY(registry().installLocation(std::string()).empty());
    QVERIFY(registry().readValue("InstallLocation", std::string()).empty());
    registry().clearUninstallKey(std::string());

    QCOMPARE(TestSandbox::listing(sandboxRoot()), before);
    QVERIFY(registry().isInstalled("{OTHER-1}"));
    QVERIFY(registry().isInstalled("{OTHER-2}"));
}

void TestUninstallRegistry::descriptionWithoutGuidNamesNoKey()
{
    if (QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/AppConfig.xml")))
        QSKIP("a setup description lies beside the test executable");

    QVERIFY(writeKey(QStringLiteral("{OTHER-1}"), installedAt(QStringLiteral("C:\\Other1"))));
    const QMap<QString, QString> before = TestSandbox::listing(sandboxRoot());

    QVERIFY(!registry().isInstalled());
    QVERIFY(registry().installLocation().empty());
    registry().clearUninstallKey();

    QCOMPARE(TestSandbox::listing(sandboxRoot()), before);
}

void TestUninstallRegistry::clearRemovesOnlyTheProductKey()
{
    QVariantMap values = installedAt(QStringLiteral("C:\\Viewer"));
    values.insert(QStringLiteral("Details/Publisher"), QStringLiteral("Maker"));
    QVERIFY(writeKey(QStringLiteral("{C1}"), values));
    QVERIFY(writeKey(QStringLiteral("{C2}"), installedAt(QStringLiteral("C:\\Other"))));
    QVERIFY(registry().isInstalled("{C1}"));

    registry().clearUninstallKey("{C1}");

    QVERIFY(!registry().isInstalled("{C1}"));
    QVERIFY(registry().installLocation("{C1}").empty());
    QVERIFY(!QFile::exists(platform::standInKeyFile(keyPathOf(QStringLiteral("{C1}")))));
    QCOMPARE(registry().installLocation("{C2}"), std::string("C:\\Other"));
}

void TestUninstallRegistry::clearWithoutWriteAccessLeavesKey()
{
    if (geteuid() == 0)
        QSKIP("permissions do not bind the superuser");

    QVERIFY(writeKey(QStringLiteral("{R1}"), installedAt(QStringLiteral("C:\\Viewer"))));
    m_lockedFile = platform::standInKeyFile(keyPathOf(QStringLiteral("{R1}")));
    m_lockedDir = QFileInfo(m_lockedFile).path();
    QVERIFY(QFile::setPermissions(m_lockedFile, QFileDevice::ReadOwner));
    QVERIFY(QFile::setPermissions(m_lockedDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    registry().clearUninstallKey("{R1}");

    QVERIFY(QFile::exists(m_lockedFile));
    QVERIFY(registry().isInstalled("{R1}"));
    QCOMPARE(registry().installLocation("{R1}"), std::string("C:\\Viewer"));
}

UNINSTALL_TEST_MAIN(TestUninstallRegistry)

#include "tst_uninstallregistry.moc"
