#pragma once

namespace platform {

// True when the machine has a GPU the desktop can render with. Without one, OpenGL would be
// emulated on the CPU (llvmpipe), which costs far more memory than Qt Quick's own software
// renderer for the same picture.
bool hasHardwareGraphics();

} // namespace platform
