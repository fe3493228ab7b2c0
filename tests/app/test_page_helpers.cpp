// The helpers the pages reach through QML, with the file addresses a file dialog hands over.
#include "app/pages/metric_history_model.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestPageHelpers : public QObject {
    Q_OBJECT

private slots:
    void historyTakesOnlySamplesWithData()
    {
        MetricHistoryModel model;
        QSignalSpy changed(&model, &MetricHistoryModel::changed);
        model.add({{"Control", 1}, {"hasData", 0}, {"GPU_Usage", 0}});
        QCOMPARE(model.count(), 0);
        model.add({{"Control", 1}, {"hasData", 1}, {"GPU_Usage", "37"}, {"GPU_Temperature", "61"}});
        model.add({{"Control", 1}, {"hasData", "1"}, {"GPU_Usage", "40"}});
        QCOMPARE(model.count(), 2);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(model.windowSeconds(), 300);
        QCOMPARE(model.minimum("GPU_Usage").toDouble(), 37.0);
        QCOMPARE(model.latest("GPU_Usage").toDouble(), 40.0);
        QVERIFY(!model.latest("GPU_Temperature").isValid()); // not in the newest sample
        QVERIFY(!model.maximum("GPU_Nothing").isValid());
        const QVariantList points = model.points("GPU_Temperature");
        QCOMPARE(points.size(), 1);
        QVERIFY(points.first().toMap().value("age").toDouble() >= 0);
    }

    void historySavedAsCsv()
    {
        QTemporaryDir dir;
        MetricHistoryModel model;
        model.add({{"hasData", 1}, {"GPU_Usage", "37"}, {"GPU_FanSpeed", 0}});
        const QString path = dir.filePath("history.csv");
        QCOMPARE(model.saveCsv(QUrl::fromLocalFile(path)), QString());
        const QStringList lines = readText(path).split("\r\n");
        QCOMPARE(lines.first(), QStringLiteral("Time,GPU_Usage,GPU_TotalBoardPower,GPU_FanSpeed,GPU_VRAMUsage,"
                                               "GPU_ClockSpeed,GPU_VRAMClockSpeed,GPU_Temperature,"
                                               "GPU_HotspotTemperature"));
        QVERIFY2(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ,37,,0,,,,,$").match(lines.at(1)).hasMatch(),
                 qPrintable(lines.at(1)));
        QVERIFY(model.saveCsv(QUrl::fromLocalFile(dir.filePath("none/history.csv"))).startsWith("Could not write"));
        QVERIFY(!model.saveCsv(QUrl("https://example.invalid/h.csv")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPageHelpers)
#include "test_page_helpers.moc"
