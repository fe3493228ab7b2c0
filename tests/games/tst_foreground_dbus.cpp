// Wayland desktops report the window in front over the session bus: the KWin script and the
// GNOME Shell extension call our object. On a private session bus, stand-ins play KWin and
// GNOME Shell (the KWin script itself runs in a JavaScript engine), real processes play the
// programs in front, and a real worker switches the profile.
#include "core/foreground_monitor.h"
#include "launch_events.h"
#include "fake_compositors.h"
#include "log_capture.h"
#include "platform/foreground_dbus.h"
#include "private_session_bus.h"
#include "worker/worker_harness.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <functional>

namespace {

// A program that runs until the test ends it: a copy of sleep in a folder of the given name.
class Program {
public:
    Program(const QString& folder, const QString& name)
    {
        const QString file = folder + QLatin1Char('/') + name;
        QDir().mkpath(folder);
        QFile::copy(QStandardPaths::findExecutable(QStringLiteral("sleep")), file);
        QFile(file).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        m_process.start(file, {QStringLiteral("600")});
        m_process.waitForStarted(5000);
        m_file = QFileInfo(file).canonicalFilePath();
    }
    ~Program()
    {
        m_process.kill(); // by its process id
        m_process.waitForFinished(3000);
    }
    int pid() const { return int(m_process.processId()); }
    QString file() const { return m_file; }

private:
    QProcess m_process;
    QString m_file;
};

QJsonObject record(const QString& id, const QString& installDir, int profile)
{
    return {{"AppID", id},    {"GameName", id},         {"InstallDir", installDir}, {"ACFPath", ""},
            {"IconPath", ""}, {"GameProfile", profile}, {"Checked", false},         {"OpacityVisible", false}};
}

QDBusMessage reportCall(const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(platform::kForegroundService), QLatin1String(platform::kForegroundPath),
        QLatin1String(platform::kForegroundInterface), QLatin1String(platform::kForegroundMethod));
    call.setArguments(arguments);
    return call;
}

bool ourObjectIsOnTheBus()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(QLatin1String(platform::kForegroundService));
}

// A process id that no process has now.
qint64 unusedProcessId()
{
    qint64 pid = 4194000;
    while (QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
        --pid;
    return pid;
}

void useDesktop(const char* desktop)
{
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("XDG_CURRENT_DESKTOP", desktop);
}

} // namespace

class ForegroundDbusTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    std::unique_ptr<Program> m_game;  // in a folder linked to profile 4
    std::unique_ptr<Program> m_other; // linked to nothing
    LogCapture m_log;

    QString extensionFolder() const
    {
        return qEnvironmentVariable("XDG_DATA_HOME") + "/gnome-shell/extensions/" + platform::kGnomeExtensionUuid;
    }

    // Brings the game to the front and takes it back with `bringToFront`, through a real
    // worker whose game map links the game's folder to profile 4.
    void driveGameToFrontAndBack(const std::function<void(int pid)>& bringToFront, const std::function<bool()>& ready)
    {
        WorkerHarness worker;
        writeWholeFile(worker.file("/Mouse/UserGameMap.json"),
                       QJsonDocument(QJsonObject{{"game", record("game", "LinkedGame", 4)}}).toJson());
        const int before = m_log.profileSwitches().size();
        worker.start();
        QVERIFY(!worker.waitForAnswer(0, 10000).isEmpty());
        QTRY_VERIFY(ready());
        bringToFront(m_other->pid());
        QTRY_COMPARE(m_log.profileSwitches().mid(before), QList<int>({1}));
        bringToFront(m_game->pid());
        QTRY_COMPARE(m_log.profileSwitches().mid(before), QList<int>({1, 4}));
        bringToFront(m_game->pid()); // another window of the same program: no new record
        bringToFront(m_other->pid());
        QTRY_COMPARE(m_log.profileSwitches().mid(before), QList<int>({1, 4, 1}));
        worker.stop();
        QTRY_VERIFY(!ourObjectIsOnTheBus()); // the name is given back when the monitor stops
    }

