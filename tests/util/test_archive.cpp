// Unpacking downloaded packages, hostile ones included.
#include "util/archive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <archive.h>
#include <archive_entry.h>

namespace {

struct Entry {
    QByteArray path;
    QByteArray content;
    QByteArray symlinkTarget; // non-empty: a symbolic link instead of a file
};

// Writes a real zip archive with libarchive's writer.
bool writeZip(const QString& zipPath, const QList<Entry>& entries)
{
    archive* writer = archive_write_new();
    archive_write_set_format_zip(writer);
    if (archive_write_open_filename(writer, QFile::encodeName(zipPath).constData()) != ARCHIVE_OK)
        return false;
    for (const Entry& e : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.path.constData());
        if (e.symlinkTarget.isEmpty()) {
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_perm(entry, 0755);
            archive_entry_set_size(entry, e.content.size());
        } else {
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_perm(entry, 0777);
            archive_entry_set_symlink(entry, e.symlinkTarget.constData());
        }
        archive_write_header(writer, entry);
        if (e.symlinkTarget.isEmpty())
            archive_write_data(writer, e.content.constData(), size_t(e.content.size()));
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    return true;
}

int filesBelow(const QString& folder)
{
    int count = 0;
    QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

} // namespace

class ArchiveTest : public QObject {
    Q_OBJECT

private slots:
    void entryPathRules()
    {
        QVERIFY(isSafeArchiveEntryPath("RM20_FW/FW.sh"));
        QVERIFY(isSafeArchiveEntryPath("a/../b"));
        QVERIFY(!isSafeArchiveEntryPath("../evil"));
        QVERIFY(!isSafeArchiveEntryPath("a/../../evil"));
        QVERIFY(!isSafeArchiveEntryPath("/etc/passwd"));
        QVERIFY(!isSafeArchiveEntryPath("..\\evil"));
        QVERIFY(!isSafeArchiveEntryPath("C:/Windows/evil"));
        QVERIFY(!isSafeArchiveEntryPath(""));
        QVERIFY(isSafeArchiveLinkTarget("pkg/link", "real"));
        QVERIFY(isSafeArchiveLinkTarget("pkg/sub/link", "../real"));
        QVERIFY(!isSafeArchiveLinkTarget("pkg/link", "../../outside"));
        QVERIFY(!isSafeArchiveLinkTarget("pkg/link", "/etc"));
    }

    void unpacksAPackage()
    {
        QTemporaryDir dir;
        const QString zip = dir.filePath("pkg.zip");
        QVERIFY(writeZip(zip, {{"RM20_FW/FW.sh", "#!/bin/sh\necho hi\n", {}},
                               {"RM20_FW/bin/image.bin", QByteArray(5000, '\x5a'), {}}}));
        const QString out = dir.filePath("Mouse");
        QVERIFY(unzipArchive(zip, out));
        QFile script(out + "/RM20_FW/FW.sh");
        QVERIFY(script.open(QIODevice::ReadOnly));
        QCOMPARE(script.readAll(), QByteArray("#!/bin/sh\necho hi\n"));
        QVERIFY(script.permissions() & QFileDevice::ExeOwner);
        QCOMPARE(QFileInfo(out + "/RM20_FW/bin/image.bin").size(), qint64(5000));
    }

    void hostileEntriesRefuseTheWholeArchive_data()
    {
        QTest::addColumn<QByteArray>("hostilePath");
        QTest::addColumn<QByteArray>("symlink");
        QTest::newRow("dot-dot") << QByteArray("../escaped.txt") << QByteArray();
        QTest::newRow("nested dot-dot") << QByteArray("pkg/../../escaped.txt") << QByteArray();
        QTest::newRow("absolute") << QByteArray("/tmp/talvorin-absolute-escape.txt") << QByteArray();
        QTest::newRow("symlink out") << QByteArray("pkg/link") << QByteArray("../../");
    }

    void hostileEntriesRefuseTheWholeArchive()
    {
        QFETCH(QByteArray, hostilePath);
        QFETCH(QByteArray, symlink);
        QTemporaryDir dir;
        const QString zip = dir.filePath("evil.zip");
        // The good entry comes first: a refusal must happen before anything is written.
        QVERIFY(writeZip(zip, {{"pkg/good.txt", "fine", {}}, {hostilePath, "owned", symlink}}));
        const QString out = dir.filePath("work/Mouse");
        QVERIFY(!unzipArchive(zip, out));
        QCOMPARE(filesBelow(dir.filePath("work")), 0);
        QVERIFY(!QFile::exists(dir.filePath("work/escaped.txt")));
        QVERIFY(!QFile::exists(dir.filePath("escaped.txt")));
        QVERIFY(!QFile::exists("/tmp/talvorin-absolute-escape.txt"));
    }

    void brokenArchivesFail()
    {
        QTemporaryDir dir;
        const QString zip = dir.filePath("pkg.zip");
        QVERIFY(writeZip(zip, {{"RM20_FW/FW.sh", QByteArray(20000, 'x'), {}}}));
        QFile file(zip);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.resize(file.size() / 2); // cut in the middle of the data
        file.close();
        QVERIFY(!unzipArchive(zip, dir.filePath("out")));

        QFile junk(dir.filePath("junk.zip"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is not an archive at all");
        junk.close();
        QVERIFY(!unzipArchive(junk.fileName(), dir.filePath("out2")));
        QVERIFY(!unzipArchive(dir.filePath("missing.zip"), dir.filePath("out3")));
        QVERIFY(!QDir(dir.filePath("out3")).exists());
    }
};

QTEST_GUILESS_MAIN(ArchiveTest)
#include "test_archive.moc"
