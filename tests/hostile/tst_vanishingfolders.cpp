// Folders that vanish or change while the worker is removing the product: another
// program, or the user, deletes the desktop or the Start menu between the removal
// of the directory and that of the shortcuts. The worker is the real one; the fault
// is injected on its own thread at the moment it reports 30 per cent, so it falls
// exactly between the two steps. The run must go on to its end, and remove nothing
// that was not the product's, also of what the fault left in place.

#include "platform/registrykey.h"
#include "product/uninstallregistry.h"
#include "productfixture.h"
#include "testsandbox.h"
#include "uninstall/installprocessmgr.h"
#include "uninstall/uninstallthread.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <functional>

using appinstaller::InstallProcessMgr;
using appinstaller::UnInstallThread;
using namespace productfixture;

namespace {

QString shortcut(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name + QStringLiteral(".lnk");
}

bool removeTree(const QString &path)
{
    return QDir(path).removeRecursively() && !QFileInfo::exists(path);
}

} // namespace

Q_DECLARE_METATYPE(std::function<bool()>)

class TestVanishingFolders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void runCompletesAroundTheFault_data();
    void runCompletesAroundTheFault();

private:
    static QStringList shortcutSteps();
};

void TestVanishingFolders::initTestCase()
{
    QVERIFY(writeSetupDescription(guid(), nameEN(), nameCH()));
    // The progress page is the first to ask for the procedure, on this thread.
    QCOMPARE(InstallProcessMgr::instance()->thread(), QThread::currentThread());
    QVERIFY(createSurroundings());
}

// Undoes what a fault left in place of a folder, so the next row starts from folders.
void TestVanishingFolders::cleanup()
{
    for (const QString &path : {desktop(), startMenu() + QLatin1Char('/') + nameEN()}) {
        const QFileInfo entry(path);
        if (entry.isSymLink() || entry.isFile())
            QVERIFY(QFile::remove(path));
    }
}

// Everything the steps after 30 per cent remove.
QStringList TestVanishingFolders::shortcutSteps()
{
    return {shortcut(desktop(), nameEN()), shortcut(desktop(), nameCH()),
            shortcut(publicDesktop(), nameEN()), shortcut(publicDesktop(), nameCH()),
            startMenu() + QLatin1Char('/') + nameEN(), startMenu() + QLatin1Char('/') + nameCH(),
            keyFile(guid())};
}

void TestVanishingFolders::runCompletesAroundTheFault_data()
{
    QTest::addColumn<std::function<bool()>>("fault");

    QTest::newRow("the desktop vanishes") << std::function<bool()>([] { return removeTree(desktop()); });
    QTest::newRow("the public desktop vanishes")
        << std::function<bool()>([] { return removeTree(publicDesktop()); });
    QTest::newRow("the Start-menu programs folder vanishes")
        << std::function<bool()>([] { return removeTree(startMenu()); });
    QTest::newRow("the product's Start-menu folder vanishes")
        << std::function<bool()>([] { return removeTree(startMenu() + QLatin1Char('/') + nameEN()); });
    QTest::newRow("the desktop becomes a file") << std::function<bool()>([] {
        return removeTree(desktop()) && makeFile(desktop());
    });
    // The folder now leads into the home, which must not be removed through it.
    QTest::newRow("the product's Start-menu folder becomes a link to the home") << std::function<bool()>([] {
        const QString folder = startMenu() + QLatin1Char('/') + nameEN();
        return removeTree(folder) && makeLink(home(), folder);
    });
    QTest::newRow("the registry stand-in vanishes") << std::function<bool()>([] {
        return removeTree(appinstaller::platform::standInRoot() + QStringLiteral("/registry"));
    });
}

void TestVanishingFolders::runCompletesAroundTheFault()
{
    QFETCH(std::function<bool()>, fault);

    QVERIFY(installTree(installDir()));
    for (const QString &folder : {desktop(), publicDesktop()}) {
        QVERIFY(makeFile(shortcut(folder, nameEN())));
        QVERIFY(makeFile(shortcut(folder, nameCH())));
    }
    QVERIFY(makeFile(startMenu() + QLatin1Char('/') + nameEN() + QStringLiteral("/Tools/Help.lnk")));
    QVERIFY(makeFile(startMenu() + QLatin1Char('/') + nameCH() + QStringLiteral("/Help.lnk")));
    QVERIFY(registerProduct(guid(), installDir()));

    bool injected = false;
    QMap<QString, QString> afterFault;
    const QMetaObject::Connection injector = connect(
        InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, this,
        [&](int iProcess) {
            if (iProcess != 30)
                return;
            injected = fault();
            afterFault = listing();
        },
        Qt::DirectConnection);
    QList<int> reports;
    connect(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, this,
            [&reports](int iProcess) { reports.append(iProcess); });

    // The end of the worker arrives queued, as the progress page receives it.
    QObject page;
    auto *worker = new UnInstallThread(&page);
    bool finished = false;
    connect(worker, &QThread::finished, this, [&finished] { finished = true; });
    worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(finished, 60000);
    disconnect(injector);
    QTRY_COMPARE(reports, (QList<int>{0, 30, 60, 100}));
    disconnect(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, this, nullptr);

    QVERIFY(injected);
    QVERIFY(!QFileInfo::exists(installDir()));
    QVERIFY(!appinstaller::UninstallRegistry::instance()->isInstalled());
    // What remained after the fault loses the product's shortcuts, folders and key,
    // as far as they still were what they had been, and nothing else.
    QStringList removed;
    const QStringList candidates = shortcutSteps();
    for (const QString &path : candidates) {
        if (!QFileInfo(path).isSymLink())
            removed << path;
    }
    QCOMPARE(listing(), without(afterFault, removed));
    QVERIFY(QFileInfo(home()).isDir());
}

UNINSTALL_TEST_MAIN(TestVanishingFolders)
#include "tst_vanishingfolders.moc"
