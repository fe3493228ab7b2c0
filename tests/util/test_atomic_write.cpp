// A file that is being rewritten when its writer is killed holds either the old or the new
// content in full, never a mix or a truncated copy.
#include "util/files.h"
#include "util/json_files.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

// Contents are long enough that a write takes many system calls.
QByteArray contentFor(int round)
{
    return QByteArray(4 * 1024 * 1024, char('a' + round % 26));
}

bool isWholeContent(const QByteArray& bytes)
{
    if (bytes.size() != 4 * 1024 * 1024)
        return false;
    return bytes.count(bytes.at(0)) == bytes.size();
}

// The child: rewrites the file over and over until it is killed.
int runWriter(const QString& path)
{
    for (int round = 1;; ++round)
        writeTextToFile(path, QString::fromLatin1(contentFor(round)));
}

} // namespace

class AtomicWriteTest : public QObject {
    Q_OBJECT

private slots:
    void killedWriterLeavesOldOrNewContent()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("userControlData.json");
        QVERIFY(writeTextToFile(path, QString::fromLatin1(contentFor(0))));
        for (int attempt = 0; attempt < 8; ++attempt) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {"--writer", path});
            QVERIFY(writer.waitForStarted());
            QTest::qWait(40 + attempt * 37); // kill at different points of a write
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(5000));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(isWholeContent(file.readAll()), "the file holds a partial write");
        }
    }
};

int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--writer")
        return runWriter(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    AtomicWriteTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_atomic_write.moc"
