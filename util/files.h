#pragma once
// Small text files of the data store and folder housekeeping. Every write replaces the file
// whole and atomically (written beside it, then renamed over it), so a crash mid-write
// leaves either the old or the new content, never a truncated file.
#include <QByteArray>
#include <QString>

enum class WriteOutcome { Written, CannotOpen, Incomplete, CannotCommit };

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::Written;
    QString errorString;
    qint64 written = 0;
    bool ok() const { return outcome == WriteOutcome::Written; }
};

// Writes bytes to a temporary file beside path and renames it over path.
WriteResult replaceFileContents(const QString& path, const QByteArray& bytes);

bool fileExists(const QString& path);
void ensureDirectory(const QString& path);
int readFlagFromFile(const QString& path);
int readIntFromFile(const QString& path);
QString readFirstLineFromFile(const QString& path);
bool writeIntToFile(const QString& path, int value);
bool writeTextToFile(const QString& path, const QString& text);
void removeFileWithLog(const QString& path);
// Empties the folder, keeping the folder itself. Links inside it are removed as links.
bool clearDirectory(const QString& path);
// Removes a folder and everything in it, in-process. Refuses an empty path and the root.
// A path that is a link loses only the link, never the content of what it points at.
bool removeDirectoryByShell(const QString& path);
