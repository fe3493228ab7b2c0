#pragma once
// A DEV_MOUSE wired to the firmware simulator, with one link attached and the members set
// the way discovery would set them for that link.
#include "devices/mouse/dev_mouse.h"
#include "sim/mouse/sim_hid_backend.h"

#include <memory>
#include <string>

inline uint16_t productIdOf(SimLink link)
{
    switch (link) {
    case SimLink::Receiver: return 0x5036;
    case SimLink::Cable: return 0x5038;
    case SimLink::Bluetooth: return 0x5039;
    case SimLink::UpdateDongle: return 0x5037;
    case SimLink::UpdateMouse: return 0x0021;
    case SimLink::Foreign: break;
    }
    return 0;
}

struct SimMouseFixture {
    explicit SimMouseFixture(SimLink link = SimLink::Receiver)
    {
        device = bus->attach(link);
        DeviceSetup setup;
        setup.virtualDevices = true;
        setup.hid = bus;
        mouse = std::make_unique<DEV_MOUSE>(setup);
        mouse->vendor_id = link == SimLink::UpdateMouse ? 0x1FC9 : 0x2DBF;
        mouse->product_id = productIdOf(link);
        mouse->usage_page = 0xFF00;
        mouse->usage = 0x0001;
        path = bus->vendorPath(device);
    }
    const char* devpath() const { return path.c_str(); }
    SimFirmwareState state() const { return bus->firmwareState(); }

    std::shared_ptr<SimHidBackend> bus = std::make_shared<SimHidBackend>();
    int device = 0;
    std::unique_ptr<DEV_MOUSE> mouse;
    std::string path;
};
