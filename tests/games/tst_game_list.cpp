// The linked-games map: the discovery's game list, the records QML sends back, added programs.
#include "core/application_identity.h"
#include "core/game_library.h"
#include "steam_fixture.h"
#include "worker/worker_harness.h"

#include <QCryptographicHash>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

const QStringList kStoredKeys = {"ACFPath",    "AppID",    "Checked",       "GameName",
                                 "GameProfile", "IconPath", "InstallDir", "OpacityVisible"};

QJsonObject readJsonObject(const QString& path)
{
    return QJsonDocument::fromJson(readWholeFile(path)).object();
}

QByteArray storedRecord(const QString& id, const QString& installDir, int profile)
{
    QJsonObject record{{"AppID", id},     {"GameName", "Name " + id}, {"InstallDir", installDir},
                       {"ACFPath", ""},   {"IconPath", ""},           {"GameProfile", profile},
                       {"Checked", true}, {"OpacityVisible", false}};
    return QJsonDocument(QJsonObject{{id, record}}).toJson();
}

// Starts a worker on a Steam library holding the given games and waits for its discovery.
QVariantMap discover(WorkerHarness& worker, const SteamFixture& steam)
{
    qputenv("TALVORIN_STEAM_ROOT", steam.root().toUtf8());
    worker.start();
    return worker.waitForAnswer(0, 10000);
}

