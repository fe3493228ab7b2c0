#pragma once
// A custom equaliser preset as a small JSON file that users trade:
//   { "talvorinHeadsetPreset": 1, "ModeName": "Night", "dialogEnhance": 1, "bassControl": -1,
//     "GEQ_Band0": 3, ..., "GEQ_Band9": -2 }
// The keys are those of a custom slot's record in the settings file; the first key says what
// the file is and which format it follows. Reading refuses anything else, with the reason.
#include "devices/headset/headset_settings.h"

#include <QByteArray>
#include <QString>

namespace headset {

inline const QString kPresetFormatKey = QStringLiteral("talvorinHeadsetPreset");
constexpr int kPresetFormat = 1;
// Larger files are not read at all.
constexpr qint64 kPresetMaxBytes = 64 * 1024;
constexpr int kPresetNameMax = 16;
constexpr int kBandGainMin = -10;
constexpr int kBandGainMax = 10;

struct PresetRead {
    bool ok = false;
    SoundValues preset;
    QString reason; // why the file was refused
};

QByteArray presetJson(const SoundValues& preset);
PresetRead parsePreset(const QByteArray& bytes);

// The file on disk: written whole and atomically; read only when it is small enough.
// Both answer an empty text when they worked, else the reason.
QString writePresetFile(const QString& path, const SoundValues& preset);
PresetRead readPresetFile(const QString& path);

} // namespace headset
