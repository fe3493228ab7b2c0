#pragma once
// The GPU page's metric history as QML sees it: fed with the monitor's samples, asked for one
// metric's series and extremes, saved as a CSV file.
#include "devices/gpu/metric_history.h"

#include <QObject>
#include <QUrl>
#include <QVariantList>

class MetricHistoryModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY changed)
    Q_PROPERTY(int windowSeconds READ windowSeconds CONSTANT)

public:
    explicit MetricHistoryModel(QObject* parent = nullptr);

    int count() const { return m_history.size(); }
    int windowSeconds() const { return int(m_history.windowMs() / 1000); }

    // A monitor sample ("hasData" 1); one without data is not history.
    Q_INVOKABLE void add(const QVariantMap& metrics);
    Q_INVOKABLE void clear();
    // [{ "age": seconds before the newest sample, "value": number }, ...], oldest first.
    Q_INVOKABLE QVariantList points(const QString& key) const;
    // The lowest, highest and newest value of a metric, undefined when there is none.
    Q_INVOKABLE QVariant minimum(const QString& key) const;
    Q_INVOKABLE QVariant maximum(const QString& key) const;
    Q_INVOKABLE QVariant latest(const QString& key) const;
    // Writes the history as CSV; answers "" when written, else why not.
    Q_INVOKABLE QString saveCsv(const QUrl& file) const;

signals:
    void changed();

private:
    MetricHistory m_history;
};
