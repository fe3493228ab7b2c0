#pragma once
// Our declarations of the ADLX interfaces the GPU code uses: the value types, the result codes,
// the six library entry points and the interfaces, each with only the methods we call, in the
// library's published order. The library creates every object; the caller gives each pointer it
// received back with Release() when done. Objects are never deleted through these types.
#include <cstdint>

using adlx_int = int32_t;
using adlx_uint = uint32_t;
using adlx_uint64 = uint64_t;
using adlx_double = double;
using adlx_bool = bool;
using adlx_byte = uint8_t;
using adlx_long = long;
using adlx_handle = void*;

// Result codes. Anything above ADLX_ALREADY_INITIALIZED is a failure; the library may return
// codes that have no name here.
enum ADLX_RESULT : int {
    ADLX_OK = 0,
    ADLX_ALREADY_ENABLED = 1,
    ADLX_ALREADY_INITIALIZED = 2,
    ADLX_FAIL = 3,
    ADLX_ADL_INIT_ERROR = 8,
    ADLX_NOT_FOUND = 9,
    ADLX_NOT_SUPPORTED = 12,
};

inline bool adlxSucceeded(ADLX_RESULT code)
{
    return code >= ADLX_OK && code <= ADLX_ALREADY_INITIALIZED;
}

// The SDK version every initialise passes: major 1, minor 3, release 0, build 85, one 16-bit
// field each from the top.
constexpr adlx_uint64 kAdlxSdkVersion = 0x0001000300000055ULL;

// ASIC families whose driver keeps its version under the workstation value names.
enum ADLX_ASIC_FAMILY_TYPE : int {
    ASIC_FIREPRO = 2,
    ASIC_FIREMV = 3,
    ASIC_FIRESTREAM = 4,
};

class IADLXInterface {
public:
    virtual adlx_long Acquire() = 0;
    virtual adlx_long Release() = 0;

protected:
    ~IADLXInterface() = default;
};

class IADLXGPU : public IADLXInterface {
public:
    virtual ADLX_RESULT VendorId(const char** vendorId) const = 0;
    virtual ADLX_RESULT ASICFamilyType(ADLX_ASIC_FAMILY_TYPE* family) const = 0;
    virtual ADLX_RESULT Name(const char** name) const = 0;
    virtual ADLX_RESULT DriverPath(const char** driverPath) const = 0;
    virtual ADLX_RESULT TotalVRAM(adlx_uint* vramMB) const = 0;
    virtual ADLX_RESULT VRAMType(const char** type) const = 0;
    virtual ADLX_RESULT DeviceId(const char** deviceId) const = 0;
    virtual ADLX_RESULT RevisionId(const char** revisionId) const = 0;
    virtual ADLX_RESULT SubSystemId(const char** subSystemId) const = 0;
    virtual ADLX_RESULT SubSystemVendorId(const char** subSystemVendorId) const = 0;

protected:
    ~IADLXGPU() = default;
};

class IADLXGPUList : public IADLXInterface {
public:
    virtual adlx_uint Size() const = 0;
    virtual adlx_bool Empty() const = 0;
    virtual ADLX_RESULT At(adlx_uint location, IADLXGPU** gpu) = 0;

protected:
    ~IADLXGPUList() = default;
};

// Transfers on one of the card's I2C lines; `address` is the device address as the library
// takes it, `offset` the register.
class IADLXI2C : public IADLXInterface {
public:
    virtual ADLX_RESULT Read(adlx_int line, adlx_int speed, adlx_int address, adlx_int offset,
                             adlx_int dataSize, adlx_byte* data) = 0;
    virtual ADLX_RESULT Write(adlx_int line, adlx_int speed, adlx_int address, adlx_int offset,
                              adlx_int dataSize, const adlx_byte* data) = 0;

protected:
    ~IADLXI2C() = default;
};

class IADLXGPUMetrics : public IADLXInterface {
public:
    virtual ADLX_RESULT GPUUsage(adlx_double* percent) = 0;
    virtual ADLX_RESULT GPUClockSpeed(adlx_int* mhz) = 0;
    virtual ADLX_RESULT GPUVRAMClockSpeed(adlx_int* mhz) = 0;
    virtual ADLX_RESULT GPUTemperature(adlx_double* celsius) = 0;
    virtual ADLX_RESULT GPUHotspotTemperature(adlx_double* celsius) = 0;
    virtual ADLX_RESULT GPUTotalBoardPower(adlx_double* watts) = 0;
    virtual ADLX_RESULT GPUFanSpeed(adlx_int* rpm) = 0;
    virtual ADLX_RESULT GPUVRAM(adlx_int* megabytes) = 0;

protected:
    ~IADLXGPUMetrics() = default;
};

