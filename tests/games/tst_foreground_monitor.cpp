// The foreground monitor's thread and what counts as another program coming to the front.
#include "core/foreground_changes.h"
#include "core/foreground_monitor.h"
#include "launch_events.h"

#include <QtTest>

#include <atomic>
#include <deque>
#include <QTimer>

namespace {

using platform::ForegroundWindow;

ForegroundWindow window(qint64 pid, const QString& exe, const QString& title, const QString& firstArgument = {})
{
    ForegroundWindow w;
    w.processId = pid;
    w.executablePath = exe;
    w.title = title;
    w.firstArgument = firstArgument.isEmpty() ? exe : firstArgument;
    return w;
}

// Pushes the scripted windows one by one from a timer of the monitor's thread, the way a
// desktop's notices arrive there (a gap in the script is a moment without a window).
class ScriptedReader : public platform::ForegroundWindowReader {
public:
    ScriptedReader(std::deque<std::optional<ForegroundWindow>> script, std::atomic<int>& pushed, bool follows = true)
        : m_script(std::move(script)), m_pushed(pushed), m_follows(follows) {}

    bool start(platform::ForegroundHandler handler) override
    {
        if (!m_follows)
            return false;
        m_handler = std::move(handler);
        m_timer.setInterval(2);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { pushNext(); });
        m_timer.start();
        return true;
    }

private:
    void pushNext()
    {
        if (m_script.empty()) {
            m_timer.stop();
            return;
        }
        const std::optional<ForegroundWindow> next = m_script.front();
        m_script.pop_front();
        if (next)
            m_handler(*next);
        ++m_pushed;
    }

    std::deque<std::optional<ForegroundWindow>> m_script;
    std::atomic<int>& m_pushed;
    bool m_follows;
    platform::ForegroundHandler m_handler;
    QTimer m_timer;
};

} // namespace

class ForegroundMonitorTest : public QObject {
    Q_OBJECT

private slots:
    void onlyAnotherProgramMakesARecord()
    {
        const std::deque<std::optional<ForegroundWindow>> script = {
            window(10, "/usr/bin/editor", "first window"),
            window(10, "/usr/bin/editor", "second window of the same process"),
            std::nullopt, // a moment without an active window
            window(10, "/usr/bin/editor", "first window"),
            window(11, "/opt/game/game.x86_64", "Game"),
            window(11, "/opt/game/launcher", "the same process after exec"),
            window(0, "", "a window without a process"),
            window(10, "/usr/bin/editor", "back"),
        };
        LaunchQueue queue;
        std::atomic<int> reads{0};
        std::atomic<int> factoryCalls{0};
        ForegroundMonitor monitor(queue, [&] {
            ++factoryCalls;
            return std::make_unique<ScriptedReader>(script, reads);
        });
        monitor.start();
        monitor.start(); // already running: no second thread
        QTRY_COMPARE(reads.load(), int(script.size()));
        monitor.stop();
        QVERIFY(!monitor.isRunning());
        QCOMPARE(factoryCalls, 1);

        const QList<LaunchEvent> events = drain(queue);
        QCOMPARE(events.size(), 4);
        QCOMPARE(events.at(0).windowTitle, QString("first window"));
        QCOMPARE(events.at(0).executableName, QString("editor"));
        QCOMPARE(events.at(1).processId, qint64(11));
        QCOMPARE(events.at(2).executablePath, QString("/opt/game/launcher"));
        QCOMPARE(events.at(3).windowTitle, QString("back"));
    }

    void programUnderWineIsNamedByItsOwnFile()
    {
        const LaunchEvent event = launchEventFor(window(
            12, "/home/u/.steam/steamapps/common/Proton 9.0/files/bin/wine64-preloader", "Foo",
            "Z:\\home\\u\\.steam\\steamapps\\common\\Foo\\Foo.exe"));
        QCOMPARE(event.executablePath, QString("Z:/home/u/.steam/steamapps/common/Foo/Foo.exe"));
        QCOMPARE(event.executableName, QString("Foo.exe"));
        // A native program keeps its own file even when its argument looks like a Windows one.
        const LaunchEvent native = launchEventFor(window(13, "/usr/bin/7z", "7z", "C:\\setup.exe"));
        QCOMPARE(native.executablePath, QString("/usr/bin/7z"));
    }

    void withoutADesktopTheMonitorIdlesUntilStopped()
    {
        LaunchQueue queue;
        std::atomic<int> reads{0};
        ForegroundMonitor monitor(queue, [&] {
            return std::make_unique<ScriptedReader>(
                std::deque<std::optional<ForegroundWindow>>{window(10, "/usr/bin/a", "a")}, reads, false);
        });
        monitor.start();
        QTest::qWait(50);
        QVERIFY(monitor.isRunning());
        monitor.stop();
        QCOMPARE(reads.load(), 0);
        QCOMPARE(queue.size(), size_t(0));
    }

    void stopsPromptlyWhileWaitingAndStartsAgain()
    {
        LaunchQueue queue;
        std::atomic<int> reads{0};
        ForegroundMonitor monitor(queue, [&] {
            return std::make_unique<ScriptedReader>(
                std::deque<std::optional<ForegroundWindow>>{window(10, "/usr/bin/a", "a")}, reads);
        });
        monitor.start();
        QTRY_COMPARE(reads.load(), 1);
        QElapsedTimer clock;
        clock.start();
        monitor.stop(); // ends the wait for the next notice
        QVERIFY(clock.elapsed() < 1000);
        monitor.start(); // a new run starts afresh: the same program is a new record again
        QTRY_COMPARE(reads.load(), 2);
        monitor.stop();
        QCOMPARE(drain(queue).size(), 2);
    }
};

QTEST_GUILESS_MAIN(ForegroundMonitorTest)
#include "tst_foreground_monitor.moc"
