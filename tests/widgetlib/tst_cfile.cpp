#include "cfile.h"

#include "testsandbox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using VexiloControl::CFile;

class TestCFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsListedFiles_data();
    void readsListedFiles();
    void readsFromResourceDirectory_data();
    void readsFromResourceDirectory();

private:
    QTemporaryDir m_dir;
};

void TestCFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QList<QPair<QString, QByteArray>> files = {
        {QStringLiteral("alpha.qss"), QByteArray("alpha")},
        {QStringLiteral("beta.qss"), QByteArray("beta {\n}\n")},
        {QStringLiteral("gamma.qss"), QByteArray("gamma")},
        {QStringLiteral("umlaut.qss"), QByteArray("gr\xc3\xbcn")},
    };
    for (const auto &entry : files) {
        QFile file(m_dir.filePath(entry.first));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(entry.second), qint64(entry.second.size()));
    }
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.qss")));
}

void TestCFile::readsListedFiles_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("trailingSlash");
    QTest::addColumn<QString>("expected");

    const QStringList ordered = {QStringLiteral("gamma.qss"), QStringLiteral("alpha.qss"), QStringLiteral("beta.qss")};
    const QString orderedText = QStringLiteral("gamma\nalpha\nbeta {\n}\n");

    QTest::newRow("list order, plain directory") << ordered << false << orderedText;
    QTest::newRow("list order, directory with slash") << ordered << true << orderedText;
    QTest::newRow("single file") << QStringList{QStringLiteral("alpha.qss")} << false << QStringLiteral("alpha");
    QTest::newRow("missing file skipped")
        << QStringList{QStringLiteral("alpha.qss"), QStringLiteral("absent.qss"), QStringLiteral("gamma.qss")}
        << false << QStringLiteral("alpha\ngamma");
    QTest::newRow("directory entry skipped")
        << QStringList{QStringLiteral("folder.qss"), QStringLiteral("gamma.qss")} << true << QStringLiteral("gamma");
    QTest::newRow("nothing readable") << QStringList{QStringLiteral("absent.qss")} << false << QString();
    QTest::newRow("empty list") << QStringList() << false << QString();
    QTest::newRow("utf-8 text") << QStringList{QStringLiteral("umlaut.qss")} << false << QStringLiteral("gr\u00fcn");
}

void TestCFile::readsListedFiles()
{
    QFETCH(QStringList, names);
    QFETCH(bool, trailingSlash);
    QFETCH(QString, expected);

    const QString directory = trailingSlash ? m_dir.path() + QLatin1Char('/') : m_dir.path();
    QCOMPARE(CFile::ReadAll(names, directory), expected);
}

void TestCFile::readsFromResourceDirectory_data()
{
    QTest::addColumn<QString>("directory");

    QTest::newRow("with slash") << QStringLiteral(":/cfile/");
    QTest::newRow("without slash") << QStringLiteral(":/cfile");
}

void TestCFile::readsFromResourceDirectory()
{
    QFETCH(QString, directory);

    // The way the program uses it: the directory's own entry list, read back whole.
    const QStringList entries = QDir(directory).entryList(QDir::Files, QDir::Name);
    QCOMPARE(entries, (QStringList{QStringLiteral("first.txt"), QStringLiteral("second.txt")}));
    QCOMPARE(CFile::ReadAll(entries, directory), QStringLiteral("first\nsecond\nline"));
}

UNINSTALL_TEST_MAIN(TestCFile)
#include "tst_cfile.moc"
