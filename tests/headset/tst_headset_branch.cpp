// The worker's headset branch (Control 3), driven through the running worker thread.
#include "core/device_setup.h"
#include "core/talvorin.h"
#include "headset_fixture.h"
#include "real/headset/pipewire_dts_component.h"
#include "util/json_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kSlotOption = QStringLiteral("selectDtsOption");

// Starts a worker on the fixture's devices and stops it again at the end of a test.
class RunningWorker {
public:
    explicit RunningWorker(HeadsetFixture& fixture)
        : worker(fixture.setup, fixture.data.path()), answers(&worker, &TALVORIN::dataChanged)
    {
        worker.start();
    }
    ~RunningWorker()
    {
        worker.stopThread();
        worker.wait(5000);
    }

    // Places a command and waits for the answer with its Control value.
    QVariantMap send(const QVariantMap& command)
    {
        answers.clear();
        worker.receiveDataFromQML(command);
        const int control = command.value(QStringLiteral("Control")).toInt();
        // Polled rather than QSignalSpy::wait: a destroyed worker quits the application, after
        // which no nested event loop of this process runs again.
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            QCoreApplication::processEvents();
            for (const QList<QVariant>& arguments : answers) {
                const QVariantMap answer = arguments.at(0).toMap();
                if (answer.value(QStringLiteral("Control")).toInt() == control)
                    return answer;
            }
            QThread::msleep(10);
        }
        return {};
    }

    TALVORIN worker;
    QSignalSpy answers;
};

QVariantMap recordWith(const QList<QVariantMap>& records, const QString& key)
{
    for (const QVariantMap& record : records) {
        if (record.contains(key))
            return record;
    }
    return {};
}

void writeTool(const QString& folder)
{
    QDir().mkpath(folder + QStringLiteral("/initialPEQ"));
    QFile tool(folder + QStringLiteral("/initialPEQ/initialPEQ"));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\necho run >> \"$(dirname \"$0\")/runs\"\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(QFile::copy(QStringLiteral(TALVORIN_HEADSET_CONFIG_DIR) + QStringLiteral("/dts_apo4_hpxv2_oem_config_2DBF0001.xml"),
                        folder + QStringLiteral("/dts_apo4_hpxv2_oem_config_2DBF0001.xml")));
}

int toolRuns(const QString& folder)
{
    QFile runs(folder + QStringLiteral("/initialPEQ/runs"));
    return runs.open(QIODevice::ReadOnly) ? runs.readAll().count('\n') : 0;
}

} // namespace

class TestHeadsetBranch : public QObject {
    Q_OBJECT

private slots:
    void switchingOffSavesLastChoiceAndBeforeOff();
    void applyingAnOptionRunsThePeqToolUnlessOnlyTheGeqIsReset();
    void commandWithoutOptionKeepsTheCustomSlots();
    void missingHeadsetOnlyLogsAndConsumes();
    void discoveryReportsTheHeadset();
    void virtualDevicesPlugInTheHeadset();
    void headsetFilesBesideTheExecutableOrUnderShare();
};

