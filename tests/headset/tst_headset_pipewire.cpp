// The headset's DTS component on a real PipeWire server that the test starts itself: the
// headset's sink found by its USB ids, the filter in front of it, every page operation ending
// as gains on the running node, restarts, hot-plug, and no server at all.
#include "devices/headset/dev_headphone.h"
#include "headset_fixture.h"
#include "real/headset/pipewire_dts_component.h"
#include "sim/headset/virtual_usb_bus.h"
#include "sound_server.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

const QString kHeadsetSink = QStringLiteral("test_rh20_headset");
const QString kSpeakers = QStringLiteral("test_speakers");
const QString kFilter = QStringLiteral("talvorin_headset_dts");
const QString kFilterOutput = QStringLiteral("talvorin_headset_dts.output");
constexpr int kSettleMs = 3000;

QString band(int n)
{
    return QStringLiteral("eq_band_%1:Gain").arg(n);
}

// One run of the program: a data folder, the component and the headset device over it.
struct Program {
    explicit Program(const QString& dataDir)
    {
        qputenv("TALVORIN_DATA_DIR", dataDir.toLocal8Bit());
        bus->plug(VirtualUsbBus::headset());
        dts = std::make_shared<PipeWireDtsComponent>(QStringLiteral(TALVORIN_HEADSET_CONFIG_DIR)
                                                         + QStringLiteral("/dts_apo4_hpxv2_oem_config_2DBF0001.xml"),
                                                     dataDir + QStringLiteral("/dts_values.json"));
        setup.dts = dts;
        setup.usbBus = bus;
        setup.headsetFilesDir = QStringLiteral(TALVORIN_HEADSET_CONFIG_DIR);
        device = std::make_unique<DEV_HEADPHONE>(setup);
    }
    ~Program() { qunsetenv("TALVORIN_DATA_DIR"); }

    QVariantMap run(const QVariantMap& command)
    {
        device->receiveDataFromQML(command);
        return device->run_Headphone_Settings(command.value(QStringLiteral("runFunction")).toInt());
    }
    QVariantMap select(int option)
    {
        return run({{QStringLiteral("runFunction"), 5}, {QStringLiteral("selectDtsOption"), option}});
    }

    std::shared_ptr<VirtualUsbBus> bus = std::make_shared<VirtualUsbBus>();
    std::shared_ptr<PipeWireDtsComponent> dts;
    DeviceSetup setup;
    std::unique_ptr<DEV_HEADPHONE> device;
};

QVariantMap customSlot(int runFunction, int option, const QList<int>& bands, int dialog, int bass)
{
    QVariantMap command{{QStringLiteral("runFunction"), runFunction}, {QStringLiteral("selectDtsOption"), option},
                        {QStringLiteral("ModeName"), QStringLiteral("Mine")}, {QStringLiteral("dialogEnhance"), dialog},
                        {QStringLiteral("bassControl"), bass}};
    for (int n = 0; n < 10; ++n)
        command.insert(QStringLiteral("GEQ_Band%1").arg(n), bands.value(n));
    return command;
}

} // namespace

class TestHeadsetPipeWire : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void findsTheHeadsetSinkAndSkipsTheOthers();
    void eachModeSetsItsGainsOnTheRunningNode_data();
    void eachModeSetsItsGainsOnTheRunningNode();
    void bandChangeReachesTheRunningNode();
    void bassAndDialogueSwitches();
    void dtsOffLeavesTheSoundUnprocessed();
    void customSlotSurvivesARestartOfTheProgram();
    void headsetUnpluggedAndPluggedAgain();
    void filterComesBackAfterTheServerRestarts();
    void serverThatStopsAnsweringFreesTheWorker();
    void toneThroughTheFilterChangesByTheBandsGain();
    void defaultOutputGoesThroughTheFilterOnlyWhenItIsTheHeadset();
    void anotherEqualiserOnTheHeadsetIsReported();

private:
    SoundServer m_server;
    std::unique_ptr<QTemporaryDir> m_data;
};

void TestHeadsetPipeWire::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
    QVERIFY(m_server.addSink(kSpeakers, QStringLiteral("Test speakers"), false));
    QVERIFY(m_server.addSink(kHeadsetSink, QStringLiteral("Test RH20 headset"), true));
}

void TestHeadsetPipeWire::cleanupTestCase()
{
    m_server.stopServer();
}

void TestHeadsetPipeWire::init()
{
    m_data = std::make_unique<QTemporaryDir>();
    // The filter of the last test's program is gone before the next one starts.
    QVERIFY(m_server.waitForNode(kFilter, false, kSettleMs));
}

