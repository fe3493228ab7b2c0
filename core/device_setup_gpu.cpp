#include "core/device_setup.h"

#include "real/gpu/real_location.h"
#include "sim/gpu/stand_in_location.h"

// Real: our Linux library over amdgpu's sysfs files and i2c-dev (beside the executable, in the
// installed program's library folder, or in the build tree). Virtual: the stand-in library and
// its demo cards.
void configureGpu(DeviceSetup& setup)
{
    setup.adlxLibrary = setup.virtualDevices ? standInAdlxLibraryPath() : linuxAdlxLibraryPath();
}
