#pragma once
// The mouse device object: every command of the mouse, its receiver and its Bluetooth link,
// discovery of the command interface, and the information maps of the mouse page.
//
// Every operation takes the hidapi path of the vendor interface as its last argument and is
// one exchange through the transport (or a few, for the information maps). The framing
// follows product_id, which discovery sets. The worker is the only caller.
#include "bridge/bridge_object.h"
#include "devices/device_setup.h"
#include "devices/mouse/hid_transport.h"
#include "devices/mouse/key_tables.h"
#include "devices/mouse/mouse_frames.h"

#include <QMap>

#include <array>
#include <functional>
#include <optional>

class DEV_MOUSE : public BridgeObject {
    Q_OBJECT
public:
    explicit DEV_MOUSE(const DeviceSetup& setup, QObject* parent = nullptr);

    // The selected interface. Discovery writes them; product_id chooses the framing.
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t usage_page = 0;
    uint16_t usage = 0;

    // Transport: one exchange (64 bytes back, zeros when nothing was read) and one passive read.
    QByteArray Run_Command_Line(uint16_t vendorId, uint16_t productId, uint16_t usagePage, uint16_t usageId,
                                const char* devpath, const HidReport& inbuf, const QString& commandName);
    QByteArray OnlyReadOutput(const char* devpath);

    // Set commands: true when the mouse accepted the command; `checkResult` in data says so too.
    bool Set_SelectProfile(uint8_t profileNo, const char* devpath);
    bool Set_Report_Rate(uint8_t usb_typeID, uint8_t wifi_typeID, const char* devpath);
    bool Set_Sensor_Snap(uint8_t snap, const char* devpath);
    bool Set_DPI_Level(uint8_t DPI_Quantity, uint8_t DPI_Level, const char* devpath);
    bool Set_DPI_Status(uint8_t DPI_Quantity, uint8_t DPI_Level, uint8_t Update_DPI,
                        const mouse::DpiStageResolutions& DPI_XY, const mouse::DpiStageColours& DPI_RGB,
                        const char* devpath);
    bool Set_LOD_Level(uint8_t LOD, const char* devpath);
    bool Set_to_Calibration(uint8_t calib_control, const char* devpath);
    bool Set_Profile_Default(uint8_t Profile, const char* devpath);
    bool Set_Dongle_to_Pairing_Mode(uint8_t pairing, const char* devpath);
    bool Set_Model_Name(const char* devpath);
    bool Set_Serial_Number(uint8_t length_L, const QByteArray& Data, const char* devpath);
    bool Set_LED_OFF_Delay_Time(uint8_t delay_minute, const char* devpath);
    bool Set_ECO_Mode(uint8_t parameter, const char* devpath);
    bool Set_CurrentProfileButtons(const std::array<uint8_t, 5>& d, const char* devpath);
    bool Set_MacroKeyData(uint8_t macroKey, uint8_t b_length, uint8_t serial_No, const std::array<uint8_t, 60>& data,
                          const char* devpath);
    bool Set_Save_Profile(uint8_t mouse_F, uint8_t lighting_F, uint8_t button_F, uint8_t macro_F, const char* devpath);
    bool Save_MacroKeyData(uint8_t mouse_F, uint8_t lighting_F, uint8_t button_F, uint8_t macro_F, const char* devpath);
    bool Save_Settings(const std::array<uint8_t, 5>& flags, const char* devpath);
    bool Set_ARGB_Direct_Color(int LED_index, uint8_t brightness, const mouse::Rgb& LED_Color, const char* devpath);
    bool Set_ARGB_Direct_Color_All(uint8_t brightness, const mouse::Rgb& LED_Color, const char* devpath);
    bool Set_ARGB_Function_1_Area(int LED_area, uint8_t brightness, uint8_t mode, uint8_t function, uint8_t cycle_time,
                                  const mouse::Rgb& LED_Color, const char* devpath);
    bool Set_ARGB_Function_All_Area(uint8_t brightness, uint8_t mode, uint8_t function, uint8_t cycle_time,
                                    uint8_t R_Color, uint8_t G_Color, uint8_t B_Color, const char* devpath);

    // Reads that keep their result in the object (see the accessors below).
    bool Get_CurrentProfileButtons(const char* devpath);
    bool Get_CurrentProfileButtons_MacroKeyInfo(const char* devpath); // `resultList` in data
    bool Get_CurrentProfileButtons_RedefineKeyInfo(const char* devpath);
    bool Get_ARGB_Function_Mode(const char* devpath);
    bool Get_Serial_Number(const char* devpath); // `SerialNumber` in data

    // Status reads: answer byte 4. On failure 0 (ECO, LED-off) or 255 (calibration).
    int Read_Calibration_Status(const char* devpath);
    int Read_ECO_Mode(const char* devpath);
    int Read_LED_OFF_Delay_Time(const char* devpath);

