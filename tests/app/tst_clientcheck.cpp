#include "app/clientcheck.h"

#include "testsandbox.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using appinstaller::isProcessRunning;

// The program name as the setup description gives it, reduced to its file-name part
// by the last forward slash only; the platform layer's own tests cover the process list.
class TestClientCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void programName_data();
    void programName();

private:
    QTemporaryDir m_dir;
    QProcess m_client;
};

void TestClientCheck::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString client = m_dir.filePath(QStringLiteral("Client.exe"));
    QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), client));
    m_client.start(client, {QStringLiteral("600")});
    QVERIFY(m_client.waitForStarted());
}

void TestClientCheck::cleanupTestCase()
{
    m_client.kill();
    m_client.waitForFinished();
}

void TestClientCheck::programName_data()
{
    QTest::addColumn<QString>("programName");
    QTest::addColumn<bool>("running");

    QTest::newRow("file name") << "Client.exe" << true;
    QTest::newRow("relative path") << "bin/Client.exe" << true;
    QTest::newRow("absolute path") << "/opt/Raruz/bin/Client.exe" << true;
    QTest::newRow("backslash is part of the name") << "bin\\Client.exe" << false;
    QTest::newRow("case differs") << "client.exe" << false;
    QTest::newRow("trailing slash") << "bin/Client.exe/" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("too long") << QString(300, QLatin1Char('C')) << false;
}

void TestClientCheck::programName()
{
    QFETCH(QString, programName);
    QFETCH(bool, running);
    QCOMPARE(isProcessRunning(programName), running);
}

UNINSTALL_TEST_MAIN(TestClientCheck)
#include "tst_clientcheck.moc"
