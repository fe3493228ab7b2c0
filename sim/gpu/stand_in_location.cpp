#include "sim/gpu/stand_in_location.h"

#include "devices/gpu/library/library_location.h"

QString standInAdlxLibraryPath()
{
    return locateGpuLibrary(QStringLiteral(TALVORIN_SIM_GPU_FILE), QStringLiteral(TALVORIN_SIM_GPU_INSTALL_SUBDIR),
                            QStringLiteral(TALVORIN_SIM_GPU_BUILD_DIR));
}

QString standInAdlxLibraryWithoutExportPath()
{
    return locateGpuLibrary(QStringLiteral(TALVORIN_SIM_GPU_PARTIAL_FILE),
                            QStringLiteral(TALVORIN_SIM_GPU_INSTALL_SUBDIR), QStringLiteral(TALVORIN_SIM_GPU_BUILD_DIR));
}
