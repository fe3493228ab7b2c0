#include "real/gpu/amdgpu_metrics.h"

#include "real/gpu/sysfs_files.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr double kMicro = 1e-6;
constexpr qint64 kMegabyte = 1024 * 1024;
constexpr qint64 kHotterThanAnyCard = 150000; // millidegrees

std::optional<double> scaled(const std::optional<qint64>& raw, double factor)
{
    if (!raw)
        return std::nullopt;
    return double(*raw) * factor;
}

} // namespace

std::optional<DpmTable> parseDpmTable(const QString& text)
{
    // "1: 1200Mhz *" (some kernels write "MHz"; a deep-sleep line reads "S: 19Mhz").
    static const QRegularExpression level(QStringLiteral("^\\s*\\w+:\\s*(\\d+)\\s*[Mm][Hh][Zz]\\s*(\\*)?\\s*$"));
    DpmTable table;
    bool any = false;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = level.match(line);
        if (!match.hasMatch())
            continue;
        const int mhz = match.captured(1).toInt();
        table.minMHz = any ? std::min(table.minMHz, mhz) : mhz;
        table.maxMHz = any ? std::max(table.maxMHz, mhz) : mhz;
        if (!match.captured(2).isEmpty())
            table.currentMHz = mhz;
        any = true;
    }
    if (!any)
        return std::nullopt;
    return table;
}

std::optional<int> usableCriticalTemperature(qint64 millidegrees)
{
    if (millidegrees <= 0 || millidegrees >= kHotterThanAnyCard)
        return std::nullopt;
    return int(millidegrees / 1000);
}

CardMetricSources::CardMetricSources(const AmdgpuCard& card) : m_card(card)
{
    // The sensors are told apart by their labels: their numbers differ between chips.
    if (!m_card.hwmonDir.isEmpty()) {
        const QStringList labels =
            QDir(m_card.hwmonDir).entryList({QStringLiteral("temp*_label")}, QDir::Files, QDir::Name);
        for (const QString& labelFile : labels) {
            const QString label = sysfs::readText(hwmon(labelFile)).value_or(QString()).trimmed();
            m_temperatureSensors.emplace(label, labelFile.left(labelFile.indexOf(QLatin1Char('_'))));
        }
    }
    m_edgeInput = temperatureFile(QStringLiteral("edge"), "_input");
    m_junctionInput = temperatureFile(QStringLiteral("junction"), "_input");
    m_powerInput = powerFile();
}

QString CardMetricSources::device(const char* name) const
{
    return m_card.deviceDir + QLatin1Char('/') + QLatin1String(name);
}

QString CardMetricSources::hwmon(const QString& name) const
{
    return m_card.hwmonDir.isEmpty() ? QString() : m_card.hwmonDir + QLatin1Char('/') + name;
}

QString CardMetricSources::temperatureFile(const QString& label, const char* suffix) const
{
    const auto sensor = m_temperatureSensors.find(label);
    if (sensor == m_temperatureSensors.end())
        return QString();
    const QString file = hwmon(sensor->second + QLatin1String(suffix));
    return sysfs::exists(file) ? file : QString();
}

QString CardMetricSources::powerFile() const
{
    for (const QString& name : {QStringLiteral("power1_average"), QStringLiteral("power1_input")}) {
        const QString file = hwmon(name);
        if (!file.isEmpty() && sysfs::exists(file))
            return file;
    }
    return QString();
}

bool CardMetricSources::supported(CardMetric metric) const
{
    switch (metric) {
    case CardMetric::Usage: return sysfs::exists(device("gpu_busy_percent"));
    case CardMetric::ClockSpeed:
        return (!m_card.hwmonDir.isEmpty() && sysfs::exists(hwmon(QStringLiteral("freq1_input"))))
            || sysfs::exists(device("pp_dpm_sclk"));
    case CardMetric::VRAMClockSpeed:
        return (!m_card.hwmonDir.isEmpty() && sysfs::exists(hwmon(QStringLiteral("freq2_input"))))
            || sysfs::exists(device("pp_dpm_mclk"));
    case CardMetric::Temperature: return !m_edgeInput.isEmpty();
    case CardMetric::HotspotTemperature: return !m_junctionInput.isEmpty();
    case CardMetric::TotalBoardPower: return !m_powerInput.isEmpty();
    case CardMetric::FanSpeed: return !m_card.hwmonDir.isEmpty() && sysfs::exists(hwmon(QStringLiteral("fan1_input")));
    case CardMetric::VRAM: return sysfs::exists(device("mem_info_vram_used"));
    }
    return false;
}

