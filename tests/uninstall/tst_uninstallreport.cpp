#include "uninstall/uninstallreport.h"

#include "productfixture.h"
#include "testsandbox.h"

#include <QDir>
#include <QtTest>

using appinstaller::UninstallReport;
using Kind = UninstallReport::Kind;
using Reason = UninstallReport::Reason;

// What a tree that is still there after its removal comes to in the report, with
// and without files that the running program holds. Trees here are simply left
// standing: the report looks only at what it finds.
class TestUninstallReport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void remainingTree_data();
    void remainingTree();
    void listsAtMostTwentyEntriesInNameOrder_data();
    void listsAtMostTwentyEntriesInNameOrder();

private:
    QString m_tree;
};

void TestUninstallReport::init()
{
    m_tree = QDir(productfixture::root()).canonicalPath() + QStringLiteral("/Product");
    QVERIFY(QDir().mkpath(m_tree));
}

void TestUninstallReport::cleanup()
{
    QVERIFY(QDir(m_tree).removeRecursively());
}

void TestUninstallReport::remainingTree_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("held");
    // Relative to the tree; "." is the tree itself. Empty: nothing recorded.
    QTest::addColumn<QStringList>("reported");

    const QStringList program{QStringLiteral("Uninstall.exe"), QStringLiteral("VexiloControl.dll"),
                              QStringLiteral("rcc/guiresource.rcc"), QStringLiteral("translations/uninstall_en.qm")};

    QTest::newRow("nothing held: the tree with all it holds")
        << QStringList{QStringLiteral("bin/a.dll"), QStringLiteral("b.txt")} << QStringList{}
        << QStringList{QStringLiteral("."), QStringLiteral("b.txt"), QStringLiteral("bin"),
                       QStringLiteral("bin/a.dll")};
    QTest::newRow("an empty directory that stayed") << QStringList{} << QStringList{}
                                                    << QStringList{QStringLiteral(".")};
    QTest::newRow("only the running program's files") << program << program << QStringList{};
    QTest::newRow("the program's files and a file of the product")
        << program + QStringList{QStringLiteral("rcc/extra.dat")} << program
        << QStringList{QStringLiteral("."), QStringLiteral("rcc/extra.dat")};
    QTest::newRow("held files named in another case")
        << program << QStringList{QStringLiteral("UNINSTALL.EXE"), QStringLiteral("vexilocontrol.dll"),
                                  QStringLiteral("RCC/GuiResource.rcc"), QStringLiteral("Translations/uninstall_en.qm")}
        << QStringList{};
    QTest::newRow("a held file elsewhere exempts nothing here")
        << QStringList{QStringLiteral("Uninstall.exe")} << QStringList{QStringLiteral("../Other/Uninstall.exe")}
        << QStringList{QStringLiteral("."), QStringLiteral("Uninstall.exe")};
}

void TestUninstallReport::remainingTree()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, held);
    QFETCH(QStringList, reported);
    for (const QString &file : files)
        QVERIFY(productfixture::makeFile(m_tree + QLatin1Char('/') + file));
    QStringList heldPaths;
    for (const QString &file : held)
        heldPaths.append(QDir::cleanPath(m_tree + QLatin1Char('/') + file));

    UninstallReport report;
    report.addRemainingTree(Kind::InstallDirectory, m_tree, heldPaths);

    QCOMPARE(report.isComplete(), reported.isEmpty());
    if (reported.isEmpty())
        return;
    QCOMPARE(report.leftovers().size(), 1);
    const UninstallReport::Leftover leftover = report.leftovers().first();
    QCOMPARE(leftover.kind, Kind::InstallDirectory);
    QCOMPARE(leftover.reason, Reason::NotRemoved);
    QCOMPARE(leftover.location, m_tree);
    QStringList entries;
    for (const QString &entry : leftover.entries)
        entries.append(QDir(m_tree).relativeFilePath(entry));
    QCOMPARE(QStringList{QStringLiteral(".")} + entries, reported);
    QCOMPARE(leftover.unlistedEntries, 0);
}

void TestUninstallReport::listsAtMostTwentyEntriesInNameOrder_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("unlisted");

    QTest::newRow("twenty") << 20 << 0;
    QTest::newRow("twenty-one") << 21 << 1;
    QTest::newRow("a hundred") << 100 << 80;
}

void TestUninstallReport::listsAtMostTwentyEntriesInNameOrder()
{
    QFETCH(int, files);
    QFETCH(int, unlisted);
    QStringList all;
    // Made in reverse, so that the order of creation is not the order of names.
    for (int index = files - 1; index >= 0; --index) {
        const QString path = m_tree + QStringLiteral("/file%1").arg(index, 3, 10, QLatin1Char('0'));
        QVERIFY(productfixture::makeFile(path));
        all.prepend(path);
    }

    UninstallReport report;
    report.addRemainingTree(Kind::StartMenuFolder, m_tree, {});

    QCOMPARE(report.leftovers().size(), 1);
    const UninstallReport::Leftover leftover = report.leftovers().first();
    QCOMPARE(leftover.kind, Kind::StartMenuFolder);
    QCOMPARE(leftover.entries, all.mid(0, UninstallReport::kListedEntries));
    QCOMPARE(leftover.unlistedEntries, unlisted);
}

UNINSTALL_TEST_MAIN(TestUninstallReport)
#include "tst_uninstallreport.moc"
