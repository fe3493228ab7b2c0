// Prints what one mouse command costs on top of the device (the transport's own overhead,
// against a simulated mouse that answers at once), and what a full discovery of one mouse
// costs. Log lines are formatted as in the program but not written anywhere; the transport's
// console output goes to /dev/null and the figures to standard error.
#include "devices/mouse/dev_mouse.h"
#include "sim/mouse/sim_hid_backend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace {

void discardLog(QtMsgType, const QMessageLogContext&, const QString&) {}

struct Sample {
    double wallMs;
    double cpuMs;
};

template <typename Work>
Sample measure(int runs, Work&& work)
{
    QElapsedTimer wall;
    const std::clock_t cpuStart = std::clock();
    wall.start();
    for (int i = 0; i < runs; ++i)
        work(i);
    const double wallMs = double(wall.nsecsElapsed()) / 1e6;
    const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    return {wallMs / runs, cpuMs / runs};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir data;
    qputenv("TALVORIN_DATA_DIR", data.path().toUtf8());
    qInstallMessageHandler(discardLog);
    if (!std::freopen("/dev/null", "w", stdout))
        std::fprintf(stderr, "(console output of the transport not redirected)\n");

    auto bus = std::make_shared<SimHidBackend>();
    const int receiver = bus->attach(SimLink::Receiver);
    DeviceSetup setup;
    setup.hid = bus;
    DEV_MOUSE mouse(setup);
    mouse.vendor_id = 0x2DBF;
    mouse.product_id = 0x5036;
    mouse.usage_page = 0xFF00;
    const std::string path = bus->vendorPath(receiver);

    const int commands = 300;
    int failures = 0;
    const Sample set = measure(commands, [&](int i) {
        failures += mouse.Set_SelectProfile(uint8_t(1 + i % 5), path.c_str()) ? 0 : 1;
    });
    std::fprintf(stderr, "one set command (Set_SelectProfile, answer at once), %d runs:\n", commands);
    std::fprintf(stderr, "  wall %.3f ms, CPU %.3f ms per command, %d failed\n", set.wallMs, set.cpuMs, failures);

    const Sample read = measure(commands, [&](int) { mouse.Read_ECO_Mode(path.c_str()); });
    std::fprintf(stderr, "one read command (Read_ECO_Mode): wall %.3f ms, CPU %.3f ms\n", read.wallMs, read.cpuMs);

    const int scans = 5;
    int found = 0;
    const Sample discovery = measure(scans, [&](int) {
        found += mouse.get_hid_devices_info().value(QStringLiteral("mouseNum")).toInt();
    });
    std::fprintf(stderr, "full discovery with one mouse, %d runs (%d found):\n", scans, found);
    std::fprintf(stderr, "  wall %.1f ms, CPU %.2f ms per scan\n", discovery.wallMs, discovery.cpuMs);
    return 0;
}
