// Prints what the keyboard hook costs: the callback's time per key event (it must return
// quickly or the desktop drops the hook) and the CPU share of a loop waiting for keys.
#include "listeners/hook_key_state.h"
#include "listeners/keyboard_hook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QThread>

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A desktop on which nobody types.
class QuietKeyboard : public platform::KeyboardHookBackend {
public:
    bool install(const std::vector<int>&) override { return true; }
    void remove() override {}
    PumpResult pumpOne(const KeyHandler&) override { return PumpResult::Idle; }
    void waitForEvents(const platform::WakeSignal& wake) override { platform::waitForEvent(-1, wake); }
    bool isKeyDown(int) const override { return false; }
};

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double callbackMicroseconds(int events)
{
    // The callback writes its trace lines to standard output; they go nowhere here.
    std::fflush(stdout);
    const int savedStdout = dup(1);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 1);
    HookKeyState state;
    platform::KeyEvent event;
    event.scanCode = 46;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < events; ++i) {
        event.down = (i % 2) == 0;
        event.virtualKey = 0x41 + (i / 2) % 26;
        event.held.ctrl = (i % 8) < 4;
        onHookKeyEvent(state, event);
    }
    const double elapsed = double(timer.nsecsElapsed()) / 1000.0;
    std::fflush(stdout);
    dup2(savedStdout, 1);
    close(devNull);
    close(savedStdout);
    return elapsed / events;
}

double idleLoopCpuShare(int milliseconds)
{
    KEYBOARD_HOOK hook([] { return std::make_unique<QuietKeyboard>(); });
    QVariantMap command;
    command[QStringLiteral("Control")] = 2;
    hook.receiveDataFromQML(command);
    hook.start();
    QThread::msleep(50);
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QThread::msleep(unsigned(milliseconds));
    const double share = (processCpuSeconds() - cpuBefore) / (double(wall.nsecsElapsed()) / 1e9);
    hook.stopThread();
    return share;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const int events = 20000;
    std::printf("hook callback, per key event (with its trace lines): %.2f us over %d events\n",
                callbackMicroseconds(events), events);
    std::printf("key capture waiting for keys, CPU share of one core: %.2f %%\n", 100.0 * idleLoopCpuShare(2000));
    return 0;
}
