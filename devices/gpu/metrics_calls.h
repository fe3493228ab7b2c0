#pragma once
// The library's per-metric calls, chosen by metric.
#include "devices/gpu/adlx_interfaces.h"
#include "devices/gpu/metrics_table.h"

ADLX_RESULT metricSupported(IADLXGPUMetricsSupport* support, GpuMetric metric, adlx_bool* supported);
ADLX_RESULT metricRange(IADLXGPUMetricsSupport* support, GpuMetric metric, adlx_int* minValue, adlx_int* maxValue);
// Integer metrics are widened to double; the caller keeps the integer part either way.
ADLX_RESULT metricValue(IADLXGPUMetrics* metrics, GpuMetric metric, double* value);
