#include "devices/gpu/library/library_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString locateGpuLibrary(const QString& fileName, const QString& installSubdir, const QString& buildDir)
{
    if (QCoreApplication::instance()) {
        const QDir appDir(QCoreApplication::applicationDirPath());
        const QString candidates[] = {
            appDir.filePath(fileName),
            appDir.filePath(installSubdir + QLatin1Char('/') + fileName),
        };
        for (const QString& candidate : candidates) {
            if (QFileInfo::exists(candidate))
                return QFileInfo(candidate).absoluteFilePath();
        }
    }
    return QDir(buildDir).filePath(fileName);
}
