#pragma once
// Reading a data-store file whole, within one size limit, and keeping a file that cannot be
// read aside before anything replaces it.
#include <QByteArray>
#include <QString>

// No file of the store comes near this; a larger one is damaged (or not ours) and is never
// read into memory.
constexpr qint64 kMaxStoreFileBytes = 4 * 1024 * 1024;

// The one suffix a damaged store file is kept under, beside the file.
const char* const kKeptAsideSuffix = ".broken";

struct StoreFile {
    enum class Status { Read, Missing, CannotOpen, TooLarge };
    Status status = Status::Missing;
    QByteArray bytes;
    QString errorString;
    bool read() const { return status == Status::Read; }
};

// Reads the whole file. A file over kMaxStoreFileBytes is kept aside at once (moved, since
// copying it would cost what the limit saves) and reads as TooLarge.
StoreFile readStoreFile(const QString& path);

// Keeps bytes read from a store file that cannot be used as "<path>.broken" (replacing an
// older copy) and logs where, so that the owner's next save never throws the only copy away.
// Nothing is written when the kept copy already holds these bytes.
void keepUnreadableFile(const QString& path, const QByteArray& bytes);
