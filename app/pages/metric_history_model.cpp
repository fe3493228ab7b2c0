#include "app/pages/metric_history_model.h"

#include "app/pages/local_file.h"
#include "devices/gpu/metrics_table.h"
#include "util/files.h"

#include <QDateTime>
#include <QDebug>

namespace {

// Five minutes of the monitor's one sample a second, with room for a few late ones.
constexpr qint64 kWindowMs = 5 * 60 * 1000;
constexpr int kCapacity = 5 * 60 + 30;

QStringList metricKeys()
{
    QStringList keys;
    for (GpuMetric metric : metricOrder())
        keys.append(QString::fromLatin1(metricInfo(metric).valueKey));
    return keys;
}

QVariant variantOf(const std::optional<double>& value)
{
    return value ? QVariant(*value) : QVariant();
}

} // namespace

MetricHistoryModel::MetricHistoryModel(QObject* parent)
    : QObject(parent), m_history(metricKeys(), kWindowMs, kCapacity)
{
}

void MetricHistoryModel::add(const QVariantMap& metrics)
{
    if (metrics.value(QStringLiteral("hasData")).toInt() != 1)
        return;
    m_history.add(QDateTime::currentMSecsSinceEpoch(), metrics);
    emit changed();
}

void MetricHistoryModel::clear()
{
    m_history.clear();
    emit changed();
}

QVariantList MetricHistoryModel::points(const QString& key) const
{
    QVariantList list;
    const int column = m_history.keys().indexOf(key);
    const int size = m_history.size();
    if (column < 0 || size == 0)
        return list;
    const qint64 newest = m_history.timeAt(size - 1);
    for (int i = 0; i < size; ++i) {
        const std::optional<double> value = m_history.valueAt(i, column);
        if (!value)
            continue;
        list.append(QVariantMap{{QStringLiteral("age"), double(newest - m_history.timeAt(i)) / 1000.0},
                                {QStringLiteral("value"), *value}});
    }
    return list;
}

QVariant MetricHistoryModel::minimum(const QString& key) const
{
    return variantOf(m_history.minimum(m_history.keys().indexOf(key)));
}

QVariant MetricHistoryModel::maximum(const QString& key) const
{
    return variantOf(m_history.maximum(m_history.keys().indexOf(key)));
}

QVariant MetricHistoryModel::latest(const QString& key) const
{
    return variantOf(m_history.valueAt(m_history.size() - 1, m_history.keys().indexOf(key)));
}

QString MetricHistoryModel::saveCsv(const QUrl& file) const
{
    const QString path = localPathOf(file);
    if (path.isEmpty())
        return QStringLiteral("Choose a file on this computer.");
    const WriteResult result = replaceFileContents(path, m_history.csv().toUtf8());
    if (result.ok())
        return QString();
    qWarning() << "[MetricHistory] CSV not written:" << path << result.errorString;
    return QStringLiteral("Could not write %1: %2").arg(path, result.errorString);
}
