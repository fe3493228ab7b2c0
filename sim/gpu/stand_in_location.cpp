#include "sim/gpu/stand_in_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString locate(const QString& fileName, const QString& buildDir)
{
    if (QCoreApplication::instance()) {
        const QDir appDir(QCoreApplication::applicationDirPath());
        const QString candidates[] = {
            appDir.filePath(fileName),
            appDir.filePath(QStringLiteral(TALVORIN_SIM_GPU_INSTALL_SUBDIR "/") + fileName),
        };
        for (const QString& candidate : candidates) {
            if (QFileInfo::exists(candidate))
                return QFileInfo(candidate).absoluteFilePath();
        }
    }
    return QDir(buildDir).filePath(fileName);
}

} // namespace

QString standInAdlxLibraryPath()
{
    return locate(QStringLiteral(TALVORIN_SIM_GPU_FILE), QStringLiteral(TALVORIN_SIM_GPU_BUILD_DIR));
}

QString standInAdlxLibraryWithoutExportPath()
{
    return locate(QStringLiteral(TALVORIN_SIM_GPU_PARTIAL_FILE), QStringLiteral(TALVORIN_SIM_GPU_BUILD_DIR));
}
