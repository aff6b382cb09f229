#include "platform/registrykey.h"
#include "testsandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

#include <unistd.h>

using appinstaller::platform::RegistryKey;
using appinstaller::platform::standInKeyFile;
using appinstaller::platform::standInRoot;

namespace {

const QString kUninstallPath =
    QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");
const QString kUninstallDir =
    QStringLiteral("registry/HKEY_LOCAL_MACHINE/SOFTWARE/Microsoft/Windows/CurrentVersion/Uninstall/");

// QSettings keeps parsed files per process and trusts them while size and time
// stamp match, so every test works on a key name of its own.
QString uniqueKeyName()
{
    QString name = QStringLiteral("{%1}").arg(QString::fromLatin1(QTest::currentTestFunction()));
    if (QTest::currentDataTag())
        name += QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
    return name;
}

QString keyFileOf(const QString &keyName)
{
    return standInRoot() + QLatin1Char('/') + kUninstallDir + keyName + QStringLiteral(".ini");
}

// Writes a key the way the installer's tools do: through QSettings in INI format.
void writeKey(const QString &file, const QVariantMap &values)
{
    QSettings settings(file, QSettings::IniFormat);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
    settings.sync();
    QCOMPARE(settings.status(), QSettings::NoError);
}

void writeRawFile(const QString &file, const QByteArray &contents)
{
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    QCOMPARE(out.write(contents), qint64(contents.size()));
}

} // namespace

class TestRegistryKey : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rootIsBelowDataHome();
    void keyPathMapsToFile_data();
    void keyPathMapsToFile();
    void readsValuesOfPresentKey();
    void absentKeyIsEmptyAndCreatesNothing();
    void valuesOnlyInSubkeyArePresent();
    void emptyFileHoldsNoValues();
    void nonTextValueReadsAsDigits();
    void nonAsciiValueReadsBack_data();
    void nonAsciiValueReadsBack();
    void clearRemovesKey();
    void clearOfAbsentKeyCreatesNothing();
    void clearWithoutWriteAccessKeepsKey_data();
    void clearWithoutWriteAccessKeepsKey();
    void hostilePathTouchesNothing_data();
    void hostilePathTouchesNothing();

private:
    QString m_readOnlyPath;
};

void TestRegistryKey::init()
{
    QVERIFY(QDir(standInRoot()).removeRecursively());
}

