#include "platform/user_id.h"

#include <unistd.h>

namespace platform {

unsigned currentUserId()
{
    return unsigned(::getuid());
}

} // namespace platform
