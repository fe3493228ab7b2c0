// The worker's start-up sequence and the discovery answer's settings.
#include "core/autostart_branch.h"
#include "platform/autostart.h"
#include "worker_harness.h"

#include <QTemporaryDir>
#include <QtTest>

class WorkerStartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartOnAnEmptyFolder()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        WorkerHarness h;
        h.send({{"Control", 0}});
        h.start();
        const QVariantMap answer = h.waitForAnswer(0);
        QVERIFY(!answer.isEmpty());
        QCOMPARE(readWholeFile(h.file("/startApp.txt")), QByteArray("1"));
        QCOMPARE(answer.value("firstStartGUI").toInt(), 1);
        // The stored choice says on, but no start-at-login entry exists: the switch shows off.
        QCOMPARE(answer.value("StartwithWindows").toInt(), 0);
        QCOMPARE(answer.value("firstrStartAppShowGUI").toInt(), 0);
        QCOMPARE(answer.value("appVersion").toString(), QString("25.02.02"));
        QCOMPARE(answer.value("updateApp").toInt(), 0); // the server is unreachable
        QCOMPARE(answer.value("gpuLastedAction").toString(), QString());
        qunsetenv("XDG_CONFIG_HOME");
    }

    // Read again each time the settings panel opens: an entry made or removed outside the
    // program, and the stored "Display window" choice.
    void startOptionsAreReadFromWhatExists()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        WorkerHarness h;
        writeWholeFile(h.file("/startApp.txt"), "1");
        writeWholeFile(h.file("/FSA.txt"), "1\n");
        h.start();
        h.send({{"Control", 14}});
        QVariantMap answer = h.waitForAnswer(14);
        QCOMPARE(answer.value("StartwithWindows").toInt(), 0);
        QCOMPARE(answer.value("firstrStartAppShowGUI").toInt(), 1);

        QVERIFY(platform::enableAutostart("/usr/bin/talvorin"));
        h.worker().runWithOrWithoutGUI("0");
        const int before = h.answers().size();
        h.send({{"Control", 14}});
        answer = h.waitForAnswer(14, 5000, before);
        QCOMPARE(answer.value("StartwithWindows").toInt(), 1);
        QCOMPARE(answer.value("firstrStartAppShowGUI").toInt(), 0);
        qunsetenv("XDG_CONFIG_HOME");
    }

    void laterStartKeepsTheChoice()
    {
        WorkerHarness h;
        writeWholeFile(h.file("/startApp.txt"), "0");
        writeWholeFile(h.file("/version.txt"), "25.03.10\nbuild notes");
        writeWholeFile(h.file("/FSA.txt"), " 1 \n");
        h.send({{"Control", 0}});
        h.start();
        const QVariantMap answer = h.waitForAnswer(0);
        QCOMPARE(answer.value("firstStartGUI").toInt(), 0);
        QCOMPARE(answer.value("StartwithWindows").toInt(), 0);
        QCOMPARE(answer.value("firstrStartAppShowGUI").toInt(), 1);
        QCOMPARE(answer.value("appVersion").toString(), QString("25.03.10"));
        QCOMPARE(readWholeFile(h.file("/FSA.txt")), QByteArray(" 1 \n")); // read, not reset
    }

    void brokenStartupFileIsShownAsUnknownAndRewrittenAtStart()
    {
        WorkerHarness h;
        writeWholeFile(h.file("/startApp.txt"), "2");
        QCOMPARE(AutostartBranch::startupFlagForUi(DataStore(h.dataFolder())), 255);
        h.send({{"Control", 0}});
        h.start();
        const QVariantMap answer = h.waitForAnswer(0);
        QCOMPARE(answer.value("firstStartGUI").toInt(), 1);
        QCOMPARE(readWholeFile(h.file("/startApp.txt")), QByteArray("1"));
    }

    void trayStartAnswersOpenGui()
    {
        WorkerHarness h;
        h.send({{"ControlTrayIcon", 1}, {"Control", -1}});
        h.start();
        QTRY_VERIFY(!h.answers().isEmpty());
        QCOMPARE(h.answers().first().value("openGUI").toInt(), 1);
        QCOMPARE(h.worker().commandSlot().value("ControlTrayIcon").toInt(), -1);
    }

    void discoveryReplaysTheLastLightingCommand()
    {
        WorkerHarness h;
        writeWholeFile(h.file("/GPU/userControlData.json"),
                       R"([{"selectedMode": 3, "r_color": 10, "g_color": 20, "b_color": 30, "RESULTS": 1}])");
        h.send({{"Control", 0}});
        h.start();
        const QVariantMap last = h.waitForAnswer(0).value("gpuLastedAction").toMap();
        QCOMPARE(last.value("selectedMode").toInt(), 3);
        QCOMPARE(last.value("b_color").toInt(), 30);
    }

    void discoveryWithoutDevices()
    {
        // The GPU library of the real devices reads this machine-like tree, which has no card.
        QTemporaryDir emptyMachine;
        qputenv("TALVORIN_SYSFS_ROOT", emptyMachine.filePath("sys").toLocal8Bit());
        WorkerHarness h;
        h.send({{"Control", 0}});
        h.start();
        const QVariantMap answer = h.waitForAnswer(0);
        QCOMPARE(answer.value("gpuNum").toInt(), 0);
        QCOMPARE(answer.value("mouseNum").toInt(), 0);
        QCOMPARE(answer.value("headphoneNum").toInt(), 0);
        const QVariantMap gpu = answer.value("gpuDevice").toMap();
        QCOMPARE(gpu.value("hasAMDGPU").toInt(), 0);
        QCOMPARE(gpu.value("ERROR_INFO").toString(), QString("Failed to get the GPU list"));
        QCOMPARE(h.worker().commandSlot().value("Control").toInt(), -1);
        qunsetenv("TALVORIN_SYSFS_ROOT");
    }

    void showWindowChoiceIsWritten()
    {
        WorkerHarness h;
        h.create();
        h.worker().runWithOrWithoutGUI("1");
        QCOMPARE(readWholeFile(h.file("/FSA.txt")), QByteArray("1"));
        QCOMPARE(h.worker().checkAndResetFSA(), 1);
        h.worker().runWithOrWithoutGUI("0");
        QCOMPARE(h.worker().checkAndResetFSA(), 0);
    }
};

QTEST_GUILESS_MAIN(WorkerStartupTest)
#include "test_worker_startup.moc"
