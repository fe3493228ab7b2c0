// One instance per user, with the real executable: a second start hands the window request to
// the running one, stale state never blocks a start, and a termination request quits in order.
#include "process_runner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <unistd.h>

namespace {

QByteArray handOff(const QTemporaryDir& data)
{
    QFile file(data.filePath("talvorin.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool openToEveryone(const QString& folder)
{
    return QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                             | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                             | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

void writeHandOff(const QTemporaryDir& data, const QByteArray& value)
{
    QFile file(data.filePath("talvorin.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(value);
}

} // namespace

class AppInstancesTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_temp; // the instance key's folder for this whole test

private slots:
    void secondStartShowsTheRunningWindow()
    {
        QTemporaryDir data;
        TalvorinProcess first(data.path(), m_temp.path());
        first.start();
        QVERIFY2(first.waitForLog("Discovery answer received"), qPrintable(first.log()));
        QTest::qWait(400); // the window flow has reached its standing request by now

        TalvorinProcess second(data.path(), m_temp.path());
        second.start();
        QVERIFY(second.waitForExit());
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(!second.log().contains("run() TALVORIN")); // no worker in the second process

        QVERIFY2(first.waitForLog("Window requested by another start", 3000), qPrintable(first.log()));
        QTRY_COMPARE(handOff(data), QByteArray("0"));
        QVERIFY(first.running());
        first.signal(SIGTERM);
        QVERIFY(first.waitForExit());
    }

    void staleRequestIsClearedAtStart()
    {
        QTemporaryDir data;
        writeHandOff(data, "1");
        TalvorinProcess first(data.path(), m_temp.path());
        first.start();
        QVERIFY(first.waitForLog("Discovery answer received"));
        QCOMPARE(handOff(data), QByteArray("0"));
        QTest::qWait(400);
        QVERIFY(!first.log().contains("Window requested by another start"));
        first.signal(SIGTERM);
        QVERIFY(first.waitForExit());
    }

    void killedInstanceDoesNotBlockTheNextStart()
    {
        QTemporaryDir data;
        {
            TalvorinProcess crashed(data.path(), m_temp.path());
            crashed.start();
            QVERIFY(crashed.waitForLog("Discovery answer received"));
            crashed.signal(SIGKILL);
            QVERIFY(crashed.waitForExit());
        }
        TalvorinProcess next(data.path(), m_temp.path());
        next.start();
        QVERIFY2(next.waitForLog("Discovery answer received"), qPrintable(next.log()));
        QVERIFY(next.running());
        next.signal(SIGTERM);
        QVERIFY(next.waitForExit());
    }

    void anotherDataFolderStartsBeside()
    {
        // The demo keeps a data folder of its own: it and the user's program run side by side.
        QTemporaryDir real;
        QTemporaryDir demo;
        TalvorinProcess first(real.path(), m_temp.path());
        first.start();
        QVERIFY2(first.waitForLog("run() TALVORIN"), qPrintable(first.log()));
        TalvorinProcess second(demo.path(), m_temp.path());
        second.start();
        QVERIFY2(second.waitForLog("run() TALVORIN"), qPrintable(second.log()));
        QVERIFY(first.running() && second.running());
        QCOMPARE(handOff(demo), QByteArray("0"));
        QCOMPARE(handOff(real), QByteArray("0"));
    }

    void anotherUserStartsTheirOwn()
    {
        if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("switching to another user id needs root and setpriv");
        QTemporaryDir shared; // one temporary folder for both users, as /tmp is
        QTemporaryDir mine;
        QTemporaryDir theirs;
        QVERIFY(openToEveryone(shared.path()) && openToEveryone(theirs.path()));
        TalvorinProcess first(mine.path(), shared.path());
        first.start();
        QVERIFY2(first.waitForLog("run() TALVORIN"), qPrintable(first.log()));
        TalvorinProcess other(theirs.path(), shared.path());
        other.runAsUser(65534);
        other.start();
        QVERIFY2(other.waitForLog("run() TALVORIN"), qPrintable(other.log()));
        QVERIFY(other.running());
        QCOMPARE(handOff(theirs), QByteArray("0"));
    }

    void killedInstancesNeverBlockAFreshStart()
    {
        // Killed instances with fresh temporary folders one after another: whatever each
        // leaves behind, the next start is a first instance.
        QTemporaryDir data;
        for (int round = 0; round < 8; ++round) {
            QTemporaryDir temp;
            TalvorinProcess started(data.path(), temp.path());
            started.start();
            QVERIFY2(started.waitForLog("run() TALVORIN"), qPrintable(QString("round %1: %2").arg(round).arg(started.log())));
            started.signal(SIGKILL);
            QVERIFY(started.waitForExit());
        }
    }

    void terminationQuitsInOrderAndFreesTheKey()
    {
        QTemporaryDir data;
        TalvorinProcess first(data.path(), m_temp.path());
        first.start();
        QVERIFY(first.waitForLog("Discovery answer received"));
        first.signal(SIGTERM);
        QVERIFY(first.waitForExit());
        QCOMPARE(first.exitCode(), 0);
        const QString log = first.log();
        const int hook = log.indexOf("~KEYBOARD_HOOK()");
        const int listener = log.indexOf("~BACKGROUND_LISTENING()");
        const int worker = log.indexOf("~TALVORIN()");
        QVERIFY2(hook >= 0 && hook < listener && listener < worker, qPrintable(log));

        TalvorinProcess again(data.path(), m_temp.path());
        again.start();
        QVERIFY(again.waitForLog("Discovery answer received"));
        again.signal(SIGTERM);
        QVERIFY(again.waitForExit());
    }
};

QTEST_GUILESS_MAIN(AppInstancesTest)
#include "test_app_instances.moc"