void makeExecutable(const QString& path)
{
    SteamFixture::write(path, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

} // namespace

class GameListTest : public QObject {
    Q_OBJECT

private slots:
    void missingGameMapIsBuiltFromTheScanAndSaved()
    {
        SteamFixture steam;
        const QString acf = steam.addGame(steam.root(), "10", "Foo", "Foo");
        steam.addGame(steam.root(), "228980", "Redistributables", "Steamworks Shared");
        WorkerHarness worker;
        const QVariantMap answer = discover(worker, steam);

        QCOMPARE(answer.value("gameIDList").toList(), QVariantList({"10"}));
        const QVariantMap game = answer.value("10").toMap();
        QCOMPARE(game.value("GameName").toString(), QString("Foo"));
        QCOMPARE(game.value("InstallDir").toString(), QString("Foo"));
        QCOMPARE(game.value("ACFPath").toString(), QFileInfo(acf).absoluteFilePath());
        QCOMPARE(game.value("IconPath").toString(), worker.file("/steamAppData/10.jpg"));
        QCOMPARE(game.value("ProfileNum").toInt(), 0);
        QVERIFY(!answer.contains("228980"));

        const QJsonObject saved = readJsonObject(worker.file("/Mouse/UserGameMap.json"));
        QCOMPARE(saved.keys(), QStringList({"10"}));
        const QJsonObject record = saved.value("10").toObject();
        QCOMPARE(record.keys(), kStoredKeys);
        QVERIFY(record.value("GameProfile").isDouble());
        QVERIFY(record.value("Checked").isBool());
        QVERIFY(record.value("OpacityVisible").isBool());
        QCOMPARE(record.value("AppID").toString(), QString("10"));
    }

    void brokenGameMapIsRebuiltAndKeptBeside()
    {
        SteamFixture steam;
        steam.addGame(steam.root(), "10", "Foo", "Foo");
        WorkerHarness worker;
        writeWholeFile(worker.file("/Mouse/UserGameMap.json"), "{ \"10\": { broken");
        const QVariantMap answer = discover(worker, steam);

        QCOMPARE(answer.value("gameIDList").toList(), QVariantList({"10"}));
        QCOMPARE(readJsonObject(worker.file("/Mouse/UserGameMap.json")).keys(), QStringList({"10"}));
        QCOMPARE(readWholeFile(worker.file("/Mouse/UserGameMap.json.broken")), QByteArray("{ \"10\": { broken"));
    }

    void gameMapThatIsNotAnObjectIsRebuilt()
    {
        SteamFixture steam;
        steam.addGame(steam.root(), "10", "Foo", "Foo");
        WorkerHarness worker;
        writeWholeFile(worker.file("/Mouse/UserGameMap.json"), "[{\"AppID\": \"99\"}]");
        const QVariantMap answer = discover(worker, steam);
        QCOMPARE(answer.value("gameIDList").toList(), QVariantList({"10"}));
        QVERIFY(readJsonObject(worker.file("/Mouse/UserGameMap.json")).contains("10"));
    }

    void storedRecordsComeFirstAndNewGamesAreAppended()
    {
        SteamFixture steam;
        steam.addGame(steam.root(), "10", "Foo", "Foo");
        steam.addGame(steam.root(), "20", "Bar", "Bar");
        WorkerHarness worker;
        QJsonObject stored;
        stored.insert("abc", QJsonDocument::fromJson(storedRecord("abc", "/opt/tool/run", 2)).object().value("abc"));
        stored.insert("20", QJsonDocument::fromJson(storedRecord("20", "Bar", 4)).object().value("20"));
        writeWholeFile(worker.file("/Mouse/UserGameMap.json"), QJsonDocument(stored).toJson());
        const QVariantMap answer = discover(worker, steam);

        QCOMPARE(answer.value("gameIDList").toList(), QVariantList({"20", "abc", "10"}));
        QCOMPARE(answer.value("20").toMap().value("ProfileNum").toInt(), 4); // the stored link wins
        QCOMPARE(answer.value("abc").toMap().value("Checked").toBool(), true);
        QCOMPARE(answer.value("10").toMap().value("ProfileNum").toInt(), 0);
    }

    // A linked program whose file is gone is listed, marked as missing, and stays stored.
    void programWhoseFileIsGoneIsMarkedMissing()
    {
        SteamFixture steam;
        steam.addGame(steam.root(), "10", "Foo", "Foo");
        WorkerHarness worker;
        const QString present = worker.file("/bin/present");
        makeExecutable(present);
        QJsonObject stored;
        stored.insert("here", QJsonDocument::fromJson(storedRecord("here", present, 2)).object().value("here"));
        stored.insert("gone", QJsonDocument::fromJson(storedRecord("gone", worker.file("/bin/gone"), 3)).object().value("gone"));
        QJsonObject uninstalled = QJsonDocument::fromJson(storedRecord("30", "Old", 4)).object().value("30").toObject();
        uninstalled.insert("ACFPath", steam.root() + "/steamapps/appmanifest_30.acf");
        stored.insert("30", uninstalled);
        writeWholeFile(worker.file("/Mouse/UserGameMap.json"), QJsonDocument(stored).toJson());
        const QVariantMap answer = discover(worker, steam);

        QCOMPARE(answer.value("here").toMap().value("FileMissing").toBool(), false);
        QCOMPARE(answer.value("gone").toMap().value("FileMissing").toBool(), true);
        QCOMPARE(answer.value("10").toMap().value("FileMissing").toBool(), false);
        QCOMPARE(answer.value("30").toMap().value("FileMissing").toBool(), true);
        QVERIFY(!readJsonObject(worker.file("/Mouse/UserGameMap.json")).value("gone").toObject().contains("FileMissing"));
        QVERIFY(readJsonObject(worker.file("/Mouse/UserGameMap.json")).contains("gone"));
    }

    void storedRecordWithoutItsIdIsListedUnderItsName()
    {
        SteamFixture steam;
        WorkerHarness worker;
        QJsonObject record = QJsonDocument::fromJson(storedRecord("77", "Baz", 3)).object().value("77").toObject();
        record.remove("AppID");
        writeWholeFile(worker.file("/Mouse/UserGameMap.json"), QJsonDocument(QJsonObject{{"77", record}}).toJson());
        const QVariantMap answer = discover(worker, steam);
        QCOMPARE(answer.value("gameIDList").toList(), QVariantList({"77"}));
        QCOMPARE(answer.value("77").toMap().value("AppID").toString(), QString("77"));
    }

    void recordsFromQmlReplaceStoredOnesAndAreSaved()
    {
        QTemporaryDir dir;
        DataStore store(dir.path());
        GameLibrary library(store);
        WorkerState state;
        GameInfo old;
        old.AppID = "10";
        old.GameProfile = 1;
        state.linkedGames.insert("10", old);

        library.parseAndSaveGameData({{"AppIDList", QVariantList{"10", "short", "new"}},
                                      {"10", QVariantList{"10", "Foo", "Foo", "/a.acf", "/i.jpg", "3", true, false}},
                                      {"short", QVariantList{"short", "x", "y", "", "", 2, true}},
                                      {"new", QVariantList{"new", "N", "/opt/n", "", "", 5, "true", 1}},
                                      {"CheckBoxChanged", 1}},
                                     state);

        QCOMPARE(state.linkedGames.keys(), QStringList({"10", "new"}));
        QCOMPARE(state.linkedGames.value("10").GameProfile, 3);
        QCOMPARE(state.linkedGames.value("10").ACFPath, QString("/a.acf"));
        QCOMPARE(state.linkedGames.value("new").Checked, true);
        QCOMPARE(state.linkedGames.value("new").OpacityVisible, true);
        const QJsonObject saved = readJsonObject(store.userGameMap());
        QCOMPARE(saved.keys(), QStringList({"10", "new"}));
        QCOMPARE(saved.value("10").toObject().value("GameProfile").toInt(), 3);
        QCOMPARE(saved.value("10").toObject().value("GameName").toString(), QString("Foo"));
    }

    void addingAProgramNamesItFromItsDesktopEntry()
    {
        QTemporaryDir dir;
        const QString program = dir.path() + "/opt/My Game/game.x86_64";
        makeExecutable(program);
        // The desktop's data folders: an entry that starts the program, and its icon.
        qputenv("XDG_DATA_HOME", (dir.path() + "/home-data").toUtf8());
        qputenv("XDG_DATA_DIRS", (dir.path() + "/system-data").toUtf8());
        SteamFixture::write(dir.path() + "/system-data/applications/games/mygame.desktop",
                            QStringLiteral("[Desktop Entry]\nType=Application\nName=My  Game\nName[de]=Mein Spiel\n"
                                           "Exec=\"%1\" %U\nIcon=mygame\n[Desktop Action X]\nName=Other\n")
                                .arg(program)
                                .toUtf8());
        QImage red(128, 96, QImage::Format_ARGB32);
        red.fill(Qt::red);
        QDir().mkpath(dir.path() + "/home-data/icons/hicolor/128x128/apps");
        QVERIFY(red.save(dir.path() + "/home-data/icons/hicolor/128x128/apps/mygame.png"));

        DataStore store(dir.path() + "/data");
        GameLibrary library(store);
        WorkerState state;
        const QVariantMap first = library.addApplication(program, state);

        const QString canonical = QFileInfo(program).canonicalFilePath();
        const QString expectedId = QString::fromLatin1(
            QCryptographicHash::hash(canonical.toLower().toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
        QCOMPARE(first.value("newApp").toInt(), 1);
        QCOMPARE(first.value("AppInfo_appID").toString(), expectedId);
        QCOMPARE(first.value("AppInfo_appName").toString(), QString("My  Game"));
        QCOMPARE(first.value("AppInfo_ExePath").toString(), program);
        QCOMPARE(first.value("AppInfo_iconPath").toString(), store.appIconFolder() + "/game.png");
        const QImage icon(store.appIconFolder() + "/game.png");
        QCOMPARE(icon.size(), QSize(64, 64));
        QCOMPARE(QColor(icon.pixel(32, 32)), QColor(Qt::red));
        QCOMPARE(qAlpha(icon.pixel(32, 2)), 0); // the wide picture keeps its proportions
        QCOMPARE(state.linkedGames.value(expectedId).InstallDir, canonical);
        QCOMPARE(state.linkedGames.value(expectedId).GameProfile, 0);
        QVERIFY(readJsonObject(store.userGameMap()).contains(expectedId));

        // The same program again, also reached through a link: already present.
        QCOMPARE(library.addApplication(program, state).value("newApp").toInt(), 0);
        QVERIFY(QFile::link(program, dir.path() + "/game-link"));
        const QVariantMap viaLink = library.addApplication("file://" + dir.path() + "/game-link", state);
        QCOMPARE(viaLink.value("newApp").toInt(), 0);
        QCOMPARE(viaLink.value("AppInfo_appID").toString(), expectedId);
        QCOMPARE(state.linkedGames.size(), 1);
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_DATA_DIRS");
    }

    void programWithoutDesktopEntryGetsItsFileNameAndAPlainIcon()
    {
        QTemporaryDir dir;
        qputenv("XDG_DATA_HOME", (dir.path() + "/empty").toUtf8());
        qputenv("XDG_DATA_DIRS", (dir.path() + "/empty").toUtf8());
        const QString program = dir.path() + "/tools/Render Tool.bin";
        makeExecutable(program);
        DataStore store(dir.path() + "/data");
        GameLibrary library(store);
        WorkerState state;
        const QVariantMap answer = library.addApplication(program, state);
        QCOMPARE(answer.value("newApp").toInt(), 1);
        QCOMPARE(answer.value("AppInfo_appName").toString(), QString("Render Tool"));
        const QImage icon(answer.value("AppInfo_iconPath").toString());
        QCOMPARE(icon.size(), QSize(64, 64));
        QVERIFY(qAlpha(icon.pixel(32, 32)) > 0);
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_DATA_DIRS");
    }

    void missingProgramIsNotAdded()
    {
        QTemporaryDir dir;
        DataStore store(dir.path());
        GameLibrary library(store);
        WorkerState state;
        for (const QString& chosen : {QString(), dir.path() + "/nothing-here", dir.path()}) {
            const QVariantMap answer = library.addApplication(chosen, state);
            QCOMPARE(answer.value("newApp").toInt(), 0);
            QVERIFY(answer.value("AppInfo_appID").toString().isEmpty());
        }
        QVERIFY(state.linkedGames.isEmpty());
        QVERIFY(!QFile::exists(store.userGameMap()));
    }
};

QTEST_MAIN(GameListTest)
#include "tst_game_list.moc"
