#include "ccommandbutton.h"
#include "initresource.h"

#include "testsandbox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using VexiloControl::CCommandButton;
using VexiloControl::CPushButton;

namespace {

QColor faceColour(QWidget *button)
{
    return button->grab().toImage().pixelColor(button->width() / 2, button->height() / 2);
}

void sendEnter(QWidget *widget)
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(widget, &enter);
}

} // namespace

// The library's style sheet, applied to the whole application as the program does.
class TestCCommandButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void commandButtonIsRed();
    void secondaryButtonIsWhite();
    void hoverAndPressShadeTheCommandButton();
    void plainWidgetsAreLeftAlone();

private:
    QScopedPointer<QWidget> m_window;
    CCommandButton *m_command = nullptr;
    CPushButton *m_secondary = nullptr;
    QPushButton *m_plain = nullptr;
    QLabel *m_label = nullptr;
};

void TestCCommandButton::initTestCase()
{
    const QString rcc = qEnvironmentVariable("UNINSTALL_BIN_DIR") + QStringLiteral("/rcc/guiresource.rcc");
    QString styleSheet;
    QVERIFY2(VexiloControl::InitResource(rcc, styleSheet, false), qPrintable(rcc));
    qApp->setStyleSheet(styleSheet);
}

void TestCCommandButton::cleanupTestCase()
{
    qApp->setStyleSheet(QString());
}

void TestCCommandButton::init()
{
    m_window.reset(new QWidget);
    auto *layout = new QVBoxLayout(m_window.data());
    m_command = new CCommandButton(m_window.data());
    m_secondary = new CPushButton(m_window.data());
    m_plain = new QPushButton(m_window.data());
    m_label = new QLabel(QStringLiteral("Plain"), m_window.data());
    for (QWidget *button : {static_cast<QWidget *>(m_command), static_cast<QWidget *>(m_secondary),
                            static_cast<QWidget *>(m_plain)}) {
        button->setFixedSize(120, 32);
        layout->addWidget(button);
    }
    layout->addWidget(m_label);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
}

void TestCCommandButton::cleanup()
{
    m_window.reset();
}

void TestCCommandButton::commandButtonIsRed()
{
    QCOMPARE(faceColour(m_command), QColor(0xE5, 0x39, 0x35));
}

void TestCCommandButton::secondaryButtonIsWhite()
{
    QCOMPARE(faceColour(m_secondary), QColor(Qt::white));
}

void TestCCommandButton::hoverAndPressShadeTheCommandButton()
{
    const QColor normal = faceColour(m_command);
    sendEnter(m_command);
    const QColor hovered = faceColour(m_command);
    QTest::mousePress(m_command, Qt::LeftButton);
    const QColor pressed = faceColour(m_command);
    QTest::mouseRelease(m_command, Qt::LeftButton);

    QVERIFY(hovered != normal);
    QVERIFY(pressed != normal);
    QVERIFY(pressed != hovered);
    // Still the red family: red dominates in every state.
    for (const QColor &shade : {hovered, pressed})
        QVERIFY(shade.red() > 2 * shade.green() && shade.red() > 2 * shade.blue());
}

void TestCCommandButton::plainWidgetsAreLeftAlone()
{
    const QColor plainFace = faceColour(m_plain);
    QVERIFY(plainFace != faceColour(m_command));
    QVERIFY(!(plainFace.red() > 2 * plainFace.green() && plainFace.red() > 2 * plainFace.blue()));
    QCOMPARE(m_label->font(), QApplication::font());
    QCOMPARE(m_plain->font(), QApplication::font());
}

UNINSTALL_TEST_MAIN(TestCCommandButton)
#include "tst_ccommandbutton.moc"
