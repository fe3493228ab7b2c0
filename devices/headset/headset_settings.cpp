#include "devices/headset/headset_settings.h"

#include "bridge/map_reading.h"

namespace {

const QString kModeName = QStringLiteral("ModeName");

int xmlInt(const QVariantMap& mode, const QString& key)
{
    return mode.value(key).toString().trimmed().toInt();
}

} // namespace

QString bandKey(int band)
{
    return QStringLiteral("GEQ_Band%1").arg(band);
}

std::optional<int> firstIntWithKey(const SettingsRecords& records, const QString& key)
{
    for (const QVariantMap& record : records) {
        int value = 0;
        if (tryReadInt(record, key, &value))
            return value;
    }
    return std::nullopt;
}

std::optional<QVariantMap> slotRecord(const SettingsRecords& records, int option)
{
    for (const QVariantMap& record : records) {
        if (record.contains(kSettingsOption) && readInt(record, kSettingsOption, -1) == option)
            return record;
    }
    return std::nullopt;
}

QString customSlotName(const SettingsRecords& records, int option)
{
    const std::optional<QVariantMap> record = slotRecord(records, option);
    if (!record || readString(*record, kModeName).isEmpty())
        return QStringLiteral("Custom");
    return readString(*record, kModeName);
}

void putSlotRecord(SettingsRecords& records, const QVariantMap& record)
{
    const int option = readInt(record, kSettingsOption, -1);
    for (QVariantMap& existing : records) {
        if (existing.contains(kSettingsOption) && readInt(existing, kSettingsOption, -1) == option) {
            existing = record;
            return;
        }
    }
    records.append(record);
}

void setLastChoice(SettingsRecords& records, const QVariantMap& values)
{
    bool found = false;
    for (QVariantMap& record : records) {
        if (!record.contains(kSettingsLastAction))
            continue;
        for (auto it = values.constBegin(); it != values.constEnd(); ++it)
            record.insert(it.key(), it.value());
        found = true;
    }
    if (!found)
        records.append(values);
}

QVariantMap slotRecordFrom(const QVariantMap& source, int option)
{
    QVariantMap record;
    record.insert(kSettingsOption, option);
    record.insert(kModeName, readString(source, kModeName));
    record.insert(kSettingsDialog, readInt(source, kSettingsDialog, 0));
    record.insert(kSettingsBass, readInt(source, kSettingsBass, 0));
    for (int band = 0; band < 10; ++band)
        record.insert(bandKey(band), readInt(source, bandKey(band), 0));
    return record;
}

SoundValues soundValuesFromRecord(const QVariantMap& record)
{
    SoundValues values;
    values.modeName = readString(record, kModeName);
    values.dialogEnhance = readInt(record, kSettingsDialog, 0);
    values.bassControl = readInt(record, kSettingsBass, 0);
    for (int band = 0; band < 10; ++band)
        values.bands[size_t(band)] = readInt(record, bandKey(band), 0);
    return values;
}

SoundValues soundValuesFromOperatingMode(const QVariantMap& mode)
{
    SoundValues values;
    values.modeName = mode.value(QStringLiteral("APO4-Operating Mode")).toString();
    values.dialogEnhance = xmlInt(mode, QStringLiteral("SFX:Eagle-DE Enable"));
    values.bassControl = xmlInt(mode, QStringLiteral("SFX:Eagle-TBHDX Enable"));
    for (int band = 0; band < 10; ++band)
        values.bands[size_t(band)] = xmlInt(mode, QStringLiteral("SFX:Eagle-GEQ Band%1 Gain").arg(band));
    return values;
}

void putSoundValues(QVariantMap& answer, const SoundValues& values)
{
    answer.insert(kSettingsDialog, values.dialogEnhance);
    answer.insert(kSettingsBass, values.bassControl);
    for (int band = 0; band < 10; ++band)
        answer.insert(bandKey(band), values.bands[size_t(band)]);
}

int switchToControlValue(int pageValue)
{
    return pageValue > 0 ? 1 : 0;
}
