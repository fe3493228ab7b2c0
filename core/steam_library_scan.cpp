#include "core/steam_library_scan.h"

#include "core/steam_header_images.h"
#include "core/steam_manifest.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

namespace {

// Steamworks Common Redistributables: installed with Steam, not a game.
const QString kRedistributablesManifest = QStringLiteral("appmanifest_228980.acf");
const QString kAppsFolderName = QStringLiteral("steamapps");

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning() << "Cannot read" << path << file.errorString();
        return QString();
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    return stream.readAll();
}

void addIfNew(const QString& appsFolder, QStringList& folders, QSet<QString>& seen)
{
    const QString canonical = QFileInfo(appsFolder).canonicalFilePath();
    if (canonical.isEmpty() || !QFileInfo(canonical).isDir() || seen.contains(canonical))
        return;
    seen.insert(canonical);
    folders.append(QDir::cleanPath(appsFolder));
}

void ensureImageFolder(const QString& folder)
{
    QDir dir(folder);
    if (dir.exists())
        return;
    if (dir.mkpath(QStringLiteral(".")))
        qDebug() << "Success: Directory created at" << folder;
    else
        qWarning() << "Failed: Could not create directory at" << folder;
}

QVariantList scanEntry(const QString& appId, const QFileInfo& manifest, const QString& imageFolder,
                       SteamHeaderImages& images)
{
    const AppManifestFields fields = parseAppManifest(readText(manifest.absoluteFilePath()));
    const QString iconPath = imageFolder + QStringLiteral("/%1.jpg").arg(appId);
    if (!QFile::exists(iconPath))
        images.fetch(appId, iconPath);
    return {appId, fields.name, fields.installDir, manifest.absoluteFilePath(), iconPath, 0, false, false};
}

} // namespace

QStringList steamRootFolders()
{
    const QString overridden = qEnvironmentVariable("TALVORIN_STEAM_ROOT");
    if (!overridden.isEmpty())
        return {overridden};
    const QString home = QDir::homePath();
    return {home + QStringLiteral("/.local/share/Steam"), home + QStringLiteral("/.steam/steam"),
            home + QStringLiteral("/.var/app/com.valvesoftware.Steam/.local/share/Steam")};
}

QStringList steamAppsFolders(const QStringList& roots)
{
    QStringList folders;
    QSet<QString> seen;
    for (const QString& root : roots) {
        const QString appsFolder = root + QLatin1Char('/') + kAppsFolderName;
        addIfNew(appsFolder, folders, seen);
        const QString listPath = appsFolder + QStringLiteral("/libraryfolders.vdf");
        if (!QFile::exists(listPath))
            continue;
        for (const QString& library : parseLibraryFolders(readText(listPath)))
            addIfNew(library + QLatin1Char('/') + kAppsFolderName, folders, seen);
    }
    return folders;
}

QMap<QString, QVariantList> scanSteamApps(const QStringList& appsFolders, const QString& imageFolder,
                                          SteamHeaderImages& images)
{
    QMap<QString, QVariantList> games;
    if (appsFolders.isEmpty())
        return games;
    ensureImageFolder(imageFolder);
    for (const QString& folder : appsFolders) {
        const QFileInfoList manifests =
            QDir(folder).entryInfoList({QStringLiteral("*.acf")}, QDir::Files, QDir::Name);
        for (const QFileInfo& manifest : manifests) {
            if (manifest.fileName() == kRedistributablesManifest)
                continue;
            const QString appId = appIdFromManifestFileName(manifest.fileName());
            if (appId.isEmpty()) {
                qDebug() << "Not a game manifest, skipped:" << manifest.absoluteFilePath();
                continue;
            }
            if (!games.contains(appId))
                games.insert(appId, scanEntry(appId, manifest, imageFolder, images));
        }
    }
    return games;
}
