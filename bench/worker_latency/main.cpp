// Prints how long the worker takes to act on what reaches it, on the virtual devices: a mouse
// command placed by the window until the first HID report is written to the mouse, a program
// coming to the front (its launch event queued) until the profile switch reaches the mouse,
// and a second start's note in the hand-off file until the worker answers with the window
// request.
// The worker runs in this process; figures go to standard output, its log nowhere.
#include "core/device_setup.h"
#include "core/talvorin.h"
#include "sim/mouse/sim_hid_backend.h"
#include "util/files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

void discardLog(QtMsgType, const QMessageLogContext&, const QString&) {}

struct Figures {
    double median = 0;
    double mean = 0;
    double max = 0;
};

Figures summarise(std::vector<double> values)
{
    Figures f;
    if (values.empty())
        return f;
    std::sort(values.begin(), values.end());
    f.median = values[values.size() / 2];
    f.max = values.back();
    for (double v : values)
        f.mean += v;
    f.mean /= double(values.size());
    return f;
}

void print(const char* what, const Figures& f, int runs)
{
    std::printf("%-44s median %7.2f ms  mean %7.2f ms  max %7.2f ms  (%d runs)\n", what, f.median, f.mean, f.max, runs);
}

// The answers arrive on the worker's thread (direct connection): only counted here.
struct AnswerCounter {
    std::atomic<int> answers{0};
    std::atomic<int> windowRequests{0};
};

bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::usleep(20);
    }
    return true;
}

// A pause of 0 to 100 ms between runs, so that the runs fall on every phase of a worker that
// would work in fixed turns.
void randomPause()
{
    QThread::msleep(QRandomGenerator::global()->bounded(100));
}

std::vector<double> commandToReport(TALVORIN& worker, SimHidBackend& bus, AnswerCounter& counter, int runs)
{
    const QString path = QString::fromStdString(bus.vendorPath(0));
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        randomPause();
        bus.clearWrites();
        const int answersBefore = counter.answers;
        QElapsedTimer clock;
        clock.start();
        // Read_BTL_Percent: one request and its answer.
        worker.receiveDataFromQML({{"Control", 2}, {"runFunction", 19}, {"currentHID_Path", path}});
        if (!waitFor([&] { return !bus.writes(0).empty(); }, 2000))
            continue;
        samples.push_back(double(clock.nsecsElapsed()) / 1e6);
        waitFor([&] { return counter.answers > answersBefore; }, 2000);
    }
    return samples;
}

// A game linked to profile 4 and an editor linked to nothing take turns in front: every
// change switches the profile (4, then back to 1).
std::vector<double> launchToProfileSwitch(TALVORIN& worker, SimHidBackend& bus, AnswerCounter& counter, int runs)
{
    const QString path = QString::fromStdString(bus.vendorPath(0));
    const int before = counter.answers;
    worker.receiveDataFromQML({{"Control", 2},
                               {"runFunction", 41},
                               {"currentHID_Path", path},
                               {"AppIDList", QVariantList{"570"}},
                               {"570", QVariantList{"570", "Some Game", "somegame", "", "", 4, true, true}}});
    waitFor([&] { return counter.answers > before; }, 2000);
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        randomPause();
        LaunchEvent event;
        event.executablePath = i % 2 == 0 ? "/games/SomeGame/somegame" : "/usr/bin/editor";
        event.executableName = i % 2 == 0 ? "somegame" : "editor";
        bus.clearWrites();
        const int answersBefore = counter.answers;
        QElapsedTimer clock;
        clock.start();
        worker.launchQueue().push(event);
        if (waitFor([&] { return !bus.writes(0).empty(); }, 2000))
            samples.push_back(double(clock.nsecsElapsed()) / 1e6);
        waitFor([&] { return counter.answers > answersBefore; }, 2000);
    }
    return samples;
}

std::vector<double> handOffToAnswer(TALVORIN& worker, const QString& handOff, AnswerCounter& counter, int runs)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        writeTextToFile(handOff, QStringLiteral("0"));
        worker.receiveDataFromQML({{"Control", 5}});
        randomPause();
        const int before = counter.windowRequests;
        QElapsedTimer clock;
        clock.start();
        writeTextToFile(handOff, QStringLiteral("1"));
        if (waitFor([&] { return counter.windowRequests > before; }, 2000))
            samples.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return samples;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir data;
    qputenv("TALVORIN_UPDATE_SERVER", "http://127.0.0.1:1");
    qInstallMessageHandler(discardLog);
    // The worker's console lines go nowhere; the figures go to the saved standard output.
    std::fflush(stdout);
    const int figuresOut = dup(1);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 1);

    const DeviceSetup setup = makeDeviceSetup(true);
    auto* bus = dynamic_cast<SimHidBackend*>(setup.hid.get());
    if (!bus) {
        std::fprintf(stderr, "the virtual devices have no simulated HID bus\n");
        return 1;
    }
    AnswerCounter counter;
    TALVORIN worker(setup, data.path());
    QObject::connect(&worker, &TALVORIN::dataChanged, [&counter](const QVariantMap& answer) {
        ++counter.answers;
        if (answer.value("Control").toInt() == 5 && answer.value("startGUI").toInt() == 1)
            ++counter.windowRequests;
    });
    worker.commandSlot().set(QStringLiteral("Control"), 0);
    worker.start();
    waitFor([&] { return counter.answers > 0; }, 10000); // the discovery

    const int runs = 40;
    const Figures command = summarise(commandToReport(worker, *bus, counter, runs));
    const Figures launch = summarise(launchToProfileSwitch(worker, *bus, counter, runs));
    const Figures handOff = summarise(handOffToAnswer(worker, data.path() + "/talvorin.txt", counter, runs));

    std::fflush(stdout);
    dup2(figuresOut, 1);
    print("command placed -> first HID report written:", command, runs);
    print("launch event -> profile switch at the mouse:", launch, runs);
    print("hand-off written -> window request answered:", handOff, runs);
    worker.stopTerminate();
    return 0;
}
