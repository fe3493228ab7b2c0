#pragma once
#include "devices/gpu/adlx_interfaces.h"

// The library's root object (it lives as long as the process).
IADLXSystem* linuxSystem();
