// Live metrics: which values are filled, how they are written, what a failure leaves, and two
// device objects sampling and discovering from two threads at once.
#include "devices/gpu/dev_gpu.h"
#include "devices/gpu/metrics_table.h"
#include "sim_gpu_fixture.h"

#include <QThread>
#include <QtTest>
#include <atomic>

namespace {

const char* const kValueKeys[] = {"GPU_Usage",          "GPU_TotalBoardPower", "GPU_FanSpeed",   "GPU_VRAMUsage",
                                  "GPU_ClockSpeed",     "GPU_VRAMClockSpeed",  "GPU_Temperature", "GPU_HotspotTemperature"};

QJsonObject cardWithMetrics(const QJsonObject& metrics, const QJsonObject& codes = {})
{
    return SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"),
                               QJsonObject{{QStringLiteral("metrics"), metrics}, {QStringLiteral("codes"), codes}});
}

} // namespace

class TestGpuMetrics : public QObject {
    Q_OBJECT

private slots:
    void init() { m_sim.reset(new SimGpuFixture); }
    void cleanup() { m_sim.reset(); }

    void valueTextsAreTheIntegerPart()
    {
        QString text;
        QVERIFY(metricValueText(37.9, &text));
        QCOMPARE(text, QStringLiteral("37"));
        QVERIFY(metricValueText(-3.7, &text));
        QCOMPARE(text, QStringLiteral("-3"));
        QVERIFY(metricValueText(2500, &text));
        QCOMPARE(text, QStringLiteral("2500"));
        QVERIFY(!metricValueText(std::nan(""), &text));
        QVERIFY(!metricValueText(1e300, &text));
        QCOMPARE(rangeText(0, 2500), QStringLiteral("0_2500"));
    }

    void sampleFillsEverySupportedMetric()
    {
        m_sim->describeCards({cardWithMetrics(SimGpuFixture::metrics(37.9, 212.6, 1450, 7800, 2150, 2400, 58.99, 71.2))});
        DEV_GPU gpu(m_sim->setup());
        const QVariantMap sample = gpu.realtime_getGPU_Information(0);
        QCOMPARE(sample.value(QStringLiteral("hasData")).toInt(), 1);
        const QStringList expected = {QStringLiteral("37"),   QStringLiteral("212"),  QStringLiteral("1450"),
                                      QStringLiteral("7800"), QStringLiteral("2150"), QStringLiteral("2400"),
                                      QStringLiteral("58"),   QStringLiteral("71")};
        for (int i = 0; i < 8; ++i) {
            const QVariant value = sample.value(QLatin1String(kValueKeys[i]));
            QCOMPARE(value.type(), QVariant::String);
            QCOMPARE(value.toString(), expected[i]);
        }
        QCOMPARE(gpu.lastAdlxResult(), 0);
    }

    void unsupportedOrFailingMetricStaysIntegerZero()
    {
        QJsonObject metrics = SimGpuFixture::metrics(37.9, 200, 1450, 7800, 2150, 2400, 58, 71);
        metrics.insert(QStringLiteral("fanSpeed"), QJsonObject{{QStringLiteral("supported"), false}});
        m_sim->describeCards({cardWithMetrics(metrics, QJsonObject{{QStringLiteral("GPUVRAM"), 3}})});
        DEV_GPU gpu(m_sim->setup());
        const QVariantMap sample = gpu.realtime_getGPU_Information(0);
        QCOMPARE(sample.value(QStringLiteral("hasData")).toInt(), 1);
        for (const char* key : {"GPU_FanSpeed", "GPU_VRAMUsage"}) {
            QCOMPARE(sample.value(QLatin1String(key)).type(), QVariant::Int);
            QCOMPARE(sample.value(QLatin1String(key)).toInt(), 0);
        }
        QCOMPARE(sample.value(QStringLiteral("GPU_Usage")).toString(), QStringLiteral("37"));
        QCOMPARE(sample.value(QStringLiteral("GPU_HotspotTemperature")).toString(), QStringLiteral("71"));
    }

