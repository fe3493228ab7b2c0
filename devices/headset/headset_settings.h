#pragma once
// The records of the headset settings file (userSettingsData_Headphone.json): a last-choice
// record holding "getlastAction" (and "beforeOFF"), and one record per custom slot keyed by
// "selectDtsOption" 5, 6 or 7. These functions work on the loaded list; the caller saves it.
#include <QList>
#include <QVariantMap>
#include <array>
#include <optional>

using SettingsRecords = QList<QVariantMap>;

// What the page shows for one sound option.
struct SoundValues {
    QString modeName;
    int dialogEnhance = 0;
    int bassControl = 0;
    std::array<int, 10> bands{};
};

QString bandKey(int band); // "GEQ_Band0" ...

// Keys of the settings file's records and of the headset answers.
inline const QString kSettingsLastAction = QStringLiteral("getlastAction");
inline const QString kSettingsOption = QStringLiteral("selectDtsOption");
inline const QString kSettingsDialog = QStringLiteral("dialogEnhance");
inline const QString kSettingsBass = QStringLiteral("bassControl");

// The value of `key` in the first record that has it.
std::optional<int> firstIntWithKey(const SettingsRecords& records, const QString& key);
std::optional<QVariantMap> slotRecord(const SettingsRecords& records, int option);
// The slot's "ModeName", "Custom" when the slot has no record.
QString customSlotName(const SettingsRecords& records, int option);

// Replaces the slot's record in place, or appends it.
void putSlotRecord(SettingsRecords& records, const QVariantMap& record);
// Writes `values` into every record that holds "getlastAction"; appends them as a new record
// when none does.
void setLastChoice(SettingsRecords& records, const QVariantMap& values);

// A slot record from the page's command (or any map with the same keys).
QVariantMap slotRecordFrom(const QVariantMap& source, int option);
SoundValues soundValuesFromRecord(const QVariantMap& record);
// The same values from an operating-mode map of the configuration XML.
SoundValues soundValuesFromOperatingMode(const QVariantMap& mode);
void putSoundValues(QVariantMap& answer, const SoundValues& values);

// The control value for the page's switch encoding: 1 is on; 0 and -1 (and anything else
// that is not positive) are off.
int switchToControlValue(int pageValue);
