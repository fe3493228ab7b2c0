// The session layer of DEV_HEADPHONE: operating modes and named controls of the headset's
// DTS endpoint. Names of modes and controls are matched by containment, ignoring case.
#include "devices/headset/dev_headphone.h"

#include "devices/headset/dts_walk.h"

#include <QDebug>

using namespace dts;

namespace {

QString text(const std::wstring& value)
{
    return QString::fromStdWString(value);
}

} // namespace

bool DEV_HEADPHONE::BSTRContainsIgnoreCase(const std::wstring& A, const std::wstring& B) const
{
    return containsIgnoringCase(A, B);
}

bool DEV_HEADPHONE::CheckDTSStatus(const Endpoint& endpointInfo)
{
    if (!endpointInfo) {
        qDebug() << "Endpoint information is NULL";
        return false;
    }
    DtsPtr<IDTSAPOOpMode> mode;
    m_lastResult = endpointInfo->GetActiveOpMode(mode.put());
    if (failed(m_lastResult) || !mode) {
        qDebug() << "Obtaining an operating mode failure ,Unable to check DTS status";
        return false;
    }
    bool enabled = false;
    m_lastResult = mode->GetProcessingEnabled(&enabled);
    if (failed(m_lastResult)) {
        qDebug() << "Unable to check DTS on status";
        return false;
    }
    qDebug() << (enabled ? "[DTS ON]" : "[DTS OFF]");
    return enabled;
}

void DEV_HEADPHONE::toggleProcessing(const Endpoint& endpointInfo, bool enable)
{
    if (!endpointInfo) {
        qDebug() << "Endpoint information is Null";
        return;
    }
    DtsPtr<IDTSAPOOpMode> mode;
    m_lastResult = endpointInfo->GetActiveOpMode(mode.put());
    if (failed(m_lastResult) || !mode) {
        qDebug() << "Obtaining an operating mode failure ,Unable to change DTS processing status";
        return;
    }
    const char* state = enable ? " DTS [ON]" : " DTS [OFF]";
    m_lastResult = mode->SetProcessingEnabled(enable);
    if (succeeded(m_lastResult))
        qDebug() << "DTS APO" << state;
    else
        qDebug() << "Unable to change DTS status.";
    m_lastResult = mode->SetAutoContentMode(enable);
    if (succeeded(m_lastResult))
        qDebug() << "AutoContentMode" << state;
    else
        qDebug() << "Cannot change the auto mode status.";
}

void DEV_HEADPHONE::ToggleDTSProcessing(const Endpoint& endpointInfo, bool enable)
{
    toggleProcessing(endpointInfo, enable);
}

void DEV_HEADPHONE::ToggleDTSProcessing_update(const Endpoint& endpointInfo, bool enable)
{
    toggleProcessing(endpointInfo, enable);
}

void DEV_HEADPHONE::Start_ToggleDTSProcessing(const Endpoint& endpointInfo)
{
    toggleProcessing(endpointInfo, true);
}

void DEV_HEADPHONE::SetOpMode(const Endpoint& endpointInfo, const std::wstring& opModeName, bool AutoContentMode)
{
    if (!endpointInfo) {
        qDebug() << "Endpoint information is Null";
        return;
    }
    forEachOpMode(endpointInfo.get(), "Failed to get operation mode enumerator.", "Failed to get operation mode name.",
                  [&](IDTSAPOOpMode* mode, const std::wstring& name) {
                      if (!containsIgnoringCase(name, opModeName))
                          return true;
                      m_lastResult = endpointInfo->SetActiveOpMode(mode);
                      if (failed(m_lastResult)) {
                          qDebug() << "Failure to set operation mode.";
                          return false;
                      }
                      m_lastResult = mode->SetAutoContentMode(AutoContentMode);
                      if (failed(m_lastResult))
                          qDebug() << "Failed to set auto content mode.";
                      return false;
                  });
}

