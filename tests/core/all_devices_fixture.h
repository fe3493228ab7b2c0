#pragma once
// Every virtual device at once: the stand-in graphics cards of the demo (a type-0 card, a card
// without a lighting controller, a type-1 card), the simulated mouse behind its receiver and
// the virtual headset, with a TALVORIN worker on a data folder of the test's own. The worker
// is not started: tests call it on their own thread, as the command line does.
#include "core/talvorin.h"
#include "headset/headset_fixture.h"
#include "sim/mouse/sim_hid_backend.h"
#include "gpu/sim_gpu_fixture.h"

#include <QFile>
#include <memory>

struct AllDevicesFixture {
    AllDevicesFixture()
    {
        bus->attach(SimLink::Receiver);
        DeviceSetup setup = headset.setup;
        setup.adlxLibrary = gpu.setup().adlxLibrary;
        setup.sysfsRoot = gpu.setup().sysfsRoot;
        setup.hid = bus;
        worker = std::make_unique<TALVORIN>(setup, headset.data.path());
    }

    // Runs the worker's loop, with nothing in its command slot yet (no discovery first).
    void startWorker()
    {
        worker->commandSlot().set(QStringLiteral("Control"), -1);
        worker->start();
    }

    SimFirmwareState mouse() const { return bus->firmwareState(); }
    QString dataFile(const QString& relative) const { return headset.data.path() + relative; }
    // The writes of the graphics cards' lighting transfers since the last clearLogs().
    QStringList gpuWrites() const
    {
        QStringList writes;
        for (const QString& line : gpu.trace())
            if (line.startsWith(QLatin1String("write ")))
                writes << line;
        return writes;
    }

    SimGpuFixture gpu;
    HeadsetFixture headset;
    std::shared_ptr<SimHidBackend> bus = std::make_shared<SimHidBackend>();
    std::unique_ptr<TALVORIN> worker;
};