void TestHeadsetPipeWire::findsTheHeadsetSinkAndSkipsTheOthers()
{
    Program program(m_data->path());
    LogCapture log;
    const QVariantMap answer = program.device->get_Headphone_Devices();
    QCOMPARE(answer.value(QStringLiteral("headphoneNum")).toInt(), 1);
    QVERIFY(log.contains(QStringLiteral("Locate the specified DTS endpoint: Belvarinth ORVENA RH20 喇叭")));
    // The speakers were listed as an endpoint too, then skipped: two endpoints looked at, one
    // located.
    QCOMPARE(log.all().filter(QStringLiteral("registryPath:")).size(), 2);
    QCOMPARE(log.all().filter(QStringLiteral("Locate the specified DTS endpoint")).size(), 1);
    // The filter runs in front of the headset, and only the headset.
    QVERIFY(m_server.waitForNode(kFilter, true, kSettleMs));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.linked(kFilterOutput, kHeadsetSink), kSettleMs);
    QVERIFY(!m_server.linked(kFilterOutput, kSpeakers));
}

void TestHeadsetPipeWire::eachModeSetsItsGainsOnTheRunningNode_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<double>("bass");
    QTest::addColumn<double>("dialogue");
    // The configuration's modes: bass level 60 or 50 of 100 on a 10 dB shelf, dialogue level
    // 55 or 70 of 100 on an 8 dB peak, each only where its switch is on.
    QTest::newRow("Gaming") << 1 << 6.0 << 0.0;
    QTest::newRow("Music") << 2 << 5.0 << 0.0;
    QTest::newRow("Theater") << 3 << 5.0 << 4.4;
    QTest::newRow("Voice") << 4 << 0.0 << 5.6;
}

void TestHeadsetPipeWire::eachModeSetsItsGainsOnTheRunningNode()
{
    QFETCH(int, option);
    QFETCH(double, bass);
    QFETCH(double, dialogue);
    Program program(m_data->path());
    // Start from another mode, so that every value has to change.
    program.select(option == 1 ? 4 : 1);
    const QVariantMap answer = program.select(option);
    QCOMPARE(answer.value(QStringLiteral("runFunction")).toInt(), 5);
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("bass:Gain"), bass, kSettleMs));
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("dialogue:Gain"), dialogue, kSettleMs));
    const QMap<QString, double> controls = *m_server.controls(kFilter);
    for (int n = 0; n < 10; ++n)
        QCOMPARE(controls.value(band(n)), 0.0);
}

void TestHeadsetPipeWire::bandChangeReachesTheRunningNode()
{
    Program program(m_data->path());
    program.run(customSlot(8, 5, {}, -1, -1));
    program.select(5);
    QVariantMap move = customSlot(7, 5, {0, 0, 0, 6}, -1, -1);
    move.insert(QStringLiteral("indexGEQ"), 3);
    const QVariantMap answer = program.run(move);
    QCOMPARE(answer.value(QStringLiteral("GEQ_Band3")).toInt(), 6);
    QVERIFY(m_server.waitForControl(kFilter, band(3), 6.0, kSettleMs));
    // The neighbours stay where they were.
    QCOMPARE(m_server.controls(kFilter)->value(band(2)), 0.0);
    QCOMPARE(m_server.controls(kFilter)->value(band(4)), 0.0);

    move.insert(QStringLiteral("GEQ_Band3"), -10);
    program.run(move);
    QVERIFY(m_server.waitForControl(kFilter, band(3), -10.0, kSettleMs));
}

void TestHeadsetPipeWire::bassAndDialogueSwitches()
{
    Program program(m_data->path());
    program.run(customSlot(8, 6, {}, -1, -1));
    program.select(6);
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("bass:Gain"), 0.0, kSettleMs));
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("dialogue:Gain"), 0.0, kSettleMs));

    // The custom mode's levels: bass 50, dialogue 40.
    program.run(customSlot(9, 6, {}, 1, -1));
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("dialogue:Gain"), 3.2, kSettleMs));
    QCOMPARE(m_server.controls(kFilter)->value(QStringLiteral("bass:Gain")), 0.0);

    program.run(customSlot(9, 6, {}, -1, 1));
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("bass:Gain"), 5.0, kSettleMs));
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("dialogue:Gain"), 0.0, kSettleMs));
}

