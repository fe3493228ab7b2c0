#include "platform/dynamic_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstring>
#include <dlfcn.h>

namespace platform {

namespace {

LibraryHandle openExact(const QString& path, QString* error)
{
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle && error)
        *error = QString::fromLocal8Bit(dlerror());
    return handle;
}

} // namespace

LibraryHandle loadLibrary(const QString& nameOrPath, QString* error)
{
    if (nameOrPath.isEmpty()) {
        if (error)
            *error = QStringLiteral("empty library name");
        return nullptr;
    }
    if (QFileInfo(nameOrPath).isAbsolute())
        return openExact(nameOrPath, error);
    // A bare name: first the application's own folder, then the loader's system paths.
    // A name with a slash would make dlopen look relative to the current folder: refuse it.
    if (nameOrPath.contains(QLatin1Char('/'))) {
        if (error)
            *error = QStringLiteral("relative library paths are not loaded: ") + nameOrPath;
        return nullptr;
    }
    if (QCoreApplication::instance()) {
        const QString local = QDir(QCoreApplication::applicationDirPath()).filePath(nameOrPath);
        if (QFileInfo::exists(local))
            return openExact(local, error);
    }
    return openExact(nameOrPath, error);
}

LibraryHandle loadSystemLibrary(const char* soname, QString* error)
{
    if (!soname || !*soname || std::strchr(soname, '/')) {
        if (error)
            *error = QStringLiteral("not a library name: ") + QString::fromLocal8Bit(soname ? soname : "");
        return nullptr;
    }
    return openExact(QString::fromLocal8Bit(soname), error);
}

void* findSymbol(LibraryHandle library, const char* name)
{
    if (!library || !name)
        return nullptr;
    return dlsym(library, name);
}

bool freeLibrary(LibraryHandle library)
{
    return library && dlclose(library) == 0;
}

QString libraryFileName(const QString& baseName)
{
    return QStringLiteral("lib") + baseName + QStringLiteral(".so");
}

} // namespace platform
