// Unpacking downloaded packages, hostile ones included.
#include "util/archive.h"
#include "util/archive_entry_check.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <archive.h>
#include <archive_entry.h>

namespace {

enum class Kind { File, Folder, SymbolicLink, HardLink };

struct Entry {
    QByteArray path;
    QByteArray content; // a file's bytes, or what a link names
    Kind kind = Kind::File;
};

Entry linkEntry(const QByteArray& path, const QByteArray& target) { return {path, target, Kind::SymbolicLink}; }
Entry hardLinkEntry(const QByteArray& path, const QByteArray& target) { return {path, target, Kind::HardLink}; }

void addEntry(archive* writer, const Entry& e)
{
    archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname(entry, e.path.constData());
    switch (e.kind) {
    case Kind::File:
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0755);
        archive_entry_set_size(entry, e.content.size());
        break;
    case Kind::Folder:
        archive_entry_set_filetype(entry, AE_IFDIR);
        archive_entry_set_perm(entry, 0755);
        break;
    case Kind::SymbolicLink:
        archive_entry_set_filetype(entry, AE_IFLNK);
        archive_entry_set_perm(entry, 0777);
        archive_entry_set_symlink(entry, e.content.constData());
        break;
    case Kind::HardLink:
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0755);
        archive_entry_set_hardlink(entry, e.content.constData());
        archive_entry_set_size(entry, 0);
        break;
    }
    archive_write_header(writer, entry);
    if (e.kind == Kind::File)
        archive_write_data(writer, e.content.constData(), size_t(e.content.size()));
    archive_entry_free(entry);
}

// Writes a real archive with libarchive's writer: zip, or tar (which can hold hard links).
bool writeArchive(const QString& path, const QList<Entry>& entries, bool tar = false)
{
    archive* writer = archive_write_new();
    if (tar)
        archive_write_set_format_pax_restricted(writer);
    else
        archive_write_set_format_zip(writer);
    if (archive_write_open_filename(writer, QFile::encodeName(path).constData()) != ARCHIVE_OK)
        return false;
    for (const Entry& e : entries)
        addEntry(writer, e);
    archive_write_close(writer);
    archive_write_free(writer);
    return true;
}