void TestHeadsetPipeWire::dtsOffLeavesTheSoundUnprocessed()
{
    Program program(m_data->path());
    program.run(customSlot(8, 5, {3, 0, 0, 0, 0, 0, 0, 0, 0, -4}, 1, 1));
    program.select(5);
    QVERIFY(m_server.waitForControl(kFilter, band(9), -4.0, kSettleMs));

    program.run({{QStringLiteral("runFunction"), 3}});
    QVERIFY(m_server.waitForControl(kFilter, band(0), 0.0, kSettleMs));
    const QMap<QString, double> controls = *m_server.controls(kFilter);
    for (auto it = controls.cbegin(); it != controls.cend(); ++it) {
        if (it.key().endsWith(QLatin1String(":Gain")))
            QVERIFY2(it.value() == 0.0, qPrintable(it.key()));
    }
    // On again: the music mode's sound.
    program.run({{QStringLiteral("runFunction"), 2}});
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("bass:Gain"), 5.0, kSettleMs));
}

void TestHeadsetPipeWire::customSlotSurvivesARestartOfTheProgram()
{
    {
        Program program(m_data->path());
        program.run(customSlot(8, 7, {0, 0, 0, 0, 0, 0, 0, 5}, 1, -1));
        program.run(customSlot(7, 7, {0, 0, 0, 0, 0, 0, 0, 5}, 1, -1));
        program.select(7);
        QVERIFY(m_server.waitForControl(kFilter, band(7), 5.0, kSettleMs));
    }
    QVERIFY(m_server.waitForNode(kFilter, false, kSettleMs));

    // The next run finds the filter's settings before the page asks for anything.
    Program program(m_data->path());
    QVERIFY(m_server.waitForControl(kFilter, band(7), 5.0, kSettleMs));
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("dialogue:Gain"), 3.2, kSettleMs));
    const QVariantMap answer = program.device->get_Headphone_Devices();
    QCOMPARE(answer.value(QStringLiteral("getlastAction")).toInt(), 7);
    QCOMPARE(answer.value(QStringLiteral("GEQ_Band7")).toInt(), 5);
}

void TestHeadsetPipeWire::headsetUnpluggedAndPluggedAgain()
{
    Program program(m_data->path());
    program.run(customSlot(8, 5, {0, 4}, -1, -1));
    program.select(5);
    QVERIFY(m_server.waitForControl(kFilter, band(1), 4.0, kSettleMs));

    m_server.removeSink(kHeadsetSink);
    // The filter goes with the headset; it never moves to another output.
    QVERIFY(m_server.waitForNode(kFilter, false, kSettleMs));
    QCOMPARE(program.device->get_Headphone_Devices().value(QStringLiteral("headphoneNum")).toInt(), 0);

    QVERIFY(m_server.addSink(kHeadsetSink, QStringLiteral("Test RH20 headset"), true));
    QVERIFY(m_server.waitForControl(kFilter, band(1), 4.0, kSettleMs));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.linked(kFilterOutput, kHeadsetSink), kSettleMs);
    QCOMPARE(program.device->get_Headphone_Devices().value(QStringLiteral("headphoneNum")).toInt(), 1);
}

void TestHeadsetPipeWire::filterComesBackAfterTheServerRestarts()
{
    Program program(m_data->path());
    program.run(customSlot(8, 5, {0, 0, -3}, -1, -1));
    program.select(5);
    QVERIFY(m_server.waitForControl(kFilter, band(2), -3.0, kSettleMs));

    m_server.stopServer();
    QString error;
    QVERIFY2(m_server.startServer(&error), qPrintable(error));
    // The client connects again within its retry period and loads the filter as it was.
    QVERIFY(m_server.waitForControl(kFilter, band(2), -3.0, 3 * kSettleMs));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.linked(kFilterOutput, kHeadsetSink), kSettleMs);
}

void TestHeadsetPipeWire::serverThatStopsAnsweringFreesTheWorker()
{
    Program program(m_data->path());
    program.select(2);
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("bass:Gain"), 5.0, kSettleMs));
    QTRY_VERIFY_WITH_TIMEOUT(program.dts->client().filterRunning(), kSettleMs);
    m_server.pauseServer(true);
    LogCapture log;
    QElapsedTimer timer;
    timer.start();
    program.select(3);
    const qint64 elapsed = timer.elapsed();
    // The server stops while the filter's gains are on their way, at the end of a command.
    FilterGains gains;
    gains.bands[4] = 2;
    QString error;
    timer.restart();
    const bool taken = program.dts->client().setGains(gains, PipeWireDtsComponent::kTimeoutMs, &error);
    const qint64 settingElapsed = timer.elapsed();
    m_server.pauseServer(false);
    QVERIFY2(elapsed < 2 * PipeWireDtsComponent::kTimeoutMs, qPrintable(QString::number(elapsed)));
    QVERIFY(!taken);
    QCOMPARE(error, QStringLiteral("the sound server did not answer within 800 ms"));
    QVERIFY2(settingElapsed < 2 * PipeWireDtsComponent::kTimeoutMs, qPrintable(QString::number(settingElapsed)));
    QVERIFY(log.contains(QStringLiteral("PipeWire: the sound server did not answer within 800 ms")));
    QVERIFY(log.contains(QStringLiteral("Initialization of COM library failed.")));
    // Answering again: the next command goes through.
    program.select(3);
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("dialogue:Gain"), 4.4, kSettleMs));
}

