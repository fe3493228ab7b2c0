// Checked narrowing of protocol numbers.
#include "util/numbers.h"

#include <QtTest>

class NumbersTest : public QObject {
    Q_OBJECT

private slots:
    void checkUint8Bounds()
    {
        QCOMPARE(checkUint8(255), uint8_t(255));
        QCOMPARE(checkUint8(0), uint8_t(0));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("Value out of range for uint8_t     value:  256"));
        QCOMPARE(checkUint8(256), uint8_t(0));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("Value out of range for uint8_t"));
        QCOMPARE(checkUint8(unsigned(-1)), uint8_t(0));
    }

    void checkUint16Bounds()
    {
        QCOMPARE(checkUint16(65535), uint16_t(65535));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("Value out of range for uint16_t     value:  65536"));
        QCOMPARE(checkUint16(65536), uint16_t(0));
    }

    void splitAndJoin()
    {
        uint8_t high = 9, low = 9;
        splitUint16ToBytes(26000, high, low);
        QCOMPARE(high, uint8_t(0x65));
        QCOMPARE(low, uint8_t(0x90));
        QCOMPARE(bytesToUint16(high, low), uint16_t(26000));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("Value out of range for uint16_t     value:  70000"));
        splitUint16ToBytes(70000, high, low);
        QCOMPARE(high, uint8_t(0));
        QCOMPARE(low, uint8_t(0));
    }

    void bigEndianWriter()
    {
        uint8_t buffer[2] = {1, 1};
        writeUint16BigEndian(buffer, 0x1234);
        QCOMPARE(buffer[0], uint8_t(0x12));
        QCOMPARE(buffer[1], uint8_t(0x34));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("Value out of range for uint16_t value: 65536"));
        writeUint16BigEndian(buffer, 65536);
        QCOMPARE(buffer[0], uint8_t(0));
        QCOMPARE(buffer[1], uint8_t(0));
    }

    void hexReportHasTwoUpperCaseDigitsAndABlankPerByte()
    {
        const uint8_t bytes[] = {0x00, 0x40, 0x0A, 0xff};
        QCOMPARE(hexReportText(bytes, 4), QString("00 40 0A FF "));
    }

    void variantListKeepsOrder()
    {
        const unsigned values[] = {3, 1, 2};
        QCOMPARE(uintArrayToVariantList(values, 3), (QVariantList{3u, 1u, 2u}));
    }
};

QTEST_GUILESS_MAIN(NumbersTest)
#include "test_numbers.moc"
