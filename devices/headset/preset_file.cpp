#include "devices/headset/preset_file.h"

#include "util/files.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace headset {

namespace {

const QString kNameKey = QStringLiteral("ModeName");

PresetRead refused(const QString& reason)
{
    qWarning() << "[HeadsetPreset] refused:" << reason;
    PresetRead read;
    read.reason = reason;
    return read;
}

// A JSON number that is a whole number, as an int.
bool wholeNumber(const QJsonValue& value, int* out)
{
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    if (std::floor(number) != number || std::fabs(number) > 1e6)
        return false;
    *out = int(number);
    return true;
}

QString checkFormat(const QJsonObject& object)
{
    if (!object.contains(kPresetFormatKey))
        return QStringLiteral("The file is not a Talvorin headset preset.");
    int format = 0;
    if (!wholeNumber(object.value(kPresetFormatKey), &format) || format < 1)
        return QStringLiteral("The preset's format is not one Talvorin knows.");
    if (format > kPresetFormat)
        return QStringLiteral("The preset was saved by a newer Talvorin (format %1; this one reads format %2).")
            .arg(format)
            .arg(kPresetFormat);
    return QString();
}

QString readName(const QJsonObject& object, QString* name)
{
    const QJsonValue value = object.value(kNameKey);
    if (!value.isString() || value.toString().trimmed().isEmpty())
        return QStringLiteral("The preset has no name.");
    *name = value.toString().trimmed();
    if (name->size() > kPresetNameMax)
        return QStringLiteral("The preset's name is longer than %1 characters.").arg(kPresetNameMax);
    return QString();
}

QString readSwitch(const QJsonObject& object, const QString& key, int* value)
{
    if (!wholeNumber(object.value(key), value) || *value < -1 || *value > 1)
        return QStringLiteral("%1 must be 1 (on) or -1 (off).").arg(key);
    return QString();
}

QString readBands(const QJsonObject& object, std::array<int, 10>* bands)
{
    for (int band = 0; band < int(bands->size()); ++band) {
        const QString key = bandKey(band);
        if (!object.contains(key))
            return QStringLiteral("%1 is missing.").arg(key);
        int gain = 0;
        if (!wholeNumber(object.value(key), &gain))
            return QStringLiteral("%1 is not a whole number of dB.").arg(key);
        if (gain < kBandGainMin || gain > kBandGainMax)
            return QStringLiteral("%1 is %2 dB; the equaliser takes %3 to %4 dB.")
                .arg(key)
                .arg(gain)
                .arg(kBandGainMin)
                .arg(kBandGainMax);
        (*bands)[size_t(band)] = gain;
    }
    return QString();
}

} // namespace

QByteArray presetJson(const SoundValues& preset)
{
    QJsonObject object{{kPresetFormatKey, kPresetFormat},
                       {kNameKey, preset.modeName},
                       {kSettingsDialog, preset.dialogEnhance > 0 ? 1 : -1},
                       {kSettingsBass, preset.bassControl > 0 ? 1 : -1}};
    for (int band = 0; band < int(preset.bands.size()); ++band)
        object.insert(bandKey(band), preset.bands[size_t(band)]);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

PresetRead parsePreset(const QByteArray& bytes)
{
    if (bytes.size() > kPresetMaxBytes)
        return refused(QStringLiteral("The file is too large to be a preset."));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (document.isNull())
        return refused(QStringLiteral("The file is not JSON: %1 at byte %2.").arg(error.errorString()).arg(error.offset));
    if (!document.isObject())
        return refused(QStringLiteral("The file is not a Talvorin headset preset."));
    const QJsonObject object = document.object();
    PresetRead read;
    QString reason = checkFormat(object);
    if (reason.isEmpty())
        reason = readName(object, &read.preset.modeName);
    if (reason.isEmpty())
        reason = readSwitch(object, kSettingsDialog, &read.preset.dialogEnhance);
    if (reason.isEmpty())
        reason = readSwitch(object, kSettingsBass, &read.preset.bassControl);
    if (reason.isEmpty())
        reason = readBands(object, &read.preset.bands);
    if (!reason.isEmpty())
        return refused(reason);
    read.ok = true;
    return read;
}

QString writePresetFile(const QString& path, const SoundValues& preset)
{
    // What would be refused when read back is not written either.
    const QByteArray bytes = presetJson(preset);
    const PresetRead check = parsePreset(bytes);
    if (!check.ok)
        return check.reason;
    const WriteResult result = replaceFileContents(path, bytes);
    if (result.ok())
        return QString();
    qWarning() << "[HeadsetPreset] not written:" << path << result.errorString;
    return QStringLiteral("Could not write %1: %2").arg(path, result.errorString);
}

PresetRead readPresetFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return refused(QStringLiteral("%1 is not a file.").arg(path));
    if (info.size() > kPresetMaxBytes)
        return refused(QStringLiteral("The file is too large to be a preset."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("Could not open %1: %2").arg(path, file.errorString()));
    return parsePreset(file.read(kPresetMaxBytes + 1));
}

} // namespace headset
