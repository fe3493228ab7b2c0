// Reading the Steam libraries: manifests, library folders, header pictures.
#include "core/steam_header_images.h"
#include "core/steam_library_scan.h"
#include "core/steam_manifest.h"
#include "steam_fixture.h"
#include "support/test_http_server.h"

#include <QtTest>

namespace {

QString imagePath(const QString& id)
{
    return QStringLiteral("/store_item_assets/steam/apps/%1/header.jpg").arg(id);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SteamLibraryTest : public QObject {
    Q_OBJECT

private slots:
    void manifestFieldsFollowTheLineRules()
    {
        const AppManifestFields fields = parseAppManifest(QStringLiteral(
            "\"AppState\"\n{\n\t\"appid\"\t\t\"10\"\n"
            "\t\"NAME\"\t\t\"wrong case\"\n"
            "\t\"name\"\t\t\"Counter: Source  2\"\n"
            "\t\"name_localized\"\t\t\"not this one\"\n"
            "\t\"installdir\"\t\t\"Foo Game\"\r\n"
            "}\n"));
        QCOMPARE(fields.name, QString("Counter: Source  2"));
        QCOMPARE(fields.installDir, QString("Foo Game"));
        QCOMPARE(parseAppManifest("garbage without quotes\n\x01\x02").name, QString());
    }

    void appIdComesOnlyFromManifestFileNames()
    {
        QCOMPARE(appIdFromManifestFileName("appmanifest_730.acf"), QString("730"));
        QCOMPARE(appIdFromManifestFileName("appmanifest_.acf"), QString());
        QCOMPARE(appIdFromManifestFileName("appmanifest_7a.acf"), QString());
        QCOMPARE(appIdFromManifestFileName("libraryfolders.acf"), QString());
    }

    void libraryFoldersOfBothFormats()
    {
        const QStringList current = parseLibraryFolders(
            "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/u/.local/share/Steam\"\n"
            "\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n\t}\n"
            "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/disk \\\"two\\\"\\\\games\"\n\t}\n}\n");
        QCOMPARE(current, QStringList({"/home/u/.local/share/Steam", "/mnt/disk \"two\"\\games"}));
        const QStringList older = parseLibraryFolders(
            "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1\"\n\t\"1\"\t\t\"/media/games\"\n}\n");
        QCOMPARE(older, QStringList({"/media/games"}));
    }

    void scanCoversListedLibrariesAndSkipsTheRedistributables()
    {
        SteamFixture steam;
        const QString acf10 = steam.addGame(steam.root(), "10", "Foo", "Foo");
        steam.addGame(steam.root(), "228980", "Steamworks Common Redistributables", "Steamworks Shared");
        const QString acf20 = steam.addGame(steam.library("SecondDisk"), "20", "Bar Game", "Bar");
        SteamFixture::write(steam.root() + "/steamapps/appmanifest_x1.acf", "\"name\" \"not a game\"");
        // The root lists itself too, and a library that is not there (an unplugged disk).
        steam.listLibraries({steam.root(), steam.library("SecondDisk"), steam.library("Unplugged")});

        TestHttpServer server;
        server.serveBytes(imagePath("10"), "jpeg-10", "image/jpeg");
        server.serveBytes(imagePath("20"), "jpeg-20", "image/jpeg");
        SteamHeaderImages images(server.baseUrl());
        const QString imageFolder = steam.path() + "/data/steamAppData";

        const QStringList folders = steamAppsFolders({steam.root()});
        QCOMPARE(folders.size(), 2);
        const QMap<QString, QVariantList> games = scanSteamApps(folders, imageFolder, images);

        QCOMPARE(games.keys(), QStringList({"10", "20"}));
        QCOMPARE(games.value("10"), QVariantList({"10", "Foo", "Foo", QFileInfo(acf10).absoluteFilePath(),
                                                  imageFolder + "/10.jpg", 0, false, false}));
        QCOMPARE(games.value("20").at(3).toString(), QFileInfo(acf20).absoluteFilePath());
        QCOMPARE(readFile(imageFolder + "/10.jpg"), QByteArray("jpeg-10"));
        QCOMPARE(readFile(imageFolder + "/20.jpg"), QByteArray("jpeg-20"));
        QCOMPARE(server.requestCount(imagePath("228980")), 0);
    }

    void linksToTheSameRootAreScannedOnce()
    {
        SteamFixture steam;
        steam.addGame(steam.root(), "10", "Foo", "Foo");
        QVERIFY(QFile::link(steam.root(), steam.path() + "/steam-link"));
        const QStringList folders = steamAppsFolders({steam.root(), steam.path() + "/steam-link", steam.path() + "/none"});
        QCOMPARE(folders, QStringList({steam.root() + "/steamapps"}));
    }

    void presentPicturesAreKeptAndMissingOnesLeaveNoFile()
    {
        SteamFixture steam;
        steam.addGame(steam.root(), "10", "Foo", "Foo");
        steam.addGame(steam.root(), "30", "Baz", "Baz");
        const QString imageFolder = steam.path() + "/pictures";
        SteamFixture::write(imageFolder + "/10.jpg", "already here");
        TestHttpServer server; // knows no picture: 404 for all
        SteamHeaderImages images(server.baseUrl());

        const QMap<QString, QVariantList> games = scanSteamApps(steamAppsFolders({steam.root()}), imageFolder, images);

        QCOMPARE(server.requestCount(imagePath("10")), 0);
        QCOMPARE(readFile(imageFolder + "/10.jpg"), QByteArray("already here"));
        QCOMPARE(server.requestCount(imagePath("30")), 1);
        QVERIFY(!QFile::exists(imageFolder + "/30.jpg"));
        QCOMPARE(games.value("30").at(4).toString(), imageFolder + "/30.jpg"); // the path is set anyway
    }

    void cutOffPictureLeavesNoFileSoTheNextScanTriesAgain()
    {
        TestHttpServer server;
        TestHttpServer::Reply reply;
        reply.body = QByteArray(4000, 'j');
        reply.sendOnly = 1000;
        server.serve(imagePath("40"), reply);
        QTemporaryDir dir;
        SteamHeaderImages images(server.baseUrl());
        QVERIFY(!images.fetch("40", dir.path() + "/40.jpg"));
        QVERIFY(!QFile::exists(dir.path() + "/40.jpg"));
    }

    void rootOverrideReplacesTheUsualPlaces()
    {
        qputenv("TALVORIN_STEAM_ROOT", "/somewhere/Steam");
        QCOMPARE(steamRootFolders(), QStringList({"/somewhere/Steam"}));
        qunsetenv("TALVORIN_STEAM_ROOT");
        const QStringList usual = steamRootFolders();
        QVERIFY(usual.contains(QDir::homePath() + "/.local/share/Steam"));
        QVERIFY(usual.contains(QDir::homePath() + "/.steam/steam"));
    }
};

QTEST_GUILESS_MAIN(SteamLibraryTest)
#include "tst_steam_library.moc"
