// The worker's GPU branch: which DEV_GPU call each command makes, what it answers and saves,
// and the whole road through the TALVORIN worker across a restart.
#include "core/device_setup.h"
#include "core/gpu_branch.h"
#include "core/talvorin.h"
#include "devices/gpu/adlx_session.h"
#include "devices/gpu/dev_gpu.h"
#include "sim_gpu_fixture.h"
#include "util/json_files.h"

#include <QtTest>

namespace {

QVariantMap lightingCommand(int mode, int onOff = 1, int gpuIndex = 0)
{
    return {{QStringLiteral("Control"), 1},        {QStringLiteral("selectedMode"), mode},
            {QStringLiteral("on_off"), onOff},     {QStringLiteral("gpuIndex"), gpuIndex},
            {QStringLiteral("r_color"), 0x12},     {QStringLiteral("g_color"), 0x34},
            {QStringLiteral("b_color"), 0x56},     {QStringLiteral("brightness_value"), 200},
            {QStringLiteral("speed_value"), 30}};
}

// One command through the branch, as the worker's loop runs it.
struct BranchHarness {
    explicit BranchHarness(const QString& dataFolder) : store(dataFolder) {}

    QVariantMap run(GpuBranch& branch, const QVariantMap& command)
    {
        slot.replace(command);
        const CommandSlot::Taken taken = slot.take();
        WorkerContext ctx{slot, taken.generation, taken.command, answer, state, store,
                          [this](const QVariantMap& map) { emitted.append(map); }};
        branch.run(ctx);
        return emitted.isEmpty() ? QVariantMap() : emitted.last();
    }

    CommandSlot slot;
    WorkerState state;
    DataStore store;
    QVariantMap answer;
    QList<QVariantMap> emitted;
};

// Collects the worker's answers in the test's thread.
class AnswerLog : public QObject {
public:
    explicit AnswerLog(TALVORIN& worker)
    {
        connect(&worker, &TALVORIN::dataChanged, this, [this](const QVariantMap& map) { answers.append(map); },
                Qt::QueuedConnection);
    }
    // The first answer after `from` whose Control is `control`.
    QVariantMap find(int control, int from) const
    {
        for (int i = from; i < answers.size(); ++i) {
            if (answers[i].value(QStringLiteral("Control")).toInt() == control)
                return answers[i];
        }
        return {};
    }
    QList<QVariantMap> answers;
};

} // namespace

