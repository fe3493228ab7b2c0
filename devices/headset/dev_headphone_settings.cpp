// The headset page's operations: locate the headset, DTS on and off, sound options, the
// equaliser and the custom slots kept in the settings file.
#include "devices/headset/dev_headphone.h"

#include "bridge/map_reading.h"
#include "devices/headset/dts_session.h"
#include "devices/headset/headset_options.h"
#include "util/files.h"
#include "util/json_files.h"

#include <QDebug>

namespace {

const QString kRunFunction = QStringLiteral("runFunction");
const QString kBeforeOff = QStringLiteral("beforeOFF");
const QString kOperatingMode = QStringLiteral("APO4-Operating Mode");
const QString kHeadphoneName = QStringLiteral("Belvarinth ORVENA RH20");

const std::wstring kGeqEnable = L"Eagle-GEQ Enable";
const std::wstring kDialogEnable = L"Eagle-DE Enable";
const std::wstring kBassEnable = L"Eagle-TBHDX Enable";

// "Band3": the band control of the active mode.
std::wstring bandControl(int band)
{
    return (QStringLiteral("Band%1").arg(band)).toStdWString();
}

// "Eagle-GEQ Band3 Gain": the same band addressed by its full name in a named mode.
std::wstring bandGainControl(int band)
{
    return (QStringLiteral("Eagle-GEQ Band%1 Gain").arg(band)).toStdWString();
}

} // namespace

void DEV_HEADPHONE::runOperation(int runFunction, DtsSession& session)
{
    const int option = readInt(m_command, kSettingsOption, 0);
    switch (runFunction) {
    case 1: locateHeadset(session); break;
    case 2: startDts(session); break;
    case 3: stopDts(session); break;
    case 5:
        session.locateEndpoints();
        selectOption(session.endpoint(), option);
        break;
    case 7:
        session.locateEndpoints();
        applyOperatingMode(session.endpoint(), option);
        break;
    case 8: saveCustomSlot(option); break;
    case 9:
        session.locateEndpoints();
        applyCustomSwitches(session.endpoint(), option);
        break;
    default: qDebug() << "Headphone: no operation for runFunction" << runFunction; break;
    }
}

void DEV_HEADPHONE::locateHeadset(DtsSession& session)
{
    headphoneNum = session.locateEndpoints();
    m_answer.insert(QStringLiteral("headphoneNum"), headphoneNum);
    m_answer.insert(QStringLiteral("headphoneName"), kHeadphoneName);
    m_answer.insert(kRunFunction, 1);
    answerFromSettingsFile();
    qDebug() << "==========================================================";
}

void DEV_HEADPHONE::answerFromSettingsFile()
{
    m_answer.remove(QStringLiteral("hasUserData"));
    m_answer.remove(kSettingsLastAction);
    m_answer.remove(kBeforeOff);
    SettingsRecords records;
    if (fileExists(m_settingsPath)) {
        m_answer.insert(QStringLiteral("hasUserData"), 1);
        records = loadJsonList(m_settingsPath);
    }
    const std::optional<int> lastAction = firstIntWithKey(records, kSettingsLastAction);
    if (lastAction) {
        qDebug() << "contains getlastAction:" << *lastAction;
        m_answer.insert(kSettingsLastAction, *lastAction);
    }
    const std::optional<int> beforeOff = firstIntWithKey(records, kBeforeOff);
    if (beforeOff)
        m_answer.insert(kBeforeOff, *beforeOff);
    for (int option = 5; option <= 7; ++option) {
        const QString key = QStringLiteral("custom%1_Name").arg(customSlotNumber(option));
        if (slotRecord(records, option))
            qDebug().noquote() << "contains " + key + ":" << customSlotName(records, option);
        m_answer.insert(key, customSlotName(records, option));
    }
    qDebug() << "lastAction: " << lastAction.value_or(0);
    if (!lastAction)
        return;
    // With processing off the page shows the option that was on before.
    const int shown = *lastAction == 8 && beforeOff ? *beforeOff : *lastAction;
    const SoundValues values = valuesForOption(shown, records);
    putSoundValues(m_answer, values);
    for (int band = 0; band < 10; ++band)
        qDebug().noquote() << bandKey(band) + ":" << values.bands[size_t(band)];
}

