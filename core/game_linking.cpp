#include "core/game_linking.h"

#include <QDebug>
#include <QDir>

const GameInfo* findLinkedGame(const GameMap& games, const QString& executablePath)
{
    const QString cleaned = QDir::cleanPath(executablePath);
    for (auto it = games.constBegin(); it != games.constEnd(); ++it) {
        const GameInfo& game = it.value();
        if (game.InstallDir.isEmpty() || game.GameProfile < kFirstProfile || game.GameProfile > kLastProfile)
            continue;
        if (cleaned.contains(game.InstallDir, Qt::CaseInsensitive))
            return &game;
    }
    return nullptr;
}

std::optional<int> profileSwitchFor(const GameMap& games, const QString& executablePath, int currentProfile)
{
    if (const GameInfo* game = findLinkedGame(games, executablePath)) {
        qDebug() << "[Success] A linked profile has been detected.";
        if (game->GameProfile != currentProfile)
            return game->GameProfile;
        return std::nullopt;
    }
    qDebug() << "The app is not linked to any profile.";
    if (currentProfile != kFirstProfile)
        return kFirstProfile;
    return std::nullopt;
}
