#pragma once
// The headset device object: USB presence, the DTS session and the settings of the headset page.
#include "bridge/bridge_object.h"
#include "devices/device_setup.h"
#include "devices/headset/dts_ptr.h"
#include "devices/headset/headset_settings.h"

#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>
#include <string>

class DtsSession;

class DEV_HEADPHONE : public BridgeObject {
    Q_OBJECT
public:
    using Endpoint = dts::DtsPtr<dts::IDTSEndpointInfo>;

    explicit DEV_HEADPHONE(const DeviceSetup& setup, QObject* parent = nullptr);

    // The headset page's operations (runFunction 1, 2, 3, 5, 7, 8, 9) on the command last
    // placed with receiveDataFromQML; answers the device's answer map.
    QVariantMap run_Headphone_Settings(int runFunction);
    // The presence answer for the discovery.
    QVariantMap get_Headphone_Devices();

    // Presence and the PEQ loader.
    bool IsUsbDeviceConnected(const std::wstring& vid, const std::wstring& pid);
    bool isHeadsetConnected();
    int SetPEQParameter();

    // The session layer.
    bool BSTRContainsIgnoreCase(const std::wstring& A, const std::wstring& B) const;
    bool CheckDTSStatus(const Endpoint& endpointInfo);
    void ToggleDTSProcessing(const Endpoint& endpointInfo, bool enable);
    void ToggleDTSProcessing_update(const Endpoint& endpointInfo, bool enable);
    void Start_ToggleDTSProcessing(const Endpoint& endpointInfo);
    void SetOpMode(const Endpoint& endpointInfo, const std::wstring& opModeName, bool AutoContentMode);
    int SetOpMode_DTS(const Endpoint& endpointInfo, const std::wstring& opModeName);
    int SetDTSControlForAllOpModes_IntValue_DTS(const Endpoint& endpointInfo, const std::wstring& opModeName,
                                                const std::wstring& controlName, int controlValue);
    int GetDTSControlForAllOpModes_IntValue_DTS(const Endpoint& endpointInfo, const std::wstring& opModeName,
                                                const std::wstring& controlName);
    void SetDTSControlForAllOpModes_IntValue(const Endpoint& endpointInfo, const std::wstring& controlName,
                                             int controlValue);
    void SetDTSControlForAllOpModes_StrValue(const Endpoint& endpointInfo, const std::wstring& controlName,
                                             const QString& QStrValue);
    int GetGEQControlValue(const Endpoint& endpointInfo, const std::wstring& controlName);
    void SetGEQControlValue(const Endpoint& endpointInfo, const std::wstring& controlName, int controlValue);
    int GetDialogEnhancementAndBassControlValue(const Endpoint& endpointInfo, const std::wstring& controlName);
    void SetDialogEnhancementAndBassControls(const Endpoint& endpointInfo, const std::wstring& controlName,
                                             dts::LONG value);

    // Writes one operating mode's full control set (a map of the configuration XML) into
    // every mode of the endpoint.
    void DTS_Operating_Mode_Settings(const Endpoint& endpoint_Info, const QVariantMap& APO4_Mode, const QString& mode);
    void Get_GEQ_DE_Bass_Info(const Endpoint& endpointInfo);
    // Writes the configuration XML's values back into the modes matching the name; 1 when
    // a mode was restored, else -1.
    int Restore_Default_Factory_Settings(const Endpoint& endpointInfo, const std::wstring& opModeName);

    // Runs `operation` inside a session when the headset is plugged in (for callers that need
    // a single session-layer call); false when the headset is absent.
    bool withSession(const std::function<void(const Endpoint&)>& operation);

    // The operating modes read from the configuration XML at construction.
    const QList<QVariantMap>& operatingModes() const { return m_operatingModes; }
    QString settingsFilePath() const { return m_settingsPath; }
    QString configurationXmlPath() const;
    QString peqToolPath() const;

private:
    // One DTS operation inside an open session.
    void runOperation(int runFunction, DtsSession& session);
    void locateHeadset(DtsSession& session);
    void answerAvailability(const DtsSession& session);
    void startDts(DtsSession& session);
    void stopDts(DtsSession& session);
    void selectOption(const Endpoint& endpoint, int option);
    void applyOperatingMode(const Endpoint& endpoint, int option);
    void saveCustomSlot(int option);
    void applyCustomSwitches(const Endpoint& endpoint, int option);
    void writeCustomBand(const Endpoint& endpoint, const std::wstring& modeName);

    // Answer helpers.
    void answerFromSettingsFile();
    void answerDtsStatus(const Endpoint& endpoint, int runFunction);
    void writeCustomSlot(const Endpoint& endpoint, int option);
    void forceBandsToZero(const Endpoint& endpoint);
    void writeBands(const Endpoint& endpoint, const SoundValues& values);
    void answerBandsFromControls(const Endpoint& endpoint);
    void answerSwitchesFromControls(const Endpoint& endpoint);
    SoundValues valuesForOption(int option, const SettingsRecords& records) const;
    std::optional<QVariantMap> operatingModeMap(const QString& displayName) const;
    void saveLastChoice(int option);

    // Active-mode control access shared by the GEQ and the dialogue/bass accessors.
    dts::DtsPtr<dts::IDTSAPOControl> activeModeControl(const Endpoint& endpointInfo, const std::wstring& controlName,
                                                       bool viaEnumerator2);
    std::optional<int> readActiveModeControl(const Endpoint& endpointInfo, const std::wstring& controlName,
                                             bool viaEnumerator2);
    bool writeActiveModeControl(const Endpoint& endpointInfo, const std::wstring& controlName, int value,
                                bool viaEnumerator2);
    std::optional<int> readModeControl(const Endpoint& endpointInfo, const std::wstring& opModeName,
                                       const std::wstring& controlName);
    void toggleProcessing(const Endpoint& endpointInfo, bool enable);
    bool restoreMode(dts::IDTSAPOOpMode* mode, const QVariantMap& defaults);

    DeviceSetup m_setup;
    dts::HRESULT m_lastResult = dts::E_FAIL;
    int headphoneNum = 0;
    QString m_settingsPath;
    QList<QVariantMap> m_operatingModes;
    QVariantMap m_answer;
};
