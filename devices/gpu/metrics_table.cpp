#include "devices/gpu/metrics_table.h"

#include <cmath>

namespace {

const MetricInfo kUsage{"GPU_Usage", "GPU_usage_range", 0, 100, "Don't support GPU usage range"};
const MetricInfo kPower{"GPU_TotalBoardPower", "GPU_power_range", 0, 100, "Don't support GPU total board power range"};
const MetricInfo kFan{"GPU_FanSpeed", "GPU_fan_speed_range", 0, 2500, "Don't support GPU fan speed range"};
const MetricInfo kVram{"GPU_VRAMUsage", "GPU_VRAM_range", 0, 2000, "Don't support GPU VRAM range"};
const MetricInfo kClock{"GPU_ClockSpeed", "GPU_clock_speed_range", 0, 2000, "Don't support GPU clock speed range"};
const MetricInfo kVramClock{"GPU_VRAMClockSpeed", "GPU_VRAM_clock_speed", 0, 2000,
                            "Don't support GPU VRAM clock speed range"};
const MetricInfo kTemp{"GPU_Temperature", "GPU_temp_range", 0, 100, "Don't support GPU temperature range"};
const MetricInfo kHotspot{"GPU_HotspotTemperature", "GPU_hotspot_temp_range", 0, 100,
                          "Don't support GPU hotspot temperature range"};

} // namespace

const std::array<GpuMetric, 8>& metricOrder()
{
    static const std::array<GpuMetric, 8> kOrder = {
        GpuMetric::Usage,      GpuMetric::TotalBoardPower, GpuMetric::FanSpeed,    GpuMetric::VRAM,
        GpuMetric::ClockSpeed, GpuMetric::VRAMClockSpeed,  GpuMetric::Temperature, GpuMetric::HotspotTemperature,
    };
    return kOrder;
}

const MetricInfo& metricInfo(GpuMetric metric)
{
    switch (metric) {
    case GpuMetric::Usage: return kUsage;
    case GpuMetric::TotalBoardPower: return kPower;
    case GpuMetric::FanSpeed: return kFan;
    case GpuMetric::VRAM: return kVram;
    case GpuMetric::ClockSpeed: return kClock;
    case GpuMetric::VRAMClockSpeed: return kVramClock;
    case GpuMetric::Temperature: return kTemp;
    case GpuMetric::HotspotTemperature: return kHotspot;
    }
    return kUsage;
}

QString rangeText(int minValue, int maxValue)
{
    return QString::number(minValue) + QLatin1Char('_') + QString::number(maxValue);
}

bool metricValueText(double value, QString* text)
{
    // Beyond what a 64-bit integer holds the value is garbage, not a reading.
    if (!std::isfinite(value) || std::fabs(value) >= 9.0e18)
        return false;
    *text = QString::number(static_cast<long long>(std::trunc(value)));
    return true;
}
