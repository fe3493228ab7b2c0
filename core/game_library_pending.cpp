// Stand-ins until the game list's own implementation lands.
#include "core/game_library.h"

#include <QDebug>

void GameLibrary::parseAndSaveGameData(const QVariantMap& command, WorkerState&)
{
    qDebug() << "parseAndSaveGameData: not available yet," << command.value(QStringLiteral("AppIDList")).toList().size()
             << "records ignored";
}

QVariantMap GameLibrary::addApplication(const QString& exePath, WorkerState&)
{
    return {{QStringLiteral("newApp"), 0},
            {QStringLiteral("AppInfo_appID"), QString()},
            {QStringLiteral("AppInfo_appName"), QString()},
            {QStringLiteral("AppInfo_iconPath"), QString()},
            {QStringLiteral("AppInfo_ExePath"), exePath}};
}
