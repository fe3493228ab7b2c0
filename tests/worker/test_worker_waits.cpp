// How the worker waits between commands: it sleeps until something needs it and acts at once
// when something does (a command, a second start's note in the hand-off file, a program that
// comes to the front), keeps only the newest of commands placed together, and stops from any
// wait.
#include "support/test_http_server.h"
#include "worker_harness.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QtTest>
#include <cstdio>

namespace {

// When the worker emitted each answer, taken on the worker's own thread (so the test thread's
// scheduling does not enter the figures).
class EmitClock {
public:
    explicit EmitClock(TALVORIN& worker)
    {
        m_clock.start();
        QObject::connect(&worker, &TALVORIN::dataChanged, &worker, [this](const QVariantMap& answer) {
            QMutexLocker lock(&m_mutex);
            m_emits.append({answer.value("Control").toInt(), m_clock.elapsed()});
        }, Qt::DirectConnection);
    }
    // When the first answer with this Control was emitted; -1 when none was.
    qint64 emittedAt(int control) const
    {
        QMutexLocker lock(&m_mutex);
        for (const auto& emitted : m_emits) {
            if (emitted.first == control)
                return emitted.second;
        }
        return -1;
    }

private:
    QElapsedTimer m_clock;
    mutable QMutex m_mutex;
    QList<QPair<int, qint64>> m_emits;
};

// A discovery that waits on an update server which never answers, until the stall time-out.
struct SlowDiscovery {
    TestHttpServer server;
    SlowDiscovery()
    {
        TestHttpServer::Reply hang;
        hang.hang = true;
        server.serve("/Qel/latest__version_v2.json", hang);
        qputenv("TALVORIN_UPDATE_SERVER", server.baseUrl().toLatin1());
        qputenv("TALVORIN_HTTP_STALL_TIMEOUT_MS", "400");
    }
    ~SlowDiscovery()
    {
        qputenv("TALVORIN_UPDATE_SERVER", "http://127.0.0.1:1");
        qunsetenv("TALVORIN_HTTP_STALL_TIMEOUT_MS");
    }
    // True once the worker is inside the discovery, waiting for the server.
    bool running() { return QTest::qWaitFor([this] { return server.requestCount() >= 1; }, 5000); }
};

} // namespace

class WorkerWaitsTest : public QObject {
    Q_OBJECT

private slots:
    void commandPlacedDuringABranchIsTakenNextWithoutASleep()
    {
        SlowDiscovery discovery;
        WorkerHarness h;
        h.create();
        EmitClock emits(h.worker());
        h.send({{"Control", 0}});
        h.start();
        QVERIFY(discovery.running());
        h.send({{"Control", 4}});
        QVERIFY(!h.waitForAnswer(4, 5000).isEmpty());
        QCOMPARE(h.countAnswers(0), 1);
        const qint64 gap = emits.emittedAt(4) - emits.emittedAt(0);
        // A worker that slept its 100 ms between turns would answer 100 ms or more later.
        QVERIFY2(gap >= 0 && gap < 50, qPrintable(QString::number(gap)));
    }

    void commandsPlacedTogetherKeepOnlyTheNewest()
    {
        SlowDiscovery discovery;
        WorkerHarness h;
        writeWholeFile(h.file("/talvorin.txt"), "1");
        h.send({{"Control", 0}});
        h.start();
        QVERIFY(discovery.running());
        h.send({{"Control", 4}});
        h.send({{"Control", 42}}); // unknown: stays in the slot unanswered
        h.send({{"Control", 5}});
        const QVariantMap answer = h.waitForAnswer(5, 5000);
        QCOMPARE(answer.value("startGUI").toInt(), 1);
        QTest::qWait(150);
        QCOMPARE(h.countAnswers(4), 0);
        QCOMPARE(h.countAnswers(5), 1);
        QCOMPARE(h.worker().commandSlot().value("Control").toInt(), -1);
    }

    // A second start writes the note while the worker is still discovering, before it has
    // asked for the window request: the request placed afterwards still finds the note.
    void handOffWrittenBeforeTheRequestIsSeen_data()
    {
        QTest::addColumn<bool>("beforeStart");
        QTest::newRow("before the worker starts") << true;
        QTest::newRow("while the worker discovers") << false;
    }

