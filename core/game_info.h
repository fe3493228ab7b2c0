#pragma once
// A game or application linked to a mouse profile.
#include <QMap>
#include <QString>

struct GameInfo {
    QString AppID;
    QString GameName;
    QString InstallDir;
    QString ACFPath;
    QString IconPath;
    int GameProfile = 0;
    bool Checked = false;
    bool OpacityVisible = false;
};

using GameMap = QMap<QString, GameInfo>;
