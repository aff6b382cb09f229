// Runs of the real executable in which parts of the product cannot be removed, as
// a user without the rights for everything meets them. Whatever remains, the
// program must say so, list it where the user can copy it from, and end with 1;
// only a run that removed everything shows the green page and ends with 0.

#include "e2etexts.h"
#include "sampleproduct.h"
#include "testsandbox.h"
#include "windowlayout.h"
#include "xdriver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

enum Fault {
    NoFault = 0,
    ReadOnlySubdirectory = 1,
    ReadOnlyKeyFolder = 2,
    ReadOnlyDesktop = 4,
    UnsafeLocation = 8,
};

const QColor kSuccessGreen(0x02, 0xBF, 0x0F);
const QColor kWarningAmber(0xF5, 0x9E, 0x0B);
// Pixels of a colour that make a mark: the 32-px disc has some 600.
constexpr int kMarkPixels = 200;

const char kPageContext[] = "appinstaller::UnInstallCompletedPage";

int pixelsNear(const QImage &image, const QRect &area, const QColor &colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - colour.red()) <= 24 && qAbs(pixel.green() - colour.green()) <= 24
                && qAbs(pixel.blue() - colour.blue()) <= 24)
                ++count;
        }
    }
    return count;
}

bool setReadOnly(const QString &directory, bool readOnly)
{
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    if (!readOnly)
        permissions |= QFileDevice::WriteOwner;
    return QFile::setPermissions(directory, permissions);
}

} // namespace

class TestOutcome : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data();
    void outcomes();

private:
    // The window's picture, taken until the area of the mark shows a mark of either
    // kind; a null image when none appears in time.
    static QImage waitForMark(const QString &window);
    // Selects all in the focused list and copies it, until the clipboard holds
    // every line wanted; returns the clipboard's last text.
    static QString copyList(const QString &window, const QStringList &wanted);
    int m_row = 0;
};

void TestOutcome::outcomes_data()
{
    QTest::addColumn<int>("faults");
    QTest::addColumn<QString>("language");

    QTest::newRow("clean run") << int(NoFault) << "en";
    QTest::newRow("read-only subdirectory in the install directory") << int(ReadOnlySubdirectory) << "en";
    QTest::newRow("registry key in a folder the user cannot write") << int(ReadOnlyKeyFolder) << "en";
    QTest::newRow("shortcuts on a desktop the user cannot write") << int(ReadOnlyDesktop) << "en";
    QTest::newRow("install location refused as unsafe") << int(UnsafeLocation) << "en";
    QTest::newRow("several at once, English")
        << int(ReadOnlySubdirectory | ReadOnlyKeyFolder | ReadOnlyDesktop) << "en";
    QTest::newRow("several at once, Chinese")
        << int(ReadOnlySubdirectory | ReadOnlyKeyFolder | ReadOnlyDesktop) << "zh";
}

