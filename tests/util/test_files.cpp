// Text files of the data store and folder housekeeping.
#include "util/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readRaw(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class FileHelpersTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void flagReaderTrimsAndRejectsOtherValues()
    {
        writeRaw(file("one"), " 1 \n");
        writeRaw(file("zero"), "0");
        writeRaw(file("two"), "2");
        writeRaw(file("second"), "\n1");
        QCOMPARE(readFlagFromFile(file("one")), 1);
        QCOMPARE(readFlagFromFile(file("zero")), 0);
        QCOMPARE(readFlagFromFile(file("two")), -1);
        QCOMPARE(readFlagFromFile(file("second")), -1); // only the first line counts
    }

    void flagReaderWarnsOnMissingFile()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("errorString\uFF1A"));
        QCOMPARE(readFlagFromFile(file("missing")), -1);
    }

    void integerReader()
    {
        writeRaw(file("int"), "  42\n");
        writeRaw(file("neg"), "-1");
        writeRaw(file("abc"), "abc");
        QCOMPARE(readIntFromFile(file("int")), 42);
        QCOMPARE(readIntFromFile(file("neg")), -1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("File content is not an integer:.*abc"));
        QCOMPARE(readIntFromFile(file("abc")), -1);
        QCOMPARE(readIntFromFile(file("missing")), -1);
    }

    void integerReaderIsStrictlyDecimal_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("leading zero is not octal") << QByteArray("010") << 10;
        QTest::newRow("zero") << QByteArray("0") << 0;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" "7") << 7;
        QTest::newRow("hexadecimal") << QByteArray("0x1F") << -1;
        QTest::newRow("octal prefix letters") << QByteArray("0o7") << -1;
        QTest::newRow("two numbers") << QByteArray("1 2") << -1;
        QTest::newRow("past int") << QByteArray("2147483648") << -1;
    }

    void integerReaderIsStrictlyDecimal()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        writeRaw(file("strict"), text);
        QCOMPARE(readIntFromFile(file("strict")), value);
    }

    void firstLineIsNotTrimmed()
    {
        writeRaw(file("version"), " 25.03.01 \nsecond");
        QCOMPARE(readFirstLineFromFile(file("version")), QString(" 25.03.01 "));
        QCOMPARE(readFirstLineFromFile(file("missing")), QString());
    }

    void writersReplaceWholeFileWithoutLineEnd()
    {
        writeRaw(file("w"), "a much longer previous content");
        QVERIFY(writeIntToFile(file("w"), 7));
        QCOMPARE(readRaw(file("w")), QByteArray("7"));
        QVERIFY(writeTextToFile(file("w"), QStringLiteral("0")));
        QCOMPARE(readRaw(file("w")), QByteArray("0"));
    }

    void writersFailIntoMissingFolder()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot open file for write:"));
        QVERIFY(!writeIntToFile(file("no/such/folder/x"), 1));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("errorString\uFF1A"));
        QVERIFY(!writeTextToFile(file("no/such/folder/y"), "1"));
        QVERIFY(!QFile::exists(file("no/such/folder/x")));
    }

    void writerLeavesNoTemporaryFilesBehind()
    {
        QTemporaryDir dir;
        QVERIFY(writeTextToFile(dir.filePath("a"), "1"));
        QVERIFY(writeTextToFile(dir.filePath("a"), "2"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a"});
    }

    void clearDirectoryKeepsTheFolder()
    {
        QTemporaryDir dir;
        QDir root(dir.path());
        QVERIFY(root.mkpath("sub/deeper"));
        writeRaw(root.filePath("top.json"), "{}");
        writeRaw(root.filePath(".hidden"), "x");
        writeRaw(root.filePath("sub/deeper/inner.json"), "{}");
        QVERIFY(clearDirectory(dir.path()));
        QVERIFY(root.exists());
        QVERIFY(root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    }

    void clearDirectoryOnMissingFolder()
    {
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("Directory does not exist:"));
        QVERIFY(!clearDirectory(file("nothing-here")));
    }

    void removeFileLogsEachOutcome()
    {
        writeRaw(file("doomed"), "x");
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("File removed successfully: "));
        removeFileWithLog(file("doomed"));
        QVERIFY(!QFile::exists(file("doomed")));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("File does not exist: "));
        removeFileWithLog(file("doomed"));
    }

    void removeDirectoryRefusesDangerousPaths()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refusing to remove directory"));
        QVERIFY(!removeDirectoryByShell(QString()));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refusing to remove directory"));
        QVERIFY(!removeDirectoryByShell("/"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refusing to remove directory"));
        QVERIFY(!removeDirectoryByShell("//./"));
        QVERIFY(QDir("/").exists());
    }

    void removeDirectoryRemovesTree()
    {
        QTemporaryDir dir;
        QDir root(dir.path());
        QVERIFY(root.mkpath("pkg/bin"));
        writeRaw(root.filePath("pkg/bin/FW.sh"), "x");
        QVERIFY(removeDirectoryByShell(root.filePath("pkg")));
        QVERIFY(!root.exists("pkg"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("Directory does not exist:"));
        QVERIFY(!removeDirectoryByShell(root.filePath("pkg")));
    }

    void linksToFoldersAreRemovedNotFollowed()
    {
        QTemporaryDir dir;
        QDir root(dir.path());
        QVERIFY(root.mkpath("outside") && root.mkpath("store/pkg"));
        writeRaw(root.filePath("outside/keep.json"), "{}");
        QVERIFY(QFile::link(root.filePath("outside"), root.filePath("store/linked")));
        QVERIFY(QFile::link(root.filePath("outside"), root.filePath("store/pkg/inner")));
        QVERIFY(QFile::link(root.filePath("outside"), root.filePath("package-link")));

        QVERIFY(clearDirectory(root.filePath("store")));
        QVERIFY(root.exists("store"));
        QVERIFY(QDir(root.filePath("store")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).isEmpty());
        QCOMPARE(readRaw(root.filePath("outside/keep.json")), QByteArray("{}"));

        QVERIFY(removeDirectoryByShell(root.filePath("package-link")));
        QVERIFY(!QFileInfo(root.filePath("package-link")).exists() && !QFileInfo(root.filePath("package-link")).isSymLink());
        QCOMPARE(readRaw(root.filePath("outside/keep.json")), QByteArray("{}"));
    }

    void ensureDirectoryCreatesNestedFolders()
    {
        ensureDirectory(file("a/b/c"));
        QVERIFY(QDir(file("a/b/c")).exists());
    }
};

QTEST_GUILESS_MAIN(FileHelpersTest)
#include "test_files.moc"
