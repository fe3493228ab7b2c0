// From the headset's operating modes to the filter: which sink is the headset's, the gains of
// a mode, and the module arguments the filter is loaded with.
#include "devices/headset/model/dts_component_state.h"
#include "real/headset/filter_graph.h"
#include "real/headset/headset_sink.h"

#include <QtTest>

namespace {

DtsMode mode(bool processing, const QList<QPair<QString, int>>& values)
{
    DtsMode result;
    result.processing = processing;
    for (const auto& value : values) {
        DtsControl control;
        control.name = QStringLiteral("SFX:") + value.first;
        control.value = value.second;
        result.controls.append(control);
    }
    return result;
}

Properties sink(const QString& vendor, const QString& product)
{
    return {{QStringLiteral("media.class"), QStringLiteral("Audio/Sink")},
            {QStringLiteral("device.vendor.id"), vendor},
            {QStringLiteral("device.product.id"), product}};
}

} // namespace

class TestHeadsetFilterGraph : public QObject {
    Q_OBJECT

private slots:
    void headsetSinkByUsbIds_data();
    void headsetSinkByUsbIds();
    void headsetIdsOnTheDevice();
    void sinkGuidIsStable();
    void gainsOfAMode();
    void offModeIsFlat();
    void bandGainsAreBounded();
    void argumentsNameTheHeadsetAndEveryControl();
};

void TestHeadsetFilterGraph::headsetSinkByUsbIds_data()
{
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<QString>("product");
    QTest::addColumn<bool>("headset");
    QTest::newRow("as the ALSA monitor writes them") << "0x2dbf" << "0x0001" << true;
    QTest::newRow("upper case") << "0x2DBF" << "0x0001" << true;
    QTest::newRow("without 0x") << "2dbf" << "1" << true;
    QTest::newRow("the maker's receiver") << "0x2dbf" << "0x0011" << false;
    QTest::newRow("another maker") << "0x046d" << "0x0001" << false;
    QTest::newRow("no ids") << "" << "" << false;
    QTest::newRow("not a number") << "0x2dbfzz" << "0x0001" << false;
    QTest::newRow("too long") << "0x12dbf" << "0x0001" << false;
}

void TestHeadsetFilterGraph::headsetSinkByUsbIds()
{
    QFETCH(QString, vendor);
    QFETCH(QString, product);
    QFETCH(bool, headset);
    QCOMPARE(isHeadsetSink(sink(vendor, product), {}), headset);
}

void TestHeadsetFilterGraph::headsetIdsOnTheDevice()
{
    const Properties node{{QStringLiteral("media.class"), QStringLiteral("Audio/Sink")}};
    QVERIFY(isHeadsetSink(node, sink(QStringLiteral("0x2dbf"), QStringLiteral("0x0001"))));
    QVERIFY(!isHeadsetSink(node, {}));
    // The headset's microphone is a source, not the sink the filter goes in front of.
    Properties source = sink(QStringLiteral("0x2dbf"), QStringLiteral("0x0001"));
    source.insert(QStringLiteral("media.class"), QStringLiteral("Audio/Source"));
    QVERIFY(!isHeadsetSink(source, {}));
}

void TestHeadsetFilterGraph::sinkGuidIsStable()
{
    const QString guid = sinkGuid(QStringLiteral("alsa_output.usb-RH20-00.analog-stereo"));
    QCOMPARE(guid.size(), 36);
    QCOMPARE(sinkGuid(QStringLiteral("alsa_output.usb-RH20-00.analog-stereo")), guid);
    QVERIFY(sinkGuid(QStringLiteral("alsa_output.pci-0000_00_1f.3.analog-stereo")) != guid);
}

