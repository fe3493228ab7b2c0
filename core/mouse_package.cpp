#include "core/mouse_package.h"

#include "util/archive.h"
#include "util/files.h"

#include <QDebug>
#include <QDir>

namespace {

void removeIfPresent(const QString& folder)
{
    if (QDir(folder).exists())
        removeDirectoryByShell(folder);
}

// The folder of the unpacked package that becomes the work folder.
QString packageTop(const QString& staging, const QString& workFolderName)
{
    const QStringList entries =
        QDir(staging).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (entries.size() == 1 && entries.first() == workFolderName && QFileInfo(staging + QLatin1Char('/') + workFolderName).isDir())
        return staging + QLatin1Char('/') + workFolderName;
    return staging;
}

} // namespace

bool unpackMousePackage(const QString& archivePath, const QString& mouseFolder, const QString& workFolderName)
{
    const QString workFolder = mouseFolder + QLatin1Char('/') + workFolderName;
    const QString staging = mouseFolder + QStringLiteral("/.unpacking-") + workFolderName;
    removeIfPresent(workFolder);
    removeIfPresent(staging);
    if (!unzipArchive(archivePath, staging)) {
        qWarning() << "The mouse package could not be unpacked:" << archivePath;
        removeIfPresent(staging);
        return false;
    }
    const bool moved = QDir().rename(packageTop(staging, workFolderName), workFolder);
    removeIfPresent(staging);
    if (!moved)
        qWarning() << "The unpacked mouse package could not be moved to" << workFolder;
    return moved;
}
