// The device code against our Linux GPU library on recorded machines: which cards are listed
// with which ids, names and scales, the 1 Hz samples, the OEM bus chosen for lighting, the
// cards whose lighting cannot be reached, and the messages every effect puts on the bus.
#include "devices/gpu/adlx_session.h"
#include "devices/gpu/dev_gpu.h"
#include "games/log_capture.h"
#include "real/gpu/real_location.h"
#include "lighting_expectations.h"
#include "recorded_machine.h"

#include <QDir>
#include <QSysInfo>
#include <QtTest>
#include <memory>

namespace {

const QString kCardFolder = QStringLiteral("sys/devices/pci0000:00/0000:00:01.1/0000:03:00.0");

QVariantMap firstCard(const QVariantMap& answer)
{
    return answer.value(QStringLiteral("GPU0")).toMap();
}

QString text(const QVariantMap& map, const char* key)
{
    return map.value(QLatin1String(key)).toString();
}

// "i2c-7 w22[30 12 34 56] ack": one register write as a single message to the controller.
QString write(int adapter, const QString& bytes)
{
    return QStringLiteral("i2c-%1 w22[%2] ack").arg(adapter).arg(bytes);
}

QString probe(int adapter)
{
    return QStringLiteral("i2c-%1 w22[82] r22[01 00 00] ack").arg(adapter);
}

// The same register writes as the stand-in's tests expect, as the messages they become.
QStringList messages(int adapter, const QList<ExpectedWrite>& writes)
{
    QStringList lines;
    for (const ExpectedWrite& expected : writes)
        lines << write(adapter, hexByte(expected.reg) + QLatin1Char(' ') + expected.bytes);
    return lines;
}

QStringList fourWrites(int adapter, int colourA, int colourB, int modeCode, int wireSpeed)
{
    return messages(adapter, fourRegisterWrites(colourA, colourB, modeCode, 200, wireSpeed, QStringLiteral("12 34 56")));
}

} // namespace

Q_DECLARE_METATYPE(Effect)