int DEV_HEADPHONE::SetOpMode_DTS(const Endpoint& endpointInfo, const std::wstring& opModeName)
{
    if (!endpointInfo) {
        qDebug() << "Endpoint information is Null";
        return -1;
    }
    bool done = false;
    forEachOpMode(endpointInfo.get(), "Failed to get operation mode enumerator.", "Failed to get operation mode name.",
                  [&](IDTSAPOOpMode* mode, const std::wstring& name) {
                      if (!containsIgnoringCase(name, opModeName))
                          return true;
                      m_lastResult = endpointInfo->SetActiveOpMode(mode);
                      done = succeeded(m_lastResult);
                      return false;
                  });
    qDebug() << (done ? "Set DTS mode succeeded" : "Set DTS mode failed");
    return done ? 1 : -1;
}

int DEV_HEADPHONE::SetDTSControlForAllOpModes_IntValue_DTS(const Endpoint& endpointInfo,
                                                           const std::wstring& opModeName,
                                                           const std::wstring& controlName, int controlValue)
{
    if (!endpointInfo) {
        qDebug() << "Endpoint information is Null";
        return -1;
    }
    bool anySet = false;
    const bool walked = forEachOpMode(
        endpointInfo.get(), "GetOpModeEnumerator failed", nullptr, [&](IDTSAPOOpMode* mode, const std::wstring& name) {
            if (!containsIgnoringCase(name, opModeName))
                return true;
            const DtsPtr<IDTSAPOControl> control = findControlInMode(mode, controlName, "Failed to get control enumerator.");
            if (control) {
                m_lastResult = control->SetIntValue(controlValue);
                if (succeeded(m_lastResult)) {
                    qDebug() << "Set control Value succeeded";
                    anySet = true;
                }
            }
            return true;
        });
    return walked && anySet ? 1 : -1;
}

std::optional<int> DEV_HEADPHONE::readModeControl(const Endpoint& endpointInfo, const std::wstring& opModeName,
                                                  const std::wstring& controlName)
{
    if (!endpointInfo) {
        qDebug() << "Endpoint information is Null";
        return std::nullopt;
    }
    std::optional<int> value;
    forEachOpMode(endpointInfo.get(), "GetOpModeEnumerator failed", nullptr,
                  [&](IDTSAPOOpMode* mode, const std::wstring& name) {
                      if (!containsIgnoringCase(name, opModeName))
                          return true;
                      const DtsPtr<IDTSAPOControl> control =
                          findControlInMode(mode, controlName, "Failed to get control enumerator.");
                      LONG read = 0;
                      if (control && succeeded(m_lastResult = control->GetIntValue(&read))) {
                          qDebug() << "Get Value succeeded";
                          value = read;
                          return false;
                      }
                      return true;
                  });
    return value;
}

int DEV_HEADPHONE::GetDTSControlForAllOpModes_IntValue_DTS(const Endpoint& endpointInfo,
                                                           const std::wstring& opModeName,
                                                           const std::wstring& controlName)
{
    return readModeControl(endpointInfo, opModeName, controlName).value_or(-1);
}

void DEV_HEADPHONE::SetDTSControlForAllOpModes_IntValue(const Endpoint& endpointInfo,
                                                        const std::wstring& controlName, int controlValue)
{
    if (!endpointInfo) {
        qDebug() << "FAIL: Endpoint information is Null";
        return;
    }
    forEachOpMode(endpointInfo.get(), "FAIL: Failed to get operation mode enumerator.",
                  "FAIL: Failed to get operation mode name.", [&](IDTSAPOOpMode* mode, const std::wstring&) {
                      const DtsPtr<IDTSAPOControl> control =
                          findControlInMode(mode, controlName, "FAIL: Failed to get control enumerator.");
                      if (control)
                          m_lastResult = control->SetIntValue(controlValue);
                      return true;
                  });
}

