#pragma once
// The eight gauges of a card from amdgpu's files and its hardware monitor, read the way Linux
// GPU tools read them:
//   usage        device/gpu_busy_percent
//   temperature  hwmon temp*_input whose temp*_label is "edge"; hotspot: "junction"
//   board power  hwmon power1_average, or power1_input where only that exists (microwatts)
//   fan          hwmon fan1_input
//   GPU clock    hwmon freq1_input (Hz), else the starred line of device/pp_dpm_sclk
//   VRAM clock   hwmon freq2_input (Hz), else the starred line of device/pp_dpm_mclk
//   VRAM in use  device/mem_info_vram_used (bytes)
// and their scales: the pp_dpm tables for the clocks, power1_cap_max, temp*_crit (nonsense
// such as 150 degrees or more ignored), fan1_min/fan1_max, the VRAM total.
#include "devices/gpu/library/library_metrics.h"
#include "real/gpu/amdgpu_cards.h"

#include <QString>
#include <array>
#include <map>
#include <optional>

using CardMetric = LibraryMetric;
constexpr int kCardMetricCount = kLibraryMetricCount;

struct MetricRange {
    int min = 0;
    int max = 0;
};

struct DpmTable {
    int minMHz = 0;
    int maxMHz = 0;
    std::optional<int> currentMHz; // the starred level
};

// "0: 500Mhz\n1: 1200Mhz *\n2: 2500Mhz": nothing for text without a level.
std::optional<DpmTable> parseDpmTable(const QString& text);

// A temperature limit in millidegrees that a gauge can use: above 0 and below 150 degrees.
std::optional<int> usableCriticalTemperature(qint64 millidegrees);

// Where each metric of one card is read; found once per card (no values are read).
class CardMetricSources {
public:
    explicit CardMetricSources(const AmdgpuCard& card);

    // The card has the metric's file (or the table it falls back to).
    bool supported(CardMetric metric) const;
    // The gauge's scale; nothing when the card gives none (then the fixed scale applies).
    std::optional<MetricRange> range(CardMetric metric) const;
    // The current value in the gauge's unit; nothing when unsupported or unreadable.
    std::optional<double> value(CardMetric metric) const;

private:
    QString device(const char* name) const;
    QString hwmon(const QString& name) const;
    // The hwmon temperature file of the sensor named `label` ("temp2_input" for "junction").
    QString temperatureFile(const QString& label, const char* suffix) const;
    QString powerFile() const;
    std::optional<double> clockValue(const char* hwmonFreq, const char* dpmTable) const;
    std::optional<MetricRange> clockRange(const char* dpmTable) const;
    std::optional<MetricRange> temperatureRange(const QString& label) const;

    AmdgpuCard m_card;
    std::map<QString, QString> m_temperatureSensors; // label -> "tempN"
    QString m_edgeInput;
    QString m_junctionInput;
    QString m_powerInput;
};

// "suspended" in the card's power/runtime_status: reading its sensors would wake it.
bool runtimeSuspended(const AmdgpuCard& card);