SoundValues DEV_HEADPHONE::valuesForOption(int option, const SettingsRecords& records) const
{
    const std::optional<HeadsetOption> entry = headsetOptionFor(option);
    if (!entry)
        return {};
    if (isCustomSlot(option)) {
        if (const std::optional<QVariantMap> record = slotRecord(records, option)) {
            SoundValues values = soundValuesFromRecord(*record);
            values.modeName = customSlotName(records, option);
            return values;
        }
    }
    // Presets, and custom slots the user never saved, start from the configuration's mode.
    SoundValues values;
    if (const std::optional<QVariantMap> mode = operatingModeMap(entry->displayName))
        values = soundValuesFromOperatingMode(*mode);
    values.modeName = isCustomSlot(option) ? customSlotName(records, option) : entry->displayName;
    return values;
}

void DEV_HEADPHONE::startDts(DtsSession& session)
{
    qDebug() << "------------ sendPEQParameter ------------";
    SetPEQParameter();
    qDebug() << "------------ CheckDTSStatus & Start DTS ------------";
    session.locateEndpoints();
    const Endpoint& endpoint = session.endpoint();
    if (!endpoint) {
        qDebug().noquote() << "Endpoint information is Null\n";
    } else {
        std::wstring path;
        std::wstring name;
        endpoint->GetRegistryPath(&path);
        endpoint->GetFriendlyName(&name);
        qDebug() << "ID:" << QString::fromStdWString(path);
        qDebug() << "friendlyName:" << QString::fromStdWString(name);
    }
    SetOpMode_DTS(endpoint, kModeMusic);
    answerDtsStatus(endpoint, 2);
}

void DEV_HEADPHONE::stopDts(DtsSession& session)
{
    qDebug() << "------------CheckDTSStatus & STOP DTS ------------";
    session.locateEndpoints();
    SetOpMode_DTS(session.endpoint(), kModeOff);
    answerDtsStatus(session.endpoint(), 3);
}

void DEV_HEADPHONE::answerDtsStatus(const Endpoint& endpoint, int runFunction)
{
    // Without an endpoint the page keeps what it was last told.
    if (endpoint)
        m_answer.insert(QStringLiteral("isDTSOn"), CheckDTSStatus(endpoint) ? 1 : 0);
    m_answer.insert(kRunFunction, runFunction);
}

void DEV_HEADPHONE::selectOption(const Endpoint& endpoint, int option)
{
    qDebug() << "selectMode: " << option;
    const std::optional<HeadsetOption> entry = headsetOptionFor(option);
    if (!entry) {
        qDebug() << "selectMode: no DTS mode for option" << option;
        return;
    }
    qDebug() << "control mode: music, movie, voice, game1, game2, game3, custom";
    SetOpMode_DTS(endpoint, entry->modeName);
    // Switching processing off leaves the settings of every mode as they are.
    if (entry->modeName != kModeOff) {
        SetDTSControlForAllOpModes_IntValue_DTS(endpoint, entry->modeName, kGeqEnable, 1);
        if (isCustomSlot(option))
            writeCustomSlot(endpoint, option);
        else
            forceBandsToZero(endpoint);
    }
    answerBandsFromControls(endpoint);
    answerSwitchesFromControls(endpoint);
    m_answer.insert(kRunFunction, 5);
}

// A custom slot's saved equaliser and switches go into the custom mode.
void DEV_HEADPHONE::writeCustomSlot(const Endpoint& endpoint, int option)
{
    const SoundValues values = valuesForOption(option, loadJsonList(m_settingsPath));
    writeBands(endpoint, values);
    SetDTSControlForAllOpModes_IntValue_DTS(endpoint, kModeCustom, kDialogEnable,
                                            switchToControlValue(values.dialogEnhance));
    SetDTSControlForAllOpModes_IntValue_DTS(endpoint, kModeCustom, kBassEnable,
                                            switchToControlValue(values.bassControl));
}

void DEV_HEADPHONE::forceBandsToZero(const Endpoint& endpoint)
{
    for (int band = 0; band < 10; ++band) {
        const std::optional<int> gain = readActiveModeControl(endpoint, bandControl(band), true);
        if (gain && *gain != 0)
            SetGEQControlValue(endpoint, bandControl(band), 0);
    }
}

void DEV_HEADPHONE::writeBands(const Endpoint& endpoint, const SoundValues& values)
{
    for (int band = 0; band < 10; ++band)
        SetGEQControlValue(endpoint, bandControl(band), values.bands[size_t(band)]);
}

void DEV_HEADPHONE::answerBandsFromControls(const Endpoint& endpoint)
{
    for (int band = 0; band < 10; ++band) {
        const std::optional<int> gain = readActiveModeControl(endpoint, bandControl(band), true);
        if (!gain)
            continue;
        qDebug().noquote() << QStringLiteral("DEBUG: Eagle-GEQ Band%1 Gain = %2 dB").arg(band).arg(*gain);
        m_answer.insert(bandKey(band), *gain);
    }
}

