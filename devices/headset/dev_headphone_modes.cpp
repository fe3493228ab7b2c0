// Whole operating modes of the headset's DTS endpoint: writing a mode's full control set,
// reading the equaliser, dialogue and bass controls, restoring the configured defaults.
#include "devices/headset/dev_headphone.h"
#include "devices/headset/dts_control_names.h"
#include "devices/headset/dts_walk.h"
#include "devices/headset/headset_options.h"

#include <QDebug>

using namespace dts;

namespace {

std::wstring wide(const QString& value)
{
    return value.toStdWString();
}

// The integer under `key`, or nothing when the map lacks it or holds no number there.
std::optional<int> integerAt(const QVariantMap& values, const QString& key)
{
    if (!values.contains(key))
        return std::nullopt;
    bool ok = false;
    const int value = values.value(key).toString().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool writeText(IDTSAPOOpMode* mode, const QString& controlName, const QString& value)
{
    const DtsPtr<IDTSAPOControl> control = findControlInMode(mode, wide(controlName), "Failed to get control enumerator.");
    DtsPtr<IDTSAPOControlStr> textControl;
    return control && succeeded(control.queryInterface(IID_IDTSAPOControlStr, textControl))
        && succeeded(textControl->SetStrValue(wide(value)));
}

bool writeInteger(IDTSAPOOpMode* mode, const QString& controlName, int value)
{
    const DtsPtr<IDTSAPOControl> control = findControlInMode(mode, wide(controlName), "Failed to get control enumerator.");
    return control && succeeded(control->SetIntValue(value));
}

} // namespace

void DEV_HEADPHONE::DTS_Operating_Mode_Settings(const Endpoint& endpoint_Info, const QVariantMap& APO4_Mode,
                                                const QString& mode)
{
    qDebug() << "DTS Operating Settings" << mode;
    // A control the map does not hold keeps its value: writing a made-up 0 or empty text
    // would wipe a setting the file never meant to change.
    for (const QString& name : textControlNames()) {
        const QString key = operatingModeKey(name);
        if (!APO4_Mode.contains(key)) {
            qDebug() << "DTS Operating Settings: no value for" << key;
            continue;
        }
        SetDTSControlForAllOpModes_StrValue(endpoint_Info, wide(name), APO4_Mode.value(key).toString());
    }
    for (const QString& name : integerControlNames()) {
        const QString key = operatingModeKey(name);
        const std::optional<int> value = integerAt(APO4_Mode, key);
        if (!value) {
            qDebug() << "DTS Operating Settings: no integer value for" << key;
            continue;
        }
        SetDTSControlForAllOpModes_IntValue(endpoint_Info, wide(name), *value);
    }
    qDebug() << "The DTS Operating Settings are completed.";
}

void DEV_HEADPHONE::Get_GEQ_DE_Bass_Info(const Endpoint& endpointInfo)
{
    qDebug() << "Eagle-GEQ Enable =" << GetGEQControlValue(endpointInfo, L"Eagle-GEQ Enable");
    qDebug() << "[BASS CONTROLS]";
    qDebug() << "SFX:Eagle-TBHDX Enable =" << GetDialogEnhancementAndBassControlValue(endpointInfo, L"SFX:Eagle-TBHDX Enable");
    qDebug() << "SFX:Eagle-TBHDX Bass Level ="
             << GetDialogEnhancementAndBassControlValue(endpointInfo, L"SFX:Eagle-TBHDX Bass Level");
    qDebug() << "[DIALOG ENHANCHEMENT CONTROLS]";
    qDebug() << "SFX:Eagle-DE Enable =" << GetDialogEnhancementAndBassControlValue(endpointInfo, L"SFX:Eagle-DE Enable");
    qDebug() << "SFX:Eagle-DE Level =" << GetDialogEnhancementAndBassControlValue(endpointInfo, L"SFX:Eagle-DE Level");
    for (int band = 0; band < 10; ++band) {
        const QString name = QStringLiteral("Eagle-GEQ Band%1 Gain").arg(band);
        qDebug().noquote() << QStringLiteral("%1 = %2").arg(name).arg(GetGEQControlValue(endpointInfo, wide(name)));
    }
}

int DEV_HEADPHONE::Restore_Default_Factory_Settings(const Endpoint& endpointInfo, const std::wstring& opModeName)
{
    qDebug() << "Restore_Default_Factory_Settings";
    if (!endpointInfo) {
        qDebug() << "Endpoint information is Null";
        return -1;
    }
    bool restored = false;
    forEachOpMode(endpointInfo.get(), "GetOpModeEnumerator failed", nullptr,
                  [&](IDTSAPOOpMode* mode, const std::wstring& name) {
                      if (!BSTRContainsIgnoreCase(name, opModeName))
                          return true;
                      const std::optional<QVariantMap> defaults = operatingModeMap(displayNameForMode(name));
                      if (!defaults) {
                          qDebug() << "Restore_Default_Factory_Settings: no defaults for" << QString::fromStdWString(name);
                          return true;
                      }
                      restored = restoreMode(mode, *defaults) || restored;
                      return true;
                  });
    return restored ? 1 : -1;
}

bool DEV_HEADPHONE::restoreMode(IDTSAPOOpMode* mode, const QVariantMap& defaults)
{
    int written = 0;
    for (const QString& name : textControlNames()) {
        const QString key = operatingModeKey(name);
        if (defaults.contains(key) && writeText(mode, name, defaults.value(key).toString()))
            ++written;
    }
    for (const QString& name : integerControlNames()) {
        const std::optional<int> value = integerAt(defaults, operatingModeKey(name));
        if (value && writeInteger(mode, name, *value))
            ++written;
    }
    return written > 0;
}

std::optional<QVariantMap> DEV_HEADPHONE::operatingModeMap(const QString& displayName) const
{
    if (displayName.isEmpty())
        return std::nullopt;
    for (const QVariantMap& mode : m_operatingModes) {
        if (mode.value(QStringLiteral("APO4-Operating Mode")).toString() == displayName)
            return mode;
    }
    return std::nullopt;
}
