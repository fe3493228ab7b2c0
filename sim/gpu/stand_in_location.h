#pragma once
// Where the stand-in ADLX library of the virtual devices is: beside the executable, in the
// program's private library folder of an installed copy, or in the build tree.
#include <QString>

QString standInAdlxLibraryPath();
// A build of it that lacks one entry point, for the loader's refusal path.
QString standInAdlxLibraryWithoutExportPath();
