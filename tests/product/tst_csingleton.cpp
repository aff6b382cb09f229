#include "product/csingleton.h"

#include "testsandbox.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

class Counted : public Base::CSingleton<Counted>
{
public:
    Counted() { constructions.fetch_add(1); }

    static std::atomic<int> constructions;
};
std::atomic<int> Counted::constructions{0};

class FailsFirst : public Base::CSingleton<FailsFirst>
{
public:
    FailsFirst()
    {
        if (attempts++ == 0)
            throw std::runtime_error("first construction fails");
    }

    static int attempts;
};
int FailsFirst::attempts = 0;

// Holds every thread back until all have arrived, then lets them go at once.
class StartingGate
{
public:
    explicit StartingGate(int threads)
        : m_waiting(threads)
    {
    }

    void arriveAndWait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (--m_waiting == 0)
            m_open.notify_all();
        else
            m_open.wait(lock, [this] { return m_waiting == 0; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_open;
    int m_waiting;
};

} // namespace

class TestCSingleton : public QObject
{
    Q_OBJECT

private slots:
    void concurrentFirstCallsConstructOnce();
    void throwingConstructorLeavesNoInstance();
};

void TestCSingleton::concurrentFirstCallsConstructOnce()
{
    constexpr int threadCount = 8;
    StartingGate gate(threadCount);
    std::vector<Counted *> seen(threadCount, nullptr);
    std::vector<std::thread> threads;
    for (int index = 0; index < threadCount; ++index) {
        threads.emplace_back([&gate, &seen, index] {
            gate.arriveAndWait();
            seen[index] = Counted::instance();
        });
    }
    for (std::thread &thread : threads)
        thread.join();

    QCOMPARE(Counted::constructions.load(), 1);
    Counted *const instance = Counted::instance();
    QVERIFY(instance);
    for (Counted *pointer : seen)
        QCOMPARE(pointer, instance);
    QCOMPARE(Counted::constructions.load(), 1);
}

void TestCSingleton::throwingConstructorLeavesNoInstance()
{
    QVERIFY_EXCEPTION_THROWN(FailsFirst::instance(), std::runtime_error);
    QCOMPARE(FailsFirst::attempts, 1);

    FailsFirst *const instance = FailsFirst::instance();
    QVERIFY(instance);
    QCOMPARE(FailsFirst::attempts, 2);
    QCOMPARE(FailsFirst::instance(), instance);
    QCOMPARE(FailsFirst::attempts, 2);
}

UNINSTALL_TEST_MAIN(TestCSingleton)

#include "tst_csingleton.moc"
