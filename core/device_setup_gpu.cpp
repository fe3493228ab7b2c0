#include "core/device_setup.h"

void configureGpu(DeviceSetup&) {}
