#pragma once
// The stand-in's objects behind our ADLX interface declarations.
#include "devices/gpu/adlx_interfaces.h"

// The root object every successful initialise hands out.
IADLXSystem* simSystem();
