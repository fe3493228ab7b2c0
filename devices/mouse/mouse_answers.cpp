#include "devices/mouse/mouse_answers.h"

#include "devices/mouse/key_tables.h"
#include "devices/mouse/mouse_protocol.h"

namespace mouse {

namespace {

uint16_t answerUint16(const QByteArray& answer, int index)
{
    return uint16_t(answerByte(answer, index) | (answerByte(answer, index + 1) << 8));
}

} // namespace

uint8_t answerByte(const QByteArray& answer, int index)
{
    return index >= 0 && index < answer.size() ? uint8_t(answer.at(index)) : 0;
}

bool isAcknowledged(const HidAnswer& answer, uint8_t command)
{
    return answer.length > 5 && answerByte(answer.bytes, 1) == command && answerByte(answer.bytes, 5) == kAck;
}

bool hasAckMarker(const HidAnswer& answer)
{
    return answer.length > 5 && answerByte(answer.bytes, 5) == kAck;
}

bool modelNameMatches(const HidAnswer& answer)
{
    const QByteArray& a = answer.bytes;
    return answer.length > 19 && answerByte(a, 0) == kGet && answerByte(a, 1) == cmd::ModelName
        && answerByte(a, 2) == 0x3C && answerByte(a, 5) != 0xFA && answerByte(a, 4) != 0xFF;
}

QString decodeModelName(const QByteArray& answer, const KeyTables& keys)
{
    QString name;
    for (int i = 5; i < answer.size(); ++i)
        name += keys.characterOf(answerByte(answer, i));
    return name;
}

QString colourName(uint8_t code)
{
    switch (code) {
    case 1: return QStringLiteral("Black");
    case 2: return QStringLiteral("White");
    default: return QStringLiteral("Unknown");
    }
}

std::optional<QString> mcuUuidText(const QByteArray& answer)
{
    if (answerByte(answer, 1) != cmd::McuUuid || answerByte(answer, 2) != 0x10)
        return std::nullopt;
    QString text;
    for (int i = 4; i <= 19; ++i)
        text += QStringLiteral("%1").arg(answerByte(answer, i), 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

bool isMouseInformation(const QByteArray& answer)
{
    return answerByte(answer, 0) == kGet && answerByte(answer, 1) == cmd::MouseInformation
        && answerByte(answer, 2) == 0x30 && answerByte(answer, 5) != 0xFA;
}

MouseInformation parseMouseInformation(const QByteArray& answer)
{
    MouseInformation info;
    info.firmware = answerUint16(answer, 4);
    info.dpiQuantity = answerByte(answer, 6);
    info.profile = answerByte(answer, 8);
    info.wiredRateCode = answerByte(answer, 9);
    info.wirelessRateCode = answerByte(answer, 10);
    info.snap = answerByte(answer, 11);
    info.liftOff = answerByte(answer, 12);
    info.dpiStage = answerByte(answer, 13);
    for (int s = 0; s < 5; ++s) {
        const int at = 14 + 7 * s;
        DpiStage& stage = info.stages[size_t(s)];
        stage.x = answerUint16(answer, at);
        stage.y = answerUint16(answer, at + 2);
        stage.red = answerByte(answer, at + 4);
        stage.green = answerByte(answer, at + 5);
        stage.blue = answerByte(answer, at + 6);
    }
    return info;
}

int wiredReportRate(uint8_t code)
{
    switch (code) {
    case 1: return 8000;
    case 2: return 4000;
    case 4: return 2000;
    default: return wirelessReportRate(code);
    }
}

int wirelessReportRate(uint8_t code)
{
    switch (code) {
    case 8: return 1000;
    case 16: return 500;
    case 32: return 250;
    default: return 0;
    }
}

bool isBatteryAnswer(const QByteArray& answer)
{
    return answerByte(answer, 0) == kGet && answerByte(answer, 1) == cmd::Battery && answerByte(answer, 2) == 0x09;
}

QString serialNumberText(const QByteArray& answer)
{
    QByteArray text;
    for (int i = 5; i < answer.size() && answer.at(i) != '\0'; ++i)
        text += answer.at(i);
    return QString::fromLatin1(text);
}

QString connectionName(uint16_t productId)
{
    switch (productId) {
    case kReceiver: return QStringLiteral("2.4G");
    case kUpdateDongle: return QStringLiteral("Update Dongle FW");
    case kCable: return QStringLiteral("USB");
    case kBluetooth: return QStringLiteral("Bluetooth");
    case kUpdateMouse: return QStringLiteral("Update Mouse FW");
    default: return QString();
    }
}

QString busTypeName(int busType)
{
    switch (busType) {
    case 1: return QStringLiteral("USB");
    case 2: return QStringLiteral("Bluetooth");
    case 3: return QStringLiteral("I2C");
    case 4: return QStringLiteral("SPI");
    default: return QStringLiteral("Unknown");
    }
}

QString hex4(uint16_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace mouse
