#include "real/headset/filter_graph.h"

#include <algorithm>

namespace {

// The page's sliders run from -10 to 10 dB; the configuration may hold a little more.
constexpr float kMaxBandGain = 15.0f;
// Bass and dialogue levels run 0 to 100; at 100 the shelf or the peak adds this much.
constexpr float kMaxBassGain = 10.0f;
constexpr float kMaxDialogueGain = 8.0f;
constexpr float kBandQ = 1.41f; // one octave wide
constexpr float kBassFrequency = 100.0f;
constexpr float kBassQ = 0.707f;
constexpr float kDialogueFrequency = 2500.0f;
constexpr float kDialogueQ = 1.0f;

int controlOf(const DtsMode& mode, const QString& name, int fallback)
{
    return mode.value(QStringLiteral("SFX:") + name).value_or(fallback);
}

float levelGain(const DtsMode& mode, const QString& enable, const QString& level, float maxGain)
{
    if (controlOf(mode, enable, 0) == 0)
        return 0.0f;
    const int percent = std::clamp(controlOf(mode, level, 0), 0, 100);
    return maxGain * static_cast<float>(percent) / 100.0f;
}

QString bandNode(int band)
{
    return QStringLiteral("eq_band_%1").arg(band);
}

// One builtin biquad of the graph.
QString biquad(const QString& name, const char* label, float frequency, float q, float gain)
{
    return QStringLiteral("{ type = builtin name = %1 label = %2 control = { \"Freq\" = %3 \"Q\" = %4 \"Gain\" = %5 } }")
        .arg(name, QLatin1String(label))
        .arg(frequency)
        .arg(q)
        .arg(gain);
}

QString link(const QString& from, const QString& to)
{
    return QStringLiteral("{ output = \"%1:Out\" input = \"%2:In\" }").arg(from, to);
}

// SPA-JSON string: quotes and backslashes escaped.
QString quoted(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

const std::array<float, kEqualiserBands>& equaliserFrequencies()
{
    static const std::array<float, kEqualiserBands> frequencies{31.25f, 62.5f, 125.0f, 250.0f, 500.0f,
                                                                1000.0f, 2000.0f, 4000.0f, 8000.0f, 16000.0f};
    return frequencies;
}

FilterGains filterGainsForMode(const DtsMode& mode)
{
    FilterGains gains;
    if (!mode.processing)
        return gains;
    if (controlOf(mode, QStringLiteral("Eagle-GEQ Enable"), 0) != 0) {
        for (int band = 0; band < kEqualiserBands; ++band) {
            const int gain = controlOf(mode, QStringLiteral("Eagle-GEQ Band%1 Gain").arg(band), 0);
            gains.bands[band] = std::clamp(static_cast<float>(gain), -kMaxBandGain, kMaxBandGain);
        }
    }
    gains.bass = levelGain(mode, QStringLiteral("Eagle-TBHDX Enable"), QStringLiteral("Eagle-TBHDX Bass Level"),
                           kMaxBassGain);
    gains.dialogue =
        levelGain(mode, QStringLiteral("Eagle-DE Enable"), QStringLiteral("Eagle-DE Level"), kMaxDialogueGain);
    return gains;
}

QList<QPair<QString, float>> filterControls(const FilterGains& gains)
{
    QList<QPair<QString, float>> controls;
    for (int band = 0; band < kEqualiserBands; ++band)
        controls.append({bandNode(band) + QStringLiteral(":Gain"), gains.bands[band]});
    controls.append({QStringLiteral("bass:Gain"), gains.bass});
    controls.append({QStringLiteral("dialogue:Gain"), gains.dialogue});
    return controls;
}

QString filterSinkName()
{
    return QStringLiteral("talvorin_headset_dts");
}

QString filterOutputName()
{
    return QStringLiteral("talvorin_headset_dts.output");
}

QString filterChainArguments(const FilterGains& gains, const QString& headsetNodeName, const QString& description)
{
    QStringList nodes;
    QStringList links;
    QString previous;
    for (int band = 0; band < kEqualiserBands; ++band) {
        nodes << biquad(bandNode(band), "bq_peaking", equaliserFrequencies()[band], kBandQ, gains.bands[band]);
        if (!previous.isEmpty())
            links << link(previous, bandNode(band));
        previous = bandNode(band);
    }
    nodes << biquad(QStringLiteral("bass"), "bq_lowshelf", kBassFrequency, kBassQ, gains.bass);
    links << link(previous, QStringLiteral("bass"));
    nodes << biquad(QStringLiteral("dialogue"), "bq_peaking", kDialogueFrequency, kDialogueQ, gains.dialogue);
    links << link(QStringLiteral("bass"), QStringLiteral("dialogue"));

    // The graph is mono; the module runs one copy per channel. The output follows only the
    // headset: when the headset goes, the filter is unloaded rather than moved elsewhere.
    return QStringLiteral("{ node.description = %1 media.name = %1 "
                          "filter.graph = { nodes = [ %2 ] links = [ %3 ] } "
                          "audio.channels = 2 audio.position = [ FL FR ] "
                          "capture.props = { node.name = %4 media.class = Audio/Sink } "
                          "playback.props = { node.name = %5 node.passive = true node.dont-reconnect = true "
                          "target.object = %6 } }")
        .arg(quoted(description), nodes.join(QLatin1Char(' ')), links.join(QLatin1Char(' ')), quoted(filterSinkName()),
             quoted(filterOutputName()), quoted(headsetNodeName));
}
