// Discovery against simulated cards: which cards are listed, under which names and indexes,
// with which fields; the driver strings and the PCI pre-check over a fake sysfs tree.
#include "devices/gpu/adlx_session.h"
#include "devices/gpu/board_table.h"
#include "devices/gpu/dev_gpu.h"
#include "sim/gpu/stand_in_location.h"
#include "sim_gpu_fixture.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QtTest>

namespace {

QJsonObject withController(bool answers)
{
    return QJsonObject{{QStringLiteral("controller"), answers}};
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

// One PCI device under <root>/bus/pci/devices/<slot>, ids as sysfs writes them.
void addPciDevice(const QString& root, const QString& slot, const char* vendor, const char* device,
                  const char* subVendor, const char* subDevice, const char* revision)
{
    const QString base = root + QStringLiteral("/bus/pci/devices/") + slot + QLatin1Char('/');
    writeFile(base + QStringLiteral("vendor"), QByteArray(vendor) + '\n');
    writeFile(base + QStringLiteral("device"), QByteArray(device) + '\n');
    writeFile(base + QStringLiteral("subsystem_vendor"), QByteArray(subVendor) + '\n');
    writeFile(base + QStringLiteral("subsystem_device"), QByteArray(subDevice) + '\n');
    writeFile(base + QStringLiteral("revision"), QByteArray(revision) + '\n');
}

void bindDriver(const QString& root, const QString& slot, const QString& driver, const QByteArray& moduleVersion)
{
    const QString driverDir = root + QStringLiteral("/bus/pci/drivers/") + driver;
    QDir().mkpath(driverDir + QStringLiteral("/module"));
    if (!moduleVersion.isEmpty())
        writeFile(driverDir + QStringLiteral("/module/version"), moduleVersion + '\n');
    QFile::link(driverDir, root + QStringLiteral("/bus/pci/devices/") + slot + QStringLiteral("/driver"));
}

} // namespace

class TestGpuDiscovery : public QObject {
    Q_OBJECT

private slots:
    void init() { m_sim.reset(new SimGpuFixture); }
    void cleanup() { m_sim.reset(); }

    void boardTableAndClassesDisagreeWhereTheyShould()
    {
        const auto table = buildProtocolTable();
        QCOMPARE(int(table.size()), 23);
        QCOMPARE(table.at("744C_CE"), 0);
        QCOMPARE(table.at("73BF_C1"), 1);
        QCOMPARE(table.at("74DF_C5"), 1);
        QVERIFY(table.count("73BF_D6") == 0);
        QVERIFY(table.count("73DF_C5") == 0);
        QCOMPARE(gpuClassFor("731F_C1"), 0);
        QCOMPARE(gpuClassFor("73EF_C1"), 1);
        QCOMPARE(gpuClassFor("73BF_C1"), 2);
        QCOMPARE(gpuClassFor("73BF_D6"), 3);
        QCOMPARE(gpuClassFor("7550_C2"), 4);
        QCOMPARE(gpuClassFor("74DF_C5"), 3); // in the table, in no class list
    }

