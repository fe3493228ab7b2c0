// Reading the mouse's answers, the key tables and the battery thresholds.
#include "devices/mouse/battery_settings.h"
#include "devices/mouse/key_tables.h"
#include "devices/mouse/mouse_answers.h"

#include <QtTest>

using namespace mouse;

namespace {

HidAnswer answerOf(std::initializer_list<std::pair<int, uint8_t>> bytes, int length = 64)
{
    HidAnswer answer;
    for (const auto& [index, value] : bytes)
        answer.bytes[index] = char(value);
    answer.length = length;
    return answer;
}

} // namespace

class TestMouseAnswers : public QObject {
    Q_OBJECT
private slots:
    void setCommandAcceptance()
    {
        QVERIFY(isAcknowledged(answerOf({{0, 0x40}, {1, 0x03}, {5, 0xAC}}), 0x03));
        // 0xAC at byte 5 but byte 1 echoing another command: not an acknowledgement of ours,
        // though the commands that look at byte 5 alone take it.
        const HidAnswer otherEcho = answerOf({{0, 0x40}, {1, 0x61}, {5, 0xAC}});
        QVERIFY(!isAcknowledged(otherEcho, 0x60));
        QVERIFY(hasAckMarker(otherEcho));
        QVERIFY(!isAcknowledged(answerOf({{1, 0x03}, {5, 0xFA}}), 0x03));
        // Five bytes are not enough, even when they would match.
        QVERIFY(!isAcknowledged(answerOf({{1, 0x03}, {5, 0xAC}}, 5), 0x03));
        QVERIFY(!hasAckMarker(answerOf({{5, 0xAC}}, 5)));
        QVERIFY(!isAcknowledged(HidAnswer(), 0x00));
    }

    void modelNameMatchingRules()
    {
        const std::initializer_list<std::pair<int, uint8_t>> good = {{0, 0xC0}, {1, 0x83}, {2, 0x3C}, {4, 1}, {5, 'R'}};
        QVERIFY(modelNameMatches(answerOf(good)));
        QVERIFY(modelNameMatches(answerOf(good, 20)));
        QVERIFY(!modelNameMatches(answerOf(good, 19)));
        QVERIFY(!modelNameMatches(answerOf({{0, 0xC0}, {1, 0x83}, {2, 0x3C}, {5, 0xFA}})));
        QVERIFY(!modelNameMatches(answerOf({{0, 0xC0}, {1, 0x83}, {2, 0x3C}, {4, 0xFF}})));
        QVERIFY(!modelNameMatches(answerOf({{0, 0x40}, {1, 0x83}, {2, 0x3C}})));
        QVERIFY(!modelNameMatches(answerOf({{0, 0xC0}, {1, 0x82}, {2, 0x3C}})));
        QVERIFY(!modelNameMatches(answerOf({{0, 0xC0}, {1, 0x83}, {2, 0x10}})));
    }

    void modelNameDropsBytesWithoutACharacter()
    {
        KeyTables keys;
        const HidAnswer rm = answerOf({{0, 0xC0}, {1, 0x83}, {2, 0x3C}, {4, 2}, {5, 'R'}, {6, 'M'}, {7, 0x00}, {8, 0x01}});
        QCOMPARE(decodeModelName(rm.bytes, keys), QStringLiteral("RM"));
        const HidAnswer odd = answerOf({{5, 'A'}, {6, 0x7F}, {7, 0xC8}, {8, '~'}, {9, ' '}, {10, 'z'}});
        QCOMPARE(decodeModelName(odd.bytes, keys), QStringLiteral("A~ z"));
        QCOMPARE(colourName(1), QStringLiteral("Black"));
        QCOMPARE(colourName(2), QStringLiteral("White"));
        QCOMPARE(colourName(0), QStringLiteral("Unknown"));
        QCOMPARE(colourName(3), QStringLiteral("Unknown"));
    }

    void mcuUuidNeedsItsHeader()
    {
        HidAnswer answer = answerOf({{0, 0xC0}, {1, 0x82}, {2, 0x10}});
        for (int i = 0; i < 16; ++i)
            answer.bytes[4 + i] = char(i * 17);
        QCOMPARE(mcuUuidText(answer.bytes).value_or(QString()), QStringLiteral("00112233445566778899AABBCCDDEEFF"));
        answer.bytes[2] = 0x0F;
        QVERIFY(!mcuUuidText(answer.bytes));
        QVERIFY(!mcuUuidText(HidAnswer().bytes));
    }

    void mouseInformationRecord()
    {
        // A recorded answer: firmware 0x0107, five stages, profile 3, 1000/500 Hz, stage 2.
        const QByteArray recorded = QByteArray::fromHex(
            "c00630000701050003081001020290019001ff00002003200300ff004006400600ff00800c800cffff00"
            "00197d7dff00ff000000000000000000000000000000");
        QVERIFY(isMouseInformation(recorded));
        const MouseInformation info = parseMouseInformation(recorded);
        QCOMPARE(info.firmware, uint16_t(0x0107));
        QCOMPARE(info.dpiQuantity, uint8_t(5));
        QCOMPARE(info.profile, uint8_t(3));
        QCOMPARE(wiredReportRate(info.wiredRateCode), 1000);
        QCOMPARE(wirelessReportRate(info.wirelessRateCode), 500);
        QCOMPARE(info.snap, uint8_t(1));
        QCOMPARE(info.liftOff, uint8_t(2));
        QCOMPARE(info.dpiStage, uint8_t(2));
        QCOMPARE(info.stages[0].x, uint16_t(400));
        QCOMPARE(info.stages[0].y, uint16_t(400));
        QCOMPARE(info.stages[0].red, uint8_t(255));
        QCOMPARE(info.stages[2].x, uint16_t(1600));
        QCOMPARE(info.stages[2].green, uint8_t(255));
        QCOMPARE(info.stages[4].x, uint16_t(0x1900));
        QCOMPARE(info.stages[4].y, uint16_t(0x7D7D));

        QByteArray busy = recorded;
        busy[5] = char(0xFA);
        QVERIFY(!isMouseInformation(busy));
        QVERIFY(!isMouseInformation(QByteArray(64, '\0')));
        // A short answer reads as zeros past its end, never past the array.
        QCOMPARE(parseMouseInformation(recorded.left(10)).stages[4].x, uint16_t(0));
    }

