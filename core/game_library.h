#pragma once
// The installed games (Steam library) and the games linked to mouse profiles.
#include "core/data_store.h"
#include "core/worker_state.h"

#include <QVariantMap>

class GameLibrary {
public:
    explicit GameLibrary(const DataStore& store);

    // Scans the Steam library: app id -> [AppID, GameName, InstallDir, ACFPath, IconPath, 0, false, false].
    QMap<QString, QVariantList> scanSteamLibrary();
    // Loads the linked games (or builds them from the scan) and puts the list into the answer.
    void addGameListToAnswer(WorkerState& state, QVariantMap& answer);
    // Takes the records of a runFunction 41 command into the linked games and saves them.
    void parseAndSaveGameData(const QVariantMap& command, WorkerState& state);
    // Adds a program the user chose (runFunction 47): newApp, AppInfo_appID, AppInfo_appName,
    // AppInfo_iconPath, AppInfo_ExePath.
    QVariantMap addApplication(const QString& exePath, WorkerState& state);

private:
    const DataStore& m_store;
};
