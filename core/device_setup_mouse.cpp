#include "core/device_setup.h"

void configureMouse(DeviceSetup&) {}
