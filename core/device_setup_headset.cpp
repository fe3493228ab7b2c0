#include "core/device_setup.h"

void configureHeadset(DeviceSetup&) {}