    void listedCardCarriesItsFields()
    {
        QJsonObject card = SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"));
        card.insert(QStringLiteral("name"), QStringLiteral("AMD Radeon RX 7900 XTX"));
        card.insert(QStringLiteral("totalVRAM"), 24576);
        card.insert(QStringLiteral("metrics"), SimGpuFixture::metrics(1, 2, 3, 4, 5, 6, 7, 8));
        m_sim->describeCards({card});
        DEV_GPU gpu(m_sim->setup());
        const QVariantMap info = gpu.get_GPUDevicesInfo();
        QCOMPARE(info.value(QStringLiteral("selectedMode")).toInt(), 11);
        QCOMPARE(info.value(QStringLiteral("hasAMDGPU")).toInt(), 1);
        QCOMPARE(info.value(QStringLiteral("gpuNum")).toInt(), 1);
        QCOMPARE(info.value(QStringLiteral("ERROR_INFO")).toString(), QString());
        const QVariantMap card0 = info.value(QStringLiteral("GPU0")).toMap();
        QCOMPARE(card0.value(QStringLiteral("gpuClass")).toInt(), 3);
        QCOMPARE(card0.value(QStringLiteral("isSupportRGB")).toInt(), 1);
        QCOMPARE(card0.value(QStringLiteral("GPUindex")).toInt(), 0);
        QCOMPARE(card0.value(QStringLiteral("deviceId")).toString(), QStringLiteral("744C"));
        QCOMPARE(card0.value(QStringLiteral("revisionId")).toString(), QStringLiteral("CE"));
        QCOMPARE(card0.value(QStringLiteral("subSystemId")).toString(), QStringLiteral("2412"));
        QCOMPARE(card0.value(QStringLiteral("subSystemVendorId")).toString(), QStringLiteral("1DA2"));
        QCOMPARE(card0.value(QStringLiteral("Name")).toString(), QStringLiteral("AMD Radeon RX 7900 XTX"));
        QCOMPARE(card0.value(QStringLiteral("VendorId")).toString(), QStringLiteral("1002"));
        QCOMPARE(card0.value(QStringLiteral("TotalVRAM")).type(), QVariant::UInt);
        QCOMPARE(card0.value(QStringLiteral("TotalVRAM")).toUInt(), 24576u);
        QCOMPARE(card0.value(QStringLiteral("VRAMtype")).toString(), QStringLiteral("GDDR6"));
        QCOMPARE(card0.value(QStringLiteral("GPU_usage_range")).toString(), QStringLiteral("0_5000"));
        QCOMPARE(card0.value(QStringLiteral("GPU_hotspot_temp_range")).toString(), QStringLiteral("0_5000"));
        QCOMPARE(gpu.lastAdlxResult(), 0);
        // Listed with protocol type 0: its colours go to 0x30/0x31.
        m_sim->clearLogs();
        QCOMPARE(gpu.click_singleColor(0, 255, 40, 1, 2, 3), 1);
        QCOMPARE(m_sim->trace().value(2), SimGpuFixture::write(0, 0x30, QStringLiteral("01 02 03")));
    }

    void boardWithAClassButNoTableEntryIsNotListed()
    {
        m_sim->describeCards({SimGpuFixture::card(QStringLiteral("73BF"), QStringLiteral("D6"))});
        DEV_GPU gpu(m_sim->setup());
        const QVariantMap info = gpu.get_GPUDevicesInfo();
        QCOMPARE(info.value(QStringLiteral("hasAMDGPU")).toInt(), 1);
        QCOMPARE(info.value(QStringLiteral("gpuNum")).toInt(), 0);
        QVERIFY(!info.contains(QStringLiteral("GPU0")));
    }

    void keyIsComparedExactly()
    {
        // Lower-case ids are not the table's keys.
        m_sim->describeCards({SimGpuFixture::card(QStringLiteral("744c"), QStringLiteral("ce"))});
        DEV_GPU gpu(m_sim->setup());
        QCOMPARE(gpu.get_GPUDevicesInfo().value(QStringLiteral("gpuNum")).toInt(), 0);
    }