void TestHeadsetBranch::switchingOffSavesLastChoiceAndBeforeOff()
{
    HeadsetFixture fixture;
    const QVariantMap slot{{kSlotOption, 5}, {QStringLiteral("ModeName"), QStringLiteral("Mine")},
                           {QStringLiteral("GEQ_Band1"), 3}};
    QVERIFY(saveJsonList({{{QStringLiteral("getlastAction"), 2}, {QStringLiteral("beforeOFF"), 0}}, slot},
                         fixture.settingsPath()));
    QVERIFY(saveJsonObject(fixture.data.path() + QStringLiteral("/Headphone/fw_version.json"),
                           {{QStringLiteral("name"), QStringLiteral("RH20_FW_1.0.7")}, {QStringLiteral("version"), 107}}));

    RunningWorker running(fixture);
    const QVariantMap answer = running.send({{QStringLiteral("Control"), 3}, {QStringLiteral("runFunction"), 5},
                                             {kSlotOption, 8}, {QStringLiteral("beforeOFF"), 2},
                                             {QStringLiteral("resetGEQ"), 1}});
    QCOMPARE(answer.value(QStringLiteral("Control")).toInt(), 3);
    QCOMPARE(answer.value(QStringLiteral("RESULTS")).toInt(), 1);
    QCOMPARE(answer.value(QStringLiteral("runFunction")).toInt(), 5);
    QCOMPARE(answer.value(QStringLiteral("resetGEQ")).toInt(), 1);
    QCOMPARE(answer.value(QStringLiteral("HeadphoneFW")).toString(), QStringLiteral("RH20_FW_1.0.7"));
    QCOMPARE(fixture.state().headsetActiveMode(), QStringLiteral("APO4-Off"));
    QCOMPARE(fixture.state().writeLog(), QStringList());
    QCOMPARE(running.worker.commandSlot().value(QStringLiteral("Control")).toInt(), -1);

    const QList<QVariantMap> records = loadJsonList(fixture.settingsPath());
    QCOMPARE(records.size(), 2);
    const QVariantMap last = recordWith(records, QStringLiteral("getlastAction"));
    QCOMPARE(last.value(QStringLiteral("getlastAction")).toInt(), 8);
    QCOMPARE(last.value(QStringLiteral("beforeOFF")).toInt(), 2);
    QCOMPARE(recordWith(records, kSlotOption), slot);

    // The next start shows the choice again.
    const QVariantMap located = running.send({{QStringLiteral("Control"), 3}, {QStringLiteral("runFunction"), 1}});
    QCOMPARE(located.value(QStringLiteral("getlastAction")).toInt(), 8);
    QCOMPARE(located.value(QStringLiteral("beforeOFF")).toInt(), 2);
    QCOMPARE(located.value(QStringLiteral("custom1_Name")).toString(), QStringLiteral("Mine"));
}

void TestHeadsetBranch::applyingAnOptionRunsThePeqToolUnlessOnlyTheGeqIsReset()
{
    HeadsetFixture fixture;
    QTemporaryDir tools;
    writeTool(tools.path());
    fixture.setup.headsetFilesDir = tools.path();

    RunningWorker running(fixture);
    QVariantMap answer = running.send({{QStringLiteral("Control"), 3}, {QStringLiteral("runFunction"), 5},
                                       {kSlotOption, 2}, {QStringLiteral("resetGEQ"), 0}});
    QCOMPARE(answer.value(QStringLiteral("resetGEQ")).toInt(), 0);
    QCOMPARE(toolRuns(tools.path()), 1);
    QCOMPARE(fixture.state().headsetActiveMode(), QStringLiteral("APO4-Music"));

    answer = running.send({{QStringLiteral("Control"), 3}, {QStringLiteral("runFunction"), 5}, {kSlotOption, 1},
                           {QStringLiteral("resetGEQ"), 1}});
    QCOMPARE(answer.value(QStringLiteral("resetGEQ")).toInt(), 1);
    QCOMPARE(toolRuns(tools.path()), 1);
    QCOMPARE(fixture.state().headsetActiveMode(), QStringLiteral("APO4-Game1"));
    // Without a settings file there is nothing to record the choice in yet.
    QVERIFY(!QFile::exists(fixture.settingsPath()));
}

void TestHeadsetBranch::commandWithoutOptionKeepsTheCustomSlots()
{
    HeadsetFixture fixture;
    const QList<QVariantMap> saved{{{QStringLiteral("getlastAction"), 6}},
                                   {{kSlotOption, 6}, {QStringLiteral("ModeName"), QStringLiteral("Keep me")}}};
    QVERIFY(saveJsonList(saved, fixture.settingsPath()));

    RunningWorker running(fixture);
    const QVariantMap answer = running.send({{QStringLiteral("Control"), 3}, {QStringLiteral("runFunction"), 3}});
    QCOMPARE(answer.value(QStringLiteral("isDTSOn")).toInt(), 0);
    QCOMPARE(loadJsonList(fixture.settingsPath()), saved);
}