void TestOutcome::outcomes()
{
    QFETCH(int, faults);
    QFETCH(QString, language);
    const bool permissionFaults = faults & (ReadOnlySubdirectory | ReadOnlyKeyFolder | ReadOnlyDesktop);
    if (permissionFaults && geteuid() == 0)
        QSKIP("root ignores file permissions; run the tests as an unprivileged user");

    SampleProduct product(TestSandbox::current()->root() + QStringLiteral("/outcome%1").arg(++m_row));
    QVERIFY2(product.isInstalled(), qPrintable(product.error()));

    const QString locked = product.installDir() + QStringLiteral("/locked");
    const QString desktop = product.home() + QStringLiteral("/Desktop");
    const QString keyFolder = QFileInfo(product.keyFile()).path();
    const QStringList desktopShortcuts{desktop + QStringLiteral("/Raruz Viewer.lnk"),
                                       desktop + QStringLiteral("/拉鲁兹查看器.lnk")};
    // The lines of the list that name what remains, in the order of the removal
    // steps: first what could not be removed, then what was refused.
    QStringList notRemoved;
    QStringList refused;
    QStringList remaining;
    QStringList readOnly;

    if (faults & ReadOnlySubdirectory) {
        QVERIFY(QDir().mkpath(locked));
        for (const char *name : {"a.dat", "b.dat"}) {
            QFile file(locked + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        readOnly << locked;
        notRemoved << QStringLiteral("  ") + product.installDir() << QStringLiteral("    ") + locked
                   << QStringLiteral("    ") + locked + QStringLiteral("/a.dat")
                   << QStringLiteral("    ") + locked + QStringLiteral("/b.dat");
        remaining << product.installDir();
    }
    if (faults & ReadOnlyDesktop) {
        readOnly << desktop;
        for (const QString &shortcut : desktopShortcuts)
            notRemoved << QStringLiteral("  ") + shortcut;
        remaining << desktopShortcuts;
    }
    if (faults & ReadOnlyKeyFolder) {
        readOnly << keyFolder;
        notRemoved << QStringLiteral("  ") + product.keyPath();
        remaining << product.keyFile();
    }
    if (faults & UnsafeLocation) {
        QSettings key(product.keyFile(), QSettings::IniFormat);
        key.setIniCodec("UTF-8");
        key.setValue(QStringLiteral("InstallLocation"), product.home());
        key.sync();
        QCOMPARE(key.status(), QSettings::NoError);
        refused << QStringLiteral("  ") + product.home();
        remaining << product.installDir();
    }
    for (const QString &directory : qAsConst(readOnly))
        QVERIFY(setReadOnly(directory, true));
    // Lets the sandbox be removed whatever becomes of the test.
    const auto restore = qScopeGuard([&readOnly] {
        for (const QString &directory : qAsConst(readOnly))
            setReadOnly(directory, false);
    });
    const QMap<QString, QString> before = product.listing();
    const QMap<QString, QString> productBefore = TestSandbox::listing(product.installDir());

    QProcess uninstaller;
    uninstaller.setProcessEnvironment(product.environment(language));
    uninstaller.setProcessChannelMode(QProcess::ForwardedChannels);
    uninstaller.start(product.uninstaller(), QStringList());
    QVERIFY(uninstaller.waitForStarted());
    const QString question = XDriver::waitForWindow(E2eTexts::confirmTitle(language));
    QVERIFY2(!question.isEmpty(), "no confirmation appeared");
    QVERIFY(XDriver::key(question, QStringLiteral("Return")));
    const QString window = XDriver::waitForWindow(E2eTexts::mainWindowTitle(language));
    QVERIFY2(!window.isEmpty(), "the main window did not appear");

    const bool complete = notRemoved.isEmpty() && refused.isEmpty();
    const QImage picture = waitForMark(window);
    QVERIFY2(!picture.isNull(), "no mark appeared on the completion page");
    const int green = pixelsNear(picture, WindowLayout::markArea, kSuccessGreen);
    const int amber = pixelsNear(picture, WindowLayout::markArea, kWarningAmber);
    if (complete) {
        QVERIFY2(green >= kMarkPixels && amber == 0, qPrintable(QStringLiteral("green %1, amber %2").arg(green).arg(amber)));
    } else {
        QVERIFY2(amber >= kMarkPixels && green == 0, qPrintable(QStringLiteral("green %1, amber %2").arg(green).arg(amber)));
        const QString shots = qEnvironmentVariable("UNINSTALL_SCREENSHOT_DIR");
        if (!shots.isEmpty() && faults == (ReadOnlySubdirectory | ReadOnlyKeyFolder | ReadOnlyDesktop))
            QVERIFY(picture.save(shots + QStringLiteral("/incomplete-") + language + QStringLiteral(".png")));

        QStringList listed;
        if (!notRemoved.isEmpty())
            listed << E2eTexts::translated(language, kPageContext, "CouldNotBeRemovedPwLzQa") << notRemoved;
        if (!refused.isEmpty())
            listed << E2eTexts::translated(language, kPageContext, "LeftInPlaceForSafetyJcXd") << refused;
        // Copied by keyboard, as a user would take the list away to work through it.
        const QString copied = copyList(window, listed);
        QCOMPARE(copied.split(QLatin1Char('\n')), listed);
    }

    QVERIFY(XDriver::clickUntilExit(uninstaller, window, WindowLayout::completedButton, 30000));
    QCOMPARE(uninstaller.exitStatus(), QProcess::NormalExit);
    QCOMPARE(uninstaller.exitCode(), complete ? 0 : 1);

    QCOMPARE(product.remainingFootprint(), remaining);
    const QStringList changes = product.changes(before, product.listing());
    QVERIFY2(changes.isEmpty(), qPrintable(changes.join(QLatin1Char('\n'))));
    if (faults & UnsafeLocation)
        QCOMPARE(TestSandbox::listing(product.installDir()), productBefore);
}

QImage TestOutcome::waitForMark(const QString &window)
{
    const QTemporaryDir scratch;
    const QString file = scratch.filePath(QStringLiteral("window.png"));
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        QImage picture;
        if (XDriver::screenshot(file, window) && picture.load(file)
            && (pixelsNear(picture, WindowLayout::markArea, kSuccessGreen) >= kMarkPixels
                || pixelsNear(picture, WindowLayout::markArea, kWarningAmber) >= kMarkPixels))
            return picture;
        QTest::qWait(100);
    }
    return QImage();
}

QString TestOutcome::copyList(const QString &window, const QStringList &wanted)
{
    // The list takes the keyboard when the completion page appears; before that the
    // keys reach nothing that could be copied.
    const QDeadlineTimer deadline(30000);
    QString text;
    while (!deadline.hasExpired()) {
        if (XDriver::key(window, QStringLiteral("ctrl+a")) && XDriver::key(window, QStringLiteral("ctrl+c"))) {
            text = XDriver::clipboardText();
            if (text.split(QLatin1Char('\n')) == wanted)
                return text;
        }
        QTest::qWait(100);
    }
    return text;
}

UNINSTALL_TEST_MAIN(TestOutcome)
#include "tst_outcome.moc"