// Which GPU metrics a card reports, and the scale of each.
class IADLXGPUMetricsSupport : public IADLXInterface {
public:
    virtual ADLX_RESULT IsSupportedGPUUsage(adlx_bool* supported) = 0;
    virtual ADLX_RESULT IsSupportedGPUClockSpeed(adlx_bool* supported) = 0;
    virtual ADLX_RESULT IsSupportedGPUVRAMClockSpeed(adlx_bool* supported) = 0;
    virtual ADLX_RESULT IsSupportedGPUTemperature(adlx_bool* supported) = 0;
    virtual ADLX_RESULT IsSupportedGPUHotspotTemperature(adlx_bool* supported) = 0;
    virtual ADLX_RESULT IsSupportedGPUTotalBoardPower(adlx_bool* supported) = 0;
    virtual ADLX_RESULT IsSupportedGPUFanSpeed(adlx_bool* supported) = 0;
    virtual ADLX_RESULT IsSupportedGPUVRAM(adlx_bool* supported) = 0;
    virtual ADLX_RESULT GetGPUUsageRange(adlx_int* minValue, adlx_int* maxValue) = 0;
    virtual ADLX_RESULT GetGPUClockSpeedRange(adlx_int* minValue, adlx_int* maxValue) = 0;
    virtual ADLX_RESULT GetGPUVRAMClockSpeedRange(adlx_int* minValue, adlx_int* maxValue) = 0;
    virtual ADLX_RESULT GetGPUTemperatureRange(adlx_int* minValue, adlx_int* maxValue) = 0;
    virtual ADLX_RESULT GetGPUHotspotTemperatureRange(adlx_int* minValue, adlx_int* maxValue) = 0;
    virtual ADLX_RESULT GetGPUTotalBoardPowerRange(adlx_int* minValue, adlx_int* maxValue) = 0;
    virtual ADLX_RESULT GetGPUFanSpeedRange(adlx_int* minValue, adlx_int* maxValue) = 0;
    virtual ADLX_RESULT GetGPUVRAMRange(adlx_int* minValue, adlx_int* maxValue) = 0;

protected:
    ~IADLXGPUMetricsSupport() = default;
};

// System-wide metrics support: obtained (the library expects it) but never consulted.
class IADLXSystemMetricsSupport : public IADLXInterface {
protected:
    ~IADLXSystemMetricsSupport() = default;
};

class IADLXAllMetrics : public IADLXInterface {
public:
    virtual ADLX_RESULT GetGPUMetrics(IADLXGPU* gpu, IADLXGPUMetrics** metrics) = 0;

protected:
    ~IADLXAllMetrics() = default;
};

class IADLXPerformanceMonitoringServices : public IADLXInterface {
public:
    virtual ADLX_RESULT ClearPerformanceMetricsHistory() = 0;
    virtual ADLX_RESULT StopPerformanceMetricsTracking() = 0;
    virtual ADLX_RESULT GetCurrentAllMetrics(IADLXAllMetrics** metrics) = 0;
    virtual ADLX_RESULT GetSupportedGPUMetrics(IADLXGPU* gpu, IADLXGPUMetricsSupport** support) = 0;
    virtual ADLX_RESULT GetSupportedSystemMetrics(IADLXSystemMetricsSupport** support) = 0;

protected:
    ~IADLXPerformanceMonitoringServices() = default;
};

// The library's root object. It belongs to the library: never released by the caller.
class IADLXSystem {
public:
    virtual ADLX_RESULT GetGPUs(IADLXGPUList** gpus) = 0;
    virtual ADLX_RESULT GetPerformanceMonitoringServices(IADLXPerformanceMonitoringServices** services) = 0;
    virtual ADLX_RESULT GetI2C(IADLXGPU* gpu, IADLXI2C** i2c) = 0;

protected:
    ~IADLXSystem() = default;
};

// Handed over by a caller that already runs ADL itself (never by this program).
class IADLMapping;
using ADLX_ADL_Main_Memory_Free = void (*)(void** buffer);

// The six exports, in the order they are looked up.
extern "C" {
using ADLXQueryFullVersion_Fn = ADLX_RESULT (*)(adlx_uint64* fullVersion);
using ADLXQueryVersion_Fn = ADLX_RESULT (*)(const char** version);
using ADLXInitializeWithCallerAdl_Fn = ADLX_RESULT (*)(adlx_uint64 version, IADLXSystem** system,
                                                       IADLMapping** adlMapping, adlx_handle adlContext,
                                                       ADLX_ADL_Main_Memory_Free adlMainMemoryFree);
using ADLXInitializeWithIncompatibleDriver_Fn = ADLX_RESULT (*)(adlx_uint64 version, IADLXSystem** system);
using ADLXInitialize_Fn = ADLX_RESULT (*)(adlx_uint64 version, IADLXSystem** system);
using ADLXTerminate_Fn = ADLX_RESULT (*)();
}

namespace adlx_export {
constexpr const char* kQueryFullVersion = "ADLXQueryFullVersion";
constexpr const char* kQueryVersion = "ADLXQueryVersion";
constexpr const char* kInitializeWithCallerAdl = "ADLXInitializeWithCallerAdl";
constexpr const char* kInitializeWithIncompatibleDriver = "ADLXInitializeWithIncompatibleDriver";
constexpr const char* kInitialize = "ADLXInitialize";
constexpr const char* kTerminate = "ADLXTerminate";
} // namespace adlx_export
