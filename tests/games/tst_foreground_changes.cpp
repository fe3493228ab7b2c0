// What is never taken for a newly focused application: this program's own windows and
// processes, and a process whose file is gone (replaced or deleted while it ran).
#include "core/foreground_changes.h"

#include <QCoreApplication>
#include <QtTest>

namespace {

LaunchEvent launchOf(qint64 pid, const QString& path)
{
    LaunchEvent e;
    e.processId = pid;
    e.executablePath = path;
    e.executableName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return e;
}

const OwnProgram kOwn{500, QStringLiteral("/opt/talvorin/bin/talvorin")};

} // namespace

class ForegroundChangesTest : public QObject {
    Q_OBJECT

private slots:
    void neverANewApplication_data()
    {
        QTest::addColumn<qint64>("pid");
        QTest::addColumn<QString>("path");
        QTest::newRow("own window") << qint64(500) << "/opt/talvorin/bin/talvorin";
        QTest::newRow("own process whose file was replaced") << qint64(500) << "/opt/talvorin/bin/talvorin (deleted)";
        QTest::newRow("another process of the own file") << qint64(501) << "/opt/talvorin/bin/talvorin";
        QTest::newRow("another program whose file is gone") << qint64(900) << "/opt/game/game.x86_64 (deleted)";
        QTest::newRow("no process") << qint64(0) << "/usr/bin/editor";
    }

    void neverANewApplication()
    {
        QFETCH(qint64, pid);
        QFETCH(QString, path);
        const LaunchEvent current = launchOf(pid, path);
        QVERIFY(!isOtherProgram(std::nullopt, current, kOwn));
        QVERIFY(!isOtherProgram(launchOf(10, QStringLiteral("/usr/bin/editor")), current, kOwn));
    }

    void otherProgramsStillCount_data()
    {
        QTest::addColumn<qint64>("pid");
        QTest::addColumn<QString>("path");
        // Only the exact file of this program is its own; a name that merely starts alike is not.
        QTest::newRow("file beside ours") << qint64(501) << "/opt/talvorin/bin/talvorin-helper";
        QTest::newRow("deleted only in the middle of the name") << qint64(900) << "/opt/game (deleted)/game";
        QTest::newRow("an ordinary game") << qint64(900) << "/opt/game/game.x86_64";
    }

    void otherProgramsStillCount()
    {
        QFETCH(qint64, pid);
        QFETCH(QString, path);
        QVERIFY(isOtherProgram(launchOf(10, QStringLiteral("/usr/bin/editor")), launchOf(pid, path), kOwn));
    }

    // Coming back from this program's window to the game in front before is no change.
    void ownWindowInBetweenLeavesTheCurrentProgram()
    {
        const LaunchEvent game = launchOf(900, QStringLiteral("/opt/game/game.x86_64"));
        QVERIFY(!isOtherProgram(game, launchOf(500, kOwn.executablePath), kOwn));
        QVERIFY(!isOtherProgram(game, game, kOwn));
    }

    void theRunningProcessIsTheOwnProgram()
    {
        const OwnProgram own = OwnProgram::current();
        QCOMPARE(own.processId, QCoreApplication::applicationPid());
        QCOMPARE(own.executablePath, QCoreApplication::applicationFilePath());
        QVERIFY(!isOtherProgram(std::nullopt, launchOf(own.processId, own.executablePath)));
    }
};

QTEST_MAIN(ForegroundChangesTest)
#include "tst_foreground_changes.moc"
