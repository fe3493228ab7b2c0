// The headset's filter on a PipeWire server of its own: how long a band moved on the page
// takes to be the gain of the running node, and what the filter costs in CPU while 48 kHz
// stereo plays through it. Prints figures; never fails on them.
#include "devices/headset/dev_headphone.h"
#include "headset/sound_server.h"
#include "real/headset/pipewire_dts_component.h"
#include "sim/headset/virtual_usb_bus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kChanges = 30;

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QVariantMap bandCommand(int band, int gain)
{
    QVariantMap command{{QStringLiteral("runFunction"), 7}, {QStringLiteral("selectDtsOption"), 5},
                        {QStringLiteral("indexGEQ"), band}};
    command.insert(QStringLiteral("GEQ_Band%1").arg(band), gain);
    return command;
}

// Milliseconds from the page's command to the node reporting the gain.
double bandChangeMs(DEV_HEADPHONE& device, PipeWireClient& client, int band, int gain)
{
    const QString control = QStringLiteral("eq_band_%1:Gain").arg(band);
    QElapsedTimer timer;
    timer.start();
    const QVariantMap command = bandCommand(band, gain);
    device.receiveDataFromQML(command);
    device.run_Headphone_Settings(7);
    while (timer.elapsed() < 2000) {
        const auto controls = client.readFilterControls(PipeWireDtsComponent::kTimeoutMs);
        if (controls && qAbs(controls->value(control) - gain) < 0.01f)
            return timer.nsecsElapsed() / 1e6;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    SoundServer server;
    QString error;
    if (!server.start(&error) || !server.addSink(QStringLiteral("bench_headset"), QStringLiteral("Bench headset"), true)) {
        std::printf("no sound server for the benchmark: %s\n", qPrintable(error));
        return 0;
    }
    QTemporaryDir data;
    qputenv("TALVORIN_DATA_DIR", data.path().toLocal8Bit());
    auto bus = std::make_shared<VirtualUsbBus>();
    bus->plug(VirtualUsbBus::headset());
    auto dts = std::make_shared<PipeWireDtsComponent>(
        QStringLiteral(TALVORIN_HEADSET_CONFIG_DIR "/dts_apo4_hpxv2_oem_config_2DBF0001.xml"),
        data.path() + QStringLiteral("/dts_values.json"));
    DeviceSetup setup;
    setup.dts = dts;
    setup.usbBus = bus;
    setup.headsetFilesDir = QStringLiteral(TALVORIN_HEADSET_CONFIG_DIR);
    DEV_HEADPHONE device(setup);
    device.receiveDataFromQML({{QStringLiteral("selectDtsOption"), 5}});
    device.run_Headphone_Settings(5);
    if (!server.waitForNode(QStringLiteral("talvorin_headset_dts"), true, 5000)) {
        std::printf("the filter did not start\n");
        return 0;
    }

    QList<double> times;
    for (int i = 0; i < kChanges; ++i)
        times << bandChangeMs(device, dts->client(), i % 10, (i % 2) ? -6 : 6);
    std::sort(times.begin(), times.end());
    std::printf("band change on the page -> gain on the running node (%d changes): median %.2f ms, max %.2f ms\n",
                kChanges, times[kChanges / 2], times.last());

    // CPU of this process (the filter's data thread) while 2 s of 48 kHz stereo play through
    // the filter, against the same time with nothing playing.
    QElapsedTimer wall;
    double before = processCpuSeconds();
    wall.start();
    QThread::msleep(2500);
    const double idle = (processCpuSeconds() - before) / (wall.nsecsElapsed() / 1e9);
    before = processCpuSeconds();
    wall.restart();
    const auto level = server.toneLevel(QStringLiteral("talvorin_headset_dts"), QStringLiteral("bench_headset"), 1000.0);
    const double playing = (processCpuSeconds() - before) / (wall.nsecsElapsed() / 1e9);
    std::printf("filter CPU, 48 kHz stereo, 12 biquads per channel: %.2f %% of one core while playing "
                "(%.2f %% idle)%s\n",
                playing * 100, idle * 100, level ? "" : " - no sound came through");
    qunsetenv("TALVORIN_DATA_DIR");
    return 0;
}