    void cardBeyondTheListGivesNoData()
    {
        m_sim->describeCards({cardWithMetrics(SimGpuFixture::metrics(1, 2, 3, 4, 5, 6, 7, 8))});
        DEV_GPU gpu(m_sim->setup());
        QCOMPARE(gpu.realtime_getGPU_Information(0).value(QStringLiteral("hasData")).toInt(), 1);
        // A second sample on the same object must not keep the first one's values.
        QTest::ignoreMessage(QtWarningMsg, "\tGet particular GPU failed");
        const QVariantMap sample = gpu.realtime_getGPU_Information(1);
        QCOMPARE(sample.value(QStringLiteral("hasData")).toInt(), 0);
        for (const char* key : kValueKeys)
            QCOMPARE(sample.value(QLatin1String(key)), QVariant(0));
        QTest::ignoreMessage(QtWarningMsg, "\tGet particular GPU failed");
        QCOMPARE(gpu.realtime_getGPU_Information(-1).value(QStringLiteral("hasData")).toInt(), 0);
    }

    void anyFailedMetricsCallGivesNoData_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<bool>("libraryWide");
        QTest::newRow("current metrics") << QStringLiteral("GetCurrentAllMetrics") << true;
        QTest::newRow("card metrics") << QStringLiteral("GetGPUMetrics") << false;
        QTest::newRow("supported metrics") << QStringLiteral("GetSupportedGPUMetrics") << false;
        QTest::newRow("services") << QStringLiteral("GetPerformanceMonitoringServices") << true;
        QTest::newRow("gpu list") << QStringLiteral("GetGPUs") << true;
    }

    void anyFailedMetricsCallGivesNoData()
    {
        QFETCH(QString, method);
        QFETCH(bool, libraryWide);
        QJsonObject card = cardWithMetrics(SimGpuFixture::metrics(1, 2, 3, 4, 5, 6, 7, 8));
        QJsonObject description{{QStringLiteral("cards"), QJsonArray{card}}};
        if (libraryWide) {
            description.insert(QStringLiteral("codes"), QJsonObject{{method, 3}});
        } else {
            card.insert(QStringLiteral("codes"), QJsonObject{{method, 3}});
            description.insert(QStringLiteral("cards"), QJsonArray{card});
        }
        m_sim->describe(description);
        DEV_GPU gpu(m_sim->setup());
        const QVariantMap sample = gpu.realtime_getGPU_Information(0);
        QCOMPARE(sample.value(QStringLiteral("hasData")).toInt(), 0);
        QCOMPARE(sample.value(QStringLiteral("GPU_Usage")), QVariant(0));
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXTerminate")), 1);
    }

    void failingStopOfTrackingIsOnlyLogged()
    {
        m_sim->describe(QJsonObject{
            {QStringLiteral("cards"), QJsonArray{cardWithMetrics(SimGpuFixture::metrics(1, 2, 3, 4, 5, 6, 7, 8))}},
            {QStringLiteral("codes"), QJsonObject{{QStringLiteral("StopPerformanceMetricsTracking"), 3}}}});
        DEV_GPU gpu(m_sim->setup());
        // Once for each level left: the card, the list, the services.
        for (int i = 0; i < 3; ++i)
            QTest::ignoreMessage(QtWarningMsg, "Stop tracking performance metrics failed");
        QCOMPARE(gpu.realtime_getGPU_Information(0).value(QStringLiteral("GPU_ClockSpeed")).toString(), QStringLiteral("5"));
    }

    void sampleKeepsWhatDiscoveryPutThere()
    {
        m_sim->describeCards({cardWithMetrics(SimGpuFixture::metrics(1, 2, 3, 4, 5, 6, 7, 8))});
        DEV_GPU gpu(m_sim->setup());
        gpu.get_GPUDevicesInfo();
        const QVariantMap sample = gpu.realtime_getGPU_Information(0);
        QCOMPARE(sample.value(QStringLiteral("gpuNum")).toInt(), 1);
        QVERIFY(sample.contains(QStringLiteral("GPU0")));
    }

    void demoCardsMoveWithinTheirRanges()
    {
        qunsetenv("TALVORIN_ADLX_SIM_CARDS");
        DEV_GPU gpu(m_sim->setup());
        const QVariantMap info = gpu.get_GPUDevicesInfo();
        QCOMPARE(info.value(QStringLiteral("gpuNum")).toInt(), 2);
        const QVariantMap first = info.value(QStringLiteral("GPU0")).toMap();
        const QVariantMap second = info.value(QStringLiteral("GPU1")).toMap();
        QCOMPARE(first.value(QStringLiteral("deviceId")).toString() + QLatin1Char('_') + first.value(QStringLiteral("revisionId")).toString(),
                 QStringLiteral("744C_CE"));
        QCOMPARE(second.value(QStringLiteral("deviceId")).toString() + QLatin1Char('_') + second.value(QStringLiteral("revisionId")).toString(),
                 QStringLiteral("73BF_C1"));
        QCOMPARE(second.value(QStringLiteral("GPUindex")).toInt(), 2); // the AMD card between them fails the probe
        QSet<QString> usages;
        for (int i = 0; i < 6; ++i) {
            const QVariantMap sample = gpu.realtime_getGPU_Information(0);
            QCOMPARE(sample.value(QStringLiteral("hasData")).toInt(), 1);
            const int usage = sample.value(QStringLiteral("GPU_Usage")).toString().toInt();
            QVERIFY(usage >= 0 && usage <= 100);
            const int temp = sample.value(QStringLiteral("GPU_Temperature")).toString().toInt();
            QVERIFY(temp >= 30 && temp <= 110);
            usages.insert(sample.value(QStringLiteral("GPU_Usage")).toString());
        }
        QVERIFY2(usages.size() >= 3, "demo usage does not move between samples");
    }

    // The listener samples on its own DEV_GPU while the worker discovers, lights and destroys
    // ADLX on its own: no sample may lose its session to the other thread.
    void listenerAndWorkerShareTheLoadersSafely()
    {
        m_sim->describeCards({cardWithMetrics(SimGpuFixture::metrics(37.9, 2, 3, 4, 5, 6, 7, 8))});
        const DeviceSetup setup = m_sim->setup();
        std::atomic<int> badSamples{0};
        std::atomic<int> badDiscoveries{0};
        std::atomic<bool> workerDone{false};
        QThread* listener = QThread::create([&] {
            DEV_GPU gpu(setup);
            for (int i = 0; i < 60 || !workerDone; ++i) {
                const QVariantMap sample = gpu.realtime_getGPU_Information(0);
                if (sample.value(QStringLiteral("hasData")).toInt() != 1
                    || sample.value(QStringLiteral("GPU_Usage")).toString() != QLatin1String("37"))
                    ++badSamples;
            }
        });
        QThread* worker = QThread::create([&] {
            DEV_GPU gpu(setup);
            for (int i = 0; i < 30; ++i) {
                if (gpu.get_GPUDevicesInfo().value(QStringLiteral("gpuNum")).toInt() != 1)
                    ++badDiscoveries;
                gpu.Destroy_ADLX();
                gpu.sync_MotherBoard_State_On(0);
                gpu.Destroy_ADLX();
            }
            workerDone = true;
        });
        listener->start();
        worker->start();
        QVERIFY(worker->wait(60000));
        QVERIFY(listener->wait(60000));
        delete listener;
        delete worker;
        QCOMPARE(badSamples.load(), 0);
        QCOMPARE(badDiscoveries.load(), 0);
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXInitialize")), m_sim->countCalls(QStringLiteral("ADLXTerminate")));
    }

private:
    std::unique_ptr<SimGpuFixture> m_sim;
};

QTEST_GUILESS_MAIN(TestGpuMetrics)
#include "tst_gpu_metrics.moc"
