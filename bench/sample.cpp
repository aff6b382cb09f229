#include "sample.h"

#include <QStringList>

#include <algorithm>

namespace bench {

void Sample::add(double value)
{
    m_values.append(value);
}

double Sample::median() const
{
    if (m_values.isEmpty())
        return 0.0;
    QVector<double> sorted = m_values;
    std::sort(sorted.begin(), sorted.end());
    const int middle = sorted.size() / 2;
    if (sorted.size() % 2 == 1)
        return sorted.at(middle);
    return (sorted.at(middle - 1) + sorted.at(middle)) / 2.0;
}

QString Sample::values() const
{
    QStringList texts;
    for (const double value : m_values)
        texts.append(QString::number(value, 'f', 2));
    return texts.join(QLatin1Char(' '));
}

} // namespace bench
