// The worker's loop: the command slot, the small branches and the ways it stops.
#include "platform/autostart.h"
#include "support/test_http_server.h"
#include "worker_harness.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class WorkerLoopTest : public QObject {
    Q_OBJECT

private slots:
    void onlyTheNewestOfTwoCommandsRuns()
    {
        WorkerHarness h;
        h.create();
        h.send({{"Control", 4}});
        h.send({{"Control", 11}});
        h.start();
        QVERIFY(!h.waitForAnswer(11).isEmpty());
        QTest::qWait(300);
        QCOMPARE(h.countAnswers(4), 0);
    }

    void keyboardPlaceholderAnswers()
    {
        WorkerHarness h;
        h.start();
        h.send({{"Control", 4}});
        const QVariantMap answer = h.waitForAnswer(4);
        QCOMPARE(answer.value("RESULTS").toInt(), -1);
        QTest::qWait(250);
        QCOMPARE(h.countAnswers(4), 1); // the command was cleared, not repeated
    }

    void assigningDataPlacesACommand()
    {
        WorkerHarness h;
        h.start();
        QVERIFY(h.worker().setProperty("data", QVariantMap{{"Control", 4}}));
        QVERIFY(!h.waitForAnswer(4).isEmpty());
        QVERIFY(h.worker().getData().isEmpty()); // the property value itself is untouched
    }

    void unknownCommandStaysUnansweredUntilReplaced()
    {
        WorkerHarness h;
        h.start();
        h.send({{"Control", 42}});
        QTest::qWait(300);
        QVERIFY(h.answers().isEmpty());
        QCOMPARE(h.worker().commandSlot().value("Control").toInt(), 42);
        h.send({{"Control", 4}});
        QVERIFY(!h.waitForAnswer(4).isEmpty());
    }

    void windowRequestWaitsForTheHandOffFile()
    {
        WorkerHarness h;
        writeWholeFile(h.file("/talvorin.txt"), "0");
        h.start();
        h.send({{"Control", 5}});
        QTest::qWait(350);
        QCOMPARE(h.countAnswers(5), 0);
        QCOMPARE(h.worker().commandSlot().value("Control").toInt(), 5); // still standing
        writeWholeFile(h.file("/talvorin.txt"), "1");
        const QVariantMap answer = h.waitForAnswer(5, 1000);
        QCOMPARE(answer.value("startGUI").toInt(), 1);
        QTRY_COMPARE(readWholeFile(h.file("/talvorin.txt")), QByteArray("0"));
        QCOMPARE(h.worker().commandSlot().value("Control").toInt(), -1);
        writeWholeFile(h.file("/talvorin.txt"), "1");
        QTest::qWait(300);
        QCOMPARE(h.countAnswers(5), 1); // answered once; the standing command is gone
    }

    void controlSixEndsTheLoopAndAStartRunsAgain()
    {
        WorkerHarness h;
        writeWholeFile(h.file("/talvorin.txt"), "0");
        h.start();
        h.send({{"Control", 6}});
        QTRY_VERIFY(h.worker().isFinished());
        QVERIFY(!QFile::exists(h.file("/talvorin.txt")));
        h.send({{"Control", 4}});
        h.worker().start();
        QVERIFY(!h.waitForAnswer(4).isEmpty());
    }

    void stopThreadLetsTheRunningBranchFinish()
    {
        WorkerHarness h;
        h.send({{"Control", 0}});
        h.start();
        QTest::qWait(60); // discovery is between its devices now
        h.worker().stopThread();
        QVERIFY(!h.waitForAnswer(0, 3000).isEmpty());
        QTRY_VERIFY(h.worker().isFinished());
        h.send({{"Control", 4}});
        QTest::qWait(250);
        QCOMPARE(h.countAnswers(4), 0);
    }

    void stopTerminateReturnsWhileTheWorkerIsBusy()
    {
        TestHttpServer server;
        TestHttpServer::Reply hang;
        hang.hang = true;
        server.serve("/Qel/latest__version_v2.json", hang);
        qputenv("TALVORIN_UPDATE_SERVER", server.baseUrl().toLatin1());
        WorkerHarness h;
        h.send({{"Control", 0}});
        h.start();
        QTRY_COMPARE(server.requestCount(), 1); // discovery is now waiting for the server
        QVERIFY(h.answers().isEmpty());
        QElapsedTimer clock;
        clock.start();
        h.worker().stopTerminate();
        QVERIFY2(clock.elapsed() < 1100, qPrintable(QString::number(clock.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(h.worker().isFinished(), 3000);
        qputenv("TALVORIN_UPDATE_SERVER", "http://127.0.0.1:1");
    }

    void startAtLoginOnAndOff()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        WorkerHarness h;
        writeWholeFile(h.file("/startApp.txt"), "0");
        h.start();
        h.send({{"Control", 12}});
        QCOMPARE(h.waitForAnswer(12).value("StartwithWindows").toInt(), 1);
        QCOMPARE(h.waitForAnswer(12).value("StartwithWindowsError").toString(), QString());
        QCOMPARE(readWholeFile(h.file("/startApp.txt")), QByteArray("1"));
        const QByteArray entry = readWholeFile(config.path() + "/autostart/talvorin.desktop");
        QVERIFY(entry.contains("[Desktop Entry]"));
        QVERIFY(entry.contains("Exec=\""));

        h.send({{"Control", 13}});
        QCOMPARE(h.waitForAnswer(13).value("StartwithWindows").toInt(), 0);
        QCOMPARE(readWholeFile(h.file("/startApp.txt")), QByteArray("0"));
        QVERIFY(!QFile::exists(config.path() + "/autostart/talvorin.desktop"));
        qunsetenv("XDG_CONFIG_HOME");
    }

    void startAtLoginEntryQuotesAnyProgramPath()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        QVERIFY(platform::enableAutostart(R"(/opt/my apps/ta"l$v%o\rin)"));
        const QByteArray entry = readWholeFile(config.path() + "/autostart/talvorin.desktop");
        QVERIFY2(entry.contains(R"(Exec="/opt/my apps/ta\\"l\\$v%%o\\\\rin")" "\n"), entry.constData());
        QVERIFY(platform::disableAutostart());
        QVERIFY(platform::disableAutostart()); // nothing left to remove is fine
        qunsetenv("XDG_CONFIG_HOME");
    }

    void refusedStartAtLoginKeepsTheStoredValue()
    {
        QTemporaryDir config;
        writeWholeFile(config.filePath("not-a-folder"), "x");
        qputenv("XDG_CONFIG_HOME", config.filePath("not-a-folder").toLocal8Bit());
        WorkerHarness h;
        writeWholeFile(h.file("/startApp.txt"), "0");
        h.start();
        h.send({{"Control", 12}});
        const QVariantMap answer = h.waitForAnswer(12);
        QCOMPARE(answer.value("StartwithWindows").toInt(), 0);
        QVERIFY2(answer.value("StartwithWindowsError").toString().startsWith("Could not add the start-at-login entry: "),
                 qPrintable(answer.value("StartwithWindowsError").toString()));
        QCOMPARE(readWholeFile(h.file("/startApp.txt")), QByteArray("0"));
        qunsetenv("XDG_CONFIG_HOME");
    }

    void unlinkedProgramInFrontSwitchesTheMouseToProfileOne()
    {
        WorkerHarness h;
        h.start();
        LaunchEvent event;
        event.executablePath = "/usr/bin/some-editor";
        event.executableName = "some-editor";
        h.worker().launchQueue().push(event);
        QVERIFY(!h.waitForAnswer(2).isEmpty()); // the mouse branch ran in the worker's turn
        QCOMPARE(h.worker().launchQueue().size(), size_t(0));
    }
};

QTEST_GUILESS_MAIN(WorkerLoopTest)
#include "test_worker_loop.moc"