    // Raw reads: the 64-byte answer; an empty array when nothing was sent.
    QByteArray Read_Mouse_Information(const char* devpath);
    QByteArray Read_BTL_Percent(const char* devpath);
    QByteArray Get_Firmware_Version(const char* devpath);
    QByteArray Get_MCU_UUID(const char* devpath);
    QByteArray Get_Model_Name(const char* devpath);
    QByteArray Get_MacroKeyData(uint8_t macroKey, const char* devpath);

    // Discovery and the information maps of the mouse page.
    QVariantMap get_hid_devices_info();
    QVariantMap Get_Current_Mouse_Info(const char* devpath);
    QVariantMap Get_Current_Mouse_Info2(const char* devpath);
    QVariantMap Get_CurrentMouse_ARGB_Info(const char* devpath);

    // Key tables.
    int getKeyboardUsageID(const QString& keyToFind) const;
    QString getKeyboard_ASCII(int key_value) const;

    // What the last reads left in the object.
    const std::array<uint8_t, 9>& currentProfileButtons() const { return m_profileButtons; }
    const std::array<uint8_t, 27>& redefinedKeyData() const { return m_redefinedKeys; }
    const std::array<uint8_t, 19>& argbData() const { return m_argb; }
    // Whether the lighting bytes of the last information map came from the mouse.
    bool argbReadOk() const { return m_argbReadOk; }
    const KeyTables& keyTables() const { return m_keys; }
    int currentProfile() const { return m_currentProfile; }
    // The second message map: `CheckResults` of Save_MacroKeyData.
    QVariantMap secondData() const { return m_secondData; }

private:
    // How a set command's answer is judged.
    enum class SetCheck {
        Ack,          // byte 1 and byte 5, tagged result lines
        AckUntagged,  // the same with a size check first and untagged result lines
        MacroWrite,   // byte 5 only, logged with its value
        MacroSave,    // byte 5 only, `CheckResults` in the second map
        SettingsSave, // byte 5 only, no `checkResult`
    };
    using FrameBuilder = std::function<std::optional<HidReport>(mouse::Framing)>;

    // The command skeleton: path check, framing by product id, one exchange. Empty when
    // nothing was sent. `zeroFrameForUnknownIds` sends an all-zero report for product ids
    // without a framing instead of refusing them.
    std::optional<HidAnswer> runCommand(const char* tag, const char* devpath, const FrameBuilder& build,
                                        bool zeroFrameForUnknownIds = false);
    bool runSet(const char* tag, uint8_t command, const char* devpath, const FrameBuilder& build,
                SetCheck check = SetCheck::Ack, bool zeroFrameForUnknownIds = false);
    bool judgeSetAnswer(const char* tag, uint8_t command, const HidAnswer& answer, SetCheck check);
    void setCheckResult(bool success);
    // Reads `count` answer bytes from byte 4 on into `target` (no header check).
    bool readBlock(const char* tag, uint8_t command, const char* devpath, uint8_t* target, int count);
    int readStatus(const char* tag, uint8_t command, const char* devpath, int failure, const char* valueLabel);
    // Read_Mouse_Information and Read_BTL_Percent share their checks and messages.
    HidAnswer readRecord(const char* tag, const char* devpath, const FrameBuilder& build);

    // Raw reads keeping the number of bytes read, for the checks of discovery and the maps.
    HidAnswer mouseInformationAnswer(const char* devpath);
    HidAnswer batteryAnswer(const char* devpath);
    HidAnswer firmwareVersionAnswer(const char* devpath);
    HidAnswer mcuUuidAnswer(const char* devpath);
    HidAnswer modelNameAnswer(const char* devpath);
    std::optional<QString> readMcuUuid(const char* devpath);

    // Discovery steps.
    void scanInterface(const HidDeviceInfo& info);
    bool readMatchingModelName(const char* path, HidAnswer& answer);
    // A vendor interface that gave no answer because it may not be opened is listed apart.
    void noteIfInaccessible(const HidDeviceInfo& info);
    void addBatteryThresholds(QVariantMap& list);
    // Pieces of the information maps.
    void addIdentity(QVariantMap& map, int runFunction, const char* devpath, bool unknownConnectionName);
    void addMouseInformation(QVariantMap& map, const QByteArray& answer);
    void addButtonDetails(QVariantMap& map, const char* devpath, const QString& uuid);
    void addStoredMacros(QVariantMap& map);
    // The 19 lighting bytes as "Get_ARGB_DATA0..18" (zeros when the read failed).
    bool addArgbData(QVariantMap& map, const char* devpath);

    DeviceSetup m_setup;
    HidTransport m_transport;
    KeyTables m_keys;
    std::array<uint8_t, 9> m_profileButtons{};
    std::array<uint8_t, 27> m_redefinedKeys{};
    std::array<uint8_t, 19> m_argb{};
    bool m_argbReadOk = false;
    int m_currentProfile = 1;
    int m_mouseCount = 0;
    int m_inaccessibleCount = 0;
    QMap<uint16_t, uint16_t> m_productByVendor;
    QVariantMap m_secondData;
};
