#pragma once
// Tells when files in one folder are written, created, replaced or removed, through a
// descriptor that waitForEvent() can sleep on, so that a file is read again only when it may
// have changed instead of on a schedule.
#include <QString>

namespace platform {

class FolderWatch {
public:
    FolderWatch() = default;
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches `folder` (not its subfolders); false, with a log line, when it cannot.
    bool watch(const QString& folder);
    bool isWatching() const { return m_descriptor >= 0; }
    // What the OS waits on; -1 when not watching.
    int descriptor() const { return m_descriptor; }
    // Reads the changes reported so far without waiting: true when one of them concerns
    // `fileName`. Also true when the OS dropped changes (the file may have changed).
    bool takeChangesOf(const QString& fileName);

private:
    void close();

    int m_descriptor = -1;
};

} // namespace platform
