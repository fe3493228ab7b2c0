#include "devices/gpu/metric_history.h"

#include <QDateTime>

#include <cmath>
#include <limits>

namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

double numberOf(const QVariant& value)
{
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(number) ? number : kMissing;
}

QString fieldOf(double value)
{
    return std::isnan(value) ? QString() : QString::number(value, 'g', 12);
}

} // namespace

MetricHistory::MetricHistory(QStringList keys, qint64 windowMs, int capacity)
    : m_keys(std::move(keys)), m_windowMs(windowMs), m_ring(size_t(qMax(1, capacity)))
{
}

void MetricHistory::add(qint64 timeMs, const QVariantMap& sample)
{
    if (m_count > 0 && timeMs < at(m_count - 1).time)
        clear();
    Sample entry;
    entry.time = timeMs;
    entry.values.reserve(size_t(m_keys.size()));
    for (const QString& key : m_keys)
        entry.values.push_back(sample.contains(key) ? numberOf(sample.value(key)) : kMissing);

    const int capacity = int(m_ring.size());
    if (m_count == capacity) {
        m_first = (m_first + 1) % capacity;
        --m_count;
    }
    m_ring[size_t((m_first + m_count) % capacity)] = std::move(entry);
    ++m_count;
    dropOlderThan(timeMs - m_windowMs);
}

void MetricHistory::clear()
{
    m_first = 0;
    m_count = 0;
}

const MetricHistory::Sample& MetricHistory::at(int index) const
{
    return m_ring[size_t((m_first + index) % int(m_ring.size()))];
}

void MetricHistory::dropOlderThan(qint64 oldestKept)
{
    while (m_count > 0 && at(0).time < oldestKept) {
        m_first = (m_first + 1) % int(m_ring.size());
        --m_count;
    }
}

qint64 MetricHistory::timeAt(int index) const
{
    return index >= 0 && index < m_count ? at(index).time : 0;
}

std::optional<double> MetricHistory::valueAt(int index, int column) const
{
    if (index < 0 || index >= m_count || column < 0 || column >= m_keys.size())
        return std::nullopt;
    const double value = at(index).values[size_t(column)];
    if (std::isnan(value))
        return std::nullopt;
    return value;
}

std::optional<double> MetricHistory::extreme(int column, bool lowest) const
{
    std::optional<double> best;
    for (int i = 0; i < m_count; ++i) {
        const std::optional<double> value = valueAt(i, column);
        if (value && (!best || (lowest ? *value < *best : *value > *best)))
            best = value;
    }
    return best;
}

std::optional<double> MetricHistory::minimum(int column) const
{
    return extreme(column, true);
}

std::optional<double> MetricHistory::maximum(int column) const
{
    return extreme(column, false);
}

QString MetricHistory::csv() const
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = QStringLiteral("Time,") + m_keys.join(QLatin1Char(',')) + lineEnd;
    for (int i = 0; i < m_count; ++i) {
        const Sample& sample = at(i);
        QStringList fields{QDateTime::fromMSecsSinceEpoch(sample.time, Qt::UTC).toString(Qt::ISODate)};
        for (double value : sample.values)
            fields.append(fieldOf(value));
        text += fields.join(QLatin1Char(',')) + lineEnd;
    }
    return text;
}
