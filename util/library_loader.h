#pragma once
// Loading vendor libraries from safe places only (see platform::loadLibrary).
#include "platform/dynamic_library.h"

platform::LibraryHandle loadLibrarySafe(const QString& nameOrPath);
void* getProcAddress(platform::LibraryHandle library, const char* name);
bool freeLibraryChecked(platform::LibraryHandle library);
