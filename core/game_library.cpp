#include "core/game_library.h"

GameLibrary::GameLibrary(const DataStore& store) : m_store(store) {}

QMap<QString, QVariantList> GameLibrary::scanSteamLibrary()
{
    return {};
}

void GameLibrary::addGameListToAnswer(WorkerState&, QVariantMap& answer)
{
    answer.insert(QStringLiteral("gameIDList"), QVariantList());
}
