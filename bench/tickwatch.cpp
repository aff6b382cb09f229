#include "tickwatch.h"

namespace bench {

namespace {
constexpr int kIntervalMs = 10;
} // namespace

TickWatch::TickWatch(QObject *parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &TickWatch::onTick);
}

void TickWatch::start()
{
    m_longestGapNs = 0;
    m_longestGapEndNs = 0;
    m_ticks = 0;
    m_clock.start();
    m_lastNs = 0;
    m_timer.start();
}

void TickWatch::stop()
{
    m_timer.stop();
    onTick();
}

void TickWatch::onTick()
{
    const qint64 now = m_clock.nsecsElapsed();
    if (now - m_lastNs > m_longestGapNs) {
        m_longestGapNs = now - m_lastNs;
        m_longestGapEndNs = now;
    }
    m_lastNs = now;
    ++m_ticks;
}

} // namespace bench
