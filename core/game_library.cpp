#include "core/game_library.h"

#include "core/application_icon.h"
#include "core/application_identity.h"
#include "core/desktop_entries.h"
#include "core/game_map_file.h"
#include "core/steam_header_images.h"
#include "core/steam_library_scan.h"
#include "util/files.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kSeparatorLine = QString(55, QLatin1Char('-'));
const QString kRecordEndLine = QString(55, QLatin1Char('='));

// A program the user added is its file; a Steam game is there while its manifest is.
bool isProgramMissing(const GameInfo& game)
{
    const QString file = game.ACFPath.isEmpty() ? game.InstallDir : game.ACFPath;
    return !file.isEmpty() && !QFileInfo::exists(file);
}

void putGame(const GameInfo& game, QVariantMap& answer, QVariantList& ids)
{
    QVariantMap map = gameAnswerMap(game);
    // Shown on the page; never stored, so a program that comes back is found again.
    map.insert(QStringLiteral("FileMissing"), isProgramMissing(game));
    answer.insert(game.AppID, map);
    ids.append(game.AppID);
}

void logScannedGame(const GameInfo& game)
{
    qDebug() << "AppID: " << game.AppID;
    qDebug() << "Game Name: " << game.GameName;
    qDebug() << "Install Dir: " << game.InstallDir;
    qDebug() << "ACF Absolute Path : " << game.ACFPath;
    qDebug() << "Icon Path: " << game.IconPath;
    qDebug() << "ProfileNum  : " << game.GameProfile;
    qDebug() << "Checked  : " << game.Checked;
    qDebug().noquote() << kSeparatorLine;
}

void logStoredRecord(const GameInfo& game)
{
    qDebug() << "AppID:      " << game.AppID;
    qDebug() << "GameName:   " << game.GameName;
    qDebug() << "GameProfile:" << game.GameProfile;
    qDebug() << "Checked:    " << game.Checked;
    qDebug().noquote() << kRecordEndLine;
}

// The file name without its last suffix ("game.x86_64" -> "game"), or the whole name when
// nothing would be left.
QString fileBaseName(const QString& path)
{
    const QFileInfo info(path);
    const QString base = info.completeBaseName();
    return base.isEmpty() ? info.fileName() : base;
}

QString applicationName(const std::optional<DesktopEntry>& entry, const QString& chosenPath)
{
    if (entry && !entry->name.trimmed().isEmpty())
        return entry->name.trimmed();
    return fileBaseName(chosenPath);
}

} // namespace

GameLibrary::GameLibrary(const DataStore& store) : m_store(store) {}

QMap<QString, QVariantList> GameLibrary::scanSteamLibrary()
{
    SteamHeaderImages images = SteamHeaderImages::fromEnvironment();
    return scanSteamApps(steamAppsFolders(steamRootFolders()), m_store.steamImageFolder(), images);
}

bool GameLibrary::loadGameMapFromJson(const QString& filePath, GameMap& outGameMap)
{
    return loadGameMapFile(filePath, outGameMap);
}

bool GameLibrary::saveStorageToJson(const QString& filePath, const GameMap& games)
{
    return saveGameMapFile(filePath, games);
}

void GameLibrary::addGameListToAnswer(WorkerState& state, QVariantMap& answer)
{
    QVariantList ids;
    if (loadGameMapFromJson(m_store.userGameMap(), state.linkedGames))
        addLoadedGames(state, answer, ids);
    else
        rebuildFromScan(state, answer, ids);
    answer.insert(QStringLiteral("gameIDList"), ids);
}

void GameLibrary::addLoadedGames(WorkerState& state, QVariantMap& answer, QVariantList& ids)
{
    qDebug() << "UserGameMap JSON loaded successfully!";
    for (const GameInfo& game : qAsConst(state.linkedGames))
        putGame(game, answer, ids);
    for (auto it = state.installedGames.constBegin(); it != state.installedGames.constEnd(); ++it) {
        if (state.linkedGames.contains(it.key()))
            continue;
        const std::optional<GameInfo> game = gameFromValueList(it.value());
        if (!game)
            continue;
        state.linkedGames.insert(it.key(), *game);
        putGame(*game, answer, ids);
    }
}

