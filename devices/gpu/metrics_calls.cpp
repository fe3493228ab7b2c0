#include "devices/gpu/metrics_calls.h"

namespace {

ADLX_RESULT readInt(IADLXGPUMetrics* metrics, ADLX_RESULT (IADLXGPUMetrics::*call)(adlx_int*), double* value)
{
    adlx_int reading = 0;
    const ADLX_RESULT code = (metrics->*call)(&reading);
    *value = reading;
    return code;
}

ADLX_RESULT readDouble(IADLXGPUMetrics* metrics, ADLX_RESULT (IADLXGPUMetrics::*call)(adlx_double*), double* value)
{
    adlx_double reading = 0;
    const ADLX_RESULT code = (metrics->*call)(&reading);
    *value = reading;
    return code;
}

} // namespace

ADLX_RESULT metricSupported(IADLXGPUMetricsSupport* support, GpuMetric metric, adlx_bool* supported)
{
    switch (metric) {
    case GpuMetric::Usage: return support->IsSupportedGPUUsage(supported);
    case GpuMetric::TotalBoardPower: return support->IsSupportedGPUTotalBoardPower(supported);
    case GpuMetric::FanSpeed: return support->IsSupportedGPUFanSpeed(supported);
    case GpuMetric::VRAM: return support->IsSupportedGPUVRAM(supported);
    case GpuMetric::ClockSpeed: return support->IsSupportedGPUClockSpeed(supported);
    case GpuMetric::VRAMClockSpeed: return support->IsSupportedGPUVRAMClockSpeed(supported);
    case GpuMetric::Temperature: return support->IsSupportedGPUTemperature(supported);
    case GpuMetric::HotspotTemperature: return support->IsSupportedGPUHotspotTemperature(supported);
    }
    return ADLX_FAIL;
}

ADLX_RESULT metricRange(IADLXGPUMetricsSupport* support, GpuMetric metric, adlx_int* minValue, adlx_int* maxValue)
{
    switch (metric) {
    case GpuMetric::Usage: return support->GetGPUUsageRange(minValue, maxValue);
    case GpuMetric::TotalBoardPower: return support->GetGPUTotalBoardPowerRange(minValue, maxValue);
    case GpuMetric::FanSpeed: return support->GetGPUFanSpeedRange(minValue, maxValue);
    case GpuMetric::VRAM: return support->GetGPUVRAMRange(minValue, maxValue);
    case GpuMetric::ClockSpeed: return support->GetGPUClockSpeedRange(minValue, maxValue);
    case GpuMetric::VRAMClockSpeed: return support->GetGPUVRAMClockSpeedRange(minValue, maxValue);
    case GpuMetric::Temperature: return support->GetGPUTemperatureRange(minValue, maxValue);
    case GpuMetric::HotspotTemperature: return support->GetGPUHotspotTemperatureRange(minValue, maxValue);
    }
    return ADLX_FAIL;
}

ADLX_RESULT metricValue(IADLXGPUMetrics* metrics, GpuMetric metric, double* value)
{
    switch (metric) {
    case GpuMetric::Usage: return readDouble(metrics, &IADLXGPUMetrics::GPUUsage, value);
    case GpuMetric::TotalBoardPower: return readDouble(metrics, &IADLXGPUMetrics::GPUTotalBoardPower, value);
    case GpuMetric::FanSpeed: return readInt(metrics, &IADLXGPUMetrics::GPUFanSpeed, value);
    case GpuMetric::VRAM: return readInt(metrics, &IADLXGPUMetrics::GPUVRAM, value);
    case GpuMetric::ClockSpeed: return readInt(metrics, &IADLXGPUMetrics::GPUClockSpeed, value);
    case GpuMetric::VRAMClockSpeed: return readInt(metrics, &IADLXGPUMetrics::GPUVRAMClockSpeed, value);
    case GpuMetric::Temperature: return readDouble(metrics, &IADLXGPUMetrics::GPUTemperature, value);
    case GpuMetric::HotspotTemperature: return readDouble(metrics, &IADLXGPUMetrics::GPUHotspotTemperature, value);
    }
    return ADLX_FAIL;
}
