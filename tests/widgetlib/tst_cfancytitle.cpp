#include "cfancytitle.h"

#include "testsandbox.h"

#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWindow>
#include <QtTest>

using VexiloControl::CFancyTitle;

Q_DECLARE_METATYPE(Qt::MouseButton)

// A frameless top-level window with the title nested one level down, as a page would hold it.
class TitledWindow : public QWidget
{
public:
    explicit TitledWindow(QWidget *parent = nullptr)
        : QWidget(parent, Qt::FramelessWindowHint)
        , container(new QWidget(this))
        , title(new CFancyTitle(container))
    {
        auto *outer = new QVBoxLayout(this);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->addWidget(container);
        outer->addStretch(1);
        auto *inner = new QVBoxLayout(container);
        inner->setContentsMargins(0, 0, 0, 0);
        inner->addWidget(title);
        title->setFixedHeight(40);
        setFixedSize(320, 200);
    }

    QWidget *container;
    CFancyTitle *title;
};

class TestCFancyTitle : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dragMovesWindowByPointerDelta_data();
    void dragMovesWindowByPointerDelta();
    void dragFollowsEveryMove();
    void releaseEndsDrag();

private:
    QScopedPointer<TitledWindow> m_window;
    QPoint m_start;
};

void TestCFancyTitle::init()
{
    m_window.reset(new TitledWindow);
    m_window->move(100, 80);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
    m_start = m_window->pos();
    QCOMPARE(m_start, QPoint(100, 80));
}

void TestCFancyTitle::cleanup()
{
    m_window.reset();
}

void TestCFancyTitle::dragMovesWindowByPointerDelta_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("moves");

    QTest::newRow("left") << Qt::LeftButton << true;
    QTest::newRow("right") << Qt::RightButton << false;
    QTest::newRow("middle") << Qt::MiddleButton << false;
}

void TestCFancyTitle::dragMovesWindowByPointerDelta()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, moves);

    QWindow *handle = m_window->windowHandle();
    const QPoint grab = m_window->title->mapTo(m_window.data(), QPoint(30, 20));
    QTest::mousePress(handle, button, Qt::NoModifier, grab);
    QTest::mouseMove(handle, grab + QPoint(45, 25));

    const QPoint expected = moves ? m_start + QPoint(45, 25) : m_start;
    QTRY_COMPARE(m_window->pos(), expected);
    // Only the window moves; the title keeps its place in it.
    QCOMPARE(m_window->container->pos(), QPoint(0, 0));
    QCOMPARE(m_window->title->pos(), QPoint(0, 0));

    QTest::mouseRelease(handle, button, Qt::NoModifier, grab);
}

void TestCFancyTitle::dragFollowsEveryMove()
{
    QWindow *handle = m_window->windowHandle();
    const QPoint grab(50, 10);
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, grab);

    // The pointer stays on the grabbed spot, so in window coordinates each step starts at grab.
    QTest::mouseMove(handle, grab + QPoint(10, 0));
    QTRY_COMPARE(m_window->pos(), m_start + QPoint(10, 0));
    QTest::mouseMove(handle, grab + QPoint(-30, 15));
    QTRY_COMPARE(m_window->pos(), m_start + QPoint(-20, 15));

    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, grab);
    QCOMPARE(m_window->pos(), m_start + QPoint(-20, 15));
}

void TestCFancyTitle::releaseEndsDrag()
{
    CFancyTitle *title = m_window->title;
    const QPoint local(30, 20);
    const QPoint global = title->mapToGlobal(local);

    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(title, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(title, &release);

    // A move that claims the left button is held, but without a press on the title first.
    QMouseEvent stray(QEvent::MouseMove, local + QPoint(40, 40), global + QPoint(40, 40), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(title, &stray);
    QCoreApplication::processEvents();
    QCOMPARE(m_window->pos(), m_start);
}

UNINSTALL_TEST_MAIN(TestCFancyTitle)
#include "tst_cfancytitle.moc"
