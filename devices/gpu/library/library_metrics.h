#pragma once
// The metric interfaces of our ADLX libraries, answered per metric: each library says once how
// it tells whether a metric is supported, its range and its value, and these bases route the
// interfaces' sixteen and eight methods to that.
#include "devices/gpu/library/library_object.h"

enum class LibraryMetric { Usage, ClockSpeed, VRAMClockSpeed, Temperature, HotspotTemperature, TotalBoardPower, FanSpeed, VRAM };
constexpr int kLibraryMetricCount = 8;

class LibraryMetricsSupport : public LibraryObject<IADLXGPUMetricsSupport> {
public:
    ADLX_RESULT IsSupportedGPUUsage(adlx_bool* s) override { return supported(LibraryMetric::Usage, s); }
    ADLX_RESULT IsSupportedGPUClockSpeed(adlx_bool* s) override { return supported(LibraryMetric::ClockSpeed, s); }
    ADLX_RESULT IsSupportedGPUVRAMClockSpeed(adlx_bool* s) override { return supported(LibraryMetric::VRAMClockSpeed, s); }
    ADLX_RESULT IsSupportedGPUTemperature(adlx_bool* s) override { return supported(LibraryMetric::Temperature, s); }
    ADLX_RESULT IsSupportedGPUHotspotTemperature(adlx_bool* s) override
    {
        return supported(LibraryMetric::HotspotTemperature, s);
    }
    ADLX_RESULT IsSupportedGPUTotalBoardPower(adlx_bool* s) override { return supported(LibraryMetric::TotalBoardPower, s); }
    ADLX_RESULT IsSupportedGPUFanSpeed(adlx_bool* s) override { return supported(LibraryMetric::FanSpeed, s); }
    ADLX_RESULT IsSupportedGPUVRAM(adlx_bool* s) override { return supported(LibraryMetric::VRAM, s); }
    ADLX_RESULT GetGPUUsageRange(adlx_int* lo, adlx_int* hi) override { return range(LibraryMetric::Usage, lo, hi); }
    ADLX_RESULT GetGPUClockSpeedRange(adlx_int* lo, adlx_int* hi) override { return range(LibraryMetric::ClockSpeed, lo, hi); }
    ADLX_RESULT GetGPUVRAMClockSpeedRange(adlx_int* lo, adlx_int* hi) override
    {
        return range(LibraryMetric::VRAMClockSpeed, lo, hi);
    }
    ADLX_RESULT GetGPUTemperatureRange(adlx_int* lo, adlx_int* hi) override { return range(LibraryMetric::Temperature, lo, hi); }
    ADLX_RESULT GetGPUHotspotTemperatureRange(adlx_int* lo, adlx_int* hi) override
    {
        return range(LibraryMetric::HotspotTemperature, lo, hi);
    }
    ADLX_RESULT GetGPUTotalBoardPowerRange(adlx_int* lo, adlx_int* hi) override
    {
        return range(LibraryMetric::TotalBoardPower, lo, hi);
    }
    ADLX_RESULT GetGPUFanSpeedRange(adlx_int* lo, adlx_int* hi) override { return range(LibraryMetric::FanSpeed, lo, hi); }
    ADLX_RESULT GetGPUVRAMRange(adlx_int* lo, adlx_int* hi) override { return range(LibraryMetric::VRAM, lo, hi); }

protected:
    virtual ADLX_RESULT supported(LibraryMetric metric, adlx_bool* out) = 0;
    virtual ADLX_RESULT range(LibraryMetric metric, adlx_int* lo, adlx_int* hi) = 0;
};

class LibraryGpuMetrics : public LibraryObject<IADLXGPUMetrics> {
public:
    ADLX_RESULT GPUUsage(adlx_double* v) override { return valueAs(LibraryMetric::Usage, v); }
    ADLX_RESULT GPUClockSpeed(adlx_int* v) override { return valueAs(LibraryMetric::ClockSpeed, v); }
    ADLX_RESULT GPUVRAMClockSpeed(adlx_int* v) override { return valueAs(LibraryMetric::VRAMClockSpeed, v); }
    ADLX_RESULT GPUTemperature(adlx_double* v) override { return valueAs(LibraryMetric::Temperature, v); }
    ADLX_RESULT GPUHotspotTemperature(adlx_double* v) override { return valueAs(LibraryMetric::HotspotTemperature, v); }
    ADLX_RESULT GPUTotalBoardPower(adlx_double* v) override { return valueAs(LibraryMetric::TotalBoardPower, v); }
    ADLX_RESULT GPUFanSpeed(adlx_int* v) override { return valueAs(LibraryMetric::FanSpeed, v); }
    ADLX_RESULT GPUVRAM(adlx_int* v) override { return valueAs(LibraryMetric::VRAM, v); }

protected:
    virtual ADLX_RESULT value(LibraryMetric metric, double* out) = 0;

private:
    // The interface hands out doubles for some metrics and integers (truncated) for others.
    template <typename T>
    ADLX_RESULT valueAs(LibraryMetric metric, T* out)
    {
        if (!out)
            return ADLX_FAIL;
        double v = 0;
        const ADLX_RESULT result = value(metric, &v);
        if (result == ADLX_OK)
            *out = T(v);
        return result;
    }
};