    void reportRateCodes()
    {
        const QList<QPair<int, int>> wired = {{1, 8000}, {2, 4000}, {4, 2000}, {8, 1000}, {16, 500}, {32, 250}, {3, 0}, {0, 0}, {64, 0}};
        for (const auto& [code, rate] : wired)
            QCOMPARE(wiredReportRate(uint8_t(code)), rate);
        const QList<QPair<int, int>> wireless = {{8, 1000}, {16, 500}, {32, 250}, {1, 0}, {2, 0}, {4, 0}, {3, 0}};
        for (const auto& [code, rate] : wireless)
            QCOMPARE(wirelessReportRate(uint8_t(code)), rate);
    }

    void serialAndNames()
    {
        const HidAnswer serial = answerOf({{4, 4}, {5, 'S'}, {6, 'N'}, {7, 0xE9}, {8, 0}, {9, 'X'}});
        QCOMPARE(serialNumberText(serial.bytes), QString::fromLatin1("SN\xE9"));
        QCOMPARE(serialNumberText(QByteArray(64, '\0')), QString());
        QCOMPARE(connectionName(0x5036), QStringLiteral("2.4G"));
        QCOMPARE(connectionName(0x5037), QStringLiteral("Update Dongle FW"));
        QCOMPARE(connectionName(0x5038), QStringLiteral("USB"));
        QCOMPARE(connectionName(0x5039), QStringLiteral("Bluetooth"));
        QCOMPARE(connectionName(0x0021), QStringLiteral("Update Mouse FW"));
        QCOMPARE(connectionName(0x5040), QString());
        QCOMPARE(busTypeName(0), QStringLiteral("Unknown"));
        QCOMPARE(busTypeName(2), QStringLiteral("Bluetooth"));
        QCOMPARE(busTypeName(4), QStringLiteral("SPI"));
        QCOMPARE(busTypeName(5), QStringLiteral("Unknown"));
        QCOMPARE(busTypeName(-1), QStringLiteral("Unknown"));
        QCOMPARE(hex4(0x2DBF), QStringLiteral("2DBF"));
        QCOMPARE(hex4(0x21), QStringLiteral("0021"));
    }

    void keyTables()
    {
        KeyTables keys;
        QCOMPARE(keys.usageIdOf("A"), 4);
        QCOMPARE(keys.usageIdOf("Z"), 29);
        QCOMPARE(keys.usageIdOf("1"), 30);
        QCOMPARE(keys.usageIdOf("9"), 38);
        QCOMPARE(keys.usageIdOf("0"), 39);
        QCOMPARE(keys.usageIdOf("Enter"), 40);
        QCOMPARE(keys.usageIdOf("Space"), 44);
        QCOMPARE(keys.usageIdOf("CapsLock"), 57);
        QCOMPARE(keys.usageIdOf("F1"), 58);
        QCOMPARE(keys.usageIdOf("F12"), 69);
        QCOMPARE(keys.usageIdOf("Right"), 79);
        QCOMPARE(keys.usageIdOf("Up"), 82);
        QCOMPARE(keys.usageIdOf("Alt"), 226);
        QCOMPARE(keys.usageIdOf("a"), 0);
        QCOMPARE(keys.usageIdOf("NoSuchKey"), 0);
        // Every name the keyboard hook can record has a usage id.
        const QStringList recorded = {"Backspace", "Tab", "Esc", "Left", "Down", "*", "+", "-", ".", "/", ";", "=",
                                      ",", "`", "[", "\\", "]", "'", "Shift", "Ctrl"};
        for (const QString& name : recorded)
            QVERIFY2(keys.usageIdOf(name) > 0, qPrintable(name));
        QCOMPARE(keys.characterOf(32), QStringLiteral(" "));
        QCOMPARE(keys.characterOf(65), QStringLiteral("A"));
        QCOMPARE(keys.characterOf(126), QStringLiteral("~"));
        QCOMPARE(keys.characterOf(31), QString());
        QCOMPARE(keys.characterOf(127), QString());
    }

    void batteryThresholdsTakeTheFirstQualifyingEntry()
    {
        const auto entry = [](const QVariant& first, const QVariant& second) {
            return QVariantMap{{"BatteryLevel_First", first}, {"BatteryLevel_Second", second}};
        };
        QVERIFY(!qualifyingThresholds({entry(0, 50)}));
        QVERIFY(!qualifyingThresholds({entry(5, 10)}));
        QVERIFY(!qualifyingThresholds({entry("x", 50)}));
        QVERIFY(!qualifyingThresholds({}));
        const auto picked = qualifyingThresholds({entry(0, 50), entry(15, 40), entry(25, 60)});
        QVERIFY(picked);
        QCOMPARE(picked->first, 15);
        QCOMPARE(picked->second, 40);
    }
};

QTEST_APPLESS_MAIN(TestMouseAnswers)
#include "test_mouse_answers.moc"