void TestHeadsetBranch::missingHeadsetOnlyLogsAndConsumes()
{
    HeadsetFixture fixture;
    fixture.unplug();
    RunningWorker running(fixture);
    LogCapture log;
    const QVariantMap answer = running.send({{QStringLiteral("Control"), 3}, {QStringLiteral("runFunction"), 5},
                                             {kSlotOption, 1}});
    QCOMPARE(answer.value(QStringLiteral("Control")).toInt(), 3);
    QCOMPARE(answer.value(QStringLiteral("RESULTS")).toInt(), -1);
    QCOMPARE(log.problems(), QStringList{QStringLiteral("USB device is not connect. ")});
    QCOMPARE(fixture.dts->systemsCreated(), 0);
    QCOMPARE(fixture.state().writeLog(), QStringList());
    QCOMPARE(running.worker.commandSlot().value(QStringLiteral("Control")).toInt(), -1);
}

void TestHeadsetBranch::discoveryReportsTheHeadset()
{
    HeadsetFixture fixture;
    RunningWorker running(fixture);
    QVariantMap answer = running.send({{QStringLiteral("Control"), 0}});
    QCOMPARE(answer.value(QStringLiteral("headphoneNum")).toInt(), 1);
    const QVariantMap headset = answer.value(QStringLiteral("headphoneDevice")).toMap();
    QCOMPARE(headset.value(QStringLiteral("headphoneName")).toString(), QStringLiteral("Belvarinth ORVENA RH20"));
    QCOMPARE(headset.value(QStringLiteral("custom1_Name")).toString(), QStringLiteral("Custom"));

    // Unplugged since the last look: the discovery must not report the old headset.
    fixture.unplug();
    answer = running.send({{QStringLiteral("Control"), 0}});
    QCOMPARE(answer.value(QStringLiteral("headphoneNum")).toInt(), 0);
}

void TestHeadsetBranch::virtualDevicesPlugInTheHeadset()
{
    HeadsetFixture fixture; // for the data folder
    const DeviceSetup real = makeDeviceSetup(false);
    // Real: the sound server's component, and the machine's own USB devices.
    QVERIFY(std::dynamic_pointer_cast<PipeWireDtsComponent>(real.dts));
    QVERIFY(!real.usbBus);

    const DeviceSetup virtualSetup = makeDeviceSetup(true);
    QVERIFY(virtualSetup.dts);
    QVERIFY(virtualSetup.usbBus);
    DEV_HEADPHONE device(virtualSetup);
    QVERIFY(device.isHeadsetConnected());
    QCOMPARE(device.get_Headphone_Devices().value(QStringLiteral("headphoneNum")).toInt(), 1);
}

void TestHeadsetBranch::headsetFilesBesideTheExecutableOrUnderShare()
{
    QTemporaryDir prefix;
    const QString bin = prefix.path() + QStringLiteral("/bin");
    const QString share = prefix.path() + QStringLiteral("/share/talvorin");
    const QString xml = QStringLiteral("/dts_apo4_hpxv2_oem_config_2DBF0001.xml");
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(share));
    // Nowhere yet: beside the executable, where the log will say it is missing.
    QCOMPARE(headsetFilesFolder(bin), bin);
    // Installed: under share/talvorin of the prefix.
    QVERIFY(QFile::copy(QStringLiteral(TALVORIN_HEADSET_CONFIG_DIR) + xml, share + xml));
    QCOMPARE(headsetFilesFolder(bin), share);
    // The build tree: beside the executable comes first.
    QVERIFY(QFile::copy(QStringLiteral(TALVORIN_HEADSET_CONFIG_DIR) + xml, bin + xml));
    QCOMPARE(headsetFilesFolder(bin), bin);
}

QTEST_GUILESS_MAIN(TestHeadsetBranch)
#include "tst_headset_branch.moc"
