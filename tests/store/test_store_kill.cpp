// The store under SIGKILL: a process writing the store files with the program's own writers is
// killed at random moments, again and again; after each kill every file parses and holds one
// generation's complete content, never a mix or a cut. TALVORIN_KILL_ROUNDS sets the number of
// kills (scripts/kill-test.sh runs thousands).
#include "store_writes.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

class StoreKillTest : public QObject {
    Q_OBJECT

private slots:
    void everyFileSurvivesAKillWhole()
    {
        const int rounds = qEnvironmentVariableIsSet("TALVORIN_KILL_ROUNDS") ? qEnvironmentVariableIntValue("TALVORIN_KILL_ROUNDS")
                                                                            : 30;
        QTemporaryDir data;
        QRandomGenerator random(QRandomGenerator::global()->generate());
        int generation = 0;
        for (int round = 0; round < rounds; ++round) {
            QProcess writer;
            writer.start(QStringLiteral(STORE_WRITER), {data.path(), QString::number(generation)});
            QVERIFY(writer.waitForStarted(5000));
            // The first round waits until every file exists; later ones kill at any moment,
            // the start-up included.
            if (round == 0)
                QVERIFY(writer.waitForReadyRead(10000));
            QTest::qSleep(int(random.bounded(1, 60)));
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(5000));
            generation += 1000; // later contents never repeat earlier ones
            for (const QString& file : killTestFiles()) {
                const QString problem = checkFile(data.path(), file);
                QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("round %1: %2: %3").arg(round).arg(file, problem)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(StoreKillTest)
#include "test_store_kill.moc"
