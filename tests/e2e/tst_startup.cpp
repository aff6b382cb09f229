// The start-up decisions of the real executable: refusals, declining and confirming.

#include "e2etexts.h"
#include "sampleproduct.h"
#include "testsandbox.h"
#include "windowlayout.h"
#include "xdriver.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
// exit(-1) reaches the parent as 255.
constexpr int kRefused = 255;

enum class Setup { Installed, ClientRunning, KeyRemoved, EmptyGuid };
enum class Answer { Warning, Decline, Confirm };
} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Answer)

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data();
    void outcomes();

private:
    std::unique_ptr<QProcess> startClient(const QString &dir);
    int m_row = 0;
};

std::unique_ptr<QProcess> TestStartup::startClient(const QString &dir)
{
    // Any long-running program will do, as long as its file is named like the client.
    const QString client = dir + QStringLiteral("/RaruzViewer.exe");
    if (!QFile::copy(QStringLiteral("/bin/sleep"), client))
        return nullptr;
    auto process = std::make_unique<QProcess>();
    process->start(client, {QStringLiteral("600")});
    if (!process->waitForStarted())
        return nullptr;
    return process;
}

void TestStartup::outcomes_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("removed");

    QTest::newRow("client running") << Setup::ClientRunning << Answer::Warning << kRefused << false;
    QTest::newRow("not installed") << Setup::KeyRemoved << Answer::Warning << kRefused << false;
    QTest::newRow("empty GUID") << Setup::EmptyGuid << Answer::Warning << kRefused << false;
    QTest::newRow("declined") << Setup::Installed << Answer::Decline << kRefused << false;
    QTest::newRow("confirmed") << Setup::Installed << Answer::Confirm << 0 << true;
}

void TestStartup::outcomes()
{
    QFETCH(Setup, setup);
    QFETCH(Answer, answer);
    QFETCH(int, exitCode);
    QFETCH(bool, removed);

    SampleProduct product(TestSandbox::current()->root() + QStringLiteral("/run%1").arg(++m_row));
    QVERIFY2(product.isInstalled(), qPrintable(product.error()));

    QTemporaryDir clientDir;
    std::unique_ptr<QProcess> client;
    if (setup == Setup::ClientRunning) {
        client = startClient(clientDir.path());
        QVERIFY(client);
    } else if (setup == Setup::KeyRemoved) {
        QVERIFY(QFile::remove(product.keyFile()));
    } else if (setup == Setup::EmptyGuid) {
        QFile config(product.appConfig());
        QVERIFY(config.open(QIODevice::ReadOnly));
        QByteArray xml = config.readAll();
        config.close();
        xml.replace("<GUID>{5C2B8F0E-7A31-4D6B-9E2A-3F1D0C7B9A64}</GUID>", "<GUID></GUID>");
        QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
        config.write(xml);
        config.close();
    }

    const QMap<QString, QString> before = product.listing();

    QProcess uninstaller;
    uninstaller.setProcessEnvironment(product.environment());
    uninstaller.setProcessChannelMode(QProcess::ForwardedChannels);
    uninstaller.start(product.uninstaller(), QStringList());
    QVERIFY(uninstaller.waitForStarted());

    if (answer == Answer::Warning) {
        const QString warning = XDriver::waitForWindow(E2eTexts::warningTitle());
        QVERIFY2(!warning.isEmpty(), "no warning appeared");
        QVERIFY(XDriver::key(warning, QStringLiteral("Return")));
    } else {
        const QString question = XDriver::waitForWindow(E2eTexts::confirmTitle());
        QVERIFY2(!question.isEmpty(), "no confirmation appeared");
        QVERIFY(XDriver::key(question, answer == Answer::Confirm ? QStringLiteral("Return")
                                                                 : QStringLiteral("Escape")));
        if (answer == Answer::Confirm) {
            const QString window = XDriver::waitForWindow(E2eTexts::mainWindowTitle());
            QVERIFY2(!window.isEmpty(), "the main window did not appear");
            QCOMPARE(XDriver::geometry(window).size(), QSize(744, 504));
            // The completion page appears once the worker ends; until then a click
            // where its button sits lands on empty panel and does nothing.
            QVERIFY(XDriver::clickUntilExit(uninstaller, window, WindowLayout::completedButton, 30000));
        }
    }

    QVERIFY(uninstaller.state() == QProcess::NotRunning || uninstaller.waitForFinished(30000));
    QCOMPARE(uninstaller.exitStatus(), QProcess::NormalExit);
    QCOMPARE(uninstaller.exitCode(), exitCode);

    if (client) {
        client->kill();
        client->waitForFinished();
    }

    // A refusal changes nothing at all; an uninstall removes the product and nothing else.
    const QStringList faults = removed ? product.faultsOfCompleteUninstall(before)
                                       : product.changes(before, product.listing(), false);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

UNINSTALL_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