void TestHeadsetFilterGraph::gainsOfAMode()
{
    const FilterGains gains = filterGainsForMode(mode(true, {{QStringLiteral("Eagle-GEQ Enable"), 1},
                                                             {QStringLiteral("Eagle-GEQ Band2 Gain"), -7},
                                                             {QStringLiteral("Eagle-GEQ Band9 Gain"), 4},
                                                             {QStringLiteral("Eagle-TBHDX Enable"), 1},
                                                             {QStringLiteral("Eagle-TBHDX Bass Level"), 60},
                                                             {QStringLiteral("Eagle-DE Enable"), 0},
                                                             {QStringLiteral("Eagle-DE Level"), 70}}));
    QCOMPARE(gains.bands[2], -7.0f);
    QCOMPARE(gains.bands[9], 4.0f);
    QCOMPARE(gains.bands[0], 0.0f);
    QCOMPARE(gains.bass, 6.0f);
    QCOMPARE(gains.dialogue, 0.0f);

    // The equaliser switched off leaves the bands flat, not the switches.
    const FilterGains geqOff = filterGainsForMode(mode(true, {{QStringLiteral("Eagle-GEQ Enable"), 0},
                                                              {QStringLiteral("Eagle-GEQ Band2 Gain"), -7},
                                                              {QStringLiteral("Eagle-DE Enable"), 1},
                                                              {QStringLiteral("Eagle-DE Level"), 150}}));
    QCOMPARE(geqOff.bands[2], 0.0f);
    QCOMPARE(geqOff.dialogue, 8.0f); // a level above 100 counts as 100
}

void TestHeadsetFilterGraph::offModeIsFlat()
{
    const FilterGains gains = filterGainsForMode(mode(false, {{QStringLiteral("Eagle-GEQ Enable"), 1},
                                                              {QStringLiteral("Eagle-GEQ Band5 Gain"), 9},
                                                              {QStringLiteral("Eagle-TBHDX Enable"), 1},
                                                              {QStringLiteral("Eagle-TBHDX Bass Level"), 100}}));
    QVERIFY(gains == FilterGains{});
}

void TestHeadsetFilterGraph::bandGainsAreBounded()
{
    const FilterGains gains = filterGainsForMode(mode(true, {{QStringLiteral("Eagle-GEQ Enable"), 1},
                                                             {QStringLiteral("Eagle-GEQ Band0 Gain"), 400},
                                                             {QStringLiteral("Eagle-GEQ Band1 Gain"), -400}}));
    QCOMPARE(gains.bands[0], 15.0f);
    QCOMPARE(gains.bands[1], -15.0f);
}

void TestHeadsetFilterGraph::argumentsNameTheHeadsetAndEveryControl()
{
    FilterGains gains;
    gains.bands[3] = 6;
    const QString arguments =
        filterChainArguments(gains, QStringLiteral("alsa_output.usb-RH20"), QStringLiteral("RH20 \"USB\" (DTS)"));
    QVERIFY(arguments.contains(QStringLiteral("target.object = \"alsa_output.usb-RH20\"")));
    QVERIFY(arguments.contains(QStringLiteral("node.dont-reconnect = true")));
    // A quote in a device's description cannot end the string early.
    QVERIFY(arguments.contains(QStringLiteral("node.description = \"RH20 \\\"USB\\\" (DTS)\"")));
    for (const QPair<QString, float>& control : filterControls(gains)) {
        const QString node = control.first.section(QLatin1Char(':'), 0, 0);
        QVERIFY2(arguments.contains(QStringLiteral("name = %1 ").arg(node)), qPrintable(node));
    }
    QVERIFY(arguments.contains(QStringLiteral("name = eq_band_3 label = bq_peaking control = { \"Freq\" = 250 \"Q\" = 1.41 \"Gain\" = 6 }")));
    QVERIFY(arguments.contains(QStringLiteral("label = bq_lowshelf")));
    QCOMPARE(filterControls(gains).size(), 12);
}

QTEST_GUILESS_MAIN(TestHeadsetFilterGraph)
#include "tst_headset_filter_graph.moc"
