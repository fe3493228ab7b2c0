#include "app/pages/headset_equalizer.h"

#include "app/pages/local_file.h"
#include "devices/headset/equalizer_response.h"
#include "devices/headset/headset_settings.h"
#include "devices/headset/preset_file.h"

namespace {

constexpr double kLowestShown = 20;
constexpr double kHighestShown = 20000;

} // namespace

QVariantList HeadsetEqualizer::responseCurve(const QVariantList& gains, bool dialogue, bool bass, int count) const
{
    headset::EqualizerShape shape;
    for (int band = 0; band < headset::kEqualizerBands && band < gains.size(); ++band)
        shape.gainsDb[size_t(band)] = gains.at(band).toDouble();
    shape.dialogue = dialogue;
    shape.bass = bass;
    QVariantList points;
    for (const headset::ResponsePoint& point : headset::responseCurve(shape, kLowestShown, kHighestShown, count))
        points.append(QVariantMap{{QStringLiteral("frequency"), point.frequency}, {QStringLiteral("gain"), point.gainDb}});
    return points;
}

QVariantList HeadsetEqualizer::bandFrequencies() const
{
    QVariantList list;
    for (double frequency : headset::kBandFrequencies)
        list.append(frequency);
    return list;
}

QString HeadsetEqualizer::exportPreset(const QUrl& file, const QVariantMap& preset) const
{
    const QString path = localPathOf(file);
    if (path.isEmpty())
        return QStringLiteral("Choose a file on this computer.");
    return headset::writePresetFile(path, soundValuesFromRecord(preset));
}

QVariantMap HeadsetEqualizer::importPreset(const QUrl& file) const
{
    const QString path = localPathOf(file);
    if (path.isEmpty())
        return {{QStringLiteral("error"), QStringLiteral("Choose a file on this computer.")}};
    const headset::PresetRead read = headset::readPresetFile(path);
    if (!read.ok)
        return {{QStringLiteral("error"), read.reason}};
    QVariantMap preset{{QStringLiteral("ModeName"), read.preset.modeName}};
    putSoundValues(preset, read.preset);
    return preset;
}
