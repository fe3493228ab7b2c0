// Prints what the background listener costs while it waits: the CPU share of an idle listener
// and of one waiting for mouse reports on the simulator, how long a stop takes while a read is
// pending, and how long a notification takes from the mouse to the listener's answer.
#include "listeners/background_listening.h"
#include "sim/mouse/sim_hid_backend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct Rig {
    std::shared_ptr<SimHidBackend> bus = std::make_shared<SimHidBackend>();
    int device = bus->attach(SimLink::Receiver);
    std::unique_ptr<BACKGROUND_LISTENING> listener;

    Rig()
    {
        DeviceSetup setup;
        setup.virtualDevices = true;
        setup.hid = bus;
        listener = std::make_unique<BACKGROUND_LISTENING>(setup);
    }
    QVariantMap command(int control) const
    {
        return {{QStringLiteral("Control"), control},
                {QStringLiteral("currentHID_Path"), QString::fromStdString(bus->vendorPath(device))}};
    }
    void startListening()
    {
        listener->start();
        listener->receiveDataFromQML(command(2));
        while (bus->openHandles() == 0)
            QThread::msleep(1);
    }
};

double cpuShare(int control, int milliseconds)
{
    Rig rig;
    rig.listener->start();
    rig.listener->receiveDataFromQML(rig.command(control));
    QThread::msleep(100);
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QThread::msleep(unsigned(milliseconds));
    const double share = (processCpuSeconds() - cpuBefore) / (double(wall.nsecsElapsed()) / 1e9);
    rig.listener->stopThread();
    return share;
}

std::vector<double> stopMilliseconds(int stops)
{
    Rig rig;
    std::vector<double> took;
    for (int i = 0; i < stops; ++i) {
        rig.startListening();
        QThread::msleep(unsigned(7 * i % 50)); // somewhere inside a read slice
        QElapsedTimer timer;
        timer.start();
        rig.listener->stopThread();
        took.push_back(double(timer.nsecsElapsed()) / 1e6);
        rig.listener->wait();
    }
    return took;
}

std::vector<double> notificationMilliseconds(int reports)
{
    Rig rig;
    std::atomic<int> answers{0};
    QObject::connect(rig.listener.get(), &BACKGROUND_LISTENING::dataChanged, rig.listener.get(),
                     [&answers](const QVariantMap&) { ++answers; }, Qt::DirectConnection);
    rig.startListening();
    std::vector<double> took;
    for (int i = 0; i < reports; ++i) {
        const int before = answers;
        QElapsedTimer timer;
        timer.start();
        rig.bus->sendBatteryNotification(rig.device, uint8_t(i % 100), 0);
        while (answers == before)
            QThread::usleep(100);
        took.push_back(double(timer.nsecsElapsed()) / 1e6);
        // The pass pauses before it opens the interface again; a report in between waits.
        QThread::msleep(150);
    }
    rig.listener->stopThread();
    return took;
}

void printSpread(const char* what, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::printf("%s: median %.1f ms, worst %.1f ms over %zu\n", what, values[values.size() / 2], values.back(),
                values.size());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    std::printf("idle listener (Control 0), CPU share of one core over 10 s: %.3f %%\n", 100.0 * cpuShare(0, 10000));
    std::printf("listener waiting for mouse reports, CPU share of one core over 10 s: %.3f %%\n",
                100.0 * cpuShare(2, 10000));
    printSpread("stopThread while a read is pending", stopMilliseconds(20));
    printSpread("battery report to the listener's answer", notificationMilliseconds(20));
    return 0;
}