void GameLibrary::rebuildFromScan(WorkerState& state, QVariantMap& answer, QVariantList& ids)
{
    qDebug() << "================= loadSteamGames (C++) =================";
    for (auto it = state.installedGames.constBegin(); it != state.installedGames.constEnd(); ++it) {
        const std::optional<GameInfo> game = gameFromValueList(it.value());
        if (!game)
            continue;
        logScannedGame(*game);
        state.linkedGames.insert(it.key(), *game);
    }
    // Records added during this run (the map is only empty at the first discovery) are kept
    // and listed too: they are newer than anything the file could have held.
    for (const GameInfo& game : qAsConst(state.linkedGames))
        putGame(game, answer, ids);
    saveStorageToJson(m_store.userGameMap(), state.linkedGames);
}

void GameLibrary::parseAndSaveGameData(const QVariantMap& command, WorkerState& state)
{
    const QVariantList ids = command.value(QStringLiteral("AppIDList")).toList();
    for (const QVariant& idValue : ids) {
        const QString id = idValue.toString();
        const std::optional<GameInfo> game = gameFromValueList(command.value(id).toList());
        if (id.isEmpty() || !game)
            continue;
        if (state.linkedGames.contains(id))
            qDebug() << "AppID" << id << "already exists, overwriting.";
        state.linkedGames.insert(id, *game);
        logStoredRecord(*game);
    }
    saveStorageToJson(m_store.userGameMap(), state.linkedGames);
}

QVariantMap GameLibrary::addApplication(const QString& exePath, WorkerState& state)
{
    qDebug() << "================================= addOtherApplicationFileDialog ===================";
    QVariantMap answer{{QStringLiteral("newApp"), 0},
                       {QStringLiteral("AppInfo_appID"), QString()},
                       {QStringLiteral("AppInfo_appName"), QString()},
                       {QStringLiteral("AppInfo_iconPath"), QString()},
                       {QStringLiteral("AppInfo_ExePath"), exePath}};
    const QString chosen = chosenExecutablePath(exePath);
    const QString executable = canonicalExecutablePath(chosen);
    if (executable.isEmpty() || !QFileInfo(executable).isFile()) {
        qWarning() << "The chosen program does not exist:" << exePath;
        return answer;
    }
    const QString appId = applicationAppId(executable);
    const std::optional<DesktopEntry> entry =
        findDesktopEntryForExecutable(executable, QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation));
    const QString name = applicationName(entry, chosen);
    const QString iconPath = saveIconFor(fileBaseName(chosen), entry ? entry->icon : QString());
    qDebug() << "App Name:" << name;
    qDebug() << "App iconPath:" << iconPath;
    qDebug() << "App appID:" << appId;

    if (!state.linkedGames.contains(appId)) {
        GameInfo game;
        game.AppID = appId;
        game.GameName = name;
        game.InstallDir = executable;
        game.IconPath = iconPath;
        state.linkedGames.insert(appId, game);
        saveStorageToJson(m_store.userGameMap(), state.linkedGames);
        answer.insert(QStringLiteral("newApp"), 1);
    }
    answer.insert(QStringLiteral("AppInfo_appID"), appId);
    answer.insert(QStringLiteral("AppInfo_appName"), name);
    answer.insert(QStringLiteral("AppInfo_iconPath"), iconPath);
    return answer;
}

QString GameLibrary::saveIconFor(const QString& baseName, const QString& desktopIcon)
{
    QImage icon = loadDesktopIcon(desktopIcon, QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
    if (icon.isNull())
        icon = genericApplicationIcon();
    ensureDirectory(m_store.appIconFolder());
    const QString path = QStringLiteral("%1/%2.png").arg(m_store.appIconFolder(), baseName);
    return saveApplicationIcon(icon, path) ? path : QString();
}
