#include "cpushbutton.h"

#include "testsandbox.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using VexiloControl::CPushButton;

class TestCPushButton : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void enterAndLeaveToggleHovered();
    void disablingDropsHover();
    void pressedFollowsMouse();
    void pressedFollowsSpaceKey();
    void hidingWindowDropsHover();
    void styleSheetSeesStateChanges();
    void stillClicks();

private:
    static bool hovered(const CPushButton *button) { return button->property("hovered").toBool(); }
    static bool pressed(const CPushButton *button) { return button->property("pressed").toBool(); }
    static void sendEnter(QWidget *widget);
    static void sendLeave(QWidget *widget);

    QScopedPointer<QWidget> m_window;
    CPushButton *m_button = nullptr;
};

void TestCPushButton::sendEnter(QWidget *widget)
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(widget, &enter);
}

void TestCPushButton::sendLeave(QWidget *widget)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}

void TestCPushButton::init()
{
    m_window.reset(new QWidget);
    m_button = new CPushButton(m_window.data());
    m_button->setFixedSize(100, 32);
    auto *layout = new QVBoxLayout(m_window.data());
    layout->addWidget(m_button);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
    QVERIFY(!hovered(m_button));
    QVERIFY(!pressed(m_button));
}

void TestCPushButton::cleanup()
{
    m_window.reset();
    m_button = nullptr;
}

void TestCPushButton::enterAndLeaveToggleHovered()
{
    sendEnter(m_button);
    QVERIFY(hovered(m_button));
    sendLeave(m_button);
    QVERIFY(!hovered(m_button));
}

void TestCPushButton::disablingDropsHover()
{
    sendEnter(m_button);
    m_button->setEnabled(false);
    QVERIFY(!hovered(m_button));
    // Enter reaches disabled widgets too, and must not bring the hover look back.
    sendLeave(m_button);
    sendEnter(m_button);
    QVERIFY(!hovered(m_button));
}

void TestCPushButton::pressedFollowsMouse()
{
    QTest::mousePress(m_button, Qt::LeftButton);
    QVERIFY(pressed(m_button));
    QTest::mouseRelease(m_button, Qt::LeftButton);
    QVERIFY(!pressed(m_button));
}

void TestCPushButton::pressedFollowsSpaceKey()
{
    m_button->setFocus();
    QTest::keyPress(m_button, Qt::Key_Space);
    QVERIFY(pressed(m_button));
    QTest::keyRelease(m_button, Qt::Key_Space);
    QVERIFY(!pressed(m_button));
}

void TestCPushButton::hidingWindowDropsHover()
{
    sendEnter(m_button);
    QVERIFY(hovered(m_button));
    m_window->hide();
    QVERIFY(!hovered(m_button));
}

void TestCPushButton::styleSheetSeesStateChanges()
{
    m_button->setStyleSheet(QStringLiteral(
        "VexiloControl--CPushButton { background: #0000FF; border: none; }"
        "VexiloControl--CPushButton[hovered=\"true\"] { background: #00FF00; }"
        "VexiloControl--CPushButton[pressed=\"true\"] { background: #FF0000; }"));
    const QPoint probe(50, 16);

    QCOMPARE(m_button->grab().toImage().pixelColor(probe), QColor(0, 0, 255));
    sendEnter(m_button);
    QCOMPARE(m_button->grab().toImage().pixelColor(probe), QColor(0, 255, 0));
    QTest::mousePress(m_button, Qt::LeftButton);
    QCOMPARE(m_button->grab().toImage().pixelColor(probe), QColor(255, 0, 0));
    QTest::mouseRelease(m_button, Qt::LeftButton);
    sendLeave(m_button);
    QCOMPARE(m_button->grab().toImage().pixelColor(probe), QColor(0, 0, 255));
}

void TestCPushButton::stillClicks()
{
    QSignalSpy clicked(m_button, &QAbstractButton::clicked);
    sendEnter(m_button);
    QTest::mouseClick(m_button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
}

UNINSTALL_TEST_MAIN(TestCPushButton)
#include "tst_cpushbutton.moc"
