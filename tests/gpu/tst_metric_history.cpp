// The hardware monitor's history: the window, the ring, extremes and the CSV text.
#include "devices/gpu/metric_history.h"

#include <QtTest>

namespace {

constexpr qint64 kSecond = 1000;
// 2026-01-02T03:04:05Z
constexpr qint64 kStart = 1767323045000;

QVariantMap sample(const QVariant& usage, const QVariant& fan = QVariant())
{
    QVariantMap map{{"GPU_Usage", usage}, {"hasData", 1}};
    if (fan.isValid())
        map.insert("GPU_FanSpeed", fan);
    return map;
}

} // namespace

class TestMetricHistory : public QObject {
    Q_OBJECT

private slots:
    void keepsOnlyTheWindow()
    {
        MetricHistory history({"GPU_Usage"}, 300 * kSecond, 400);
        for (int s = 0; s <= 400; ++s)
            history.add(kStart + s * kSecond, sample(QString::number(s)));
        // 100 s .. 400 s: a sample exactly at the edge of the window stays.
        QCOMPARE(history.size(), 301);
        QCOMPARE(history.timeAt(0), kStart + 100 * kSecond);
        QCOMPARE(*history.valueAt(0, 0), 100.0);
        QCOMPARE(*history.valueAt(300, 0), 400.0);
        // A gap longer than the window leaves the new sample alone.
        history.add(kStart + 1000 * kSecond, sample("5"));
        QCOMPARE(history.size(), 1);
        QCOMPARE(*history.valueAt(0, 0), 5.0);
    }

    void ringDropsTheOldestWhenFull()
    {
        MetricHistory history({"GPU_Usage"}, 300 * kSecond, 5);
        for (int s = 0; s < 8; ++s)
            history.add(kStart + s * kSecond, sample(s * 10));
        QCOMPARE(history.size(), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(*history.valueAt(i, 0), double((i + 3) * 10));
        QVERIFY(!history.valueAt(5, 0));
        QVERIFY(!history.valueAt(-1, 0));
    }

    void extremesFollowTheWindow()
    {
        MetricHistory history({"GPU_Usage", "GPU_FanSpeed"}, 300 * kSecond, 400);
        QVERIFY(!history.minimum(0) && !history.maximum(0));
        history.add(kStart, sample("90", "1200"));
        history.add(kStart + 10 * kSecond, sample("37", "not a number"));
        history.add(kStart + 20 * kSecond, sample(-3, QVariant()));
        QCOMPARE(*history.maximum(0), 90.0);
        QCOMPARE(*history.minimum(0), -3.0);
        // Text that is no number is missing, not 0.
        QCOMPARE(*history.minimum(1), 1200.0);
        QCOMPARE(*history.maximum(1), 1200.0);
        // Once the 90 leaves the window it is no longer the highest.
        history.add(kStart + 301 * kSecond, sample("50"));
        QCOMPARE(*history.maximum(0), 50.0);
        QCOMPARE(*history.minimum(0), -3.0);
        QVERIFY(!history.maximum(1));
        QVERIFY(!history.maximum(7)); // no such column
    }

    void clockSetBackStartsAfresh()
    {
        MetricHistory history({"GPU_Usage"}, 300 * kSecond, 400);
        history.add(kStart, sample("10"));
        history.add(kStart + kSecond, sample("20"));
        history.add(kStart - 60 * kSecond, sample("30"));
        QCOMPARE(history.size(), 1);
        QCOMPARE(*history.maximum(0), 30.0);
    }

    void csvText()
    {
        MetricHistory history({"GPU_Usage", "GPU_FanSpeed"}, 300 * kSecond, 400);
        QCOMPARE(history.csv(), QStringLiteral("Time,GPU_Usage,GPU_FanSpeed\r\n"));
        history.add(kStart, sample("37", 0));
        history.add(kStart + kSecond, sample(12.5));
        QCOMPARE(history.csv(), QStringLiteral("Time,GPU_Usage,GPU_FanSpeed\r\n"
                                               "2026-01-02T03:04:05Z,37,0\r\n"
                                               "2026-01-02T03:04:06Z,12.5,\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestMetricHistory)
#include "tst_metric_history.moc"
