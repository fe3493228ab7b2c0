#include "util/library_loader.h"

#include <QDebug>

platform::LibraryHandle loadLibrarySafe(const QString& nameOrPath)
{
    QString error;
    platform::LibraryHandle handle = platform::loadLibrary(nameOrPath, &error);
    if (!handle)
        qDebug() << "Cannot load library" << nameOrPath << ":" << error;
    return handle;
}

void* getProcAddress(platform::LibraryHandle library, const char* name)
{
    return platform::findSymbol(library, name);
}

bool freeLibraryChecked(platform::LibraryHandle library)
{
    return platform::freeLibrary(library);
}
