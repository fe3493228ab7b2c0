// Cost of the GPU work:
//  - CPU and wall time of one metrics sample (a whole initialise/terminate bracket, as the
//    background listener takes once a second), against the stand-in library with its demo cards
//    and against the Linux library on a recorded machine (a current card with every file), with
//    the kernel files the Linux library opens per sample (counted with inotify on the tree);
//  - wall time of one four-register lighting command, which pauses 50 ms after each write
//    and so takes at least 200 ms.
// BENCH_GPU_LIST_OPENS=1 also prints the names of the files one sample opens.
// Prints figures; never fails on a number.
#include "devices/gpu/dev_gpu.h"
#include "recorded_machine.h"
#include "sim/gpu/stand_in_location.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

double cpuMs()
{
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}

struct SampleCost {
    double cpuMs = 0;
    double wallMs = 0;
    int withData = 0;
};

SampleCost sampleCost(DEV_GPU& gpu, int samples)
{
    gpu.realtime_getGPU_Information(0); // first load of the library out of the figures
    SampleCost cost;
    const double cpuStart = cpuMs();
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < samples; ++i)
        cost.withData += gpu.realtime_getGPU_Information(0).value(QStringLiteral("hasData")).toInt();
    cost.cpuMs = (cpuMs() - cpuStart) / samples;
    cost.wallMs = double(wall.nsecsElapsed()) / 1e6 / samples;
    return cost;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    qunsetenv("TALVORIN_ADLX_SIM_CARDS");
    qunsetenv("TALVORIN_ADLX_SIM_TRACE");
    qunsetenv("TALVORIN_ADLX_SIM_CALLS");
    DeviceSetup setup;
    setup.virtualDevices = true;
    setup.adlxLibrary = standInAdlxLibraryPath();
    DEV_GPU gpu(setup);
    const int listed = gpu.get_GPUDevicesInfo().value(QStringLiteral("gpuNum")).toInt();

    const int samples = 500;
    const SampleCost standIn = sampleCost(gpu, samples);

    const int commands = 10;
    std::vector<double> lighting;
    for (int i = 0; i < commands; ++i) {
        QElapsedTimer timer;
        timer.start();
        gpu.click_singleColor(0, 255, 40, 255, i * 20, 0);
        lighting.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(lighting.begin(), lighting.end());
    double sum = 0;
    for (double ms : lighting)
        sum += ms;
    const double mean = sum / commands;

    RecordedMachine machine(QStringLiteral("discrete_full.tree"), QStringLiteral("7:0"));
    DEV_GPU linuxGpu(machine.setup());
    const SampleCost onLinux = sampleCost(linuxGpu, samples);
    const QStringList opens = machine.opensDuring([&] { linuxGpu.realtime_getGPU_Information(0); });
    if (qEnvironmentVariableIsSet("BENCH_GPU_LIST_OPENS"))
        std::printf("%s\n", qPrintable(opens.join(QLatin1Char(' '))));
    const int foldersListed = opens.filter(QRegularExpression(QStringLiteral("/$"))).size();

    std::printf("\n==== GPU benchmark ====\n");
    std::printf("metrics sample, stand-in library (%d listed demo cards): %.3f ms CPU, %.3f ms wall (%d samples, %d "
                "with data)\n",
                listed, standIn.cpuMs, standIn.wallMs, samples, standIn.withData);
    std::printf("metrics sample, Linux library on a recorded card:        %.3f ms CPU, %.3f ms wall (%d samples, %d "
                "with data)\n",
                onLinux.cpuMs, onLinux.wallMs, samples, onLinux.withData);
    std::printf("  kernel files opened per sample: %d files, %d folders listed\n", int(opens.size()) - foldersListed,
                foldersListed);
    std::printf("four-register lighting command: mean %.1f ms, min %.1f ms, max %.1f ms over %d commands\n", mean,
                lighting.front(), lighting.back(), commands);
    std::printf("  above the 200 ms of pauses: mean %.1f ms (%.1f %%)\n", mean - 200.0, (mean - 200.0) / 2.0);
    return 0;
}
