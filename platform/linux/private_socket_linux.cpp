#include "platform/private_socket.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool makePrivateFolder(const QString& path, QString* error)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), S_IRWXU) != 0 && errno != EEXIST) {
        *error = QStringLiteral("cannot create %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct stat info = {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        *error = QStringLiteral("%1 is not a folder").arg(path);
        return false;
    }
    if (info.st_uid != ::getuid()) {
        *error = QStringLiteral("%1 belongs to another user").arg(path);
        return false;
    }
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        *error = QStringLiteral("%1 can be entered by other users").arg(path);
        return false;
    }
    return true;
}

} // namespace

QString privateRuntimeFolder(QString* error)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = runtime.isEmpty()
        ? QDir::tempPath() + QStringLiteral("/talvorin-%1").arg(::getuid())
        : runtime + QStringLiteral("/talvorin");
    return makePrivateFolder(folder, error) ? folder : QString();
}

qint64 peerUserId(qintptr socketDescriptor)
{
    struct ucred credentials = {};
    socklen_t length = sizeof(credentials);
    if (::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return -1;
    return qint64(credentials.uid);
}

} // namespace platform
