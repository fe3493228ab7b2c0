// Figures for the game library: the cost of a Steam scan of many games (pictures already
// present, so no network), of matching a foreground program against a large game map, and
// the time from a change of the window in front to the profile command (on an X display).
#include "core/game_linking.h"
#include "core/steam_header_images.h"
#include "core/steam_library_scan.h"
#include "core/device_setup.h"
#include "core/talvorin.h"

#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void benchScan(int games)
{
    QTemporaryDir dir;
    const QString apps = dir.path() + "/Steam/steamapps";
    const QString pictures = dir.path() + "/steamAppData";
    for (int i = 0; i < games; ++i) {
        const QString id = QString::number(1000 + i);
        write(apps + "/appmanifest_" + id + ".acf",
              QStringLiteral("\"AppState\"\n{\n\t\"appid\"\t\t\"%1\"\n\t\"name\"\t\t\"Game %1\"\n"
                             "\t\"installdir\"\t\t\"Game%1\"\n\t\"SizeOnDisk\"\t\t\"123456789\"\n}\n")
                  .arg(id)
                  .toUtf8());
        write(pictures + "/" + id + ".jpg", "jpg");
    }
    SteamHeaderImages images(QStringLiteral("http://127.0.0.1:9"));
    QElapsedTimer clock;
    clock.start();
    const auto result = scanSteamApps(steamAppsFolders({dir.path() + "/Steam"}), pictures, images);
    const double ms = clock.nsecsElapsed() / 1e6;
    std::printf("steam scan: %d games in %.1f ms (%.3f ms per game)\n", int(result.size()), ms, ms / games);
}

void benchMatching(int records)
{
    GameMap games;
    for (int i = 0; i < records; ++i) {
        GameInfo game;
        game.AppID = QString::number(i);
        game.InstallDir = QStringLiteral("Some Game Folder %1").arg(i);
        game.GameProfile = 1 + i % 5;
        games.insert(game.AppID, game);
    }
    const int rounds = 1000;
    QElapsedTimer clock;
    clock.start();
    int found = 0;
    for (int i = 0; i < rounds; ++i)
        found += findLinkedGame(games, QStringLiteral("/home/u/.local/share/Steam/steamapps/common/unlinked/bin/game")) ? 1 : 0;
    std::printf("link match (no match, worst case): %d records, %.1f us per launch event\n", records,
                clock.nsecsElapsed() / 1e3 / rounds);
    Q_UNUSED(found);
}

// Log lines of the worker, each with the moment it was written.
struct TimedLog {
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        if (qEnvironmentVariableIsSet("BENCH_TRACE"))
            std::fprintf(stderr, "%.1f %s\n", clock.nsecsElapsed() / 1e6, qPrintable(message));
        if (!message.contains(QLatin1String("game link: select profile")))
            return;
        QMutexLocker lock(&mutex);
        switches.append(clock.nsecsElapsed());
    }
    static inline QMutex mutex;
    static inline QList<qint64> switches;
    static inline QElapsedTimer clock;
};

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : 0;
    std::free(reply);
    return value;
}

// A window whose _NET_WM_PID names the given process.
xcb_window_t windowOf(xcb_connection_t* connection, xcb_window_t root, uint32_t pid)
{
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, 0, 0, 10, 10, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, "_NET_WM_PID"),
                        XCB_ATOM_CARDINAL, 32, 1, &pid);
    return window;
}

double percentile(QList<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(std::min(int(values.size() * share), int(values.size()) - 1));
}

// A program that runs until the benchmark ends: a copy of sleep in a folder of the given name.
class Program {
public:
    Program(const QString& folder, const QString& name)
    {
        QDir().mkpath(folder);
        const QString file = folder + QLatin1Char('/') + name;
        QFile::copy(QStandardPaths::findExecutable(QStringLiteral("sleep")), file);
        QFile(file).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        m_process.start(file, {QStringLiteral("600")});
        m_process.waitForStarted(5000);
    }
    ~Program()
    {
        m_process.kill(); // by its process id
        m_process.waitForFinished(3000);
    }
    uint32_t pid() const { return uint32_t(m_process.processId()); }

private:
    QProcess m_process;
};