void TestRegistryKey::cleanup()
{
    if (!m_readOnlyPath.isEmpty()) {
        QFile::setPermissions(m_readOnlyPath,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        m_readOnlyPath.clear();
    }
}

void TestRegistryKey::rootIsBelowDataHome()
{
    QCOMPARE(standInRoot(), TestSandbox::current()->dataHome() + QStringLiteral("/appinstaller"));
}

void TestRegistryKey::keyPathMapsToFile_data()
{
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("relativeFile");

    QTest::newRow("plain key") << kUninstallPath + QStringLiteral("Product") << kUninstallDir + QStringLiteral("Product.ini");
    QTest::newRow("braced GUID") << kUninstallPath + QStringLiteral("{ABC-123}")
                                 << kUninstallDir + QStringLiteral("{ABC-123}.ini");
    QTest::newRow("64-bit view")
        << QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\P")
        << QStringLiteral("registry/HKEY_LOCAL_MACHINE/SOFTWARE/Wow6432Node/Microsoft/Windows/CurrentVersion/Uninstall/P.ini");
    QTest::newRow("spaces and dots inside a name") << kUninstallPath + QStringLiteral("My Product 1.0")
                                                   << kUninstallDir + QStringLiteral("My Product 1.0.ini");
    QTest::newRow("non-ASCII name") << kUninstallPath + QStringLiteral("产品") << kUninstallDir + QStringLiteral("产品.ini");

    QTest::newRow("parent components") << QStringLiteral("..\\..\\x") << QString();
    QTest::newRow("parent component inside") << kUninstallPath + QStringLiteral("..\\x") << QString();
    QTest::newRow("slash in a component") << kUninstallPath + QStringLiteral("a/b") << QString();
    QTest::newRow("dot component") << kUninstallPath + QStringLiteral(".") << QString();
    QTest::newRow("empty path") << QString() << QString();
    QTest::newRow("trailing backslash") << kUninstallPath << QString();
    QTest::newRow("doubled backslash") << QStringLiteral("HKEY_LOCAL_MACHINE\\\\SOFTWARE") << QString();
    QTest::newRow("leading backslash") << QStringLiteral("\\HKEY_LOCAL_MACHINE") << QString();
}

void TestRegistryKey::keyPathMapsToFile()
{
    QFETCH(QString, keyPath);
    QFETCH(QString, relativeFile);

    const QString expected = relativeFile.isEmpty() ? QString() : standInRoot() + QLatin1Char('/') + relativeFile;
    QCOMPARE(standInKeyFile(keyPath), expected);
}

void TestRegistryKey::readsValuesOfPresentKey()
{
    const QString name = uniqueKeyName();
    writeKey(keyFileOf(name), {{QStringLiteral("InstallLocation"), QStringLiteral("/opt/Product")},
                               {QStringLiteral("DisplayName"), QStringLiteral("Product")}});

    const RegistryKey key(kUninstallPath + name);
    QStringList keys = key.allKeys();
    keys.sort();
    QCOMPARE(keys, QStringList({QStringLiteral("DisplayName"), QStringLiteral("InstallLocation")}));
    QCOMPARE(key.value(QStringLiteral("InstallLocation")), QVariant(QStringLiteral("/opt/Product")));
    QVERIFY(!key.value(QStringLiteral("UninstallString")).isValid());
}

void TestRegistryKey::absentKeyIsEmptyAndCreatesNothing()
{
    const QString sandbox = TestSandbox::current()->root();
    const auto before = TestSandbox::listing(sandbox);
    {
        const RegistryKey key(kUninstallPath + uniqueKeyName());
        QVERIFY(key.allKeys().isEmpty());
        QVERIFY(!key.value(QStringLiteral("InstallLocation")).isValid());
    }
    QCOMPARE(TestSandbox::listing(sandbox), before);
    QVERIFY(!QFileInfo::exists(standInRoot()));
}

void TestRegistryKey::valuesOnlyInSubkeyArePresent()
{
    const QString name = uniqueKeyName();
    writeKey(keyFileOf(name), {{QStringLiteral("Sub/Value"), QStringLiteral("x")}});

    const RegistryKey key(kUninstallPath + name);
    QCOMPARE(key.allKeys(), QStringList(QStringLiteral("Sub/Value")));
    QVERIFY(!key.value(QStringLiteral("Value")).isValid());
}

void TestRegistryKey::emptyFileHoldsNoValues()
{
    const QString name = uniqueKeyName();
    writeRawFile(keyFileOf(name), QByteArray());

    {
        const RegistryKey key(kUninstallPath + name);
        QVERIFY(key.allKeys().isEmpty());
    }
    QVERIFY(QFileInfo::exists(keyFileOf(name)));
}

void TestRegistryKey::nonTextValueReadsAsDigits()
{
    const QString name = uniqueKeyName();
    writeKey(keyFileOf(name), {{QStringLiteral("EstimatedSize"), 40960}});

    const RegistryKey key(kUninstallPath + name);
    const QVariant size = key.value(QStringLiteral("EstimatedSize"));
    QVERIFY(size.isValid());
    QCOMPARE(size.toString(), QStringLiteral("40960"));
}

void TestRegistryKey::nonAsciiValueReadsBack_data()
{
    QTest::addColumn<bool>("throughQSettings");

    QTest::newRow("escaped by QSettings") << true;
    QTest::newRow("plain UTF-8 text") << false;
}

void TestRegistryKey::nonAsciiValueReadsBack()
{
    QFETCH(bool, throughQSettings);

    const QString location = QStringLiteral("/opt/产品 Ünïcode");
    const QString name = uniqueKeyName();
    if (throughQSettings)
        writeKey(keyFileOf(name), {{QStringLiteral("InstallLocation"), location}});
    else
        writeRawFile(keyFileOf(name), "[General]\nInstallLocation=" + location.toUtf8() + '\n');

    const RegistryKey key(kUninstallPath + name);
    QCOMPARE(key.value(QStringLiteral("InstallLocation")).toString(), location);
}

void TestRegistryKey::clearRemovesKey()
{
    const QString name = uniqueKeyName();
    const QString file = keyFileOf(name);
    writeKey(file, {{QStringLiteral("InstallLocation"), QStringLiteral("/opt/Product")},
                    {QStringLiteral("Sub/Value"), QStringLiteral("x")}});
    {
        RegistryKey key(kUninstallPath + name);
        QCOMPARE(key.allKeys().size(), 2);
        key.clear();
        QVERIFY(key.allKeys().isEmpty());
        QVERIFY(!key.value(QStringLiteral("InstallLocation")).isValid());
    }
    QVERIFY(!QFileInfo::exists(file));
    QVERIFY(RegistryKey(kUninstallPath + name).allKeys().isEmpty());
    QVERIFY(!QFileInfo::exists(file));
}

void TestRegistryKey::clearOfAbsentKeyCreatesNothing()
{
    const QString sandbox = TestSandbox::current()->root();
    const auto before = TestSandbox::listing(sandbox);
    {
        RegistryKey key(kUninstallPath + uniqueKeyName());
        key.clear();
    }
    QCOMPARE(TestSandbox::listing(sandbox), before);
}

void TestRegistryKey::clearWithoutWriteAccessKeepsKey_data()
{
    QTest::addColumn<bool>("lockDirectory");

    QTest::newRow("read-only directory") << true;
    QTest::newRow("read-only file") << false;
}

void TestRegistryKey::clearWithoutWriteAccessKeepsKey()
{
    QFETCH(bool, lockDirectory);
    if (::geteuid() == 0)
        QSKIP("root may write whatever the permissions say");

    const QString name = uniqueKeyName();
    const QString file = keyFileOf(name);
    writeKey(file, {{QStringLiteral("InstallLocation"), QStringLiteral("/opt/Product")}});
    m_readOnlyPath = lockDirectory ? QFileInfo(file).absolutePath() : file;
    QVERIFY(QFile::setPermissions(m_readOnlyPath, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    {
        RegistryKey key(kUninstallPath + name);
        key.clear();
        QCOMPARE(key.allKeys(), QStringList(QStringLiteral("InstallLocation")));
    }
    QVERIFY(QFileInfo::exists(file));
    const RegistryKey key(kUninstallPath + name);
    QCOMPARE(key.allKeys(), QStringList(QStringLiteral("InstallLocation")));
    QCOMPARE(key.value(QStringLiteral("InstallLocation")).toString(), QStringLiteral("/opt/Product"));
}

void TestRegistryKey::hostilePathTouchesNothing_data()
{
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("bait");

    // Each bait is the file a naive joining of the components would reach.
    QTest::newRow("parent component") << kUninstallPath + QStringLiteral("..\\Bait")
                                      << kUninstallDir + QStringLiteral("../Bait.ini");
    QTest::newRow("leading parents") << QStringLiteral("..\\..\\Bait") << QStringLiteral("registry/../../Bait.ini");
    QTest::newRow("slash in a component") << kUninstallPath + QStringLiteral("a/Bait")
                                          << kUninstallDir + QStringLiteral("a/Bait.ini");
    QTest::newRow("dot component") << kUninstallPath + QStringLiteral(".\\Bait")
                                   << kUninstallDir + QStringLiteral("Bait.ini");
    QTest::newRow("Uninstall root") << kUninstallPath << kUninstallDir.chopped(1) + QStringLiteral(".ini");
    QTest::newRow("empty path") << QString() << QStringLiteral("registry/.ini");
}

void TestRegistryKey::hostilePathTouchesNothing()
{
    QFETCH(QString, keyPath);
    QFETCH(QString, bait);

    const QString baitFile = QDir::cleanPath(standInRoot() + QLatin1Char('/') + bait);
    writeKey(baitFile, {{QStringLiteral("InstallLocation"), QStringLiteral("/opt/Other")}});
    QVERIFY(QFileInfo::exists(baitFile));

    const QString sandbox = TestSandbox::current()->root();
    const auto before = TestSandbox::listing(sandbox);
    {
        RegistryKey key(keyPath);
        QVERIFY(key.allKeys().isEmpty());
        QVERIFY(!key.value(QStringLiteral("InstallLocation")).isValid());
        key.clear();
    }
    QCOMPARE(TestSandbox::listing(sandbox), before);
    QVERIFY(standInKeyFile(keyPath).isEmpty());
}

UNINSTALL_TEST_MAIN(TestRegistryKey)

#include "tst_registrykey.moc"
