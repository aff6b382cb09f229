#include "platform/processlist.h"
#include "testsandbox.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

using appinstaller::platform::isExecutableRunning;

namespace {

bool isRunning(const QString &fileName)
{
    const QByteArray ansiName = fileName.toLocal8Bit();
    return isExecutableRunning(ansiName.constData());
}

// Linux file names end at 255 bytes: 251 letters and ".exe".
QString longestFileName()
{
    return QString(251, QLatin1Char('L')) + QStringLiteral(".exe");
}

} // namespace

class TestProcessList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void matchesRunningExecutable_data();
    void matchesRunningExecutable();
    void emptyNameMatchesNothing();
    void callingProcessNeverCounts();
    void anotherProcessWithCallersNameCounts();
    void hiddenExecutableIsFoundByItsCommandLine();
    void deletedExecutableStillCounts();
    void endedProcessNoLongerMatches();

private:
    // Runs a copy of the sleeper under fileName and waits until it is up.
    bool startCopy(const QString &fileName, const QStringList &arguments = QStringList());

    std::unique_ptr<QTemporaryDir> m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

bool TestProcessList::startCopy(const QString &fileName, const QStringList &arguments)
{
    const QString path = m_dir->filePath(fileName);
    if (!QFile::copy(QStringLiteral(SLEEPER_PATH), path)) {
        qWarning() << "cannot copy the sleeper to" << path;
        return false;
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                    | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                    | QFileDevice::ReadOther | QFileDevice::ExeOther);
    m_processes.push_back(std::make_unique<QProcess>());
    QProcess &process = *m_processes.back();
    process.start(path, arguments);
    if (!process.waitForStarted() || !process.waitForReadyRead()) {
        qWarning() << "the copy" << path << "did not come up:" << process.errorString();
        return false;
    }
    return true;
}

void TestProcessList::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestProcessList::cleanup()
{
    for (const std::unique_ptr<QProcess> &process : m_processes) {
        process->kill();
        process->waitForFinished();
    }
    m_processes.clear();
    m_dir.reset();
}

void TestProcessList::matchesRunningExecutable_data()
{
    QTest::addColumn<QString>("runningName");
    QTest::addColumn<QString>("searchedName");
    QTest::addColumn<bool>("expected");

    const QString client = QStringLiteral("PlatformClient.exe");
    QTest::newRow("exact name") << client << client << true;
    QTest::newRow("name with a space") << QStringLiteral("Platform Client Viewer.exe")
                                       << QStringLiteral("Platform Client Viewer.exe") << true;
    QTest::newRow("non-ASCII name") << QStringLiteral("平台客户端.exe") << QStringLiteral("平台客户端.exe") << true;
    QTest::newRow("longest file name") << longestFileName() << longestFileName() << true;
    QTest::newRow("other case") << client << QStringLiteral("platformclient.exe") << false;
    QTest::newRow("one character differs") << client << QStringLiteral("PlatformClient.exf") << false;
    QTest::newRow("prefix of the name") << client << QStringLiteral("PlatformClient") << false;
    QTest::newRow("name continues") << client << QStringLiteral("PlatformClient.exe.exe") << false;
    QTest::newRow("directory part is not stripped") << client << QStringLiteral("bin/PlatformClient.exe") << false;

    const QString overlong = longestFileName() + QStringLiteral("xxxxx");
    QCOMPARE(overlong.size(), 260);
    QTest::newRow("over 259 units") << longestFileName() << overlong << false;
}

void TestProcessList::matchesRunningExecutable()
{
    QFETCH(QString, runningName);
    QFETCH(QString, searchedName);
    QFETCH(bool, expected);

    if (expected)
        QVERIFY2(!isRunning(searchedName), "a process of this name was running before the test");
    QVERIFY(startCopy(runningName));
    QCOMPARE(isRunning(searchedName), expected);
}

void TestProcessList::emptyNameMatchesNothing()
{
    QVERIFY(startCopy(QStringLiteral("PlatformClient.exe")));
    QVERIFY(!isExecutableRunning(""));
    QVERIFY(!isExecutableRunning(nullptr));
}

void TestProcessList::callingProcessNeverCounts()
{
    const QString ownName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QVERIFY(!isRunning(ownName));
}

void TestProcessList::anotherProcessWithCallersNameCounts()
{
    const QString ownName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QVERIFY(startCopy(ownName));
    QVERIFY(isRunning(ownName));
}

void TestProcessList::hiddenExecutableIsFoundByItsCommandLine()
{
    const QString name = QStringLiteral("Hidden Client.exe");
    QVERIFY(startCopy(name, {QStringLiteral("--hide-executable")}));
    QVERIFY(isRunning(name));
}

void TestProcessList::deletedExecutableStillCounts()
{
    const QString name = QStringLiteral("PlatformClient.exe");
    QVERIFY(startCopy(name));
    QVERIFY(QFile::remove(m_dir->filePath(name)));
    QVERIFY(isRunning(name));
}

void TestProcessList::endedProcessNoLongerMatches()
{
    const QString name = QStringLiteral("PlatformClient.exe");
    QVERIFY(startCopy(name));
    QVERIFY(isRunning(name));

    QProcess &process = *m_processes.back();
    process.kill();
    QVERIFY(process.waitForFinished());
    QVERIFY(!isRunning(name));
}

UNINSTALL_TEST_MAIN(TestProcessList)

#include "tst_processlist.moc"
