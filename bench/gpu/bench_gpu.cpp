// Cost of the GPU work against the stand-in library with its demo cards:
//  - CPU time of one metrics sample (a whole initialise/terminate bracket, as the background
//    listener takes once a second);
//  - wall time of one four-register lighting command, which pauses 50 ms after each write
//    and so takes at least 200 ms.
// Prints figures; never fails on a number.
#include "devices/gpu/dev_gpu.h"
#include "sim/gpu/stand_in_location.h"

#include <QCoreApplication>
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
    gpu.realtime_getGPU_Information(0); // first load of the library out of the figures
    const double cpuStart = cpuMs();
    QElapsedTimer wall;
    wall.start();
    int withData = 0;
    for (int i = 0; i < samples; ++i)
        withData += gpu.realtime_getGPU_Information(0).value(QStringLiteral("hasData")).toInt();
    const double sampleCpu = (cpuMs() - cpuStart) / samples;
    const double sampleWall = double(wall.nsecsElapsed()) / 1e6 / samples;

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

    std::printf("\n==== GPU benchmark (stand-in library, %d listed demo cards) ====\n", listed);
    std::printf("metrics sample: %.3f ms CPU, %.3f ms wall per sample (%d samples, %d with data)\n", sampleCpu,
                sampleWall, samples, withData);
    std::printf("four-register lighting command: mean %.1f ms, min %.1f ms, max %.1f ms over %d commands\n", mean,
                lighting.front(), lighting.back(), commands);
    std::printf("  above the 200 ms of pauses: mean %.1f ms (%.1f %%)\n", mean - 200.0, (mean - 200.0) / 2.0);
    return 0;
}
