// Running other programs: no shell, and a loader that never ends does not hold its caller.
#include "util/processes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString writeScript(const QTemporaryDir& dir, const QString& name, const QByteArray& body)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("#!/bin/sh\n" + body);
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return path;
}

} // namespace

class ProcessesTest : public QObject {
    Q_OBJECT

private slots:
    void exitCodeAndStartFailure()
    {
        QTemporaryDir dir;
        const QString script = writeScript(dir, "exit 3.sh", "exit 3\n");
        const ProgramRun run = runProgramAndWait(script);
        QVERIFY(run.started);
        QCOMPARE(run.exitCode, 3);
        QCOMPARE(runProgramWithExitCode(script), 1); // it ran, whatever its exit code
        QCOMPARE(runProgramWithExitCode(dir.filePath("missing")), -1);
    }

    void argumentsReachTheProgramUnparsed()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("args.txt");
        const QString script = writeScript(dir, "it's \"a\" & b.sh", "printf '%s|' \"$@\" > \"$OUT\"\n");
        qputenv("OUT", out.toLocal8Bit());
        QVERIFY(runProgramAndWait(script, {"one two", "$HOME", "a;b"}).started);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("one two|$HOME|a;b|"));
    }

    void aLoaderThatNeverEndsIsLeftBehindInTime()
    {
        QTemporaryDir dir;
        const QString script = writeScript(dir, "hang.sh", "sleep 3\n");
        QElapsedTimer clock;
        clock.start();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("did not end in time"));
        QCOMPARE(runProgramWithExitCode(script, {}, 300), -1);
        QVERIFY(clock.elapsed() < 5000);
    }
};

QTEST_GUILESS_MAIN(ProcessesTest)
#include "test_processes.moc"
