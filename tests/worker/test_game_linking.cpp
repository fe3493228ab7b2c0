// Which profile a program in the foreground asks the mouse for.
#include "core/game_linking.h"

#include <QtTest>

namespace {

GameInfo game(const QString& id, const QString& installDir, int profile)
{
    GameInfo info;
    info.AppID = id;
    info.InstallDir = installDir;
    info.GameProfile = profile;
    return info;
}

} // namespace

class GameLinkingTest : public QObject {
    Q_OBJECT

private slots:
    void installFolderMatchesInAnyCase()
    {
        GameMap games{{"10", game("10", "Foo", 2)}};
        QCOMPARE(profileSwitchFor(games, "/home/u/.steam/steamapps/common/FOO/bin/foo", 3), std::optional<int>(2));
        QCOMPARE(profileSwitchFor(games, "/games/foo/foo.x86_64", 3), std::optional<int>(2));
    }

    void linkedProfileAlreadyCurrentAsksNothing()
    {
        GameMap games{{"10", game("10", "Foo", 2)}};
        QCOMPARE(profileSwitchFor(games, "/games/Foo/foo", 2), std::nullopt);
    }

    void unlinkedProgramFallsBackToProfileOne()
    {
        GameMap games{{"10", game("10", "Foo", 2)}};
        QCOMPARE(profileSwitchFor(games, "/usr/bin/gedit", 4), std::optional<int>(1));
        QCOMPARE(profileSwitchFor(games, "/usr/bin/gedit", 1), std::nullopt);
    }

    void neverLinkedRecordsDoNotAskForProfileZero()
    {
        GameMap games{{"10", game("10", "Foo", 0)}, {"11", game("11", "Bar", 9)}};
        QCOMPARE(profileSwitchFor(games, "/games/Foo/foo", 3), std::optional<int>(1));
        QCOMPARE(profileSwitchFor(games, "/games/Bar/bar", 3), std::optional<int>(1));
    }

    void emptyInstallFolderMatchesNothing()
    {
        GameMap games{{"10", game("10", "", 4)}};
        QCOMPARE(findLinkedGame(games, "/anything/at/all"), nullptr);
    }

    void firstRecordInIdOrderWins()
    {
        GameMap games{{"200", game("200", "Game", 5)}, {"100", game("100", "game", 4)}};
        const GameInfo* found = findLinkedGame(games, "/x/GAME/run");
        QVERIFY(found);
        QCOMPARE(found->AppID, QString("100"));
    }

    void pathIsCleanedBeforeMatching()
    {
        GameMap games{{"ab", game("ab", "/opt/tools/run.sh", 3)}};
        QVERIFY(findLinkedGame(games, "/opt/tools/../tools//./run.sh"));
    }
};

QTEST_GUILESS_MAIN(GameLinkingTest)
#include "test_game_linking.moc"