    void handOffWrittenBeforeTheRequestIsSeen()
    {
        QFETCH(bool, beforeStart);
        SlowDiscovery discovery;
        WorkerHarness h;
        writeWholeFile(h.file("/talvorin.txt"), "0");
        if (beforeStart)
            writeWholeFile(h.file("/talvorin.txt"), "1");
        h.send({{"Control", 0}});
        h.start();
        QVERIFY(discovery.running());
        if (!beforeStart)
            writeWholeFile(h.file("/talvorin.txt"), "1");
        QVERIFY(!h.waitForAnswer(0, 5000).isEmpty());
        h.send({{"Control", 5}});
        QCOMPARE(h.waitForAnswer(5, 2000).value("startGUI").toInt(), 1);
        QTRY_COMPARE(readWholeFile(h.file("/talvorin.txt")), QByteArray("0"));
    }

    void handOffIsSeenWhetherRewrittenOrReplaced_data()
    {
        QTest::addColumn<bool>("replaced");
        QTest::newRow("rewritten in place") << false;
        QTest::newRow("replaced by a rename") << true;
    }

    void handOffIsSeenWhetherRewrittenOrReplaced()
    {
        QFETCH(bool, replaced);
        WorkerHarness h;
        writeWholeFile(h.file("/talvorin.txt"), "0");
        h.start();
        h.send({{"Control", 5}});
        QTest::qWait(150);
        // Other files of the folder change without answering the request.
        writeWholeFile(h.file("/FSA.txt"), "1");
        QTest::qWait(150);
        QCOMPARE(h.countAnswers(5), 0);
        if (replaced) {
            writeWholeFile(h.file("/talvorin.txt.new"), "1");
            QCOMPARE(std::rename(qPrintable(h.file("/talvorin.txt.new")), qPrintable(h.file("/talvorin.txt"))), 0);
        } else {
            writeWholeFile(h.file("/talvorin.txt"), "1");
        }
        QCOMPARE(h.waitForAnswer(5, 1000).value("startGUI").toInt(), 1);
    }

    void launchEventsWakeTheWorkerAndSwitchThereAndBack()
    {
        WorkerHarness h;
        h.create();
        h.start();
        h.send({{"Control", 2},
                {"runFunction", 41},
                {"AppIDList", QVariantList{"570"}},
                {"570", QVariantList{"570", "Some Game", "somegame", "", "", 4, true, true}}});
        QVERIFY(!h.waitForAnswer(2).isEmpty());
        const int before = h.answers().size();

        LaunchEvent game;
        game.executablePath = "/games/SomeGame/bin/somegame.x86_64";
        game.executableName = "somegame.x86_64";
        h.worker().launchQueue().push(game);
        const QVariantMap toGame = h.waitForAnswer(2, 2000, before);
        QCOMPARE(toGame.value("runFunction").toInt(), 1);

        const int afterGame = h.answers().size();
        LaunchEvent editor;
        editor.executablePath = "/usr/bin/editor";
        editor.executableName = "editor";
        h.worker().launchQueue().push(editor);
        const QVariantMap back = h.waitForAnswer(2, 2000, afterGame);
        QCOMPARE(back.value("runFunction").toInt(), 1);
        QTRY_COMPARE(h.worker().launchQueue().size(), size_t(0));
    }

    void stopEndsEveryWait_data()
    {
        QTest::addColumn<QVariantMap>("command");
        QTest::newRow("nothing to do") << QVariantMap{{"Control", -1}};
        QTest::newRow("holding the window request") << QVariantMap{{"Control", 5}};
        QTest::newRow("holding an unknown command") << QVariantMap{{"Control", 42}};
    }

    void stopEndsEveryWait()
    {
        QFETCH(QVariantMap, command);
        WorkerHarness h;
        writeWholeFile(h.file("/talvorin.txt"), "0");
        h.start();
        h.send(command);
        QTest::qWait(100);
        QVERIFY(h.worker().isRunning());
        QElapsedTimer clock;
        clock.start();
        h.worker().stopThread();
        QVERIFY(h.worker().wait(1000));
        QVERIFY2(clock.elapsed() < 100, qPrintable(QString::number(clock.elapsed())));

        h.worker().start();
        QTest::qWait(50);
        clock.restart();
        h.worker().stopTerminate();
        QVERIFY(h.worker().isFinished());
        QVERIFY2(clock.elapsed() < 100, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(WorkerWaitsTest)
#include "test_worker_waits.moc"
