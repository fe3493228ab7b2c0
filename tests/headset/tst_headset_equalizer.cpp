// The equaliser's response curve and the preset files the page exports and imports.
#include "devices/headset/equalizer_response.h"
#include "devices/headset/preset_file.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace headset;

namespace {

EqualizerShape oneBand(int band, double gain)
{
    EqualizerShape shape;
    shape.gainsDb[size_t(band)] = gain;
    return shape;
}

QByteArray presetText(const QString& body)
{
    return QStringLiteral("{ \"talvorinHeadsetPreset\": 1, %1 }").arg(body).toUtf8();
}

QString validBands(int skip = -1)
{
    QStringList parts;
    for (int band = 0; band < 10; ++band)
        if (band != skip)
            parts << QStringLiteral("\"GEQ_Band%1\": %2").arg(band).arg(band - 5);
    return parts.join(", ");
}

QString validBody()
{
    return "\"ModeName\": \"Night\", \"dialogEnhance\": 1, \"bassControl\": -1, " + validBands();
}

} // namespace

class TestHeadsetEqualizer : public QObject {
    Q_OBJECT

private slots:
    void flatSettingsChangeNothing()
    {
        for (const ResponsePoint& point : responseCurve(EqualizerShape{}, 20, 20000, 50))
            QCOMPARE(point.gainDb, 0.0);
    }

