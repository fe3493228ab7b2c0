#include "core/game_map_file.h"

#include "util/files.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int kRecordValues = 8;

GameInfo gameFromJson(const QJsonObject& object)
{
    GameInfo game;
    game.AppID = object.value(QLatin1String("AppID")).toVariant().toString();
    game.GameName = object.value(QLatin1String("GameName")).toVariant().toString();
    game.InstallDir = object.value(QLatin1String("InstallDir")).toVariant().toString();
    game.ACFPath = object.value(QLatin1String("ACFPath")).toVariant().toString();
    game.IconPath = object.value(QLatin1String("IconPath")).toVariant().toString();
    game.GameProfile = object.value(QLatin1String("GameProfile")).toVariant().toInt();
    game.Checked = object.value(QLatin1String("Checked")).toVariant().toBool();
    game.OpacityVisible = object.value(QLatin1String("OpacityVisible")).toVariant().toBool();
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
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "Cannot open the game map:" << filePath << file.errorString();
        return false;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError) {
        qWarning() << "JSON parse error:" << error.errorString();
        return false;
    }
    if (!doc.isObject()) {
        qWarning() << "The game map is not a JSON object:" << filePath;
        return false;
    }
    GameMap games;
    const QJsonObject root = doc.object();
    for (auto it = root.constBegin(); it != root.constEnd(); ++it) {
        if (!it.value().isObject())
            continue;
        GameInfo game = gameFromJson(it.value().toObject());
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