class TestLinuxGpuLibrary : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_log.install(); }

    void currentCardIsListedWithItsSysfsFields()
    {
        RecordedMachine machine(QStringLiteral("discrete_full.tree"), QStringLiteral("7:0"));
        QVERIFY2(machine.ok(), qPrintable(machine.error()));
        DEV_GPU gpu(machine.setup());
        const QVariantMap answer = gpu.get_GPUDevicesInfo();
        QCOMPARE(answer.value(QStringLiteral("gpuNum")).toInt(), 1);
        QCOMPARE(answer.value(QStringLiteral("hasAMDGPU")).toInt(), 1);
        QCOMPARE(text(answer, "ERROR_INFO"), QString());
        const QVariantMap card = firstCard(answer);
        QCOMPARE(text(card, "deviceId"), QStringLiteral("744C"));
        QCOMPARE(text(card, "revisionId"), QStringLiteral("CE"));
        QCOMPARE(text(card, "subSystemId"), QStringLiteral("471E"));
        QCOMPARE(text(card, "subSystemVendorId"), QStringLiteral("1DA2"));
        QCOMPARE(text(card, "VendorId"), QStringLiteral("1002"));
        QCOMPARE(text(card, "Name"), QStringLiteral("AMD Radeon RX 7900 XTX"));
        QCOMPARE(card.value(QStringLiteral("TotalVRAM")).toUInt(), 24560u);
        QCOMPARE(card.value(QStringLiteral("isSupportRGB")).toInt(), 1);
        QCOMPARE(text(card, "lightingUnavailable"), QString());
        QCOMPARE(card.value(QStringLiteral("GPUindex")).toInt(), 0);
        QCOMPARE(card.value(QStringLiteral("gpuClass")).toInt(), 3);
        // The driver is built into the kernel here (no module version): its release stands in.
        QCOMPARE(text(answer, "AMD_driverVersion"), QSysInfo::kernelVersion());
        // Only the OEM bus was asked, once, at the controller's bus address.
        QCOMPARE(machine.trace(), QStringList{probe(7)});
    }

    void scalesComeFromTheCardsOwnLimits()
    {
        RecordedMachine machine(QStringLiteral("discrete_full.tree"), QStringLiteral("7:0"));
        DEV_GPU gpu(machine.setup());
        const QVariantMap card = firstCard(gpu.get_GPUDevicesInfo());
        QCOMPARE(text(card, "GPU_usage_range"), QStringLiteral("0_100"));
        QCOMPARE(text(card, "GPU_power_range"), QStringLiteral("0_402"));
        QCOMPARE(text(card, "GPU_fan_speed_range"), QStringLiteral("0_3300"));
        QCOMPARE(text(card, "GPU_VRAM_range"), QStringLiteral("0_24560"));
        QCOMPARE(text(card, "GPU_clock_speed_range"), QStringLiteral("500_2526"));
        QCOMPARE(text(card, "GPU_VRAM_clock_speed"), QStringLiteral("96_1249"));
        QCOMPARE(text(card, "GPU_temp_range"), QStringLiteral("0_100"));
        QCOMPARE(text(card, "GPU_hotspot_temp_range"), QStringLiteral("0_110"));
    }

    void samplesFollowTheSensors()
    {
        RecordedMachine machine(QStringLiteral("discrete_full.tree"), QStringLiteral("7:0"));
        DEV_GPU gpu(machine.setup());
        QVariantMap sample = gpu.realtime_getGPU_Information(0);
        QCOMPARE(sample.value(QStringLiteral("hasData")).toInt(), 1);
        QCOMPARE(text(sample, "GPU_Usage"), QStringLiteral("37"));
        QCOMPARE(text(sample, "GPU_TotalBoardPower"), QStringLiteral("215")); // the average, not the input
        QCOMPARE(text(sample, "GPU_FanSpeed"), QStringLiteral("1320"));
        QCOMPARE(text(sample, "GPU_VRAMUsage"), QStringLiteral("1536"));
        QCOMPARE(text(sample, "GPU_ClockSpeed"), QStringLiteral("2345")); // hwmon, not the table
        QCOMPARE(text(sample, "GPU_VRAMClockSpeed"), QStringLiteral("1249"));
        QCOMPARE(text(sample, "GPU_Temperature"), QStringLiteral("45"));
        QCOMPARE(text(sample, "GPU_HotspotTemperature"), QStringLiteral("61"));

        machine.write(kCardFolder + QStringLiteral("/hwmon/hwmon3/temp1_input"), "47900\n");
        machine.write(kCardFolder + QStringLiteral("/gpu_busy_percent"), "81\n");
        sample = gpu.realtime_getGPU_Information(0);
        QCOMPARE(text(sample, "GPU_Temperature"), QStringLiteral("47"));
        QCOMPARE(text(sample, "GPU_Usage"), QStringLiteral("81"));
        // No card 1 on this machine.
        QCOMPARE(gpu.realtime_getGPU_Information(1).value(QStringLiteral("hasData")).toInt(), 0);
    }

    void powerInputAndStarredClocksServeWhereTheBetterFilesAreMissing()
    {
        RecordedMachine machine(QStringLiteral("power_input_only.tree"), QStringLiteral("3:1"));
        DEV_GPU gpu(machine.setup());
        const QVariantMap answer = gpu.get_GPUDevicesInfo();
        const QVariantMap card = firstCard(answer);
        QCOMPARE(text(card, "Name"), QStringLiteral("AMD Radeon RX 6900 XT"));
        QCOMPARE(card.value(QStringLiteral("isSupportRGB")).toInt(), 1); // the older OEM bus name
        QCOMPARE(text(answer, "AMD_driverVersion"), QStringLiteral("6.1.5"));
        QCOMPARE(text(card, "GPU_power_range"), QStringLiteral("0_300"));
        const QVariantMap sample = gpu.realtime_getGPU_Information(0);
        QCOMPARE(text(sample, "GPU_TotalBoardPower"), QStringLiteral("32"));
        QCOMPARE(text(sample, "GPU_ClockSpeed"), QStringLiteral("1205"));
        QCOMPARE(text(sample, "GPU_VRAMClockSpeed"), QStringLiteral("96"));
        QCOMPARE(text(sample, "GPU_FanSpeed"), QStringLiteral("0"));
        QCOMPARE(machine.trace(), QStringList{probe(3)});
    }

    void apuWithoutFanOrVramClockAnswersNotSupported()
    {
        RecordedMachine machine(QStringLiteral("apu.tree"));
        DEV_GPU gpu(machine.setup());
        // Not a board of ours: not listed, and no bus was touched (it has no OEM bus either).
        QCOMPARE(gpu.get_GPUDevicesInfo().value(QStringLiteral("gpuNum")).toInt(), 0);
        QCOMPARE(machine.trace(), QStringList());
        const QVariantMap sample = gpu.realtime_getGPU_Information(0);
        QCOMPARE(sample.value(QStringLiteral("hasData")).toInt(), 1);
        QCOMPARE(sample.value(QStringLiteral("GPU_FanSpeed")), QVariant(0));
        QCOMPARE(sample.value(QStringLiteral("GPU_VRAMClockSpeed")), QVariant(0));
        QCOMPARE(text(sample, "GPU_Temperature"), QStringLiteral("52"));
        QCOMPARE(sample.value(QStringLiteral("GPU_HotspotTemperature")), QVariant(0));
        QCOMPARE(text(sample, "GPU_ClockSpeed"), QStringLiteral("1100"));

        // The scales the library gives: code 12 where the card has none, so the fixed ones apply.
        AdlxSession session(deviceQueryLoader(), linuxAdlxRecordingLibraryPath());
        QVERIFY(session.ok());
        IADLXPerformanceMonitoringServicesPtr services;
        IADLXGPUListPtr gpus;
        IADLXGPUPtr card;
        IADLXGPUMetricsSupportPtr support;
        QCOMPARE(session.system()->GetPerformanceMonitoringServices(services.receive()), ADLX_OK);
        QCOMPARE(session.system()->GetGPUs(gpus.receive()), ADLX_OK);
        QCOMPARE(gpus->At(0, card.receive()), ADLX_OK);
        QCOMPARE(services->GetSupportedGPUMetrics(card.get(), support.receive()), ADLX_OK);
        adlx_int lo = -1;
        adlx_int hi = -1;
        QCOMPARE(support->GetGPUFanSpeedRange(&lo, &hi), ADLX_NOT_SUPPORTED);
        QCOMPARE(support->GetGPUVRAMClockSpeedRange(&lo, &hi), ADLX_NOT_SUPPORTED);
        QCOMPARE(support->GetGPUTemperatureRange(&lo, &hi), ADLX_NOT_SUPPORTED); // a limit of 200 degrees
        QCOMPARE(support->GetGPUTotalBoardPowerRange(&lo, &hi), ADLX_NOT_SUPPORTED);
        QCOMPARE(support->GetGPUClockSpeedRange(&lo, &hi), ADLX_OK);
        QCOMPARE(lo, 400);
        QCOMPARE(hi, 2200);
        adlx_bool supported = true;
        QCOMPARE(support->IsSupportedGPUFanSpeed(&supported), ADLX_OK);
        QVERIFY(!supported);
        support.reset();
        card.reset();
        gpus.reset();
        services.reset();
    }

    void suspendedCardIsListedButNotSampled()
    {
        RecordedMachine machine(QStringLiteral("suspended.tree"), QStringLiteral("7:0"));
        DEV_GPU gpu(machine.setup());
        const QVariantMap card = firstCard(gpu.get_GPUDevicesInfo());
        QCOMPARE(text(card, "Name"), QStringLiteral("AMD Radeon Graphics 744C:C8")); // not in the name table
        QCOMPARE(card.value(QStringLiteral("isSupportRGB")).toInt(), 1);
        QVariantMap sample;
        const QStringList opened = machine.opensDuring([&] { sample = gpu.realtime_getGPU_Information(0); });
        QCOMPARE(sample.value(QStringLiteral("hasData")).toInt(), 0);
        // Only its power state was read: no sensor, no clock table, no label.
        QCOMPARE(opened.filter(QRegularExpression(QStringLiteral("^(temp|power1|fan|freq|gpu_busy|pp_dpm|mem_info_vram_used)"))),
                 QStringList());
        QVERIFY(opened.contains(QStringLiteral("runtime_status")));
        QCOMPARE(sample.value(QStringLiteral("GPU_Usage")), QVariant(0));
        QCOMPARE(sample.value(QStringLiteral("GPU_Temperature")), QVariant(0));
        // Awake again: sampled.
        machine.write(kCardFolder + QStringLiteral("/power/runtime_status"), "active\n");
        QCOMPARE(gpu.realtime_getGPU_Information(0).value(QStringLiteral("hasData")).toInt(), 1);
    }

    void temperaturesAreFoundByTheirLabels()
    {
        RecordedMachine machine(QStringLiteral("swapped_labels.tree"), QStringLiteral("7:0"));
        DEV_GPU gpu(machine.setup());
        const QVariantMap card = firstCard(gpu.get_GPUDevicesInfo());
        QCOMPARE(text(card, "GPU_temp_range"), QStringLiteral("0_100"));
        QCOMPARE(text(card, "GPU_hotspot_temp_range"), QStringLiteral("0_110"));
        const QVariantMap sample = gpu.realtime_getGPU_Information(0);
        QCOMPARE(text(sample, "GPU_Temperature"), QStringLiteral("71"));
        QCOMPARE(text(sample, "GPU_HotspotTemperature"), QStringLiteral("88"));
    }

    void twoCardsEachUseTheirOwnOemBus()
    {
        RecordedMachine machine(QStringLiteral("two_cards.tree"), QStringLiteral("7:0,12:1"));
        DEV_GPU gpu(machine.setup());
        const QVariantMap answer = gpu.get_GPUDevicesInfo();
        QCOMPARE(answer.value(QStringLiteral("gpuNum")).toInt(), 2);
        const QVariantMap first = answer.value(QStringLiteral("GPU0")).toMap();
        const QVariantMap second = answer.value(QStringLiteral("GPU1")).toMap();
        // The other maker's display device is not a card of the list at all.
        QCOMPARE(first.value(QStringLiteral("GPUindex")).toInt(), 0);
        QCOMPARE(text(first, "deviceId"), QStringLiteral("744C"));
        QCOMPARE(second.value(QStringLiteral("GPUindex")).toInt(), 1);
        QCOMPARE(text(second, "deviceId"), QStringLiteral("73BF"));
        QCOMPARE(machine.trace(), QStringList({probe(7), probe(12)}));
        QCOMPARE(text(gpu.realtime_getGPU_Information(1), "GPU_Usage"), QStringLiteral("80"));
    }

    void cardWithoutOemBusIsShownForItsMonitorOnly()
    {
        RecordedMachine machine(QStringLiteral("discrete_full.tree"), QStringLiteral("7:0"));
        machine.write(kCardFolder + QStringLiteral("/i2c-7/name"), "AMDGPU DM i2c hw bus 3\n");
        DEV_GPU gpu(machine.setup());
        const int logBefore = m_log.lines().size();
        const QVariantMap answer = gpu.get_GPUDevicesInfo();
        QCOMPARE(answer.value(QStringLiteral("gpuNum")).toInt(), 1);
        const QVariantMap card = firstCard(answer);
        QCOMPARE(card.value(QStringLiteral("isSupportRGB")).toInt(), 0);
        QCOMPARE(text(card, "lightingUnavailable"), QStringLiteral("Lighting needs the i2c-dev module and Linux 6.15 or newer"));
        QVERIFY(card.contains(QStringLiteral("GPU_temp_range")));
        // No display bus was tried instead.
        QCOMPARE(machine.trace(), QStringList());
        QCOMPARE(m_log.lines().mid(logBefore).filter(QStringLiteral("Lighting needs the i2c-dev module")).size(), 1);
        // Lighting commands reach nothing either.
        QCOMPARE(gpu.click_singleColor(0, 255, 0, 1, 2, 3), -1);
        QCOMPARE(machine.trace(), QStringList());
    }

    void busThatCannotBeOpenedIsExplained()
    {
        RecordedMachine missing(QStringLiteral("discrete_full.tree"), QStringLiteral("7:0"));
        missing.remove(QStringLiteral("dev/i2c-7")); // i2c-dev not loaded
        DEV_GPU gpu(missing.setup());
        QCOMPARE(text(firstCard(gpu.get_GPUDevicesInfo()), "lightingUnavailable"),
                 QStringLiteral("Lighting needs the i2c-dev module and Linux 6.15 or newer"));
        QCOMPARE(missing.trace(), QStringList());
    }

    void busThatMayNotBeOpenedAsksForTheRule()
    {
        RecordedMachine machine(QStringLiteral("discrete_full.tree"), QStringLiteral("7:0"));
        // A node that cannot be opened for writing (a folder stands in: root may open any file).
        machine.remove(QStringLiteral("dev/i2c-7"));
        QVERIFY(QDir().mkpath(machine.root() + QStringLiteral("/dev/i2c-7")));
        DEV_GPU gpu(machine.setup());
        const int logBefore = m_log.lines().size();
        const QVariantMap card = firstCard(gpu.get_GPUDevicesInfo());
        QCOMPARE(m_log.lines().mid(logBefore).filter(QStringLiteral("No permission to open ") + machine.root()
                                                     + QStringLiteral("/dev/i2c-7: install the udev rule")).size(), 1);
        QCOMPARE(card.value(QStringLiteral("isSupportRGB")).toInt(), 0);
        QVERIFY(text(card, "lightingUnavailable").startsWith(QStringLiteral("No permission to open")));
        QVERIFY(text(card, "lightingUnavailable").contains(QStringLiteral("udev rule")));
    }

    void controllerThatDoesNotAnswerKeepsTheCardUnlisted()
    {
        RecordedMachine machine(QStringLiteral("two_cards.tree"), QStringLiteral("12:1"));
        DEV_GPU gpu(machine.setup());
        const QVariantMap answer = gpu.get_GPUDevicesInfo();
        QCOMPARE(answer.value(QStringLiteral("gpuNum")).toInt(), 1);
        QCOMPARE(firstCard(answer).value(QStringLiteral("GPUindex")).toInt(), 1);
        QCOMPARE(machine.trace().value(0), QStringLiteral("i2c-7 w22[82] r22[3] nak"));
    }

    void everyEffectPutsItsMessagesOnBothBusTypes_data()
    {
        QTest::addColumn<Effect>("run");
        QTest::addColumn<int>("modeCode");
        QTest::addColumn<int>("wireSpeed");
        for (const EffectCase& effect : everyModeEffect())
            QTest::newRow(effect.name) << effect.run << effect.modeCode << effect.wireSpeed;
        QTest::newRow("lighting off") << Effect([](DEV_GPU& gpu, int index) {
            return gpu.click_turnOnOff(index, 200, 30, 0x12, 0x34, 0x56, 0);
        }) << 0x00 << 70;
    }

    void everyEffectPutsItsMessagesOnBothBusTypes()
    {
        QFETCH(Effect, run);
        QFETCH(int, modeCode);
        QFETCH(int, wireSpeed);
        RecordedMachine machine(QStringLiteral("two_cards.tree"), QStringLiteral("7:0,12:1"));
        DEV_GPU gpu(machine.setup());
        QCOMPARE(gpu.get_GPUDevicesInfo().value(QStringLiteral("gpuNum")).toInt(), 2);
        machine.clearTrace();
        QCOMPARE(run(gpu, 0), 1);
        QCOMPARE(run(gpu, 1), 1);
        QCOMPARE(machine.trace(), fourWrites(7, kType0ColourA, kType0ColourB, modeCode, wireSpeed)
                                      + fourWrites(12, kType1ColourA, kType1ColourB, modeCode, wireSpeed));
    }

    void doubleBlinkAndSyncPutTheirMessagesOnTheBus()
    {
        RecordedMachine machine(QStringLiteral("two_cards.tree"), QStringLiteral("7:0,12:1"));
        DEV_GPU gpu(machine.setup());
        QCOMPARE(gpu.get_GPUDevicesInfo().value(QStringLiteral("gpuNum")).toInt(), 2);
        machine.clearTrace();
        QCOMPARE(gpu.click_doubleBlink(1, 255, 0, 0, 0, 255), 1);
        QCOMPARE(gpu.sync_MotherBoard_State_On(1), 1);
        QCOMPARE(gpu.sync_MotherBoard_State_Off(0), 1);
        QCOMPARE(machine.trace(), QStringList({write(12, QStringLiteral("04 00 00 00")), write(12, QStringLiteral("01 05 FF 87")),
                                               write(12, QStringLiteral("02 00 32 96")), write(12, QStringLiteral("0E 00 00 FF")),
                                               write(12, QStringLiteral("0F 00 00 FF")), write(12, QStringLiteral("12 01 01 01")),
                                               write(7, QStringLiteral("04 00 00 00"))}));
    }

    void onlyTheControllerOnItsLineIsEverAddressed()
    {
        RecordedMachine machine(QStringLiteral("discrete_full.tree"), QStringLiteral("7:any"));
        AdlxSession session(lightingLoader(), linuxAdlxRecordingLibraryPath());
        QVERIFY(session.ok());
        {
            IADLXGPUListPtr gpus;
            IADLXGPUPtr card;
            IADLXI2CPtr i2c;
            QCOMPARE(session.system()->GetGPUs(gpus.receive()), ADLX_OK);
            QCOMPARE(gpus->At(0, card.receive()), ADLX_OK);
            QCOMPARE(session.system()->GetI2C(card.get(), i2c.receive()), ADLX_OK);
            const adlx_byte bytes[3] = {1, 2, 3};
            QVERIFY(i2c->Write(1, 100, 0x22, 0x30, 3, bytes) != ADLX_OK); // the 7-bit form is refused
            QVERIFY(i2c->Write(1, 100, 0x50, 0x30, 3, bytes) != ADLX_OK); // a monitor's EEPROM
            QVERIFY(i2c->Write(0, 100, 0x44, 0x30, 3, bytes) != ADLX_OK); // another line
            QCOMPARE(machine.trace(), QStringList());
            QCOMPARE(i2c->Write(1, 100, 0x44, 0x30, 3, bytes), ADLX_OK);
            QCOMPARE(machine.trace(), QStringList{write(7, QStringLiteral("30 01 02 03"))});
        }
    }

private:
    LogCapture m_log;
};

QTEST_GUILESS_MAIN(TestLinuxGpuLibrary)
#include "tst_linux_gpu_library.moc"
