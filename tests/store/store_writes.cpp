#include "store_writes.h"

#include "core/game_map_file.h"
#include "core/mouse_settings_file.h"
#include "devices/gpu/favourites_store.h"
#include "util/files.h"
#include "util/json_files.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

// Large enough that a write takes a while, so kills land inside writes too.
QString padding(int generation)
{
    return QString(20000 + generation % 7 * 1000, QLatin1Char('a' + generation % 26));
}

QList<QVariantMap> listOf(int generation)
{
    return {QVariantMap{{"generation", generation}, {"padding", padding(generation)}},
            QVariantMap{{"selectedMode", generation % 9}}};
}

GameMap gamesOf(int generation)
{
    GameMap games;
    for (int i = 0; i < 20; ++i) {
        GameInfo game;
        game.AppID = QString::number(1000 + i);
        game.GameName = QStringLiteral("Game %1 of generation %2").arg(i).arg(generation);
        game.GameProfile = generation % 5 + 1;
        games.insert(game.AppID, game);
    }
    return games;
}

using Writer = bool (*)(const QString& path, int generation);

struct KillTestFile {
    const char* relative;
    Writer write;
};

const KillTestFile kFiles[] = {
    {"/GPU/userControlData.json", [](const QString& p, int g) { return saveJsonList(listOf(g), p); }},
    {"/GPU/userFavoriteData.json", [](const QString& p, int g) { return saveFavourites(p, listOf(g)); }},
    {"/Headphone/userSettingsData_Headphone.json", [](const QString& p, int g) { return saveJsonList(listOf(g), p); }},
    {"/Mouse/dongle_fw_version.json",
     [](const QString& p, int g) {
         return saveJsonObject(p, {{"name", "Mouse-Dongle"}, {"version", QString::number(g) + QLatin1Char('-') + padding(g)}});
     }},
    {"/Mouse/UserGameMap.json", [](const QString& p, int g) { return saveGameMapFile(p, gamesOf(g)); }},
    {"/startApp.txt", [](const QString& p, int g) { return writeIntToFile(p, g); }},
    {"/talvorin.txt", [](const QString& p, int g) { return writeTextToFile(p, QString::number(g % 2)); }},
    {"/Mouse/ABC123/userSettingData.json",
     [](const QString& p, int g) { return recordMouseSettings(p, 3 + g % 4, {{"Control", 2}, {"padding", padding(g)}}); }},
};

const KillTestFile* fileFor(const QString& relative)
{
    for (const KillTestFile& file : kFiles) {
        if (relative == QLatin1String(file.relative))
            return &file;
    }
    return nullptr;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The generation a whole-file content belongs to, read from the content itself.
int generationOf(const QString& relative, const QByteArray& bytes)
{
    if (relative == QLatin1String("/startApp.txt"))
        return bytes.toInt();
    const QJsonDocument doc = QJsonDocument::fromJson(bytes);
    if (doc.isArray())
        return doc.array().at(0).toObject().value("generation").toInt(-1);
    if (relative.endsWith(QLatin1String("dongle_fw_version.json")))
        return doc.object().value("version").toString().section(QLatin1Char('-'), 0, 0).toInt();
    const QString name = doc.object().value("1000").toObject().value("GameName").toString();
    return name.section(QLatin1Char(' '), -1).toInt();
}

} // namespace

QStringList killTestFiles()
{
    QStringList names;
    for (const KillTestFile& file : kFiles)
        names << QLatin1String(file.relative);
    return names;
}

bool writeGeneration(const QString& dataFolder, int generation)
{
    bool all = true;
    for (const KillTestFile& file : kFiles) {
        const QString path = dataFolder + QLatin1String(file.relative);
        ensureDirectory(path.left(path.lastIndexOf(QLatin1Char('/'))));
        all = file.write(path, generation) && all;
    }
    return all;
}

QString checkFile(const QString& dataFolder, const QString& relative)
{
    const QString path = dataFolder + relative;
    const QByteArray bytes = readAll(path);
    if (bytes.isEmpty())
        return QStringLiteral("empty or missing");
    if (relative.endsWith(QLatin1String("/userSettingData.json"))) {
        const QJsonObject object = QJsonDocument::fromJson(bytes).object();
        return object.contains("lastRunFunction") && object.value("commands").isObject() ? QString()
                                                                                        : QStringLiteral("not a settings record");
    }
    if (relative == QLatin1String("/talvorin.txt"))
        return bytes == "0" || bytes == "1" ? QString() : QStringLiteral("neither 0 nor 1");
    QTemporaryDir scratch;
    const QString again = scratch.path() + QStringLiteral("/again");
    fileFor(relative)->write(again, generationOf(relative, bytes));
    if (readAll(again) == bytes)
        return QString();
    return QStringLiteral("holds no generation's complete content (%1 bytes)").arg(bytes.size());
}
