#include "real/gpu/real_location.h"

#include "devices/gpu/library/library_location.h"

QString linuxAdlxLibraryPath()
{
    return locateGpuLibrary(QStringLiteral(TALVORIN_REAL_GPU_FILE), QStringLiteral(TALVORIN_REAL_GPU_INSTALL_SUBDIR),
                            QStringLiteral(TALVORIN_REAL_GPU_BUILD_DIR));
}

QString linuxAdlxRecordingLibraryPath()
{
    return locateGpuLibrary(QStringLiteral(TALVORIN_REAL_GPU_RECORDING_FILE),
                            QStringLiteral(TALVORIN_REAL_GPU_INSTALL_SUBDIR), QStringLiteral(TALVORIN_REAL_GPU_BUILD_DIR));
}
