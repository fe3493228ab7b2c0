#include "platform/folder_watch.h"

#include <QDebug>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace platform {

namespace {

// A write that ends with close, a file moved in (an atomic replace ends with a rename), a new
// file, a removed one. Plain modifications are left out: each write ends with a close.
const uint32_t kChanges = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM;

} // namespace

FolderWatch::~FolderWatch()
{
    close();
}

void FolderWatch::close()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
}

bool FolderWatch::watch(const QString& folder)
{
    close();
    m_descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_descriptor < 0) {
        qWarning() << "FolderWatch: inotify_init1 failed:" << std::strerror(errno);
        return false;
    }
    if (::inotify_add_watch(m_descriptor, QFile::encodeName(folder).constData(), kChanges | IN_ONLYDIR) < 0) {
        qWarning() << "FolderWatch: cannot watch" << folder << ":" << std::strerror(errno);
        close();
        return false;
    }
    return true;
}

bool FolderWatch::takeChangesOf(const QString& fileName)
{
    if (m_descriptor < 0)
        return false;
    const QByteArray wanted = QFile::encodeName(fileName);
    bool concerned = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t length = ::read(m_descriptor, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if (event->mask & IN_Q_OVERFLOW)
                concerned = true;
            else if (event->len > 0 && wanted == QByteArray(event->name))
                concerned = true;
            offset += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    return concerned;
}

} // namespace platform