std::optional<double> CardMetricSources::clockValue(const char* hwmonFreq, const char* dpmTable) const
{
    const QString freq = hwmon(QLatin1String(hwmonFreq));
    if (!freq.isEmpty() && sysfs::exists(freq))
        return scaled(sysfs::readNumber(freq), kMicro);
    const auto text = sysfs::readText(device(dpmTable));
    const auto table = text ? parseDpmTable(*text) : std::nullopt;
    if (!table || !table->currentMHz)
        return std::nullopt;
    return double(*table->currentMHz);
}

std::optional<double> CardMetricSources::value(CardMetric metric) const
{
    switch (metric) {
    case CardMetric::Usage: return scaled(sysfs::readNumber(device("gpu_busy_percent")), 1);
    case CardMetric::ClockSpeed: return clockValue("freq1_input", "pp_dpm_sclk");
    case CardMetric::VRAMClockSpeed: return clockValue("freq2_input", "pp_dpm_mclk");
    case CardMetric::Temperature:
        return m_edgeInput.isEmpty() ? std::nullopt : scaled(sysfs::readNumber(m_edgeInput), 1e-3);
    case CardMetric::HotspotTemperature:
        return m_junctionInput.isEmpty() ? std::nullopt : scaled(sysfs::readNumber(m_junctionInput), 1e-3);
    case CardMetric::TotalBoardPower:
        return m_powerInput.isEmpty() ? std::nullopt : scaled(sysfs::readNumber(m_powerInput), kMicro);
    case CardMetric::FanSpeed:
        return m_card.hwmonDir.isEmpty() ? std::nullopt : scaled(sysfs::readNumber(hwmon(QStringLiteral("fan1_input"))), 1);
    case CardMetric::VRAM: return scaled(sysfs::readNumber(device("mem_info_vram_used")), 1.0 / kMegabyte);
    }
    return std::nullopt;
}

std::optional<MetricRange> CardMetricSources::clockRange(const char* dpmTable) const
{
    const auto text = sysfs::readText(device(dpmTable));
    const auto table = text ? parseDpmTable(*text) : std::nullopt;
    if (!table)
        return std::nullopt;
    return MetricRange{table->minMHz, table->maxMHz};
}

std::optional<MetricRange> CardMetricSources::temperatureRange(const QString& label) const
{
    const QString crit = temperatureFile(label, "_crit");
    const auto millidegrees = crit.isEmpty() ? std::nullopt : sysfs::readNumber(crit);
    const auto limit = millidegrees ? usableCriticalTemperature(*millidegrees) : std::nullopt;
    if (!limit)
        return std::nullopt;
    return MetricRange{0, *limit};
}

std::optional<MetricRange> CardMetricSources::range(CardMetric metric) const
{
    if (!supported(metric))
        return std::nullopt;
    switch (metric) {
    case CardMetric::Usage: return MetricRange{0, 100};
    case CardMetric::ClockSpeed: return clockRange("pp_dpm_sclk");
    case CardMetric::VRAMClockSpeed: return clockRange("pp_dpm_mclk");
    case CardMetric::Temperature: return temperatureRange(QStringLiteral("edge"));
    case CardMetric::HotspotTemperature: return temperatureRange(QStringLiteral("junction"));
    case CardMetric::TotalBoardPower: {
        const auto cap = sysfs::readNumber(hwmon(QStringLiteral("power1_cap_max")));
        if (!cap || *cap <= 0)
            return std::nullopt;
        return MetricRange{0, int(double(*cap) * kMicro)};
    }
    case CardMetric::FanSpeed: {
        const auto maxRpm = sysfs::readNumber(hwmon(QStringLiteral("fan1_max")));
        if (!maxRpm || *maxRpm <= 0)
            return std::nullopt;
        return MetricRange{int(sysfs::readNumber(hwmon(QStringLiteral("fan1_min"))).value_or(0)), int(*maxRpm)};
    }
    case CardMetric::VRAM:
        if (m_card.vramMB == 0)
            return std::nullopt;
        return MetricRange{0, int(m_card.vramMB)};
    }
    return std::nullopt;
}

bool runtimeSuspended(const AmdgpuCard& card)
{
    const auto status = sysfs::readText(card.deviceDir + QStringLiteral("/power/runtime_status"));
    return status.value_or(QString()).trimmed() == QLatin1String("suspended");
}
