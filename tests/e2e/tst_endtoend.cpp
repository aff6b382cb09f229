// Whole runs of the real executable against the sample product, including runs that
// are interrupted: by SIGKILL, or by the user closing the window mid-removal.

#include "e2etexts.h"
#include "sampleproduct.h"
#include "testsandbox.h"
#include "windowlayout.h"
#include "xdriver.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kBulkFiles = 100000;
} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void languages_data();
    void languages();
    void killedRunIsCompletedByTheNext();
    void closingDuringRemovalLetsItFinish();

private:
    QString newProductDir();
    // Starts the uninstaller and confirms; returns the main window's id.
    QString startAndConfirm(QProcess &process, const QString &executable, const SampleProduct &product,
                            const QString &language = QStringLiteral("en"));
    static bool removalHasStarted(const SampleProduct &product);
    int m_runs = 0;
};

QString TestEndToEnd::newProductDir()
{
    return TestSandbox::current()->root() + QStringLiteral("/product%1").arg(++m_runs);
}

QString TestEndToEnd::startAndConfirm(QProcess &process, const QString &executable,
                                      const SampleProduct &product, const QString &language)
{
    process.setProcessEnvironment(product.environment(language));
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(executable, QStringList());
    if (!process.waitForStarted())
        return QString();
    const QString question = XDriver::waitForWindow(E2eTexts::confirmTitle(language));
    if (question.isEmpty() || !XDriver::key(question, QStringLiteral("Return")))
        return QString();
    return XDriver::waitForWindow(E2eTexts::mainWindowTitle(language));
}

bool TestEndToEnd::removalHasStarted(const SampleProduct &product)
{
    const QDir bulk(product.installDir() + QStringLiteral("/data/bulk"));
    return bulk.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() < 100;
}

void TestEndToEnd::languages_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "en";
    QTest::newRow("Chinese") << "zh";
}

void TestEndToEnd::languages()
{
    QFETCH(QString, language);

    SampleProduct product(newProductDir());
    QVERIFY2(product.isInstalled(), qPrintable(product.error()));
    const QMap<QString, QString> before = product.listing();

    QProcess uninstaller;
    const QString window = startAndConfirm(uninstaller, product.uninstaller(), product, language);
    QVERIFY2(!window.isEmpty(), "the main window did not appear");
    QVERIFY(XDriver::clickUntilExit(uninstaller, window, WindowLayout::completedButton, 30000));
    QCOMPARE(uninstaller.exitStatus(), QProcess::NormalExit);
    QCOMPARE(uninstaller.exitCode(), 0);

    const QStringList faults = product.faultsOfCompleteUninstall(before);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestEndToEnd::killedRunIsCompletedByTheNext()
{
    SampleProduct product(newProductDir(), kBulkFiles);
    QVERIFY2(product.isInstalled(), qPrintable(product.error()));
    // The first run deletes its own executable; the second runs from a kept copy.
    QTemporaryDir keep;
    const QString copy = product.copyUninstallerTo(keep.path());
    QVERIFY(!copy.isEmpty());
    const QMap<QString, QString> before = product.listing();

    QProcess first;
    QVERIFY(!startAndConfirm(first, product.uninstaller(), product).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(removalHasStarted(product), 30000);
    first.kill();
    QVERIFY(first.waitForFinished());
    QCOMPARE(first.exitStatus(), QProcess::CrashExit);

    // The key goes last, so the half-removed product still counts as installed.
    QVERIFY(QFileInfo::exists(product.keyFile()));
    QVERIFY(QFileInfo::exists(product.installDir()));

    QProcess second;
    const QString window = startAndConfirm(second, copy, product);
    QVERIFY2(!window.isEmpty(), "the second run did not reach its main window");
    QVERIFY(XDriver::clickUntilExit(second, window, WindowLayout::completedButton, 60000));
    QCOMPARE(second.exitCode(), 0);

    const QStringList faults = product.faultsOfCompleteUninstall(before);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestEndToEnd::closingDuringRemovalLetsItFinish()
{
    SampleProduct product(newProductDir(), kBulkFiles);
    QVERIFY2(product.isInstalled(), qPrintable(product.error()));
    const QMap<QString, QString> before = product.listing();

    QProcess uninstaller;
    const QString window = startAndConfirm(uninstaller, product.uninstaller(), product);
    QVERIFY(!window.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(removalHasStarted(product), 30000);
    QVERIFY(XDriver::click(window, WindowLayout::closeButton.x(), WindowLayout::closeButton.y()));

    // The window goes at once; the process stays until the removal is complete.
    QVERIFY(XDriver::waitForWindowGone(E2eTexts::mainWindowTitle(), 5000));
    QVERIFY(uninstaller.waitForFinished(120000));
    QCOMPARE(uninstaller.exitStatus(), QProcess::NormalExit);
    QCOMPARE(uninstaller.exitCode(), 0);

    const QStringList faults = product.faultsOfCompleteUninstall(before);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

UNINSTALL_TEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
