#pragma once
// The installed games (Steam libraries) and the games and programs linked to mouse profiles.
#include "core/data_store.h"
#include "core/worker_state.h"

#include <QVariantMap>

class GameLibrary {
public:
    explicit GameLibrary(const DataStore& store);

    // Scans the Steam libraries: app id -> [AppID, GameName, InstallDir, ACFPath, IconPath, 0,
    // false, false]; fetches missing header pictures into the picture folder.
    QMap<QString, QVariantList> scanSteamLibrary();

    // The discovery's game list: loads the linked games (or builds them from the scan and saves
    // them), and puts each record under its app id and "gameIDList" into the answer.
    void addGameListToAnswer(WorkerState& state, QVariantMap& answer);

    // Control 2 / runFunction 41: the records QML sends ("AppIDList" and, under each id, its
    // eight values) replace the stored ones; the whole map is then saved.
    void parseAndSaveGameData(const QVariantMap& command, WorkerState& state);

    // Control 2 / runFunction 47: adds the chosen program to the map and saves it. Answers
    // "newApp" (1 added, 0 already present or nothing usable chosen), "AppInfo_appID",
    // "AppInfo_appName", "AppInfo_iconPath", "AppInfo_ExePath".
    QVariantMap addApplication(const QString& exePath, WorkerState& state);

    bool loadGameMapFromJson(const QString& filePath, GameMap& outGameMap);
    bool saveStorageToJson(const QString& filePath, const GameMap& games);

private:
    void addLoadedGames(WorkerState& state, QVariantMap& answer, QVariantList& ids);
    void rebuildFromScan(WorkerState& state, QVariantMap& answer, QVariantList& ids);
    QString saveIconFor(const QString& baseName, const QString& desktopIcon);

    const DataStore& m_store;
};
