// The ADLX loader against the stand-in library: finding it, refusing a partial one, the
// initialise variants and the terminate rules.
#include "devices/gpu/adlx_helper.h"
#include "devices/gpu/adlx_session.h"
#include "devices/gpu/dev_gpu.h"
#include "sim/gpu/stand_in_location.h"
#include "sim_gpu_fixture.h"

#include <QtTest>

namespace {

void freeNothing(void**) {}

} // namespace

class TestAdlxLoader : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_sim.reset(new SimGpuFixture);
        m_sim->describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"))});
    }
    void cleanup() { m_sim.reset(); }

    void initialisePassesTheSdkVersionAndHandsOutTheSystem()
    {
        ADLXHelper helper(standInAdlxLibraryPath());
        QCOMPARE(int(helper.Initialize()), int(ADLX_OK));
        QVERIFY(helper.GetSystemServices() != nullptr);
        QCOMPARE(helper.fullVersion(), adlx_uint64(0x0001000300000055ULL));
        QCOMPARE(QString::fromLatin1(helper.version()), QStringLiteral("1.3.0.85"));
        QCOMPARE(int(helper.Terminate()), int(ADLX_OK));
        QVERIFY(!helper.isLoaded());
        QVERIFY(helper.GetSystemServices() == nullptr);
        QCOMPARE(m_sim->calls(), QStringList({QStringLiteral("ADLXQueryFullVersion code=0"),
                                              QStringLiteral("ADLXQueryVersion code=0"),
                                              QStringLiteral("ADLXInitialize version=0x0001000300000055 code=0"),
                                              QStringLiteral("ADLXTerminate code=0")}));
    }

    void theVariantFollowsWhatTheCallerSupplies()
    {
        ADLXHelper helper(standInAdlxLibraryPath());
        QCOMPARE(int(helper.InitializeWithIncompatibleDriver()), int(ADLX_OK));
        helper.Terminate();
        int context = 0;
        QCOMPARE(int(helper.InitializeWithCallerAdl(&context, &freeNothing)), int(ADLX_OK));
        helper.Terminate();
        // A context without its free callback is not a caller-ADL initialise.
        QCOMPARE(int(helper.InitializeWithCallerAdl(&context, nullptr)), int(ADLX_OK));
        helper.Terminate();
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXInitializeWithIncompatibleDriver")), 1);
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXInitializeWithCallerAdl")), 1);
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXInitialize")), 1);
    }

    void absentLibraryFailsWithoutCallingAnything()
    {
        ADLXHelper helper(m_sim->path(QStringLiteral("no-such-library.so")));
        QCOMPARE(int(helper.Initialize()), int(ADLX_FAIL));
        QVERIFY(helper.GetSystemServices() == nullptr);
        QCOMPARE(int(helper.Terminate()), int(ADLX_OK));
        QVERIFY(m_sim->calls().isEmpty());
    }

    void relativeLibraryPathIsRefused()
    {
        // A path with a slash but not absolute would be looked up from the current folder.
        ADLXHelper helper(QStringLiteral("sim/gpu/libtalvorin_adlx_sim.so"));
        QCOMPARE(int(helper.Initialize()), int(ADLX_FAIL));
        QVERIFY(!helper.isLoaded());
    }

    void libraryLackingOneExportIsNotUsedAtAll()
    {
        ADLXHelper helper(standInAdlxLibraryWithoutExportPath());
        QCOMPARE(int(helper.Initialize()), int(ADLX_FAIL));
        QVERIFY(!helper.isLoaded());
        QCOMPARE(int(helper.Terminate()), int(ADLX_OK));
        QVERIFY2(m_sim->calls().isEmpty(), qPrintable(m_sim->calls().join(QLatin1Char('\n'))));
    }

    void terminateTwiceCallsTheLibraryOnce()
    {
        ADLXHelper helper(standInAdlxLibraryPath());
        QCOMPARE(int(helper.Initialize()), int(ADLX_OK));
        QCOMPARE(int(helper.Terminate()), int(ADLX_OK));
        QCOMPARE(int(helper.Terminate()), int(ADLX_OK));
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXTerminate")), 1);
    }

    void terminateGivesTheLibrarysCode()
    {
        m_sim->describe(QJsonObject{{QStringLiteral("cards"), QJsonArray()},
                                    {QStringLiteral("codes"), QJsonObject{{QStringLiteral("ADLXTerminate"), 9}}}});
        ADLXHelper helper(standInAdlxLibraryPath());
        helper.Initialize();
        QCOMPARE(int(helper.Terminate()), int(ADLX_NOT_FOUND));
    }

    void failingInitialiseReportsItsCode()
    {
        m_sim->describe(QJsonObject{{QStringLiteral("initialize"), 8}, {QStringLiteral("cards"), QJsonArray()}});
        ADLXHelper helper(standInAdlxLibraryPath());
        QCOMPARE(int(helper.Initialize()), int(ADLX_ADL_INIT_ERROR));
        helper.Terminate();
        DEV_GPU gpu(m_sim->setup());
        QTest::ignoreMessage(QtCriticalMsg, "ADLX initialization failed");
        const QVariantMap info = gpu.get_GPUDevicesInfo();
        QCOMPARE(info.value(QStringLiteral("ERROR_INFO")).toString(), QStringLiteral("ADLX initialization failed"));
    }

    void malformedDescriptionMakesInitialiseFail()
    {
        QFile file(m_sim->path(QStringLiteral("cards.json")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("{ \"cards\": [ { \"deviceId\": ");
        file.close();
        ADLXHelper helper(standInAdlxLibraryPath());
        QCOMPARE(int(helper.Initialize()), int(ADLX_FAIL));
        QVERIFY(helper.GetSystemServices() == nullptr);
        helper.Terminate();
    }

    void resultPrinterNamesTheKnownCodes()
    {
        QCOMPARE(ADLXHelper::resultText(ADLX_OK), QStringLiteral("0: ADLX_OK - indicates success."));
        QCOMPARE(ADLXHelper::resultText(ADLX_FAIL), QStringLiteral("3: ADLX_FAIL - indicates an unspecified failure."));
        QCOMPARE(ADLXHelper::resultText(ADLX_ADL_INIT_ERROR),
                 QStringLiteral("8: ADLX_ADL_INIT_ERROR - indicates that the ADL initialization failed."));
        QCOMPARE(ADLXHelper::resultText(ADLX_NOT_FOUND),
                 QStringLiteral("9: ADLX_NOT_FOUND - indicates that the item is not found."));
        QCOMPARE(ADLXHelper::resultText(ADLX_NOT_SUPPORTED), QStringLiteral("res: 12"));
    }

    void everyDeviceOperationFailsCleanlyWithoutTheLibrary()
    {
        DeviceSetup setup = m_sim->setup();
        setup.adlxLibrary = m_sim->path(QStringLiteral("missing/libamdadlx64.so"));
        DEV_GPU gpu(setup);
        QTest::ignoreMessage(QtCriticalMsg, "ADLX initialization failed");
        const QVariantMap info = gpu.get_GPUDevicesInfo();
        QCOMPARE(info.value(QStringLiteral("ERROR_INFO")).toString(), QStringLiteral("ADLX initialization failed"));
        QCOMPARE(info.value(QStringLiteral("hasAMDGPU")).toInt(), 0);
        QCOMPARE(info.value(QStringLiteral("gpuNum")).toInt(), 0);
        QCOMPARE(gpu.lastAdlxResult(), int(ADLX_OK)); // terminate of an unloaded loader
        QCOMPARE(gpu.click_singleColor(0, 255, 40, 255, 0, 0), -1);
        QCOMPARE(gpu.sync_MotherBoard_State_On(0), -1);
        QCOMPARE(gpu.realtime_getGPU_Information(0).value(QStringLiteral("hasData")).toInt(), 0);
        gpu.Destroy_ADLX();
        QCOMPARE(gpu.lastAdlxResult(), int(ADLX_OK));
        QVERIFY(m_sim->calls().isEmpty());
    }

    void noOperationLeavesTheLibraryLoaded()
    {
        m_sim->describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"))});
        DEV_GPU gpu(m_sim->setup());
        gpu.get_GPUDevicesInfo();
        QVERIFY(!deviceQueryLoader().helper.isLoaded());
        gpu.click_singleColor(0, 255, 40, 255, 0, 0);
        QVERIFY(!lightingLoader().helper.isLoaded());
        gpu.realtime_getGPU_Information(0);
        QVERIFY(!deviceQueryLoader().helper.isLoaded());
        // Each operation loaded it again: three sessions, each closed.
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXInitialize")), 3);
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXTerminate")), 3);
    }

private:
    std::unique_ptr<SimGpuFixture> m_sim;
};

QTEST_GUILESS_MAIN(TestAdlxLoader)
#include "tst_adlx_loader.moc"
