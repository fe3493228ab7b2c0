#pragma once
// The hardware monitor's recent past: the samples of the eight metrics over a time window,
// kept in a ring of fixed size. Nothing here knows about QML or files: samples in, series,
// extremes and CSV text out.
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>
#include <vector>

class MetricHistory {
public:
    // keys: the value keys of the sample maps, in column order. windowMs: how far back the
    // history reaches from its newest sample. capacity: the most samples kept at once.
    MetricHistory(QStringList keys, qint64 windowMs, int capacity);

    const QStringList& keys() const { return m_keys; }
    qint64 windowMs() const { return m_windowMs; }

    // Adds one sample taken at timeMs (milliseconds since the epoch). A value that is neither
    // a number nor decimal text is kept as missing. A sample older than the newest one means
    // the clock was set back: the history starts again from it.
    void add(qint64 timeMs, const QVariantMap& sample);
    void clear();

    // Samples oldest first.
    int size() const { return m_count; }
    qint64 timeAt(int index) const;
    std::optional<double> valueAt(int index, int column) const;

    // Lowest and highest value of a column within the window; empty when it holds none.
    std::optional<double> minimum(int column) const;
    std::optional<double> maximum(int column) const;

    // "Time" and the keys, then one line per sample: the UTC time in ISO 8601 and the values
    // (an empty field for a missing one). Lines end with CRLF, as CSV readers expect.
    QString csv() const;

private:
    struct Sample {
        qint64 time = 0;
        std::vector<double> values; // NaN for a missing value
    };

    const Sample& at(int index) const;
    void dropOlderThan(qint64 oldestKept);
    std::optional<double> extreme(int column, bool lowest) const;

    QStringList m_keys;
    qint64 m_windowMs;
    std::vector<Sample> m_ring;
    int m_first = 0;
    int m_count = 0;
};
