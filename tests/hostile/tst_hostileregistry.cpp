// A registry stand-in whose key file is damaged: random bytes, text that is no INI,
// a directory or a link where the file should be, a file nobody may read. The
// product then counts as installed only when a usable value is found, no install
// location is made up from the damage, the run comes to its end, and nothing but
// the key (where it may be removed) and what it truly names is removed.

#include "product/uninstallregistry.h"
#include "productfixture.h"
#include "testsandbox.h"
#include "uninstall/installprocessmgr.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

using appinstaller::InstallProcessMgr;
using appinstaller::UninstallRegistry;
using namespace productfixture;

namespace {

// The whole literal, NULs included.
template <int Size>
QByteArray bytes(const char (&literal)[Size])
{
    return QByteArray(literal, Size - 1);
}

QByteArray randomBytes(int size)
{
    QRandomGenerator generator(20240611);
    QByteArray noise(size, Qt::Uninitialized);
    std::generate(noise.begin(), noise.end(), [&generator] { return static_cast<char>(generator.bounded(256)); });
    return noise;
}

} // namespace

class TestHostileRegistry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void damagedKeyRemovesNothingElse_data();
    void damagedKeyRemovesNothingElse();
    void unreadableKeyCountsAsAbsent();

private:
    // Runs the procedure; afterwards the sandbox is as before, less removed; the
    // paths in undecided may or may not have gone.
    void runAndCompare(const QStringList &removed, const QStringList &undecided = QStringList());
};

void TestHostileRegistry::initTestCase()
{
    QVERIFY(writeSetupDescription(guid(), nameEN(), nameCH()));
    QVERIFY(createSurroundings());
    QVERIFY(installTree(installDir()));
    QVERIFY(makeDir(QFileInfo(keyFile(guid())).absolutePath()));
}

// Removes whatever stands at the key's place, never following a link out of it.
void TestHostileRegistry::cleanup()
{
    const QString key = keyFile(guid());
    const QFileInfo entry(key);
    if (entry.isSymLink()) {
        QVERIFY(QFile::remove(key));
    } else if (entry.isDir()) {
        QVERIFY(QDir(key).removeRecursively());
    } else if (entry.exists()) {
        QVERIFY(QFile::setPermissions(key, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(QFile::remove(key));
    }
}

void TestHostileRegistry::runAndCompare(const QStringList &removed, const QStringList &undecided)
{
    const QMap<QString, QString> before = listing();
    QSignalSpy reports(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess);
    InstallProcessMgr::instance()->uninstall();
    QCOMPARE(reports.size(), 4);
    QCOMPARE(reports.last().first().toInt(), 100);
    QCOMPARE(without(listing(), undecided), without(before, removed + undecided));
}

void TestHostileRegistry::damagedKeyRemovesNothingElse_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("keyRemoved");

    QTest::newRow("random bytes") << "file" << randomBytes(4096) << true << true;
    QTest::newRow("no INI at all") << "file" << bytes("[[[\n=\n==\n\\\n[General\n\xff\xfe\x00=\x01\n")
                                   << true << true;
    // The value is there, but under a group: a subkey's value, not the key's.
    QTest::newRow("install location only in a subkey")
        << "file" << QByteArray("[Sub]\nInstallLocation=") + installDir().toUtf8() + '\n' << true << true;
    QTest::newRow("empty file") << "file" << QByteArray() << false << true;
    QTest::newRow("a directory") << "directory" << QByteArray() << false << false;
    // Lines without "=" hold no values. The link is the key: whether it goes depends
    // on the rights to the file it leads to, which is not the product's and stays.
    QTest::newRow("a link to another file")
        << "link" << (home() + QStringLiteral("/Documents/notes.txt")).toUtf8() << false << true;
}

void TestHostileRegistry::damagedKeyRemovesNothingElse()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(bool, installed);
    QFETCH(bool, keyRemoved);

    const QString key = keyFile(guid());
    if (kind == QLatin1String("directory")) {
        QVERIFY(makeFile(key + QStringLiteral("/inside.ini")));
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(QString::fromUtf8(content), key));
    } else {
        QVERIFY(makeFile(key, content));
    }

    const QFileInfo target(QString::fromUtf8(content));
    const qint64 targetSize = target.size();
    const QDateTime targetModified = target.lastModified();

    const UninstallRegistry *registry = UninstallRegistry::instance();
    QCOMPARE(registry->isInstalled(), installed);
    QCOMPARE(QString::fromStdString(registry->installLocation()), QString());
    if (kind == QLatin1String("link")) {
        runAndCompare(QStringList(), QStringList{key});
        const QFileInfo after(target.filePath());
        QCOMPARE(after.size(), targetSize);
        QCOMPARE(after.lastModified(), targetModified);
    } else {
        runAndCompare(keyRemoved ? QStringList{key} : QStringList());
    }
    QVERIFY(QFileInfo::exists(installDir()));
}

// Without read access the key cannot be told from an absent one, and without write
// access it stays; the run still ends and removes nothing.
void TestHostileRegistry::unreadableKeyCountsAsAbsent()
{
    // Written as plain bytes: QSettings in this process would otherwise answer from
    // what it cached when writing, as the uninstaller, which never writes it, cannot.
    const QString key = keyFile(guid());
    QVERIFY(makeFile(key, "InstallLocation=" + installDir().toUtf8() + '\n'));
    QVERIFY(QFile::setPermissions(key, QFileDevice::Permissions()));
    QFile probe(key);
    if (probe.open(QIODevice::ReadOnly))
        QSKIP("this user reads files without read permission (root)");

    QVERIFY(!UninstallRegistry::instance()->isInstalled());
    runAndCompare(QStringList());
    QVERIFY(QFileInfo::exists(key));
}

UNINSTALL_TEST_MAIN(TestHostileRegistry)
#include "tst_hostileregistry.moc"
