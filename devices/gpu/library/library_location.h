#pragma once
// Where one of our GPU libraries is: beside the executable, in the program's private library
// folder of an installed copy (`installSubdir`, relative to the executable's folder), or in the
// build tree (`buildDir`).
#include <QString>

QString locateGpuLibrary(const QString& fileName, const QString& installSubdir, const QString& buildDir);
