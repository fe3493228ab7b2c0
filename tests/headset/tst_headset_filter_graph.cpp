// From the headset's operating modes to the filter: which sink is the headset's, the gains of
// a mode, and the module arguments the filter is loaded with.
#include "devices/headset/model/dts_component_state.h"
#include "real/headset/filter_graph.h"
#include "real/headset/headset_sink.h"
#include "real/headset/spa_values.h"

#include <QtTest>
#include <spa/param/props.h>
#include <spa/pod/builder.h>

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
    void controlsSetAreControlsRead();
    void readingSkipsParamsThatAreNotNumbers();
    void tooSmallABufferBuildsNothing();
    void defaultSinkNameFromMetadata_data();
    void defaultSinkNameFromMetadata();
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

void TestHeadsetFilterGraph::controlsSetAreControlsRead()
{
    FilterGains gains;
    gains.bands[0] = -10;
    gains.bands[7] = 4.5f;
    gains.bass = 6;
    uint8_t buffer[4096];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
    const spa_pod* pod = buildControls(&builder, filterControls(gains));
    QVERIFY(pod);
    QMap<QString, float> read;
    readControls(pod, read);
    QCOMPARE(read.size(), 12);
    QCOMPARE(read.value(QStringLiteral("eq_band_0:Gain")), -10.0f);
    QCOMPARE(read.value(QStringLiteral("eq_band_7:Gain")), 4.5f);
    QCOMPARE(read.value(QStringLiteral("bass:Gain")), 6.0f);
    QCOMPARE(read.value(QStringLiteral("dialogue:Gain")), 0.0f);
}

// A filter node's Props also carry flags and texts among its numbers.
void TestHeadsetFilterGraph::readingSkipsParamsThatAreNotNumbers()
{
    uint8_t buffer[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
    spa_pod_frame object;
    spa_pod_frame params;
    spa_pod_builder_push_object(&builder, &object, SPA_TYPE_OBJECT_Props, SPA_PARAM_Props);
    spa_pod_builder_prop(&builder, SPA_PROP_params, 0);
    spa_pod_builder_push_struct(&builder, &params);
    spa_pod_builder_string(&builder, "eq_band_1:Gain");
    spa_pod_builder_float(&builder, 3.0f);
    spa_pod_builder_string(&builder, "monitor.channel-volumes");
    spa_pod_builder_bool(&builder, true);
    spa_pod_builder_string(&builder, "channelmix.upmix-method");
    spa_pod_builder_string(&builder, "psd");
    spa_pod_builder_string(&builder, "bass:Gain");
    spa_pod_builder_float(&builder, -2.5f);
    spa_pod_builder_pop(&builder, &params);
    const auto* pod = static_cast<const spa_pod*>(spa_pod_builder_pop(&builder, &object));
    QMap<QString, float> read;
    readControls(pod, read);
    QCOMPARE(read, (QMap<QString, float>{{QStringLiteral("eq_band_1:Gain"), 3.0f}, {QStringLiteral("bass:Gain"), -2.5f}}));
    // Not a Props object at all: nothing, and no crash.
    readControls(nullptr, read);
    QCOMPARE(read.size(), 2);
}

void TestHeadsetFilterGraph::tooSmallABufferBuildsNothing()
{
    uint8_t buffer[64];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
    QVERIFY(!buildControls(&builder, filterControls(FilterGains{})));
}

void TestHeadsetFilterGraph::defaultSinkNameFromMetadata_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<QString>("name");
    QTest::newRow("as wireplumber writes it") << R"({"name":"alsa_output.usb-RH20"})" << "alsa_output.usb-RH20";
    QTest::newRow("other keys first") << R"({ "priority": 3, "nested": { "name": "no" }, "name": "rh20" })" << "rh20";
    QTest::newRow("no name") << R"({"priority":3})" << "";
    QTest::newRow("not an object") << R"("alsa_output")" << "";
    QTest::newRow("empty") << "" << "";
}

void TestHeadsetFilterGraph::defaultSinkNameFromMetadata()
{
    QFETCH(QString, json);
    QFETCH(QString, name);
    QCOMPARE(nameInJson(json.toUtf8().constData()), name);
    QCOMPARE(nameInJson(nullptr), QString());
}

QTEST_GUILESS_MAIN(TestHeadsetFilterGraph)
#include "tst_headset_filter_graph.moc"
