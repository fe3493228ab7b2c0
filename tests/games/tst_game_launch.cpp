// A program coming to the front switches the mouse profile through the worker's own turn.
#include "log_capture.h"
#include "worker/worker_harness.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

QJsonObject record(const QString& id, const QString& installDir, int profile)
{
    return {{"AppID", id},      {"GameName", id}, {"InstallDir", installDir}, {"ACFPath", ""},
            {"IconPath", ""},   {"GameProfile", profile}, {"Checked", false}, {"OpacityVisible", false}};
}

LaunchEvent launch(const QString& path)
{
    LaunchEvent event;
    event.processId = 4242;
    event.executablePath = path;
    event.executableName = QFileInfo(path).fileName();
    event.windowTitle = "window of " + event.executableName;
    return event;
}

} // namespace

class GameLaunchTest : public QObject {
    Q_OBJECT

private:
    // A running worker whose game map links "Foo" to profile 2 and "Bar" to profile 3 (the
    // profile the worker starts with), after its first discovery has loaded the map.
    void startWorker(WorkerHarness& worker)
    {
        const QJsonObject games{{"100", record("100", "Foo", 2)}, {"200", record("200", "Bar", 3)}};
        writeWholeFile(worker.file("/Mouse/UserGameMap.json"), QJsonDocument(games).toJson());
        worker.start();
        QVERIFY(!worker.waitForAnswer(0, 10000).isEmpty());
    }

    // Queues the launch and returns the profile the worker asked the mouse branch for, or 0
    // when it asked nothing within a few turns.
    int profileAskedFor(WorkerHarness& worker, const QString& path)
    {
        const int before = worker.answers().size();
        const int switches = m_log.profileSwitches().size();
        worker.worker().launchQueue().push(launch(path));
        if (worker.waitForAnswer(2, 600, before).isEmpty())
            return 0;
        const QList<int> profiles = m_log.profileSwitches();
        return profiles.size() == switches + 1 ? profiles.last() : -1;
    }

    LogCapture m_log;

private slots:
    void initTestCase() { m_log.install(); }

    void installFolderMatchesAnyPathHoldingItInAnyCase()
    {
        WorkerHarness worker;
        startWorker(worker);
        QCOMPARE(profileAskedFor(worker, "/home/u/.local/share/Steam/steamapps/common/FOO/bin/foo.x86_64"), 2);
        QCOMPARE(profileAskedFor(worker, "/games/foo/./../foo/run"), 2);
        QCOMPARE(worker.worker().launchQueue().size(), size_t(0));
    }

    void linkedToTheCurrentProfileAsksNothing()
    {
        WorkerHarness worker;
        startWorker(worker);
        QCOMPARE(profileAskedFor(worker, "/mnt/games/steamapps/common/Bar/Bar.x86_64"), 0);
    }

    void unlinkedProgramFallsBackToProfileOne()
    {
        WorkerHarness worker;
        startWorker(worker);
        QCOMPARE(profileAskedFor(worker, "/usr/bin/gedit"), 1);
    }

    void switchLeavesTheCommandQmlPlacedInPlace()
    {
        WorkerHarness worker;
        startWorker(worker);
        writeWholeFile(worker.file("/talvorin.txt"), "0");
        worker.send({{"Control", 5}}); // the idle worker's standing window request
        QCOMPARE(profileAskedFor(worker, "/usr/bin/gedit"), 1);
        QCOMPARE(worker.worker().commandSlot().value("Control").toInt(), 5);
        writeWholeFile(worker.file("/talvorin.txt"), "1");
        QVERIFY(!worker.waitForAnswer(5, 2000).isEmpty());
    }
};

QTEST_MAIN(GameLaunchTest)
#include "tst_game_launch.moc"
