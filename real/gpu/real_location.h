#pragma once
// Where our Linux GPU library is (see devices/gpu/library/library_location.h).
#include <QString>

QString linuxAdlxLibraryPath();
// Its test build, whose I2C transfers go to recorded register files instead of i2c-dev.
QString linuxAdlxRecordingLibraryPath();