    void cardsFailingTheProbeAreSkippedButKeepTheirIndex()
    {
        m_sim->describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"), withController(false)),
                              SimGpuFixture::card(QStringLiteral("73BF"), QStringLiteral("C1"))});
        DEV_GPU gpu(m_sim->setup());
        QTest::ignoreMessage(QtWarningMsg, "This card isn't Support RGB! ");
        const QVariantMap info = gpu.get_GPUDevicesInfo();
        QCOMPARE(info.value(QStringLiteral("gpuNum")).toInt(), 1);
        QVERIFY(!info.contains(QStringLiteral("GPU1")));
        const QVariantMap card0 = info.value(QStringLiteral("GPU0")).toMap();
        QCOMPARE(card0.value(QStringLiteral("GPUindex")).toInt(), 1);
        QCOMPARE(card0.value(QStringLiteral("deviceId")).toString(), QStringLiteral("73BF"));
        QCOMPARE(card0.value(QStringLiteral("gpuClass")).toInt(), 2);
        // The probe: line 1, speed 100, address 0x44, register 0x82, three bytes, on both cards.
        const QStringList trace = m_sim->trace();
        QCOMPARE(trace.size(), 2);
        QCOMPARE(trace[0], QStringLiteral("read gpu=0 line=1 speed=100 address=0x44 register=0x82 bytes= code=3"));
        QCOMPARE(trace[1], QStringLiteral("read gpu=1 line=1 speed=100 address=0x44 register=0x82 bytes=01 00 00 code=0"));
        // The second card keeps protocol type 1 under ADLX index 1; index 0 has none (type 0).
        m_sim->clearLogs();
        QCOMPARE(gpu.sync_MotherBoard_State_On(1), 1);
        QCOMPARE(m_sim->trace(), QStringList{SimGpuFixture::write(1, 0x12, QStringLiteral("01 01 01"))});
    }

    void cardWithoutI2cIsNotListed()
    {
        m_sim->describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"),
                                                  QJsonObject{{QStringLiteral("i2c"), false}})});
        DEV_GPU gpu(m_sim->setup());
        const QVariantMap info = gpu.get_GPUDevicesInfo();
        QCOMPARE(info.value(QStringLiteral("gpuNum")).toInt(), 0);
        QCOMPARE(info.value(QStringLiteral("hasAMDGPU")).toInt(), 1);
        QVERIFY(m_sim->trace().isEmpty());
    }

    void probeThatCouldNotRunListsTheBoardForItsMonitor_data()
    {
        QTest::addColumn<int>("readCode");
        QTest::addColumn<int>("listed");
        QTest::addColumn<QString>("reason");
        QTest::newRow("bus missing") << 12 << 1 << QStringLiteral("Lighting needs the i2c-dev module and Linux 6.15 or newer");
        QTest::newRow("bus not accessible") << 256 << 1
                                            << QStringLiteral("No permission to open the card's lighting bus (/dev/i2c-*): "
                                                              "install the udev rule");
        QTest::newRow("no answer") << 3 << 0 << QString();
    }

    void probeThatCouldNotRunListsTheBoardForItsMonitor()
    {
        QFETCH(int, readCode);
        QFETCH(int, listed);
        QFETCH(QString, reason);
        m_sim->describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"),
                                                  QJsonObject{{QStringLiteral("codes"), QJsonObject{{QStringLiteral("Read"), readCode}}}}),
                              SimGpuFixture::card(QStringLiteral("73BF"), QStringLiteral("D6"),
                                                  QJsonObject{{QStringLiteral("codes"), QJsonObject{{QStringLiteral("Read"), readCode}}}})});
        DEV_GPU gpu(m_sim->setup());
        const QVariantMap info = gpu.get_GPUDevicesInfo();
        // The second card is no board of ours: never listed, whatever its bus.
        QCOMPARE(info.value(QStringLiteral("gpuNum")).toInt(), listed);
        if (!listed)
            return;
        const QVariantMap card = info.value(QStringLiteral("GPU0")).toMap();
        QCOMPARE(card.value(QStringLiteral("GPUindex")).toInt(), 0);
        QCOMPARE(card.value(QStringLiteral("isSupportRGB")).toInt(), 0);
        QCOMPARE(card.value(QStringLiteral("lightingUnavailable")).toString(), reason);
        QCOMPARE(card.value(QStringLiteral("Name")).toString(), QStringLiteral("AMD Radeon Test 744C"));
    }

    void rangesFallBackOnlyWhenUnsupported()
    {
        QJsonObject metrics = SimGpuFixture::metrics(1, 2, 3, 4, 5, 6, 7, 8);
        metrics.insert(QStringLiteral("fanSpeed"), QJsonObject{{QStringLiteral("supported"), false}});
        QJsonObject card = SimGpuFixture::card(QStringLiteral("7550"), QStringLiteral("C0"));
        card.insert(QStringLiteral("metrics"), metrics);
        card.insert(QStringLiteral("codes"), QJsonObject{{QStringLiteral("GetGPUVRAMRange"), 12},
                                                         {QStringLiteral("GetGPUClockSpeedRange"), 3}});
        m_sim->describeCards({card});
        DEV_GPU gpu(m_sim->setup());
        QTest::ignoreMessage(QtWarningMsg, "Don't support GPU fan speed range");
        QTest::ignoreMessage(QtWarningMsg, "Don't support GPU VRAM range");
        const QVariantMap card0 = gpu.get_GPUDevicesInfo().value(QStringLiteral("GPU0")).toMap();
        QCOMPARE(card0.value(QStringLiteral("gpuClass")).toInt(), 4);
        QCOMPARE(card0.value(QStringLiteral("GPU_fan_speed_range")).toString(), QStringLiteral("0_2500"));
        QCOMPARE(card0.value(QStringLiteral("GPU_VRAM_range")).toString(), QStringLiteral("0_2000"));
        QCOMPARE(card0.value(QStringLiteral("GPU_power_range")).toString(), QStringLiteral("0_5000"));
        QCOMPARE(card0.value(QStringLiteral("GPU_VRAM_clock_speed")).toString(), QStringLiteral("0_5000"));
        // Any other failure leaves the key alone.
        QVERIFY(!card0.contains(QStringLiteral("GPU_clock_speed_range")));
    }

    void gpuListFailuresAreReported()
    {
        m_sim->describe(QJsonObject{{QStringLiteral("cards"), QJsonArray()}});
        DEV_GPU gpu(m_sim->setup());
        QTest::ignoreMessage(QtCriticalMsg, "Failed to get the GPU list");
        QVariantMap info = gpu.get_GPUDevicesInfo();
        QCOMPARE(info.value(QStringLiteral("ERROR_INFO")).toString(), QStringLiteral("Failed to get the GPU list"));
        QCOMPARE(info.value(QStringLiteral("hasAMDGPU")).toInt(), 0);

        m_sim->describe(QJsonObject{{QStringLiteral("cards"), QJsonArray{SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"))}},
                                    {QStringLiteral("codes"), QJsonObject{{QStringLiteral("GetGPUs"), 3}}}});
        QTest::ignoreMessage(QtCriticalMsg, "Failed to get the GPU list");
        info = gpu.get_GPUDevicesInfo();
        QCOMPARE(info.value(QStringLiteral("hasAMDGPU")).toInt(), 0);
        QCOMPARE(info.value(QStringLiteral("gpuNum")).toInt(), 0);
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXTerminate")), 2);
    }

    void hardwareCountIncludesUnlistedCards()
    {
        m_sim->describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"), withController(false)),
                              SimGpuFixture::card(QStringLiteral("1234"), QStringLiteral("00"))});
        DEV_GPU gpu(m_sim->setup());
        QSignalSpy changed(&gpu, &DEV_GPU::dataChanged);
        gpu.check_HardwareDevices();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(gpu.getData().value(QStringLiteral("gpuNum")).toUInt(), 2u);
    }

    void driverStringsComeFromTheBoundDriver()
    {
        const QString root = m_sim->path(QStringLiteral("sys"));
        addPciDevice(root, QStringLiteral("0000:03:00.0"), "0x1002", "0x744c", "0x1da2", "0x2412", "0xce");
        bindDriver(root, QStringLiteral("0000:03:00.0"), QStringLiteral("amdgpu"), "6.3.6");
        m_sim->describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"),
                                                  QJsonObject{{QStringLiteral("driverPath"), QStringLiteral("0000:03:00.0")}})});
        DEV_GPU gpu(m_sim->setup());
        const QVariantMap info = gpu.get_GPUDevicesInfo();
        QCOMPARE(info.value(QStringLiteral("AMD_driverVersion")).toString(), QStringLiteral("6.3.6"));
    }

    void driverStringsWithoutModuleVersionOrDriver()
    {
        const QString root = m_sim->path(QStringLiteral("sys"));
        addPciDevice(root, QStringLiteral("0000:03:00.0"), "0x1002", "0x744c", "0x1da2", "0x2412", "0xce");
        bindDriver(root, QStringLiteral("0000:03:00.0"), QStringLiteral("amdgpu"), QByteArray());
        addPciDevice(root, QStringLiteral("0000:07:00.0"), "0x1002", "0x73bf", "0x1da2", "0x2405", "0xc1");
        m_sim->describeCards(
            {SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"), QJsonObject{{QStringLiteral("driverPath"), QStringLiteral("0000:03:00.0")}}),
             SimGpuFixture::card(QStringLiteral("73BF"), QStringLiteral("C1"), QJsonObject{{QStringLiteral("driverPath"), QStringLiteral("0000:07:00.0")}}),
             SimGpuFixture::card(QStringLiteral("73BF"), QStringLiteral("C0"), QJsonObject{{QStringLiteral("driverPath"), QStringLiteral("../../../etc")}})});
        DEV_GPU gpu(m_sim->setup());
        // The last card examined leaves its (empty) version in the answer.
        QCOMPARE(gpu.get_GPUDevicesInfo().value(QStringLiteral("AMD_driverVersion")).toString(), QString());
        // An in-kernel driver has no version of its own: the kernel's release stands for it.
        const QVariantMap strings = driverStringsOf(gpu, 0);
        QCOMPARE(strings.value(QStringLiteral("version")).toString(), QSysInfo::kernelVersion());
        QCOMPARE(strings.value(QStringLiteral("SoftwareEdition")).toString(), QStringLiteral("amdgpu"));
        QCOMPARE(strings.value(QStringLiteral("DriverVersion")).toString(), QSysInfo::kernelVersion());
        QCOMPARE(strings.value(QStringLiteral("ReleaseDate")).toString(), QString());
        QCOMPARE(strings.value(QStringLiteral("AMDWindowsDriverVersion")).toString(), QString());
        // No driver bound, and a driver path that tries to leave the device folder: empty.
        for (int card : {1, 2}) {
            const QVariantMap none = driverStringsOf(gpu, card);
            QCOMPARE(none.size(), 5);
            QCOMPARE(none.value(QStringLiteral("version")).toString(), QString());
            QCOMPARE(none.value(QStringLiteral("SoftwareEdition")).toString(), QString());
        }
    }

    void pciPreCheckFindsOnlyListedAmdDevices()
    {
        const QString root = m_sim->path(QStringLiteral("sys"));
        DEV_GPU gpu(m_sim->setup());
        QTest::ignoreMessage(QtDebugMsg, "Failed to open registry key.");
        QVERIFY(!gpu.checkForAMDGPUWithRegistry(gpu.protocolDict()));

        addPciDevice(root, QStringLiteral("0000:01:00.0"), "0x10de", "0x744c", "0x0000", "0x0000", "0xa1");
        // An AMD device whose subsystem id looks like a board's device id is still not a board.
        addPciDevice(root, QStringLiteral("0000:02:00.0"), "0x1002", "0x1478", "0x1002", "0x744c", "0x00");
        QTest::ignoreMessage(QtDebugMsg, "No AMD GPU found in registry.");
        QVERIFY(!gpu.checkForAMDGPUWithRegistry(gpu.protocolDict()));

        addPciDevice(root, QStringLiteral("0000:03:00.0"), "0x1002", "0x73bf", "0x1da2", "0x2405", "0xc1");
        QTest::ignoreMessage(QtDebugMsg, "AMD GPU found in registry: VEN_1002&DEV_73BF&SUBSYS_24051DA2&REV_C1");
        QVERIFY(gpu.checkForAMDGPUWithRegistry(gpu.protocolDict()));
        // Only the device id (first four characters of a key) counts.
        QVERIFY(!gpu.checkForAMDGPUWithRegistry({{"744C_CE", 0}}));
    }

private:
    // The driver strings of card `index`, read in a session of our own.
    static QVariantMap driverStringsOf(DEV_GPU& gpu, int index);

    std::unique_ptr<SimGpuFixture> m_sim;
};

QVariantMap TestGpuDiscovery::driverStringsOf(DEV_GPU& gpu, int index)
{
    AdlxSession session(deviceQueryLoader(), standInAdlxLibraryPath());
    IADLXGPUListPtr gpus;
    session.system()->GetGPUs(gpus.receive());
    IADLXGPUPtr card;
    gpus->At(adlx_uint(index), card.receive());
    return gpu.get_AMDDriverInfo(card);
}

QTEST_GUILESS_MAIN(TestGpuDiscovery)
#include "tst_gpu_discovery.moc"
