#include "util/store_reading.h"

#include "util/files.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

namespace {

QString asidePath(const QString& path)
{
    return path + QLatin1String(kKeptAsideSuffix);
}

void moveAside(const QString& path)
{
    const QString aside = asidePath(path);
    QFile::remove(aside);
    if (QFile::rename(path, aside))
        qWarning() << "A store file larger than" << kMaxStoreFileBytes << "bytes is kept as" << aside;
    else
        qWarning() << "A store file larger than" << kMaxStoreFileBytes << "bytes could not be kept aside:" << path;
}

bool alreadyKept(const QString& aside, const QByteArray& bytes)
{
    QFile kept(aside);
    if (kept.size() != bytes.size() || !kept.open(QIODevice::ReadOnly))
        return false;
    return kept.readAll() == bytes;
}

} // namespace

StoreFile readStoreFile(const QString& path)
{
    StoreFile result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = file.exists() ? StoreFile::Status::CannotOpen : StoreFile::Status::Missing;
        result.errorString = file.errorString();
        return result;
    }
    // Read one byte past the limit: the size on disk may change while the file is read.
    result.bytes = file.read(kMaxStoreFileBytes + 1);
    if (result.bytes.size() > kMaxStoreFileBytes) {
        file.close();
        result.bytes.clear();
        result.status = StoreFile::Status::TooLarge;
        moveAside(path);
        return result;
    }
    result.status = StoreFile::Status::Read;
    return result;
}

void keepUnreadableFile(const QString& path, const QByteArray& bytes)
{
    const QString aside = asidePath(path);
    if (alreadyKept(aside, bytes))
        return;
    if (replaceFileContents(aside, bytes).ok())
        qWarning() << "The unreadable file" << path << "is kept as" << aside;
    else
        qWarning() << "The unreadable file" << path << "could not be kept aside";
}
