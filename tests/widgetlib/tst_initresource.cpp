#include "initresource.h"

#include "testsandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using VexiloControl::GetTargetPath;
using VexiloControl::InitResource;

class TestInitResource : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shippedFileYieldsStyleSheet();
    void registeringTwiceKeepsWorking();
    void unusableFileYieldsEmptySheet_data();
    void unusableFileYieldsEmptySheet();
    void styleSheetOnlySelectsLibraryClasses();
    void targetPathIsApplicationDirectory();

private:
    QString m_rccPath;
};

void TestInitResource::initTestCase()
{
    const QString binDir = qEnvironmentVariable("UNINSTALL_BIN_DIR");
    QVERIFY2(!binDir.isEmpty(), "UNINSTALL_BIN_DIR must name the build's bin directory");
    m_rccPath = binDir + QStringLiteral("/rcc/guiresource.rcc");
    QVERIFY2(QFile::exists(m_rccPath), qPrintable(m_rccPath));
}

void TestInitResource::shippedFileYieldsStyleSheet()
{
    QString styleSheet;
    QVERIFY(InitResource(m_rccPath, styleSheet, false));
    QVERIFY(!styleSheet.trimmed().isEmpty());
    QVERIFY(styleSheet.contains(QStringLiteral("VexiloControl--CCommandButton")));
    QVERIFY(QFile::exists(QStringLiteral(":/VexiloControl/guiresource.qss")));
}

void TestInitResource::registeringTwiceKeepsWorking()
{
    QString first;
    QString second;
    QVERIFY(InitResource(m_rccPath, first, false));
    QVERIFY(InitResource(m_rccPath, second, true));
    QCOMPARE(second, first);
    QFile sheet(QStringLiteral(":/VexiloControl/guiresource.qss"));
    QVERIFY(sheet.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(QString::fromUtf8(sheet.readAll()), first);
}

void TestInitResource::unusableFileYieldsEmptySheet_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("missing") << QStringLiteral("absent.rcc") << QByteArray();
    QTest::newRow("text") << QStringLiteral("junk.rcc") << QByteArray("this is no resource file\n");
    QTest::newRow("empty") << QStringLiteral("empty.rcc") << QByteArray("");
    QTest::newRow("truncated header") << QStringLiteral("short.rcc") << QByteArray("qres\0\0", 6);
}

void TestInitResource::unusableFileYieldsEmptySheet()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(fileName);
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), qint64(content.size()));
    }

    // A sheet left over from an earlier call must not survive a failed one.
    QString styleSheet = QStringLiteral("stale { }");
    QVERIFY(!InitResource(path, styleSheet, false));
    QVERIFY(styleSheet.isEmpty());
}

void TestInitResource::styleSheetOnlySelectsLibraryClasses()
{
    QString styleSheet;
    QVERIFY(InitResource(m_rccPath, styleSheet, false));

    // The sheet is applied to the whole application, so a rule on a plain Qt class
    // would repaint the program's own windows.
    styleSheet.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"),
                                         QRegularExpression::DotMatchesEverythingOption));
    const QRegularExpression rule(QStringLiteral("([^{}]*)\\{[^{}]*\\}"));
    int selectorCount = 0;
    auto it = rule.globalMatch(styleSheet);
    while (it.hasNext()) {
        const QStringList selectors = it.next().captured(1).split(QLatin1Char(','));
        for (const QString &selector : selectors) {
            ++selectorCount;
            QVERIFY2(selector.trimmed().startsWith(QLatin1String("VexiloControl--")),
                     qPrintable(selector.trimmed()));
        }
    }
    QVERIFY(selectorCount > 0);
}

void TestInitResource::targetPathIsApplicationDirectory()
{
    const QString path = GetTargetPath();
    QVERIFY(path.endsWith(QLatin1Char('/')));
    QCOMPARE(QDir(path).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    QCOMPARE(path, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}

UNINSTALL_TEST_MAIN(TestInitResource)
#include "tst_initresource.moc"
