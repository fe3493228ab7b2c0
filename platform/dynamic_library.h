#pragma once
// Run-time loading of shared libraries.
#include <QString>

namespace platform {

using LibraryHandle = void*;

// Loads the library at an absolute path, or by file name from the application's folder
// and then the system library paths only (never the current folder or PATH-like variables).
LibraryHandle loadLibrary(const QString& nameOrPath, QString* error = nullptr);
// Loads a system library by its soname ("libcurl.so.4") from the loader's system paths,
// as a library linked to the program would be found.
LibraryHandle loadSystemLibrary(const char* soname, QString* error = nullptr);
void* findSymbol(LibraryHandle library, const char* name);
bool freeLibrary(LibraryHandle library);

// The platform's file name for a library base name ("amdadlx64" -> "libamdadlx64.so").
QString libraryFileName(const QString& baseName);

} // namespace platform