    void eachBandHasItsGainAtItsFrequency_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<double>("gain");
        for (int band = 0; band < kEqualizerBands; ++band) {
            QTest::addRow("band %d +6", band) << band << 6.0;
            QTest::addRow("band %d -10", band) << band << -10.0;
        }
    }
    void eachBandHasItsGainAtItsFrequency()
    {
        QFETCH(int, band);
        QFETCH(double, gain);
        const double centre = kBandFrequencies[size_t(band)];
        QVERIFY(std::fabs(responseDb(oneBand(band, gain), centre) - gain) < 0.01);
        // Two octaves away little of it is left.
        const double away = band < 5 ? centre * 4 : centre / 4;
        QVERIFY2(std::fabs(responseDb(oneBand(band, gain), away)) < std::fabs(gain) / 3,
                 qPrintable(QString::number(responseDb(oneBand(band, gain), away))));
    }

    void aCutUndoesTheSameBoost()
    {
        EqualizerShape boost, cut;
        for (int band = 0; band < kEqualizerBands; ++band) {
            boost.gainsDb[size_t(band)] = (band * 7) % 11 - 5;
            cut.gainsDb[size_t(band)] = -boost.gainsDb[size_t(band)];
        }
        for (double frequency : {25.0, 90.0, 700.0, 3000.0, 11000.0, 19000.0})
            QVERIFY(std::fabs(responseDb(boost, frequency) + responseDb(cut, frequency)) < 1e-9);
    }

    void bassAndDialogue()
    {
        EqualizerShape bass;
        bass.bass = true;
        QVERIFY(std::fabs(responseDb(bass, 20) - 6) < 0.5);
        QVERIFY(std::fabs(responseDb(bass, 100) - 3) < 0.01); // half the shelf at its corner
        QVERIFY(std::fabs(responseDb(bass, 2000)) < 0.1);

        EqualizerShape dialogue;
        dialogue.dialogue = true;
        QVERIFY(std::fabs(responseDb(dialogue, 2500) - 4) < 0.01);
        QVERIFY(std::fabs(responseDb(dialogue, 100)) < 0.2);
        QCOMPARE(int(equalizerFilters(dialogue).size()), kEqualizerBands + 1);

        // Switched on together with a band, the gains add up in dB.
        EqualizerShape both = oneBand(0, 4);
        both.bass = true;
        QVERIFY(std::fabs(responseDb(both, 32) - responseDb(oneBand(0, 4), 32) - responseDb(bass, 32)) < 1e-9);
    }

    void curveFrequenciesAreLogarithmic()
    {
        const std::vector<ResponsePoint> curve = responseCurve(EqualizerShape{}, 20, 20000, 4);
        QCOMPARE(int(curve.size()), 4);
        const double expected[] = {20, 200, 2000, 20000};
        for (int i = 0; i < 4; ++i)
            QVERIFY(std::fabs(curve[size_t(i)].frequency - expected[i]) < 1e-6);
        QVERIFY(responseCurve(EqualizerShape{}, 20, 20000, 1).empty());
        QVERIFY(responseCurve(EqualizerShape{}, 0, 20000, 10).empty());
    }

    void presetRoundTrip()
    {
        QTemporaryDir dir;
        SoundValues preset;
        preset.modeName = QStringLiteral("Late night FPS");
        preset.dialogEnhance = 1;
        preset.bassControl = -1;
        preset.bands = {-10, -3, 0, 2, 10, 1, 0, -1, 4, 7};
        const QString path = dir.filePath("night.json");
        QCOMPARE(writePresetFile(path, preset), QString());
        const PresetRead read = readPresetFile(path);
        QVERIFY2(read.ok, qPrintable(read.reason));
        QCOMPARE(read.preset.modeName, preset.modeName);
        QCOMPARE(read.preset.dialogEnhance, 1);
        QCOMPARE(read.preset.bassControl, -1);
        QVERIFY(read.preset.bands == preset.bands);
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not JSON") << QByteArray("GEQ_Band0=3") << "not JSON";
        QTest::newRow("empty") << QByteArray() << "not JSON";
        QTest::newRow("a list") << QByteArray("[1, 2]") << "not a Talvorin headset preset";
        QTest::newRow("another JSON file") << ("{" + validBody().toUtf8() + "}") << "not a Talvorin headset preset";
        QTest::newRow("newer format")
            << QStringLiteral("{ \"talvorinHeadsetPreset\": 2, %1 }").arg(validBody()).toUtf8() << "newer Talvorin";
        QTest::newRow("format text")
            << QStringLiteral("{ \"talvorinHeadsetPreset\": \"1\", %1 }").arg(validBody()).toUtf8() << "format";
        QTest::newRow("band missing")
            << presetText("\"ModeName\": \"N\", \"dialogEnhance\": 1, \"bassControl\": 1, " + validBands(4))
            << "GEQ_Band4 is missing";
        QTest::newRow("band above 10")
            << presetText(validBody().replace("\"GEQ_Band9\": 4", "\"GEQ_Band9\": 11")) << "GEQ_Band9 is 11 dB";
        QTest::newRow("band below -10")
            << presetText(validBody().replace("\"GEQ_Band0\": -5", "\"GEQ_Band0\": -12")) << "GEQ_Band0 is -12 dB";
        QTest::newRow("band fraction")
            << presetText(validBody().replace("\"GEQ_Band2\": -3", "\"GEQ_Band2\": 2.5")) << "GEQ_Band2 is not a whole";
        QTest::newRow("band as text")
            << presetText(validBody().replace("\"GEQ_Band2\": -3", "\"GEQ_Band2\": \"-3\"")) << "GEQ_Band2 is not a whole";
        QTest::newRow("no name") << presetText(validBody().replace("\"Night\"", "\"  \"")) << "no name";
        QTest::newRow("long name")
            << presetText(validBody().replace("\"Night\"", "\"Seventeen letters\"")) << "longer than 16";
        QTest::newRow("switch 2")
            << presetText(validBody().replace("\"dialogEnhance\": 1", "\"dialogEnhance\": 2")) << "dialogEnhance must be";
        QTest::newRow("too large") << presetText(validBody() + QString(70000, ' ')) << "too large";
    }
    void refusedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const PresetRead read = parsePreset(bytes);
        QVERIFY(!read.ok);
        QVERIFY2(read.reason.contains(reason), qPrintable(read.reason));
        // The same bytes from a file meet the same refusal.
        QTemporaryDir dir;
        QFile file(dir.filePath("p.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QVERIFY(readPresetFile(file.fileName()).reason.contains(reason));
    }

    void unreadableAndUnwritable()
    {
        QTemporaryDir dir;
        QVERIFY(readPresetFile(dir.path()).reason.contains("is not a file"));
        QVERIFY(readPresetFile(dir.filePath("missing.json")).reason.contains("is not a file"));
        SoundValues tooLong;
        tooLong.modeName = QString(20, 'x');
        const QString path = dir.filePath("long.json");
        QVERIFY(writePresetFile(path, tooLong).contains("longer than 16"));
        QVERIFY(!QFile::exists(path));
        SoundValues fine;
        fine.modeName = "Fine";
        QVERIFY(writePresetFile(dir.filePath("no/such/folder/p.json"), fine).startsWith("Could not write"));
    }
};

QTEST_GUILESS_MAIN(TestHeadsetEqualizer)
#include "tst_headset_equalizer.moc"