void DEV_HEADPHONE::answerSwitchesFromControls(const Endpoint& endpoint)
{
    if (const std::optional<int> dialog = readActiveModeControl(endpoint, kDialogEnable, false)) {
        qDebug() << "SFX:Eagle-DE Enable: " << *dialog;
        m_answer.insert(kSettingsDialog, *dialog);
    }
    if (const std::optional<int> bass = readActiveModeControl(endpoint, kBassEnable, false)) {
        qDebug() << "SFX:Eagle-TBHDX Enable: " << *bass;
        m_answer.insert(kSettingsBass, *bass);
    }
}

void DEV_HEADPHONE::applyOperatingMode(const Endpoint& endpoint, int option)
{
    qDebug() << "------------ SetOpMode ------------";
    if (const std::optional<HeadsetOption> entry = headsetOptionFor(option)) {
        SetOpMode_DTS(endpoint, entry->modeName);
        const SoundValues values = valuesForOption(option, loadJsonList(m_settingsPath));
        qDebug() << "APO4-Operating Mode: " << values.modeName;
        m_answer.insert(kOperatingMode, values.modeName);
        m_answer.insert(QStringLiteral("ModeName"), values.modeName);
        putSoundValues(m_answer, values);
        if (isCustomSlot(option))
            writeCustomBand(endpoint, entry->modeName);
    }
    m_answer.insert(kRunFunction, 7);
    if (option >= 1)
        saveLastChoice(option);
}

void DEV_HEADPHONE::writeCustomBand(const Endpoint& endpoint, const std::wstring& modeName)
{
    const int index = readInt(m_command, QStringLiteral("indexGEQ"), -1);
    qDebug() << "indexGEQ: " << index;
    SetDTSControlForAllOpModes_IntValue_DTS(endpoint, modeName, kGeqEnable, 1);
    if (index >= 0 && index <= 9) {
        // The page sends the slider it moved; the last answer's value stands in when it does not.
        const int gain = readInt(m_command, bandKey(index), readInt(m_answer, bandKey(index), 0));
        SetDTSControlForAllOpModes_IntValue_DTS(endpoint, modeName, bandGainControl(index), gain);
    }
    // The page shows what the slot's mode now holds, including bands moved but not yet saved.
    for (int band = 0; band < 10; ++band) {
        if (const std::optional<int> gain = readModeControl(endpoint, modeName, bandGainControl(band)))
            m_answer.insert(bandKey(band), *gain);
    }
}

void DEV_HEADPHONE::saveLastChoice(int option)
{
    SettingsRecords records = loadJsonList(m_settingsPath);
    setLastChoice(records, {{kSettingsLastAction, option}});
    saveJsonList(records, m_settingsPath);
}

void DEV_HEADPHONE::saveCustomSlot(int option)
{
    qDebug() << "------------  Save Update GEQ ------------";
    m_answer.insert(kRunFunction, 8);
    if (!isCustomSlot(option))
        return;
    SettingsRecords records = loadJsonList(m_settingsPath);
    putSlotRecord(records, slotRecordFrom(m_command, option));
    saveJsonList(records, m_settingsPath);
}

void DEV_HEADPHONE::applyCustomSwitches(const Endpoint& endpoint, int option)
{
    m_answer.insert(kRunFunction, 9);
    if (!isCustomSlot(option))
        return;
    QVariantMap record = slotRecordFrom(m_command, option);
    // The page sends -1 for a switch that is off; the component knows only 0 and 1.
    const int dialog = switchToControlValue(readInt(m_command, kSettingsDialog, 0));
    const int bass = switchToControlValue(readInt(m_command, kSettingsBass, 0));
    SetDTSControlForAllOpModes_IntValue_DTS(endpoint, kModeCustom, kDialogEnable, dialog);
    SetDTSControlForAllOpModes_IntValue_DTS(endpoint, kModeCustom, kBassEnable, bass);
    record.insert(kSettingsDialog, readModeControl(endpoint, kModeCustom, L"SFX:Eagle-DE Enable").value_or(dialog));
    record.insert(kSettingsBass, readModeControl(endpoint, kModeCustom, L"SFX:Eagle-TBHDX Enable").value_or(bass));
    m_answer.insert(kSettingsDialog, record.value(kSettingsDialog));
    m_answer.insert(kSettingsBass, record.value(kSettingsBass));

    SettingsRecords records = loadJsonList(m_settingsPath);
    putSlotRecord(records, record);
    saveJsonList(records, m_settingsPath);
}
