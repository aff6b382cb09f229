#ifndef BENCH_SAMPLE_H
#define BENCH_SAMPLE_H

#include <QString>
#include <QVector>

namespace bench {

// The measurements of one figure over several runs. The median is what gets
// reported: on a machine shared with other work a single slow run says more
// about the neighbours than about the program.
class Sample
{
public:
    void add(double value);
    bool isEmpty() const { return m_values.isEmpty(); }
    double median() const;
    // "v1 v2 ...", in the order measured, for the log.
    QString values() const;

private:
    QVector<double> m_values;
};

} // namespace bench

#endif
