#pragma once
// The linked-games map as it is stored (UserGameMap.json) and as it travels to and from QML.
#include "core/game_info.h"

#include <QVariantList>
#include <QVariantMap>
#include <optional>

// Reads UserGameMap.json: one object whose members are app ids, each an object with "AppID",
// "GameName", "InstallDir", "ACFPath", "IconPath" (strings), "GameProfile" (integer),
// "Checked", "OpacityVisible" (booleans). True when the file was read and is such an object;
// then its records replace the map's contents. Otherwise the map is left as it was.
bool loadGameMapFile(const QString& filePath, GameMap& outGameMap);

// Writes the whole map, indented, replacing the file atomically; creates its folder.
bool saveGameMapFile(const QString& filePath, const GameMap& games);

// A record for QML: the stored keys, with the profile under "ProfileNum".
QVariantMap gameAnswerMap(const GameInfo& game);

// A record from the eight values that QML and the Steam scan use: AppID, GameName, InstallDir,
// ACFPath, IconPath, profile, Checked, OpacityVisible. Nothing for fewer than eight values.
std::optional<GameInfo> gameFromValueList(const QVariantList& values);
