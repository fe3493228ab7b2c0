// One instance per user, with the real executable: a second start hands the window request to
// the running one, stale state never blocks a start, and a termination request quits in order.
#include "process_runner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

QByteArray handOff(const QTemporaryDir& data)
{
    QFile file(data.filePath("talvorin.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
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
