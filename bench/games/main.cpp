// Figures for the game library: the cost of a Steam scan of many games (pictures already
// present, so no network), of one foreground-window check on the X display (when there is
// one), and of matching a foreground program against a large game map.
#include "core/game_linking.h"
#include "core/steam_header_images.h"
#include "core/steam_library_scan.h"
#include "platform/foreground_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void benchScan(int games)
{
    QTemporaryDir dir;
    const QString apps = dir.path() + "/Steam/steamapps";
    const QString pictures = dir.path() + "/steamAppData";
    for (int i = 0; i < games; ++i) {
        const QString id = QString::number(1000 + i);
        write(apps + "/appmanifest_" + id + ".acf",
              QStringLiteral("\"AppState\"\n{\n\t\"appid\"\t\t\"%1\"\n\t\"name\"\t\t\"Game %1\"\n"
                             "\t\"installdir\"\t\t\"Game%1\"\n\t\"SizeOnDisk\"\t\t\"123456789\"\n}\n")
                  .arg(id)
                  .toUtf8());
        write(pictures + "/" + id + ".jpg", "jpg");
    }
    SteamHeaderImages images(QStringLiteral("http://127.0.0.1:9"));
    QElapsedTimer clock;
    clock.start();
    const auto result = scanSteamApps(steamAppsFolders({dir.path() + "/Steam"}), pictures, images);
    const double ms = clock.nsecsElapsed() / 1e6;
    std::printf("steam scan: %d games in %.1f ms (%.3f ms per game)\n", int(result.size()), ms, ms / games);
}

void benchMatching(int records)
{
    GameMap games;
    for (int i = 0; i < records; ++i) {
        GameInfo game;
        game.AppID = QString::number(i);
        game.InstallDir = QStringLiteral("Some Game Folder %1").arg(i);
        game.GameProfile = 1 + i % 5;
        games.insert(game.AppID, game);
    }
    const int rounds = 1000;
    QElapsedTimer clock;
    clock.start();
    int found = 0;
    for (int i = 0; i < rounds; ++i)
        found += findLinkedGame(games, QStringLiteral("/home/u/.local/share/Steam/steamapps/common/unlinked/bin/game")) ? 1 : 0;
    std::printf("link match (no match, worst case): %d records, %.1f us per launch event\n", records,
                clock.nsecsElapsed() / 1e3 / rounds);
    Q_UNUSED(found);
}

void benchForegroundCheck()
{
    std::unique_ptr<platform::ForegroundWindowReader> reader = platform::createForegroundWindowReader();
    if (!reader->available()) {
        std::printf("foreground check: no X display, skipped\n");
        return;
    }
    const int rounds = 200;
    QElapsedTimer clock;
    clock.start();
    int seen = 0;
    for (int i = 0; i < rounds; ++i)
        seen += reader->read() ? 1 : 0;
    std::printf("foreground check: %.1f us per check (%d of %d found a window; one check every 200 ms)\n",
                clock.nsecsElapsed() / 1e3 / rounds, seen, rounds);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchScan(500);
    benchMatching(1000);
    benchForegroundCheck();
    return 0;
}
