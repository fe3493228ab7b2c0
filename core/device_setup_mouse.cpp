#include "core/device_setup.h"

#include "devices/mouse/hidapi_backend.h"
#include "sim/mouse/demo_mouse.h"

void configureMouse(DeviceSetup& setup)
{
    if (setup.virtualDevices)
        setup.hid = makeDemoMouseBackend();
    else
        setup.hid = std::make_shared<HidapiBackend>();
}
