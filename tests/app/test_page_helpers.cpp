// The helpers the pages reach through QML: the metric history model and the headset's
// equaliser files, with the file addresses a file dialog hands over.
#include "app/pages/headset_equalizer.h"
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

    void presetFilesThroughFileAddresses()
    {
        QTemporaryDir dir;
        HeadsetEqualizer equalizer;
        QVariantMap preset{{"ModeName", "Arena"}, {"dialogEnhance", 1}, {"bassControl", -1}};
        for (int band = 0; band < 10; ++band)
            preset.insert(QStringLiteral("GEQ_Band%1").arg(band), band - 4);
        const QUrl file = QUrl::fromLocalFile(dir.filePath("arena.json"));
        QCOMPARE(equalizer.exportPreset(file, preset), QString());
        const QVariantMap read = equalizer.importPreset(file);
        QVERIFY2(!read.contains("error"), qPrintable(read.value("error").toString()));
        QCOMPARE(read.value("ModeName").toString(), QStringLiteral("Arena"));
        QCOMPARE(read.value("GEQ_Band9").toInt(), 5);
        QCOMPARE(read.value("bassControl").toInt(), -1);

        QFile other(dir.filePath("other.json"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("{\"profileName\": [\"P1\"]}");
        other.close();
        QVERIFY(equalizer.importPreset(QUrl::fromLocalFile(other.fileName())).value("error").toString()
                    .contains("not a Talvorin headset preset"));
    }

    void curveForThePage()
    {
        HeadsetEqualizer equalizer;
        const QVariantList frequencies = equalizer.bandFrequencies();
        QCOMPARE(frequencies.size(), 10);
        QCOMPARE(frequencies.first().toDouble(), 32.0);
        const QVariantList curve = equalizer.responseCurve({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, false, true, 64);
        QCOMPARE(curve.size(), 64);
        QVERIFY(curve.first().toMap().value("gain").toDouble() > 5); // the bass shelf at 20 Hz
        QCOMPARE(curve.last().toMap().value("frequency").toDouble(), 20000.0);
    }
};

QTEST_GUILESS_MAIN(TestPageHelpers)
#include "test_page_helpers.moc"
