// The single-instance lock: one per user and data folder, and never held by the dead.
#include "app/single_instance.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void lockPathIsPerUserAndDataFolder()
    {
        QTemporaryDir data;
        const QString path = instanceLockPath("/run/user/1000", 1000, data.path());
        QVERIFY(path.startsWith("/run/user/1000/talvorin-1000-"));
        QCOMPARE(instanceLockPath("/run/user/1000", 1000, data.path() + "/"), path);
        QCOMPARE(instanceLockPath("/run/user/1000", 1000, data.path() + "/sub/.."), path);
        QVERIFY(instanceLockPath("/run/user/1000", 1001, data.path()) != path);
        QVERIFY(instanceLockPath("/run/user/1000", 1000, data.path() + "-demo") != path);
    }

    void lockIsExclusiveUntilItsHolderGoes()
    {
        QTemporaryDir runtime;
        const QString lock = instanceLockPath(runtime.path(), 1000, "/data/a");
        {
            SingleInstanceGuard first(lock);
            QVERIFY(first.acquire());
            SingleInstanceGuard second(lock);
            QVERIFY(!second.acquire());
            SingleInstanceGuard otherFolder(instanceLockPath(runtime.path(), 1000, "/data/b"));
            QVERIFY(otherFolder.acquire());
        }
        SingleInstanceGuard afterwards(lock);
        QVERIFY(afterwards.acquire());
        QVERIFY(QFile::exists(lock));
        QCOMPARE(QFile::permissions(lock) & (QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ReadGroup),
                 QFileDevice::Permissions());
    }

    void leftoverLockFileDoesNotBlock()
    {
        QTemporaryDir runtime;
        const QString lock = instanceLockPath(runtime.path(), 1000, "/data/a");
        QFile leftover(lock);
        QVERIFY(leftover.open(QIODevice::WriteOnly));
        leftover.write("12345");
        leftover.close();
        SingleInstanceGuard guard(lock);
        QVERIFY(guard.acquire());
    }

    void unusableLockLetsTheStartGoOn()
    {
        QTemporaryDir runtime;
        SingleInstanceGuard guard(runtime.filePath("missing-folder/talvorin.lock"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be taken; starting anyway"));
        QVERIFY(guard.acquire());
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "test_single_instance.moc"
