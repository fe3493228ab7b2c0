#pragma once
// Checked narrowing of numbers on their way into protocol bytes.
#include <QByteArray>
#include <QVariantList>
#include <cstdint>
#include <string>

void splitUint16ToBytes(unsigned value, uint8_t& high, uint8_t& low);
void writeUint16BigEndian(uint8_t buffer[2], unsigned value);
uint16_t checkUint16(unsigned value);
uint8_t checkUint8(unsigned value);
uint16_t bytesToUint16(uint8_t high, uint8_t low);
QVariantList uintArrayToVariantList(const unsigned* values, int count);

// "00 1A FF ..." : every byte as two upper-case hex digits followed by one blank.
QString hexReportText(const uint8_t* bytes, int count);
void printHexReport(const uint8_t* report, int count = 65);
void printWString(const std::wstring& text);
