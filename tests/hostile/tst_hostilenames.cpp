// Product names holding the characters that shells and Windows APIs treat as
// wildcards. No removal expands a pattern: a name that Windows forbids in file
// names ("*", "?") removes nothing at all, even a file literally so named, and one
// it allows ("[a]") removes exactly what bears that name, never what it would match.

#include "productfixture.h"
#include "testsandbox.h"
#include "uninstall/installprocessmgr.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

using appinstaller::InstallProcessMgr;
using namespace productfixture;

namespace {

// Names the wildcard names could match, for the shortcut files and the Start-menu folders.
const QStringList kLookalikes{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("Viewer"),
                              QStringLiteral("Viewer[1]x"), QStringLiteral("Viewe1")};

} // namespace

// The setup description is read once per process, so each row writes it and runs in
// a child process of this test, with a sandbox of its own; the child does the checking.
class TestHostileNames : public QObject
{
    Q_OBJECT

private slots:
    void wildcardsMatchNothing_data();
    void wildcardsMatchNothing();
};

void TestHostileNames::wildcardsMatchNothing_data()
{
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    // The names whose shortcuts and Start-menu folders go.
    QTest::addColumn<QStringList>("removedNames");

    QTest::newRow("star and question mark") << "*" << "?" << QStringList();
    QTest::newRow("star inside a name") << "Vi*" << "*er" << QStringList();
    QTest::newRow("question marks inside a name") << "Viewe?" << "??" << QStringList();
    QTest::newRow("brackets") << "[a]" << "Viewer[1]" << QStringList{"[a]", "Viewer[1]"};
    QTest::newRow("brackets and a range") << "[a-z]" << "[!V]iewer" << QStringList{"[a-z]", "[!V]iewer"};
}

void TestHostileNames::wildcardsMatchNothing()
{
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    QFETCH(QStringList, removedNames);

    if (!isRowChild()) {
        QVERIFY(writeSetupDescription(guid(), english, chinese));
        const QString failure = runChildForCurrentRow("TestHostileNames");
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        return;
    }

    QVERIFY(createSurroundings());
    QVERIFY(installTree(installDir()));
    QVERIFY(registerProduct(guid(), installDir()));
    QStringList removed{installDir(), keyFile(guid())};
    const QStringList names = kLookalikes + QStringList{english, chinese};
    for (const QString &name : names) {
        const QString lnk = QLatin1Char('/') + name + QStringLiteral(".lnk");
        QVERIFY(makeFile(desktop() + lnk));
        QVERIFY(makeFile(publicDesktop() + lnk));
        QVERIFY(makeFile(startMenu() + QLatin1Char('/') + name + QStringLiteral("/Tools/Help.lnk")));
        if (removedNames.contains(name))
            removed << desktop() + lnk << publicDesktop() + lnk << startMenu() + QLatin1Char('/') + name;
    }
    const QMap<QString, QString> before = listing();

    InstallProcessMgr::instance()->uninstall();

    QCOMPARE(listing(), without(before, removed));
}

UNINSTALL_TEST_MAIN(TestHostileNames)
#include "tst_hostilenames.moc"