void DEV_HEADPHONE::SetDTSControlForAllOpModes_StrValue(const Endpoint& endpointInfo,
                                                        const std::wstring& controlName, const QString& QStrValue)
{
    if (!endpointInfo) {
        qDebug() << "FAIL: Endpoint information is Null";
        return;
    }
    const std::wstring value = QStrValue.toStdWString();
    forEachOpMode(endpointInfo.get(), "FAIL: Failed to get operation mode enumerator.",
                  "FAIL: Failed to get operation mode name.", [&](IDTSAPOOpMode* mode, const std::wstring&) {
                      const DtsPtr<IDTSAPOControl> control =
                          findControlInMode(mode, controlName, "FAIL: Failed to get control enumerator.");
                      DtsPtr<IDTSAPOControlStr> textControl;
                      if (control && succeeded(control.queryInterface(IID_IDTSAPOControlStr, textControl))
                          && succeeded(m_lastResult = textControl->SetStrValue(value)))
                          qDebug() << "DEBUG: write successfull.";
                      return true;
                  });
}

DtsPtr<IDTSAPOControl> DEV_HEADPHONE::activeModeControl(const Endpoint& endpointInfo,
                                                        const std::wstring& controlName, bool viaEnumerator2)
{
    if (!endpointInfo) {
        qDebug() << "Endpoint information is Null";
        return {};
    }
    DtsPtr<IDTSAPOOpMode> mode;
    m_lastResult = endpointInfo->GetActiveOpMode(mode.put());
    if (failed(m_lastResult) || !mode) {
        qDebug() << "Unavailability of operating modes.";
        return {};
    }
    DtsPtr<IDTSAPOControlEnumerator> controls;
    m_lastResult = mode->GetControlEnumerator(nullptr, controls.put());
    if (failed(m_lastResult) || !controls) {
        qDebug() << "Cannot get ControlEnumerator";
        return {};
    }
    if (!viaEnumerator2)
        return findControl(controls.get(), controlName);
    DtsPtr<IDTSAPOControlEnumerator2> controls2;
    m_lastResult = controls.queryInterface(IID_IDTSAPOControlEnumerator2, controls2);
    if (failed(m_lastResult) || !controls2) {
        qDebug() << "Cannot get the IDTSAPOControlEnumerator2 interface.";
        return {};
    }
    return findControl(controls2.get(), controlName);
}

std::optional<int> DEV_HEADPHONE::readActiveModeControl(const Endpoint& endpointInfo,
                                                        const std::wstring& controlName, bool viaEnumerator2)
{
    const DtsPtr<IDTSAPOControl> control = activeModeControl(endpointInfo, controlName, viaEnumerator2);
    LONG value = 0;
    if (!control || failed(m_lastResult = control->GetIntValue(&value)))
        return std::nullopt;
    return value;
}

bool DEV_HEADPHONE::writeActiveModeControl(const Endpoint& endpointInfo, const std::wstring& controlName, int value,
                                           bool viaEnumerator2)
{
    const DtsPtr<IDTSAPOControl> control = activeModeControl(endpointInfo, controlName, viaEnumerator2);
    return control && succeeded(m_lastResult = control->SetIntValue(value));
}

int DEV_HEADPHONE::GetGEQControlValue(const Endpoint& endpointInfo, const std::wstring& controlName)
{
    return readActiveModeControl(endpointInfo, controlName, true).value_or(-1);
}

void DEV_HEADPHONE::SetGEQControlValue(const Endpoint& endpointInfo, const std::wstring& controlName, int controlValue)
{
    qDebug().noquote() << "SetGEQControlValue: " + text(controlName) << controlValue;
    writeActiveModeControl(endpointInfo, controlName, controlValue, true);
}

int DEV_HEADPHONE::GetDialogEnhancementAndBassControlValue(const Endpoint& endpointInfo,
                                                           const std::wstring& controlName)
{
    return readActiveModeControl(endpointInfo, controlName, false).value_or(-1);
}

void DEV_HEADPHONE::SetDialogEnhancementAndBassControls(const Endpoint& endpointInfo, const std::wstring& controlName,
                                                        LONG value)
{
    writeActiveModeControl(endpointInfo, controlName, value, false);
}