QStringList everythingBelow(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    found.sort();
    return found;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString admitAll(const QList<ArchiveEntryInfo>& entries)
{
    ArchiveEntryCheck check;
    QString reason;
    for (const ArchiveEntryInfo& entry : entries) {
        if (check.admit(entry, &reason).isEmpty())
            return reason;
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(QList<Entry>)

class ArchiveTest : public QObject {
    Q_OBJECT

private slots:
    void entryPathRules()
    {
        QCOMPARE(cleanArchiveEntryPath("RM20_FW/FW.sh"), QString("RM20_FW/FW.sh"));
        QCOMPARE(cleanArchiveEntryPath("a/./b/../c"), QString("a/c"));
        QCOMPARE(cleanArchiveEntryPath("a\\b"), QString("a/b"));
        QCOMPARE(cleanArchiveEntryPath(":fw/FW.sh"), QString(":fw/FW.sh")); // a plain name here
        QCOMPARE(cleanArchiveEntryPath("./"), QString("."));
        QCOMPARE(cleanArchiveEntryPath("../evil"), QString());
        QCOMPARE(cleanArchiveEntryPath("a/../../evil"), QString());
        QCOMPARE(cleanArchiveEntryPath("/etc/passwd"), QString());
        QCOMPARE(cleanArchiveEntryPath("..\\evil"), QString());
        QCOMPARE(cleanArchiveEntryPath("C:/Windows/evil"), QString());
        QCOMPARE(cleanArchiveEntryPath(""), QString());
        QVERIFY(isSafeArchiveEntryPath("a/../b"));
        QVERIFY(!isSafeArchiveEntryPath("a/../../evil"));
    }

    void entryKindRules()
    {
        using K = ArchiveEntryKind;
        QVERIFY(admitAll({{"pkg/FW.sh", K::File, {}}, {"pkg/copy.sh", K::HardLink, "pkg/FW.sh"}}).isEmpty());
        QVERIFY(admitAll({{"pkg/", K::Folder, {}}, {"./", K::Folder, {}}, {"pkg/a", K::File, {}}}).isEmpty());
        QVERIFY(admitAll({{"pkg/link", K::SymbolicLink, {}}}).contains("symbolic link"));
        QVERIFY(admitAll({{"pkg/fifo", K::Other, {}}}).contains("neither a file nor a folder"));
        // A hard link names an earlier file of the same archive, and nothing else.
        QVERIFY(admitAll({{"pkg/pw", K::HardLink, "../../etc/passwd"}}).contains("hard link"));
        QVERIFY(admitAll({{"pkg/pw", K::HardLink, "/etc/passwd"}}).contains("hard link"));
        QVERIFY(admitAll({{"pkg/a", K::HardLink, "pkg/b"}, {"pkg/b", K::File, {}}}).contains("hard link"));
        QVERIFY(admitAll({{"pkg/", K::Folder, {}}, {"pkg/a", K::HardLink, "pkg"}}).contains("hard link"));
        // A file cannot turn into a folder later, nor hold entries below it.
        QVERIFY(!admitAll({{"pkg/a", K::File, {}}, {"pkg/a/b", K::File, {}}}).isEmpty());
        QVERIFY(!admitAll({{"pkg/a/b", K::File, {}}, {"pkg/a", K::File, {}}}).isEmpty());
        QVERIFY(!admitAll({{"pkg/a", K::File, {}}, {"pkg/a/", K::Folder, {}}}).isEmpty());
    }

    void unpacksAPackage()
    {
        QTemporaryDir dir;
        const QString zip = dir.filePath("pkg.zip");
        QVERIFY(writeArchive(zip, {{"RM20_FW/FW.sh", "#!/bin/sh\necho hi\n"},
                                   {"RM20_FW/bin/image.bin", QByteArray(5000, '\x5a')}}));
        const QString out = dir.filePath("Mouse");
        QVERIFY(unzipArchive(zip, out));
        QCOMPARE(readAll(out + "/RM20_FW/FW.sh"), QByteArray("#!/bin/sh\necho hi\n"));
        QVERIFY(QFile::permissions(out + "/RM20_FW/FW.sh") & QFileDevice::ExeOwner);
        QCOMPARE(QFileInfo(out + "/RM20_FW/bin/image.bin").size(), qint64(5000));
        QCOMPARE(everythingBelow(dir.path()), QStringList({"Mouse", "Mouse/RM20_FW", "Mouse/RM20_FW/FW.sh",
                                                           "Mouse/RM20_FW/bin", "Mouse/RM20_FW/bin/image.bin",
                                                           "pkg.zip"}));
    }

    void hardLinkToAnEarlierFileIsUnpacked()
    {
        QTemporaryDir dir;
        const QString tar = dir.filePath("pkg.tar");
        QVERIFY(writeArchive(tar, {{"pkg/FW.sh", "#!/bin/sh\n"}, hardLinkEntry("pkg/Dongle.sh", "pkg/FW.sh")}, true));
        QVERIFY(unzipArchive(tar, dir.filePath("out")));
        QCOMPARE(readAll(dir.filePath("out/pkg/Dongle.sh")), QByteArray("#!/bin/sh\n"));
    }

    void colonNameStaysInTheDestination()
    {
        QTemporaryDir dir;
        QTemporaryDir workingFolder;
        const QString before = QDir::currentPath();
        QDir::setCurrent(workingFolder.path());
        const QString zip = dir.filePath("pkg.zip");
        QVERIFY(writeArchive(zip, {{":fw/FW.sh", "#!/bin/sh\n"}}));
        const bool unpacked = unzipArchive(zip, dir.filePath("out"));
        QDir::setCurrent(before);
        QVERIFY(unpacked);
        QCOMPARE(readAll(dir.filePath("out/:fw/FW.sh")), QByteArray("#!/bin/sh\n"));
        QCOMPARE(everythingBelow(workingFolder.path()), QStringList());
    }

    void hostileEntriesRefuseTheWholeArchive_data()
    {
        QTest::addColumn<QList<Entry>>("hostile");
        QTest::addColumn<bool>("tar");
        QTest::newRow("dot-dot") << QList<Entry>{{"../escaped.txt", "owned"}} << false;
        QTest::newRow("nested dot-dot") << QList<Entry>{{"pkg/../../escaped.txt", "owned"}} << false;
        QTest::newRow("absolute") << QList<Entry>{{"/tmp/talvorin-absolute-escape.txt", "owned"}} << false;
        QTest::newRow("symlink out") << QList<Entry>{linkEntry("pkg/link", "../../")} << false;
        // Each link alone stays inside; together "a" is the destination's parent.
        QTest::newRow("chained links")
            << QList<Entry>{linkEntry("d/b", ".."), linkEntry("a", "d/b/.."), {"a/escaped.txt", "owned"}} << false;
        QTest::newRow("program through a link chain")
            << QList<Entry>{linkEntry("d/b", ".."), linkEntry("a", "d/b/.."), linkEntry("FW.sh", "a/outside.sh")} << false;
        QTest::newRow("hard link out") << QList<Entry>{hardLinkEntry("pkg/pw", "../../escaped.txt")} << true;
        QTest::newRow("hard link absolute") << QList<Entry>{hardLinkEntry("pkg/pw", "/etc/hostname")} << true;
    }

    void hostileEntriesRefuseTheWholeArchive()
    {
        QFETCH(QList<Entry>, hostile);
        QFETCH(bool, tar);
        QTemporaryDir dir;
        const QString archivePath = dir.filePath(tar ? "work/evil.tar" : "work/evil.zip");
        QVERIFY(QDir().mkpath(dir.filePath("work")));
        // Good entries come first: a refusal half way must still leave nothing behind.
        QVERIFY(writeArchive(archivePath, QList<Entry>{{"pkg/good.txt", "fine"}} + hostile, tar));
        QVERIFY(!unzipArchive(archivePath, dir.filePath("work/Mouse")));
        QCOMPARE(everythingBelow(dir.path()), QStringList({"work", tar ? "work/evil.tar" : "work/evil.zip"}));
        QVERIFY(!QFile::exists("/tmp/talvorin-absolute-escape.txt"));
    }

    void refusedArchiveLeavesTheOldDestinationAlone()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("out");
        QVERIFY(QDir().mkpath(out));
        QFile old(out + "/old.txt");
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("kept");
        old.close();
        const QString zip = dir.filePath("evil.zip");
        QVERIFY(writeArchive(zip, {{"new.txt", "new"}, linkEntry("link", "new.txt")}));
        QVERIFY(!unzipArchive(zip, out));
        QCOMPARE(everythingBelow(out), QStringList({"old.txt"}));

        // A good archive replaces it whole.
        QVERIFY(writeArchive(zip, {{"new.txt", "new"}}));
        QVERIFY(unzipArchive(zip, out));
        QCOMPARE(everythingBelow(out), QStringList({"new.txt"}));
    }

    void archiveOverTheSizeLimitIsRefused()
    {
        QTemporaryDir dir;
        const QString zip = dir.filePath("big.zip");
        // Compresses to a few kilobytes, unpacks to two mebibytes.
        QVERIFY(writeArchive(zip, {{"a.bin", QByteArray(1024 * 1024, '\0')}, {"b.bin", QByteArray(1024 * 1024, '\0')}}));
        QVERIFY(!unzipArchive(zip, dir.filePath("out"), 1536 * 1024));
        QCOMPARE(everythingBelow(dir.path()), QStringList({"big.zip"}));
        QVERIFY(unzipArchive(zip, dir.filePath("out"), 2048 * 1024));
    }

    void brokenArchivesFail()
    {
        QTemporaryDir dir;
        const QString zip = dir.filePath("pkg.zip");
        QVERIFY(writeArchive(zip, {{"RM20_FW/FW.sh", QByteArray(20000, 'x')}}));
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
        QCOMPARE(everythingBelow(dir.path()), QStringList({"junk.zip", "pkg.zip"}));
    }
};

QTEST_GUILESS_MAIN(ArchiveTest)
#include "test_archive.moc"
