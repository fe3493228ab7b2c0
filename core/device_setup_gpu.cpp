#include "core/device_setup.h"

#include "devices/gpu/adlx_helper.h"
#include "sim/gpu/stand_in_location.h"

// Real: the vendor's library by name (the application's folder, then the system library
// paths). Virtual: the stand-in library and its demo cards.
void configureGpu(DeviceSetup& setup)
{
    setup.adlxLibrary = setup.virtualDevices ? standInAdlxLibraryPath() : ADLXHelper::defaultLibraryName();
}