class TestGpuBranch : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_sim.reset(new SimGpuFixture);
        m_sim->describeCards(
            {SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"), QJsonObject{{QStringLiteral("controllerType"), 0}}),
             SimGpuFixture::card(QStringLiteral("73BF"), QStringLiteral("C1"), QJsonObject{{QStringLiteral("controllerType"), 1}})});
        m_data.reset(new QTemporaryDir);
        m_gpu.reset(new DEV_GPU(m_sim->setup()));
        m_gpu->get_GPUDevicesInfo();
        m_branch.reset(new GpuBranch(*m_gpu));
        m_harness.reset(new BranchHarness(m_data->path()));
        m_sim->clearLogs();
    }
    void cleanup()
    {
        m_harness.reset();
        m_branch.reset();
        m_gpu.reset();
        m_data.reset();
        m_sim.reset();
    }

    void lightingModesCallTheirOperationAndAreSaved_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("reg");
        QTest::addColumn<QString>("bytes");
        // With speed 30 and brightness 200 (C8) on the type-1 card (ADLX index 1).
        QTest::newRow("1 single colour") << 1 << 0x01 << QStringLiteral("01 C8 46");
        QTest::newRow("2 meteor") << 2 << 0x01 << QStringLiteral("07 C8 46");
        QTest::newRow("3 breathing") << 3 << 0x01 << QStringLiteral("02 C8 32");
        QTest::newRow("4 ripple") << 4 << 0x01 << QStringLiteral("08 C8 46");
        QTest::newRow("5 double blink") << 5 << 0x01 << QStringLiteral("05 C8 69");
        QTest::newRow("6 blink") << 6 << 0x01 << QStringLiteral("04 C8 46");
        QTest::newRow("7 colour shift") << 7 << 0x01 << QStringLiteral("06 C8 46");
        QTest::newRow("8 seven colours") << 8 << 0x01 << QStringLiteral("09 C8 46");
        QTest::newRow("9 sync on") << 9 << 0x12 << QStringLiteral("01 01 01");
        QTest::newRow("10 sync off") << 10 << 0x12 << QStringLiteral("00 00 00");
    }

    void lightingModesCallTheirOperationAndAreSaved()
    {
        QFETCH(int, mode);
        QFETCH(int, reg);
        QFETCH(QString, bytes);
        const QVariantMap answer = m_harness->run(*m_branch, lightingCommand(mode, 1, 1));
        QCOMPARE(answer.value(QStringLiteral("Control")).toInt(), 1);
        QCOMPARE(answer.value(QStringLiteral("RESULTS")).toInt(), 1);
        QCOMPARE(answer.value(QStringLiteral("selectedMode")).toInt(), mode);
        const QString expected = SimGpuFixture::write(1, reg, bytes);
        QVERIFY2(m_sim->trace().contains(expected), qPrintable(m_sim->trace().join(QLatin1Char('\n'))));
        const QList<QVariantMap> saved = loadJsonList(m_harness->store.gpuControlData());
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0].value(QStringLiteral("selectedMode")).toInt(), mode);
        QCOMPARE(saved[0].value(QStringLiteral("RESULTS")).toInt(), 1);
        QCOMPARE(saved[0].value(QStringLiteral("r_color")).toInt(), 0x12);
        QCOMPARE(m_harness->slot.value(QStringLiteral("selectedMode")).toInt(), -1);
        QCOMPARE(m_harness->slot.value(QStringLiteral("Control")).toInt(), -1);
        QCOMPARE(m_gpu->currentGpuIndex(), 1);
    }

    void offWithModeThreeRunsOnlyTheOffCall()
    {
        const QVariantMap answer = m_harness->run(*m_branch, lightingCommand(3, 0));
        QCOMPARE(answer.value(QStringLiteral("selectedMode")).toInt(), 3);
        QCOMPARE(answer.value(QStringLiteral("RESULTS")).toInt(), 1);
        QCOMPARE(m_sim->trace(), QStringList({SimGpuFixture::write(0, 0x04, QStringLiteral("00 00 00")),
                                              SimGpuFixture::write(0, 0x01, QStringLiteral("00 C8 46")),
                                              SimGpuFixture::write(0, 0x30, QStringLiteral("12 34 56")),
                                              SimGpuFixture::write(0, 0x31, QStringLiteral("12 34 56"))}));
        const QList<QVariantMap> saved = loadJsonList(m_harness->store.gpuControlData());
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0].value(QStringLiteral("on_off")).toInt(), 0);
        QCOMPARE(saved[0].value(QStringLiteral("selectedMode")).toInt(), 3);
        QCOMPARE(m_harness->slot.value(QStringLiteral("selectedMode")).toInt(), -1);
        QVERIFY(m_gpu->lightingState().empty()); // off records no effect
    }

    void informationModesTouchNeitherCardNorFile()
    {
        for (int mode : {11, 12}) {
            const QVariantMap answer = m_harness->run(*m_branch, lightingCommand(mode));
            QCOMPARE(answer.value(QStringLiteral("RESULTS")).toInt(), 1);
            QCOMPARE(m_harness->slot.value(QStringLiteral("selectedMode")).toInt(), -1);
        }
        for (const QString& line : m_sim->trace())
            QVERIFY2(!line.startsWith(QLatin1String("write")), qPrintable(line));
        QVERIFY(!QFile::exists(m_harness->store.gpuControlData()));
    }

    void modesThatNameNothing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("result");
        QTest::newRow("0") << 0 << -1;
        QTest::newRow("16") << 16 << -1;
        QTest::newRow("17") << 17 << 1;
    }

    void modesThatNameNothing()
    {
        QFETCH(int, mode);
        QFETCH(int, result);
        const QVariantMap answer = m_harness->run(*m_branch, lightingCommand(mode));
        QCOMPARE(answer.value(QStringLiteral("RESULTS")).toInt(), result);
        QVERIFY(m_sim->trace().isEmpty());
        QVERIFY(!QFile::exists(m_harness->store.gpuControlData()));
        QCOMPARE(m_harness->slot.value(QStringLiteral("selectedMode")).toInt(), mode);
    }

    void failedLightingIsAnsweredAndStillSaved()
    {
        DeviceSetup setup = m_sim->setup();
        setup.adlxLibrary = m_sim->path(QStringLiteral("absent.so"));
        DEV_GPU gpu(setup);
        GpuBranch branch(gpu);
        QTest::ignoreMessage(QtWarningMsg, "ERROR: Operation failed.");
        const QVariantMap answer = m_harness->run(branch, lightingCommand(1));
        QCOMPARE(answer.value(QStringLiteral("RESULTS")).toInt(), -1);
        QCOMPARE(loadJsonList(m_harness->store.gpuControlData()).value(0).value(QStringLiteral("RESULTS")).toInt(), -1);
    }

    void favouritesAddRemoveAndListOncePerDiscovery()
    {
        QVariantMap add = lightingCommand(13);
        add.insert(QStringLiteral("name"), QStringLiteral("1 Breathing"));
        m_harness->run(*m_branch, add);
        QCOMPARE(m_harness->slot.value(QStringLiteral("selectedMode")).toInt(), 13); // 13 is left in place
        add.insert(QStringLiteral("name"), QStringLiteral("2 Meteor"));
        m_harness->run(*m_branch, add);
        const QList<QVariantMap> stored = loadJsonList(m_harness->store.gpuFavourites());
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored[0].value(QStringLiteral("name")).toString(), QStringLiteral("1 Breathing"));
        QVERIFY(!stored[0].contains(QStringLiteral("RESULTS"))); // stored as the page sent it

        QVariantMap remove = lightingCommand(14, 1, 0);
        m_harness->run(*m_branch, remove);
        QCOMPARE(loadJsonList(m_harness->store.gpuFavourites()).size(), 1);

        const QVariantMap first = m_harness->run(*m_branch, lightingCommand(15));
        QCOMPARE(first.value(QStringLiteral("selectedMode")).toInt(), 15);
        const QVariantList list = first.value(QStringLiteral("GPU_favoriteList")).toList();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].toMap().value(QStringLiteral("name")).toString(), QStringLiteral("2 Meteor"));
        const QVariantMap second = m_harness->run(*m_branch, lightingCommand(15));
        QVERIFY(!second.contains(QStringLiteral("GPU_favoriteList")));
        QCOMPARE(second.value(QStringLiteral("RESULTS")).toInt(), 1);
        m_harness->state.favouritesPending = 1; // what the next discovery does
        QVERIFY(m_harness->run(*m_branch, lightingCommand(15)).contains(QStringLiteral("GPU_favoriteList")));
        QVERIFY(!QFile::exists(m_harness->store.gpuControlData()));
    }

    void libraryIsUnloadedAfterEveryCommand()
    {
        for (int mode : {1, 5, 9, 11, 12, 15}) {
            m_harness->run(*m_branch, lightingCommand(mode));
            QVERIFY(!deviceQueryLoader().helper.isLoaded());
            QVERIFY(!lightingLoader().helper.isLoaded());
        }
        m_harness->run(*m_branch, lightingCommand(1, 0));
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXInitialize")), m_sim->countCalls(QStringLiteral("ADLXTerminate")));
        QVERIFY(m_sim->countCalls(QStringLiteral("ADLXInitialize")) > 0);
    }

    // The whole road: the real worker, the virtual device setup, a restart in between.
    void controlDataAndFavouritesComeBackAfterARestart()
    {
        QTemporaryDir home;
        qputenv("HOME", home.path().toLocal8Bit());
        const DeviceSetup setup = makeDeviceSetup(true);
        QVERIFY(setup.adlxLibrary.endsWith(QLatin1String("libtalvorin_adlx_sim.so")));
        const QString dataFolder = m_data->filePath(QStringLiteral("worker"));
        QDir().mkpath(dataFolder);
        QVariantMap breathing = lightingCommand(3, 1, 1);
        {
            TALVORIN worker(setup, dataFolder);
            AnswerLog log(worker);
            worker.commandSlot().replace({{QStringLiteral("Control"), 0}});
            worker.start();
            QTRY_VERIFY_WITH_TIMEOUT(!log.find(0, 0).isEmpty(), 20000);
            const QVariantMap discovery = log.find(0, 0);
            QCOMPARE(discovery.value(QStringLiteral("gpuNum")).toInt(), 2);
            QCOMPARE(discovery.value(QStringLiteral("gpuLastedAction")).toString(), QString());
            QCOMPARE(discovery.value(QStringLiteral("gpuDevice")).toMap().value(QStringLiteral("GPU1")).toMap()
                         .value(QStringLiteral("GPUindex")).toInt(), 1);

            m_sim->clearLogs();
            int from = log.answers.size();
            worker.receiveDataFromQML(breathing);
            QTRY_VERIFY_WITH_TIMEOUT(!log.find(1, from).isEmpty(), 20000);
            QCOMPARE(log.find(1, from).value(QStringLiteral("RESULTS")).toInt(), 1);
            QCOMPARE(m_sim->trace().value(1), SimGpuFixture::write(1, 0x01, QStringLiteral("02 C8 32")));
            QCOMPARE(m_sim->trace().value(2), SimGpuFixture::write(1, 0x0E, QStringLiteral("12 34 56")));

            from = log.answers.size();
            QVariantMap favourite = lightingCommand(13);
            favourite.insert(QStringLiteral("name"), QStringLiteral("1 Breathing"));
            worker.receiveDataFromQML(favourite);
            QTRY_VERIFY_WITH_TIMEOUT(!log.find(1, from).isEmpty(), 20000);
            worker.stopThread();
            QVERIFY(worker.wait(5000));
        }
        TALVORIN worker(setup, dataFolder);
        AnswerLog log(worker);
        worker.commandSlot().replace({{QStringLiteral("Control"), 0}});
        worker.start();
        QTRY_VERIFY_WITH_TIMEOUT(!log.find(0, 0).isEmpty(), 20000);
        const QVariantMap last = log.find(0, 0).value(QStringLiteral("gpuLastedAction")).toMap();
        QCOMPARE(last.value(QStringLiteral("selectedMode")).toInt(), 3);
        QCOMPARE(last.value(QStringLiteral("RESULTS")).toInt(), 1);
        QCOMPARE(last.value(QStringLiteral("speed_value")).toInt(), 30);
        QCOMPARE(last.value(QStringLiteral("gpuIndex")).toInt(), 1);

        int from = log.answers.size();
        worker.receiveDataFromQML(lightingCommand(15));
        QTRY_VERIFY_WITH_TIMEOUT(!log.find(1, from).isEmpty(), 20000);
        const QVariantList favourites = log.find(1, from).value(QStringLiteral("GPU_favoriteList")).toList();
        QCOMPARE(favourites.size(), 1);
        QCOMPARE(favourites[0].toMap().value(QStringLiteral("name")).toString(), QStringLiteral("1 Breathing"));
        from = log.answers.size();
        worker.receiveDataFromQML(lightingCommand(15));
        QTRY_VERIFY_WITH_TIMEOUT(!log.find(1, from).isEmpty(), 20000);
        QVERIFY(!log.find(1, from).contains(QStringLiteral("GPU_favoriteList")));
        worker.stopThread();
        QVERIFY(worker.wait(5000));
        qunsetenv("HOME");
    }

private:
    std::unique_ptr<SimGpuFixture> m_sim;
    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<DEV_GPU> m_gpu;
    std::unique_ptr<GpuBranch> m_branch;
    std::unique_ptr<BranchHarness> m_harness;
};

QTEST_GUILESS_MAIN(TestGpuBranch)
#include "tst_gpu_branch.moc"
