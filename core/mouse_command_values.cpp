#include "core/mouse_command_values.h"

#include "bridge/map_reading.h"
#include "util/numbers.h"

namespace mousecmd {

namespace {

constexpr uint8_t kFunctionRedefined = 64;
constexpr uint8_t kFunctionProfileCycle = 65;
constexpr uint8_t kFunctionDpiCycle = 66;
constexpr uint8_t kFunctionDefault = 255;
constexpr uint8_t kTargetHostAction = 2;
constexpr int kLastButton = 9;

bool isButtonFunction(uint8_t function)
{
    return function <= kLastMacroKey || function == kFunctionRedefined || function == kFunctionProfileCycle
        || function == kFunctionDpiCycle || function == kFunctionDefault;
}

// Stage resolution as Set_DPI_Status takes it: X low, X high, Y low, Y high.
std::array<uint16_t, 4> stageResolution(const QVariantMap& command, int stage)
{
    uint8_t xHigh = 0;
    uint8_t xLow = 0;
    uint8_t yHigh = 0;
    uint8_t yLow = 0;
    const QString prefix = QStringLiteral("DPI%1_").arg(stage);
    splitUint16ToBytes(unsigned(readInt(command, prefix + QStringLiteral("X"))), xHigh, xLow);
    splitUint16ToBytes(unsigned(readInt(command, prefix + QStringLiteral("Y"))), yHigh, yLow);
    return {xLow, xHigh, yLow, yHigh};
}

mouse::Rgb stageColour(const QVariantMap& command, int stage)
{
    const QString prefix = QStringLiteral("DPI%1_LED_").arg(stage);
    return {byteOf(command, prefix + QStringLiteral("R")), byteOf(command, prefix + QStringLiteral("G")),
            byteOf(command, prefix + QStringLiteral("B"))};
}

} // namespace

bool isMouseProfile(int profile)
{
    return profile >= kFirstProfile && profile <= kLastProfile;
}

uint8_t byteOf(const QVariantMap& command, const QString& key)
{
    return checkUint8(unsigned(readInt(command, key)));
}

ButtonRecord buttonRecordFrom(const QVariantMap& command)
{
    return {byteOf(command, QStringLiteral("profileButtonsData0")), byteOf(command, QStringLiteral("profileButtonsData1")),
            byteOf(command, QStringLiteral("profileButtonsData4")), byteOf(command, QStringLiteral("profileButtonsData5")),
            byteOf(command, QStringLiteral("profileButtonsData6"))};
}

bool isValidButtonRecord(const ButtonRecord& record)
{
    return record[0] >= 1 && record[0] <= kLastButton && isButtonFunction(record[1]);
}

ButtonRecord launchRecord(uint8_t button, uint8_t launch)
{
    return {button, kFunctionRedefined, kTargetHostAction, launch, 0};
}

DpiSettings dpiSettingsFrom(const QVariantMap& command)
{
    DpiSettings dpi;
    dpi.quantity = byteOf(command, QStringLiteral("DPI_Quantity"));
    dpi.level = byteOf(command, QStringLiteral("DPI_Level"));
    dpi.update = byteOf(command, QStringLiteral("Update_DPI"));
    for (int s = 0; s < 5; ++s) {
        dpi.resolutions[size_t(s)] = stageResolution(command, s + 1);
        dpi.colours[size_t(s)] = stageColour(command, s + 1);
    }
    return dpi;
}

QVariantMap factoryPerformanceSettings()
{
    static const int resolutions[5] = {400, 800, 1600, 3200, 6400};
    static const int colours[5][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {255, 0, 255}};
    QVariantMap settings{{QStringLiteral("DPI_Quantity"), 5}, {QStringLiteral("DPI_Level"), 1},
                         {QStringLiteral("Update_DPI"), 1}, {QStringLiteral("usb_typeID"), 8},
                         {QStringLiteral("wifi_typeID"), 8}, {QStringLiteral("LOD"), 2}};
    for (int s = 0; s < 5; ++s) {
        const QString stage = QStringLiteral("DPI%1_").arg(s + 1);
        settings.insert(stage + QStringLiteral("X"), resolutions[s]);
        settings.insert(stage + QStringLiteral("Y"), resolutions[s]);
        settings.insert(stage + QStringLiteral("LED_R"), colours[s][0]);
        settings.insert(stage + QStringLiteral("LED_G"), colours[s][1]);
        settings.insert(stage + QStringLiteral("LED_B"), colours[s][2]);
    }
    return settings;
}

bool isValidDpiSelection(uint8_t quantity, uint8_t level)
{
    return quantity >= 1 && quantity <= 5 && level < quantity;
}

LightingValues lightingFrom(const QVariantMap& command)
{
    LightingValues v;
    v.brightness = byteOf(command, QStringLiteral("brightness"));
    v.mode = byteOf(command, QStringLiteral("ARGB_mode"));
    v.function = byteOf(command, QStringLiteral("ARGB_function"));
    v.cycleTime = byteOf(command, QStringLiteral("ARGB_cycleTime"));
    v.colour = {byteOf(command, QStringLiteral("R_Color")), byteOf(command, QStringLiteral("G_Color")),
                byteOf(command, QStringLiteral("B_Color"))};
    return v;
}

std::optional<uint8_t> macroKeyFor(int macroF)
{
    // Checked before the offset is added: a huge macro_F would wrap the sum around to the id
    // of another command.
    if (macroF < 0 || macroF > kLastMacroKey - kMacroKeyOffset)
        return std::nullopt;
    return uint8_t(macroF + kMacroKeyOffset);
}

} // namespace mousecmd
