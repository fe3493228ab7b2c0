// The six entry points of our ADLX libraries. Each library compiles this file with its own
// backend (adlxLibraryBackend()). Built with TALVORIN_ADLX_WITHOUT_CALLER_ADL it leaves out
// ADLXInitializeWithCallerAdl, for a loader that must refuse a library lacking one of them.
#include "devices/gpu/adlx_interfaces.h"
#include "devices/gpu/library/library_backend.h"

#include <exception>

#define ADLX_LIBRARY_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const char* const kVersionText = "1.3.0.85";

template <class Call>
ADLX_RESULT guarded(Call call)
{
    // Nothing may unwind into the caller's code.
    try {
        return call();
    } catch (const std::exception&) {
        return ADLX_FAIL;
    }
}

} // namespace

ADLX_LIBRARY_EXPORT ADLX_RESULT ADLXQueryFullVersion(adlx_uint64* fullVersion)
{
    return guarded([&] {
        adlxLibraryBackend().logCall(QStringLiteral("ADLXQueryFullVersion code=0"));
        if (!fullVersion)
            return ADLX_FAIL;
        *fullVersion = kAdlxSdkVersion;
        return ADLX_OK;
    });
}

ADLX_LIBRARY_EXPORT ADLX_RESULT ADLXQueryVersion(const char** version)
{
    return guarded([&] {
        adlxLibraryBackend().logCall(QStringLiteral("ADLXQueryVersion code=0"));
        if (!version)
            return ADLX_FAIL;
        *version = kVersionText;
        return ADLX_OK;
    });
}

#ifndef TALVORIN_ADLX_WITHOUT_CALLER_ADL
ADLX_LIBRARY_EXPORT ADLX_RESULT ADLXInitializeWithCallerAdl(adlx_uint64 version, IADLXSystem** system,
                                                            IADLMapping** adlMapping, adlx_handle adlContext,
                                                            ADLX_ADL_Main_Memory_Free adlMainMemoryFree)
{
    return guarded([&] {
        if (!adlContext || !adlMainMemoryFree)
            return ADLX_FAIL;
        if (adlMapping)
            *adlMapping = nullptr;
        return adlxLibraryBackend().initialize("ADLXInitializeWithCallerAdl", version, system);
    });
}
#endif

ADLX_LIBRARY_EXPORT ADLX_RESULT ADLXInitializeWithIncompatibleDriver(adlx_uint64 version, IADLXSystem** system)
{
    return guarded(
        [&] { return adlxLibraryBackend().initialize("ADLXInitializeWithIncompatibleDriver", version, system); });
}

ADLX_LIBRARY_EXPORT ADLX_RESULT ADLXInitialize(adlx_uint64 version, IADLXSystem** system)
{
    return guarded([&] { return adlxLibraryBackend().initialize("ADLXInitialize", version, system); });
}

ADLX_LIBRARY_EXPORT ADLX_RESULT ADLXTerminate()
{
    return guarded([&] { return adlxLibraryBackend().terminate(); });
}
