#pragma once
// The library side of the ADLX seam, shared by our two libraries (the stand-in of sim/gpu and
// the Linux one of real/gpu): the six exported entry points (library_exports.cpp) talk to the
// one backend each library defines, and every object a library hands out counts its own
// references (library_object.h).
#include "devices/gpu/adlx_interfaces.h"

#include <QString>

class AdlxLibraryBackend {
public:
    // `entry` names the export that was called, for the library's own call log.
    virtual ADLX_RESULT initialize(const char* entry, adlx_uint64 version, IADLXSystem** system) = 0;
    virtual ADLX_RESULT terminate() = 0;
    // One line per entry-point call, where the library keeps such a log; else nothing.
    virtual void logCall(const QString& line) = 0;

protected:
    ~AdlxLibraryBackend() = default;
};

// Defined once in each library.
AdlxLibraryBackend& adlxLibraryBackend();
