#pragma once
// The eight GPU metrics the page shows: their answer keys, the scale used when the card does
// not report one, and how values and scales are written as text.
#include <QString>
#include <array>

enum class GpuMetric { Usage, TotalBoardPower, FanSpeed, VRAM, ClockSpeed, VRAMClockSpeed, Temperature, HotspotTemperature };

struct MetricInfo {
    const char* valueKey;
    const char* rangeKey;
    int fixedMin;
    int fixedMax;
    const char* unsupportedRangeWarning;
};

// The order in which ranges and values are read and logged.
const std::array<GpuMetric, 8>& metricOrder();
const MetricInfo& metricInfo(GpuMetric metric);

// "min_max", both decimal integers.
QString rangeText(int minValue, int maxValue);
// The integer part of a value (toward zero) as decimal text; false for NaN, infinity or
// a value no 64-bit integer holds.
bool metricValueText(double value, QString* text);
