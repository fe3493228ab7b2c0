#pragma once
// What the worker remembers between commands.
#include "core/game_info.h"

#include <QMap>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

inline const QString kDefaultAppVersion = QStringLiteral("25.02.02");

struct WorkerState {
    // Update manifest by category, and its firmware entries by name.
    QMap<QString, QVariantList> serverInfo;
    QMap<QString, QVariantMap> firmwareByName;
    QString installedVersion = kDefaultAppVersion;
    // Why the last manifest fetch gave nothing; empty after a good one.
    QString updateCheckError;

    // 1 after construction and after each discovery; the first favourites request clears it.
    int favouritesPending = 1;

    // The mouse in use: its MCU UUID (its folder under /Mouse), its HID path and the profile
    // that game linking compares with.
    QString currentMouseUuid;
    QString currentHidPath;
    int currentMouseProfile = 3;

    // Steam scan result (app id -> eight values) and the linked games.
    QMap<QString, QVariantList> installedGames;
    GameMap linkedGames;

    // Firmware file names remembered from the download step for the install step.
    QString headsetMainFirmwareFile;
    QString headsetMicFirmwareFile;
    QString mousePackageName;
};
