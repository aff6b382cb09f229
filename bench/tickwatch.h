#ifndef BENCH_TICKWATCH_H
#define BENCH_TICKWATCH_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace bench {

// A 10-ms timer on the thread that owns it, recording the longest time between
// two of its ticks: how long that thread's event loop was away at worst. A user
// interface that stays below a few tens of milliseconds feels immediate.
class TickWatch : public QObject
{
    Q_OBJECT

public:
    explicit TickWatch(QObject *parent = nullptr);

    void start();
    // Stops and counts the time since the last tick as a gap too, so that an
    // event loop that never came back is not missed.
    void stop();

    double longestGapMs() const { return static_cast<double>(m_longestGapNs) / 1e6; }
    // When the longest gap ended, counted from start().
    double longestGapEndMs() const { return static_cast<double>(m_longestGapEndNs) / 1e6; }
    int ticks() const { return m_ticks; }

private:
    void onTick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_longestGapNs = 0;
    qint64 m_longestGapEndNs = 0;
    int m_ticks = 0;
};

} // namespace bench

#endif
