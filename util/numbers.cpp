#include "util/numbers.h"

#include <QDebug>
#include <QString>

void splitUint16ToBytes(unsigned value, uint8_t& high, uint8_t& low)
{
    if (value > 0xFFFF) {
        high = 0;
        low = 0;
        qDebug() << "Value out of range for uint16_t     value: " << value;
        return;
    }
    high = uint8_t(value >> 8);
    low = uint8_t(value & 0xFF);
}

void writeUint16BigEndian(uint8_t buffer[2], unsigned value)
{
    if (value > 0xFFFF) {
        buffer[0] = 0;
        buffer[1] = 0;
        qDebug() << "Value out of range for uint16_t value:" << value;
        return;
    }
    buffer[0] = uint8_t(value >> 8);
    buffer[1] = uint8_t(value & 0xFF);
}

uint16_t checkUint16(unsigned value)
{
    if (value > 0xFFFF) {
        qDebug() << "Value out of range for uint16_t     value: " << value;
        return 0;
    }
    return uint16_t(value);
}

uint8_t checkUint8(unsigned value)
{
    if (value > 0xFF) {
        qDebug() << "Value out of range for uint8_t     value: " << value;
        return 0;
    }
    return uint8_t(value);
}

uint16_t bytesToUint16(uint8_t high, uint8_t low)
{
    return uint16_t(((high & 0xFF) << 8) | (low & 0xFF));
}

QVariantList uintArrayToVariantList(const unsigned* values, int count)
{
    QVariantList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list.append(values[i]);
    return list;
}

QString hexReportText(const uint8_t* bytes, int count)
{
    QString text;
    text.reserve(count * 3);
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("%1 ").arg(bytes[i], 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

void printHexReport(const uint8_t* report, int count)
{
    qDebug().noquote() << hexReportText(report, count);
}

void printWString(const std::wstring& text)
{
    qDebug() << QString::fromStdWString(text);
}
