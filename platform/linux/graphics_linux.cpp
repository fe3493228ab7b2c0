#include "platform/graphics.h"

#include <QDir>

namespace platform {

bool hasHardwareGraphics()
{
    return !QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System).isEmpty();
}

} // namespace platform
