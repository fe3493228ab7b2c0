#include "devices/mouse/mouse_frames.h"

namespace mouse {

namespace {

constexpr uint32_t kProfileDefaultKeyLow = 0x55AA0FF0;
constexpr uint32_t kProfileDefaultKeyHigh = 0xA5C35A3C;

// Writes frame bytes into the report at the framing's offset; writes past the report's end
// are refused, and with Framing::None nothing is written at all.
class FrameWriter {
public:
    explicit FrameWriter(Framing framing) : m_framing(framing) {}

    bool put(int frameIndex, uint8_t value)
    {
        if (!frameFits(m_framing, frameIndex, 1))
            return false;
        m_report[size_t(frameOffset(m_framing) + frameIndex)] = value;
        return true;
    }
    void header(uint8_t direction, uint8_t command, uint8_t length, uint8_t parameter)
    {
        put(0, direction);
        put(1, command);
        put(2, length);
        put(3, parameter);
    }
    void putRgb(int frameIndex, const Rgb& colour)
    {
        for (int i = 0; i < 3; ++i)
            put(frameIndex + i, colour[size_t(i)]);
    }
    void putArea(int frameIndex, uint8_t mode, uint8_t function, uint8_t cycleTime, const Rgb& colour)
    {
        put(frameIndex, mode);
        put(frameIndex + 1, function);
        put(frameIndex + 2, cycleTime);
        putRgb(frameIndex + 3, colour);
    }
    const HidReport& report() const { return m_report; }

private:
    Framing m_framing;
    HidReport m_report{};
};

constexpr int kReportSize = int(std::tuple_size<HidReport>::value);

// Areas and LEDs are numbered by the page; a garbled number must be turned away before its
// byte position is computed, or the position wraps around and lands inside the report.
bool isPlausibleSlot(int number)
{
    return number >= 1 && number <= kReportSize;
}

int areaStart(int area)
{
    return 6 * area - 1;
}

int ledStart(int led)
{
    return 3 * led + 2;
}

} // namespace

int frameOffset(Framing framing)
{
    switch (framing) {
    case Framing::ReportId: return 1;
    case Framing::Bluetooth: return 0;
    case Framing::None: break;
    }
    return -1;
}

bool frameFits(Framing framing, int frameIndex, int count)
{
    const int offset = frameOffset(framing);
    // Written so that no sum can overflow, whatever frameIndex is.
    return offset >= 0 && frameIndex >= 0 && count >= 0 && frameIndex <= kReportSize - offset - count;
}

HidReport buildGetRequest(Framing framing, uint8_t command, uint8_t length)
{
    FrameWriter frame(framing);
    frame.header(kGet, command, length, 0);
    return frame.report();
}

HidReport buildOneByteSet(Framing framing, uint8_t command, uint8_t value)
{
    FrameWriter frame(framing);
    frame.header(kSet, command, 0x01, 0);
    frame.put(4, value);
    return frame.report();
}

HidReport buildReadMouseInformation(Framing framing)
{
    FrameWriter frame(framing);
    frame.header(kGet, cmd::MouseInformation, 0x04, 0);
    frame.put(4, 0x06);
    frame.put(5, 0x01);
    frame.put(6, 0x05);
    frame.put(7, 0x05);
    return frame.report();
}

HidReport buildReportRate(Framing framing, uint8_t usbTypeId, uint8_t wifiTypeId)
{
    FrameWriter frame(framing);
    frame.header(kSet, cmd::ReportRate, 0x02, 0);
    frame.put(4, usbTypeId);
    frame.put(5, wifiTypeId);
    return frame.report();
}

HidReport buildDpiLevel(Framing framing, uint8_t quantity, uint8_t stage)
{
    FrameWriter frame(framing);
    frame.header(kSet, cmd::Dpi, 0x25, quantity);
    frame.put(4, stage);
    return frame.report();
}

HidReport buildDpiStatus(Framing framing, uint8_t quantity, uint8_t stage, uint8_t updateDpi,
                         const DpiStageResolutions& resolutions, const DpiStageColours& colours)
{
    FrameWriter frame(framing);
    frame.header(kSet, cmd::Dpi, 0x25, quantity);
    frame.put(4, stage);
    frame.put(5, updateDpi);
    for (int s = 0; s < 5; ++s) {
        for (int i = 0; i < 4; ++i)
            frame.put(6 + 4 * s + i, uint8_t(resolutions[size_t(s)][size_t(i)] & 0xFF));
        frame.putRgb(26 + 3 * s, colours[size_t(s)]);
    }
    return frame.report();
}

std::optional<HidReport> buildArgbOneArea(Framing framing, int area, uint8_t brightness, uint8_t mode,
                                          uint8_t function, uint8_t cycleTime, const Rgb& colour)
{
    if (!isPlausibleSlot(area) || !frameFits(framing, areaStart(area), 6))
        return std::nullopt;
    FrameWriter frame(framing);
    frame.header(kSet, cmd::ArgbFunction, 0x12, 0);
    frame.put(4, brightness);
    frame.putArea(areaStart(area), mode, function, cycleTime, colour);
    return frame.report();
}

std::optional<HidReport> buildArgbAllAreas(Framing framing, uint8_t brightness, uint8_t mode, uint8_t function,
                                           uint8_t cycleTime, const Rgb& colour)
{
    FrameWriter frame(framing);
    frame.header(kSet, cmd::ArgbFunction, 0x13, 0);
    frame.put(4, brightness);
    for (int area = 1; area <= 3; ++area) {
        if (!frameFits(framing, areaStart(area), 6))
            return std::nullopt;
        frame.putArea(areaStart(area), mode, function, cycleTime, colour);
    }
    return frame.report();
}

std::optional<HidReport> buildDirectColor(Framing framing, int ledIndex, uint8_t brightness, const Rgb& colour)
{
    if (!isPlausibleSlot(ledIndex) || !frameFits(framing, ledStart(ledIndex), 3))
        return std::nullopt;
    FrameWriter frame(framing);
    frame.header(kSet, cmd::ArgbDirectColor, 0x28, 0);
    frame.put(4, brightness);
    frame.putRgb(ledStart(ledIndex), colour);
    return frame.report();
}

HidReport buildDirectColorAll(Framing framing, uint8_t brightness, const Rgb& colour)
{
    FrameWriter frame(framing);
    frame.header(kSet, cmd::ArgbDirectColor, 0x28, 0);
    frame.put(4, brightness);
    for (int led = 1; led <= 12; ++led)
        frame.putRgb(ledStart(led), colour);
    return frame.report();
}

HidReport buildProfileButtons(Framing framing, const std::array<uint8_t, 5>& d)
{
    FrameWriter frame(framing);
    frame.header(kSet, cmd::ProfileButtonsSet, 0x07, 0);
    frame.put(4, d[0]);
    frame.put(5, d[1]);
    frame.put(8, d[2]);
    frame.put(9, d[3]);
    frame.put(10, d[4]);
    return frame.report();
}

HidReport buildSave(Framing framing, const std::array<uint8_t, 5>& flags)
{
    FrameWriter frame(framing);
    frame.header(kSet, cmd::Save, 0x07, 0);
    frame.put(4, 0x40);
    frame.put(5, 0x38);
    for (int i = 0; i < 5; ++i)
        frame.put(6 + i, flags[size_t(i)]);
    return frame.report();
}

HidReport buildProfileDefault(Framing framing, uint8_t profile)
{
    FrameWriter frame(framing);
    frame.header(kSet, cmd::ProfileDefault, 0x08, profile);
    for (int i = 0; i < 4; ++i) {
        frame.put(4 + i, uint8_t(kProfileDefaultKeyLow >> (8 * i)));
        frame.put(8 + i, uint8_t(kProfileDefaultKeyHigh >> (8 * i)));
    }
    return frame.report();
}

HidReport buildModelNameSet(Framing framing)
{
    FrameWriter frame(framing);
    frame.header(kSet, cmd::ModelName, 0x3C, 0);
    return frame.report();
}

HidReport buildSerialNumberSet(Framing framing, uint8_t length, const QByteArray& data)
{
    FrameWriter frame(framing);
    frame.header(kSet, cmd::SerialNumber, length, 0);
    const int count = qMin(int(length), data.size());
    for (int i = 0; i < count; ++i) {
        if (!frame.put(4 + i, uint8_t(data.at(i))))
            break;
    }
    return frame.report();
}

HidReport buildMacroChunk(Framing framing, uint8_t macroKey, uint8_t length, uint8_t serialNo,
                          const std::array<uint8_t, 60>& data)
{
    FrameWriter frame(framing);
    frame.header(kSet, macroKey, length, serialNo);
    for (int i = 0; i < 60; ++i)
        frame.put(4 + i, data[size_t(i)]);
    return frame.report();
}

} // namespace mouse
