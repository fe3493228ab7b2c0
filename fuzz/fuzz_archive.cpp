// Unpacking a downloaded package: whatever the archive holds, nothing lands outside the
// destination, no link is made, and a refused archive leaves nothing at all.
#include "fuzz_support.h"
#include "util/archive.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

// Small, so that a compression bomb costs a fuzzing run little.
constexpr qint64 kFuzzUnpackLimit = 8 * 1024 * 1024;

QStringList entriesOf(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

void checkUnpacked(const QString& destination)
{
    const QString top = QFileInfo(destination).canonicalFilePath() + QLatin1Char('/');
    QDirIterator it(destination, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        require(!entry.isSymLink(), "a link was unpacked");
        require(entry.canonicalFilePath().startsWith(top), "an entry lies outside the destination");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString parent = scratchFolder() + QStringLiteral("/unpack");
    QDir(parent).removeRecursively();
    QDir().mkpath(parent);
    const QString archive = parent + QStringLiteral("/package.zip");
    {
        QFile file(archive);
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const QString destination = parent + QStringLiteral("/work");
    const bool unpacked = unzipArchive(archive, destination, kFuzzUnpackLimit);
    const QStringList expected = unpacked ? QStringList{QStringLiteral("package.zip"), QStringLiteral("work")}
                                          : QStringList{QStringLiteral("package.zip")};
    require(entriesOf(parent) == expected, "unpacking left something beside the destination");
    require(entriesOf(scratchFolder()) == QStringList{QStringLiteral("unpack")}, "unpacking wrote outside its folder");
    if (unpacked)
        checkUnpacked(destination);
    return 0;
}