private slots:
    void initTestCase()
    {
        m_log.install();
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        m_game = std::make_unique<Program>(m_folder.path() + "/LinkedGame", "linkedgame");
        m_other = std::make_unique<Program>(m_folder.path() + "/Elsewhere", "editor");
        QVERIFY(m_game->pid() > 0 && m_other->pid() > 0);
    }

    void cleanupTestCase()
    {
        m_game.reset();
        m_other.reset();
    }

    void kwinScriptSwitchesTheProfileForTheWindowInFront()
    {
        useDesktop("KDE");
        FakeKWin kwin(false);
        QVERIFY(kwin.isUp());
        FakeWindow other("Notes", QStringLiteral("editor"), m_other->pid());
        FakeWindow game("Linked Game", QStringLiteral("linkedgame"), m_game->pid());
        FakeWindow gameMenu("Linked Game - Options", QStringLiteral("linkedgame"), m_game->pid());
        driveGameToFrontAndBack(
            [&](int pid) {
                FakeWindow* gameWindow = kwin.activeWindow() == &game ? &gameMenu : &game;
                kwin.activate(pid == m_game->pid() ? gameWindow : &other);
            },
            [&] { return kwin.runs == 1; });
        QVERIFY2(kwin.lastError.isEmpty(), qPrintable(kwin.lastError));
        QCOMPARE(kwin.loadCount, 1);
        // The script is taken out of KWin again when the monitor stops.
        QTRY_COMPARE(kwin.unloadCount, 1);
        QVERIFY(kwin.loadedNames().isEmpty());
    }

    void kwin5ScriptReportsTheWindowClassAsBytes()
    {
        useDesktop("KDE");
        FakeKWin kwin(true);
        QVERIFY(kwin.isUp());
        FakeWindow game("Linked Game", QByteArray("linkedgame"), m_game->pid());
        kwin.activate(&game); // already in front when the script starts
        LaunchQueue queue;
        ForegroundMonitor monitor(queue);
        monitor.start();
        QTRY_COMPARE(queue.size(), size_t(1));
        const QList<LaunchEvent> events = drain(queue);
        QCOMPARE(events.at(0).processId, qint64(m_game->pid()));
        QCOMPARE(events.at(0).windowTitle, QString("Linked Game"));
        QCOMPARE(events.at(0).executablePath, m_game->file());
        monitor.stop();
        QVERIFY2(kwin.lastError.isEmpty(), qPrintable(kwin.lastError));
    }

    void aScriptLeftLoadedByAnEarlierRunIsReplaced()
    {
        useDesktop("KDE");
        FakeKWin kwin(false);
        QCOMPARE(kwin.loadScript(QCoreApplication::applicationFilePath(), platform::kKWinScriptName), 0);
        LaunchQueue queue;
        ForegroundMonitor monitor(queue);
        monitor.start();
        QTRY_COMPARE(kwin.runs, 1);
        QCOMPARE(kwin.unloadCount, 1);
        QCOMPARE(kwin.loadedNames(), QStringList{platform::kKWinScriptName});
        monitor.stop();
    }

    void hostileCallsAreRefusedWithoutEffect()
    {
        useDesktop("KDE");
        FakeKWin kwin(false);
        FakeWindow other("Notes", QStringLiteral("editor"), m_other->pid());
        kwin.activate(&other);
        LaunchQueue queue;
        ForegroundMonitor monitor(queue);
        monitor.start();
        QTRY_COMPARE(queue.size(), size_t(1));
        drain(queue);

        // Another program on the bus may not claim a window, however well-formed its call.
        QDBusConnection intruder = connectIntruder();
        const QVariantList valid = {QString("Linked Game"), QString("linkedgame"), m_game->pid()};
        QDBusMessage reply = intruder.call(reportCall(valid), QDBus::Block, 5000);
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QDBusConnection::disconnectFromBus(intruder.name());

        // KWin's own connection, with calls no script of ours makes.
        const QString huge(200000, QLatin1Char('x'));
        const QList<QVariantList> hostile = {
            {},
            {QString("Linked Game"), QString("linkedgame")},
            {QString("Linked Game"), QString("linkedgame"), m_game->pid(), 1},
            {42, QString("linkedgame"), m_game->pid()},
            {QString("Linked Game"), 7, m_game->pid()},
            {QString("Linked Game"), QString("linkedgame"), QString::number(m_game->pid())},
            {QString("Linked Game"), QString("linkedgame"), double(m_game->pid()) + 0.5},
            {QString("Linked Game"), QString("linkedgame"), true},
            {huge, QString("linkedgame"), m_game->pid()},
            {QString("Linked Game"), QString(300, QLatin1Char('c')), m_game->pid()},
            {QString("Linked Game"), QString("linkedgame"), 0},
            {QString("Linked Game"), QString("linkedgame"), -m_game->pid()},
            {QString("Linked Game"), QString("linkedgame"), qlonglong(1) << 40},
            {QString("Linked Game"), QString("linkedgame"), unusedProcessId()},
            {QByteArray("Linked Game"), QString("linkedgame"), m_game->pid()},
        };
        for (const QVariantList& arguments : hostile) {
            QDBusMessage refused = kwin.callFromKWin(reportCall(arguments));
            QVERIFY2(refused.type() == QDBusMessage::ErrorMessage,
                     qPrintable(QString("accepted: %1 arguments").arg(arguments.size())));
        }
        QCOMPARE(queue.size(), size_t(0));

        // Nothing of it stuck: the editor is still the program in front (no record for it
        // again), and the game that comes to the front next is one.
        QCOMPARE(kwin.callFromKWin(reportCall({QString("Notes"), QString("editor"), m_other->pid()})).type(),
                 QDBusMessage::ReplyMessage);
        QCOMPARE(kwin.callFromKWin(reportCall(valid)).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(queue.size(), size_t(1));
        QCOMPARE(drain(queue).at(0).processId, qint64(m_game->pid()));
        monitor.stop();
    }

    void gnomeExtensionSwitchesTheProfileForTheWindowInFront()
    {
        useDesktop("ubuntu:GNOME");
        FakeGnomeShell shell(1, "46.2"); // the extension is on
        QVERIFY(shell.isUp());
        FakeNotifications notifications;
        driveGameToFrontAndBack(
            [&](int pid) {
                const QString title = pid == m_game->pid() ? "Linked Game" : "Notes";
                const QDBusMessage reply = shell.bus().call(reportCall({title, QString("wm-class"), pid}), QDBus::Block, 5000);
                QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
            },
            [] { return ourObjectIsOnTheBus(); });
        QVERIFY(notifications.bodies().isEmpty()); // nothing to tell while the extension is on
    }

    void missingGnomeExtensionIsInstalledAndTheUserToldOnce()
    {
        useDesktop("GNOME");
        QDir(extensionFolder()).removeRecursively();
        FakeNotifications notifications;
        {
            FakeGnomeShell shell(-1, "46.0"); // the Shell does not know the extension
            LaunchQueue queue;
            ForegroundMonitor monitor(queue);
            monitor.start();
            QTRY_COMPARE(notifications.bodies().size(), 1);
            QVERIFY(notifications.bodies().at(0).contains("gnome-extensions enable " + QString(platform::kGnomeExtensionUuid)));
            const QByteArray code = readWholeFile(extensionFolder() + "/extension.js");
            QVERIFY(code.contains("export default class")); // the module format of 45 and later
            QVERIFY(readWholeFile(extensionFolder() + "/metadata.json").contains("\"46\""));
            // Turned on later in the session, the extension is heard at once.
            QCOMPARE(shell.bus().call(reportCall({QString("Linked Game"), QString("x"), m_game->pid()}), QDBus::Block, 5000).type(),
                     QDBusMessage::ReplyMessage);
            QTRY_COMPARE(queue.size(), size_t(1));
            monitor.stop();
        }
        {
            // Next start, still off (and now an older Shell): installed in its format, not told again.
            QDir(extensionFolder()).removeRecursively();
            FakeGnomeShell shell(-1, "44.3");
            LaunchQueue queue;
            ForegroundMonitor monitor(queue);
            monitor.start();
            QTRY_VERIFY(QFile::exists(extensionFolder() + "/metadata.json"));
            QTest::qWait(200);
            QVERIFY(readWholeFile(extensionFolder() + "/extension.js").contains("function init()"));
            QVERIFY(readWholeFile(extensionFolder() + "/metadata.json").contains("\"44\""));
            monitor.stop();
        }
        QCOMPARE(notifications.bodies().size(), 1);
    }
};

int main(int argc, char** argv)
{
    const int rerun = rerunOnPrivateSessionBus(argc, argv);
    if (rerun >= 0)
        return rerun;
    // Extensions, scripts and notices go to folders of the test's own.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    QCoreApplication app(argc, argv);
    ForegroundDbusTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_foreground_dbus.moc"