void TestHeadsetPipeWire::toneThroughTheFilterChangesByTheBandsGain()
{
    Program program(m_data->path());
    program.run(customSlot(8, 5, {}, -1, -1));
    program.select(5);
    QVERIFY(m_server.waitForControl(kFilter, band(5), 0.0, kSettleMs));
    QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("bass:Gain"), 0.0, kSettleMs));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.linked(kFilterOutput, kHeadsetSink), kSettleMs);
    // Band 5 sits at 1 kHz: a tone there rises by the band's gain, and only by it.
    const std::optional<double> flat = m_server.toneLevel(kFilter, kHeadsetSink, 1000.0);
    QVERIFY(flat);

    QVariantMap move = customSlot(7, 5, {0, 0, 0, 0, 0, 6}, -1, -1);
    move.insert(QStringLiteral("indexGEQ"), 5);
    program.run(move);
    QVERIFY(m_server.waitForControl(kFilter, band(5), 6.0, kSettleMs));
    const std::optional<double> raised = m_server.toneLevel(kFilter, kHeadsetSink, 1000.0);
    QVERIFY(raised);
    QVERIFY2(qAbs(*raised - *flat - 6.0) <= 0.5, qPrintable(QStringLiteral("%1 dB then %2 dB").arg(*flat).arg(*raised)));

    // DTS off: the tone comes through as it went in.
    program.run({{QStringLiteral("runFunction"), 3}});
    QVERIFY(m_server.waitForControl(kFilter, band(5), 0.0, kSettleMs));
    const std::optional<double> off = m_server.toneLevel(kFilter, kHeadsetSink, 1000.0);
    QVERIFY(off);
    qInfo("1 kHz tone at the headset: %.2f dBFS flat, %.2f dBFS with +6 dB, %.2f dBFS with DTS off", *flat, *raised, *off);
    QVERIFY2(qAbs(*off - *flat) <= 0.5, qPrintable(QStringLiteral("%1 dB then %2 dB").arg(*flat).arg(*off)));
}

void TestHeadsetPipeWire::defaultOutputGoesThroughTheFilterOnlyWhenItIsTheHeadset()
{
    m_server.setConfiguredDefaultSink(kSpeakers);
    QTRY_COMPARE_WITH_TIMEOUT(m_server.defaultSink(), kSpeakers, kSettleMs);
    {
        Program program(m_data->path());
        QVERIFY(m_server.waitForNode(kFilter, true, kSettleMs));
        // The speakers are the user's choice: the filter does not take their place.
        QTest::qWait(300);
        QCOMPARE(m_server.defaultSink(), kSpeakers);

        // The headset chosen: its sound goes through the filter.
        m_server.setConfiguredDefaultSink(kHeadsetSink);
        QTRY_COMPARE_WITH_TIMEOUT(m_server.defaultSink(), kFilter, kSettleMs);
    }
    // The program ends: the headset is the default output again, not a filter that is gone.
    QTRY_COMPARE_WITH_TIMEOUT(m_server.defaultSink(), kHeadsetSink, kSettleMs);
    m_server.setConfiguredDefaultSink(kSpeakers);
}

void TestHeadsetPipeWire::anotherEqualiserOnTheHeadsetIsReported()
{
    QString error;
    QVERIFY2(m_server.startOtherFilter(kHeadsetSink, &error), qPrintable(error));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.linked(QStringLiteral("user_equaliser.output"), kHeadsetSink), kSettleMs);
    LogCapture log;
    {
        Program program(m_data->path());
        program.select(2);
        QVERIFY(m_server.waitForControl(kFilter, QStringLiteral("bass:Gain"), 5.0, kSettleMs));
        QTRY_VERIFY_WITH_TIMEOUT(
            log.contains(QStringLiteral("PipeWire: another filter already processes the headset's sound: user_equaliser.output")),
            kSettleMs);
    }
    m_server.stopOtherFilter();
}

QTEST_GUILESS_MAIN(TestHeadsetPipeWire)
#include "tst_headset_pipewire.moc"
