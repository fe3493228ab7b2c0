#include "core/game_map_file.h"

#include "util/files.h"
#include "util/json_files.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int kRecordValues = 8;

GameInfo gameFromMap(const QVariantMap& record)
{
    GameInfo game;
    game.AppID = record.value(QStringLiteral("AppID")).toString();
    game.GameName = record.value(QStringLiteral("GameName")).toString();
    game.InstallDir = record.value(QStringLiteral("InstallDir")).toString();
    game.ACFPath = record.value(QStringLiteral("ACFPath")).toString();
    game.IconPath = record.value(QStringLiteral("IconPath")).toString();
    game.GameProfile = record.value(QStringLiteral("GameProfile")).toInt();
    game.Checked = record.value(QStringLiteral("Checked")).toBool();
    game.OpacityVisible = record.value(QStringLiteral("OpacityVisible")).toBool();
    return game;
}

QJsonObject gameToJson(const GameInfo& game)
{
    QJsonObject object;
    object.insert(QLatin1String("AppID"), game.AppID);
    object.insert(QLatin1String("GameName"), game.GameName);
    object.insert(QLatin1String("InstallDir"), game.InstallDir);
    object.insert(QLatin1String("ACFPath"), game.ACFPath);
    object.insert(QLatin1String("IconPath"), game.IconPath);
    object.insert(QLatin1String("GameProfile"), game.GameProfile);
    object.insert(QLatin1String("Checked"), game.Checked);
    object.insert(QLatin1String("OpacityVisible"), game.OpacityVisible);
    return object;
}

} // namespace

bool loadGameMapFile(const QString& filePath, GameMap& outGameMap)
{
    QVariantMap root;
    if (!loadJsonObject(filePath, root)) {
        qDebug() << "The game map could not be read:" << filePath;
        return false;
    }
    GameMap games;
    for (auto it = root.constBegin(); it != root.constEnd(); ++it) {
        if (it.value().type() != QVariant::Map)
            continue;
        GameInfo game = gameFromMap(it.value().toMap());
        // A hand-edited record may lack its id; the member name it is stored under is the id.
        if (game.AppID.isEmpty())
            game.AppID = it.key();
        games.insert(it.key(), game);
    }
    outGameMap = games;
    return true;
}

bool saveGameMapFile(const QString& filePath, const GameMap& games)
{
    QJsonObject root;
    for (auto it = games.constBegin(); it != games.constEnd(); ++it)
        root.insert(it.key(), gameToJson(it.value()));
    ensureDirectory(QFileInfo(filePath).absolutePath());
    const WriteResult result = replaceFileContents(filePath, QJsonDocument(root).toJson(QJsonDocument::Indented));
    if (!result.ok()) {
        qWarning() << "Failed to save the game map:" << filePath << result.errorString;
        return false;
    }
    return true;
}

QVariantMap gameAnswerMap(const GameInfo& game)
{
    return {
        {QStringLiteral("AppID"), game.AppID},
        {QStringLiteral("GameName"), game.GameName},
        {QStringLiteral("InstallDir"), game.InstallDir},
        {QStringLiteral("ACFPath"), game.ACFPath},
        {QStringLiteral("IconPath"), game.IconPath},
        {QStringLiteral("ProfileNum"), game.GameProfile},
        {QStringLiteral("Checked"), game.Checked},
        {QStringLiteral("OpacityVisible"), game.OpacityVisible},
    };
}

std::optional<GameInfo> gameFromValueList(const QVariantList& values)
{
    if (values.size() < kRecordValues)
        return std::nullopt;
    GameInfo game;
    game.AppID = values.at(0).toString();
    game.GameName = values.at(1).toString();
    game.InstallDir = values.at(2).toString();
    game.ACFPath = values.at(3).toString();
    game.IconPath = values.at(4).toString();
    game.GameProfile = values.at(5).toInt();
    game.Checked = values.at(6).toBool();
    game.OpacityVisible = values.at(7).toBool();
    return game;
}
