#include "util/files.h"

#include "util/store_reading.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace {

// The warning prefix of the flag and text helpers ends in a full-width colon.
const QString kErrorStringLabel = QStringLiteral("errorString\uFF1A");

} // namespace

WriteResult replaceFileContents(const QString& path, const QByteArray& bytes)
{
    WriteResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.outcome = WriteOutcome::CannotOpen;
        result.errorString = file.errorString();
        return result;
    }
    result.written = file.write(bytes);
    if (result.written != bytes.size()) {
        result.outcome = WriteOutcome::Incomplete;
        result.errorString = file.errorString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.outcome = WriteOutcome::CannotCommit;
        result.errorString = file.errorString();
    }
    return result;
}

bool fileExists(const QString& path)
{
    return QFile::exists(path);
}

void ensureDirectory(const QString& path)
{
    QDir dir(path);
    if (!dir.exists() && !dir.mkpath(QStringLiteral(".")))
        qDebug() << "Failed to create directory: " << path;
}

int readFlagFromFile(const QString& path)
{
    StoreFile file = readStoreFile(path);
    if (file.status == StoreFile::Status::Missing || file.status == StoreFile::Status::CannotOpen) {
        qWarning() << kErrorStringLabel << file.errorString;
        return -1;
    }
    const QString line = QTextStream(&file.bytes, QIODevice::ReadOnly).readLine().trimmed();
    if (line == QLatin1String("0"))
        return 0;
    if (line == QLatin1String("1"))
        return 1;
    return -1;
}

int readIntFromFile(const QString& path)
{
    const StoreFile file = readStoreFile(path);
    if (!file.read())
        return -1;
    QString text = QString::fromUtf8(file.bytes).trimmed();
    if (text.startsWith(QChar(0xFEFF))) // a byte-order mark some editors put first
        text = text.mid(1).trimmed();
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) {
        qWarning() << "File content is not an integer:" << text;
        keepUnreadableFile(path, file.bytes);
        return -1;
    }
    return value;
}

QString readFirstLineFromFile(const QString& path)
{
    StoreFile file = readStoreFile(path);
    if (file.status == StoreFile::Status::Missing || file.status == StoreFile::Status::CannotOpen) {
        qDebug() << "Failed to read file:" << path;
        return QString();
    }
    return QTextStream(&file.bytes, QIODevice::ReadOnly).readLine();
}

bool writeIntToFile(const QString& path, int value)
{
    const WriteResult result = replaceFileContents(path, QByteArray::number(value));
    if (!result.ok()) {
        qWarning() << "Cannot open file for write:" << result.errorString;
        return false;
    }
    return true;
}

bool writeTextToFile(const QString& path, const QString& text)
{
    const WriteResult result = replaceFileContents(path, text.toUtf8());
    if (!result.ok()) {
        qWarning() << kErrorStringLabel << result.errorString;
        return false;
    }
    return true;
}

void removeFileWithLog(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        qDebug() << "File does not exist: " << path;
        return;
    }
    if (file.remove()) {
        qDebug() << "File removed successfully: " << path;
        return;
    }
    qDebug() << "Failed to remove file: " << path;
    qDebug() << "Error: " << file.errorString();
}

bool clearDirectory(const QString& path)
{
    QDir dir(path);
    if (!dir.exists()) {
        qDebug() << "Directory does not exist:" << path;
        return false;
    }
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QString& name : files) {
        if (!dir.remove(name)) {
            qDebug() << "Failed to remove file:" << name;
            return false;
        }
    }
    const QStringList folders = dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& name : folders) {
        // A link to a folder goes, never what it points at (which may lie outside).
        if (QFileInfo(dir.filePath(name)).isSymLink()) {
            if (!dir.remove(name)) {
                qDebug() << "Failed to remove directory:" << name;
                return false;
            }
            continue;
        }
        QDir sub(dir.filePath(name));
        if (!sub.removeRecursively()) {
            qDebug() << "Failed to remove directory:" << name;
            return false;
        }
    }
    return true;
}

bool removeDirectoryByShell(const QString& path)
{
    const QString cleaned = QDir::cleanPath(path);
    if (path.trimmed().isEmpty() || cleaned == QLatin1String("/") || cleaned == QLatin1String(".")) {
        qWarning() << "Refusing to remove directory:" << path;
        return false;
    }
    // A link is removed as a link: emptying the folder it names would reach outside the path
    // given (QDir::removeRecursively follows a link it is started on).
    if (QFileInfo(cleaned).isSymLink()) {
        if (!QFile::remove(cleaned)) {
            qWarning() << "Failed to remove directory:" << cleaned;
            return false;
        }
        return true;
    }
    QDir dir(cleaned);
    if (!dir.exists()) {
        qDebug() << "Directory does not exist:" << cleaned;
        return false;
    }
    if (!dir.removeRecursively()) {
        qWarning() << "Failed to remove directory:" << cleaned;
        return false;
    }
    return true;
}