// Foreground change -> profile command: this program plays the window manager, writing
// _NET_ACTIVE_WINDOW on the root window of the X display, alternately for a window of a
// program in a linked folder (profile 4) and one of a program linked to nothing, and a real
// worker on the virtual devices follows; measured up to the worker's "select profile" line.
void benchForegroundLatency()
{
    int screenNumber = 0;
    xcb_connection_t* connection = qEnvironmentVariableIsEmpty("DISPLAY") ? nullptr : xcb_connect(nullptr, &screenNumber);
    if (!connection || xcb_connection_has_error(connection)) {
        std::printf("foreground change -> profile command: no X display, skipped\n");
        if (connection)
            xcb_disconnect(connection);
        return;
    }
    QTemporaryDir programs;
    const Program game(programs.path() + "/LinkedBenchGame", "game");
    const Program other(programs.path() + "/Elsewhere", "editor");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t active = atom(connection, "_NET_ACTIVE_WINDOW");
    const xcb_window_t gameWindow = windowOf(connection, root, game.pid());
    const xcb_window_t otherWindow = windowOf(connection, root, other.pid());
    xcb_flush(connection);

    QTemporaryDir data;
    const QString folder = QStringLiteral("LinkedBenchGame");
    write(data.path() + "/Mouse/UserGameMap.json",
          QStringLiteral("{\"b\":{\"AppID\":\"b\",\"GameName\":\"b\",\"InstallDir\":\"/%1/\",\"ACFPath\":\"\","
                         "\"IconPath\":\"\",\"GameProfile\":4,\"Checked\":false,\"OpacityVisible\":false}}")
              .arg(folder)
              .toUtf8());
    TimedLog::clock.start();
    const QtMessageHandler previous = qInstallMessageHandler(&TimedLog::handle);
    QList<double> latencies;
    const int rounds = 16;
    {
        TALVORIN worker(makeDeviceSetup(true), data.path());
        worker.commandSlot().set(QStringLiteral("Control"), 0); // loads the game map
        // The profile switch is followed by the mouse page's rereading of the profile, which keeps
        // the worker busy for about a second: each change waits for the switch's answer.
        std::atomic<int> mouseAnswers{0};
        QObject::connect(
            &worker, &TALVORIN::dataChanged, &worker, [&](const QVariantMap& answer) {
                if (answer.value(QStringLiteral("Control")).toInt() == 2)
                    ++mouseAnswers;
            },
            Qt::DirectConnection);
        worker.start();
        QThread::msleep(1500);
        for (int i = 0; i < rounds; ++i) {
            const xcb_window_t front = i % 2 == 0 ? gameWindow : otherWindow;
            const int answersBefore = mouseAnswers;
            int before = 0;
            {
                QMutexLocker lock(&TimedLog::mutex);
                before = TimedLog::switches.size();
            }
            const qint64 changed = TimedLog::clock.nsecsElapsed();
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, active, XCB_ATOM_WINDOW, 32, 1, &front);
            xcb_flush(connection);
            for (int waited = 0; waited < 1000; ++waited) {
                QMutexLocker lock(&TimedLog::mutex);
                if (TimedLog::switches.size() > before) {
                    latencies.append((TimedLog::switches.at(before) - changed) / 1e6);
                    break;
                }
                lock.unlock();
                QThread::usleep(200);
            }
            for (int waited = 0; waited < 500 && mouseAnswers == answersBefore; ++waited)
                QThread::msleep(10);
            QThread::msleep(150); // a turn of the worker may still be running
        }
        worker.stopThread();
        worker.wait(3000);
    }
    qInstallMessageHandler(previous);
    xcb_disconnect(connection);
    std::printf("foreground change -> profile command: %d of %d changes switched; median %.1f ms, "
                "90th percentile %.1f ms, worst %.1f ms\n",
                int(latencies.size()), rounds, percentile(latencies, 0.5), percentile(latencies, 0.9),
                percentile(latencies, 1.0));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchScan(500);
    benchMatching(1000);
    benchForegroundLatency();
    return 0;
}
