#include "product/csingleton.h"

#include "testsandbox.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// Counts threads down to zero; waiting returns once every thread has counted.
class Latch
{
public:
    explicit Latch(int count)
        : m_count(count)
    {
    }

    void countDown()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (--m_count == 0)
            m_reached.notify_all();
    }

    void wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_reached.wait(lock, [this] { return m_count == 0; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_reached;
    int m_count;
};

// Its construction is held open until every racing thread has committed to calling
// instance(), so that all of them really do meet the first creation.
class Counted : public Base::CSingleton<Counted>
{
public:
    Counted()
    {
        if (racers)
            racers->wait();
        constructions.fetch_add(1);
    }

    static std::atomic<int> constructions;
    static Latch *racers;
};
std::atomic<int> Counted::constructions{0};
Latch *Counted::racers = nullptr;

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
    Latch racers(threadCount);
    Counted::racers = &racers;
    std::vector<Counted *> seen(threadCount, nullptr);
    std::vector<std::thread> threads;
    for (int index = 0; index < threadCount; ++index) {
        threads.emplace_back([&racers, &seen, index] {
            racers.countDown();
            seen[index] = Counted::instance();
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    Counted::racers = nullptr;

    QCOMPARE(Counted::constructions.load(), 1);
    Counted *const created = Counted::instance();
    QVERIFY(created);
    for (Counted *pointer : seen)
        QCOMPARE(pointer, created);
    QCOMPARE(Counted::constructions.load(), 1);
}

void TestCSingleton::throwingConstructorLeavesNoInstance()
{
    QVERIFY_EXCEPTION_THROWN(FailsFirst::instance(), std::runtime_error);
    QCOMPARE(FailsFirst::attempts, 1);

    FailsFirst *const created = FailsFirst::instance();
    QVERIFY(created);
    QCOMPARE(FailsFirst::attempts, 2);
    QCOMPARE(FailsFirst::instance(), created);
    QCOMPARE(FailsFirst::attempts, 2);
}

UNINSTALL_TEST_MAIN(TestCSingleton)

#include "tst_csingleton.moc"
