#include "platform/hid_paths.h"

#include <sys/stat.h>

namespace platform {

bool isHidDevicePath(const QByteArray& path)
{
    struct stat info = {};
    return !path.isEmpty() && ::stat(path.constData(), &info) == 0 && S_ISCHR(info.st_mode);
}

} // namespace platform
