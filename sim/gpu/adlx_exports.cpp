// The six entry points of the stand-in library. Built twice: the second build leaves out
// ADLXInitializeWithCallerAdl (TALVORIN_ADLX_SIM_WITHOUT_CALLER_ADL), for a loader that must
// refuse a library lacking one of them.
#include "devices/gpu/adlx_interfaces.h"
#include "sim/gpu/sim_library.h"

#include <exception>

#define SIM_EXPORT extern "C" __attribute__((visibility("default")))

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

SIM_EXPORT ADLX_RESULT ADLXQueryFullVersion(adlx_uint64* fullVersion)
{
    return guarded([&] {
        SimLibrary::instance().logCall(QStringLiteral("ADLXQueryFullVersion code=0"));
        if (!fullVersion)
            return ADLX_FAIL;
        *fullVersion = kAdlxSdkVersion;
        return ADLX_OK;
    });
}

SIM_EXPORT ADLX_RESULT ADLXQueryVersion(const char** version)
{
    return guarded([&] {
        SimLibrary::instance().logCall(QStringLiteral("ADLXQueryVersion code=0"));
        if (!version)
            return ADLX_FAIL;
        *version = kVersionText;
        return ADLX_OK;
    });
}

#ifndef TALVORIN_ADLX_SIM_WITHOUT_CALLER_ADL
SIM_EXPORT ADLX_RESULT ADLXInitializeWithCallerAdl(adlx_uint64 version, IADLXSystem** system, IADLMapping** adlMapping,
                                                   adlx_handle adlContext, ADLX_ADL_Main_Memory_Free adlMainMemoryFree)
{
    return guarded([&] {
        if (!adlContext || !adlMainMemoryFree)
            return ADLX_FAIL;
        if (adlMapping)
            *adlMapping = nullptr;
        return SimLibrary::instance().initialize("ADLXInitializeWithCallerAdl", version, system);
    });
}
#endif

SIM_EXPORT ADLX_RESULT ADLXInitializeWithIncompatibleDriver(adlx_uint64 version, IADLXSystem** system)
{
    return guarded(
        [&] { return SimLibrary::instance().initialize("ADLXInitializeWithIncompatibleDriver", version, system); });
}

SIM_EXPORT ADLX_RESULT ADLXInitialize(adlx_uint64 version, IADLXSystem** system)
{
    return guarded([&] { return SimLibrary::instance().initialize("ADLXInitialize", version, system); });
}

SIM_EXPORT ADLX_RESULT ADLXTerminate()
{
    return guarded([&] { return SimLibrary::instance().terminate(); });
}
