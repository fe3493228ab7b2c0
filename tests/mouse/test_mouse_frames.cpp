// The output reports of the mouse commands, byte for byte.
#include "devices/mouse/mouse_frames.h"

#include <QtTest>

#include <limits>

using namespace mouse;

namespace {

// The report with the frame placed behind the offset, all other bytes zero.
HidReport expected(int offset, std::initializer_list<std::pair<int, uint8_t>> frameBytes)
{
    HidReport report{};
    for (const auto& [index, value] : frameBytes)
        report[size_t(offset + index)] = value;
    return report;
}

QByteArray hex(const HidReport& report)
{
    return QByteArray(reinterpret_cast<const char*>(report.data()), int(report.size())).toHex(' ');
}

} // namespace

class TestMouseFrames : public QObject {
    Q_OBJECT
private slots:
    void selectProfileBehindReportIdAndOverBluetooth()
    {
        HidReport receiver{};
        const uint8_t receiverHead[] = {0x00, 0x40, 0x03, 0x01, 0x00, 0x03};
        std::copy(std::begin(receiverHead), std::end(receiverHead), receiver.begin());
        QCOMPARE(hex(buildOneByteSet(framingFor(0x5036), 0x03, 3)), hex(receiver));
        QCOMPARE(hex(buildOneByteSet(framingFor(0x5038), 0x03, 3)), hex(receiver));

        HidReport bluetooth{};
        const uint8_t bluetoothHead[] = {0x40, 0x03, 0x01, 0x00, 0x03};
        std::copy(std::begin(bluetoothHead), std::end(bluetoothHead), bluetooth.begin());
        QCOMPARE(hex(buildOneByteSet(framingFor(0x5039), 0x03, 3)), hex(bluetooth));
    }

    void updateModesAndUnknownIdsHaveNoFraming()
    {
        QCOMPARE(framingFor(0x5037), Framing::None);
        QCOMPARE(framingFor(0x0021), Framing::None);
        QCOMPARE(framingFor(0x1234), Framing::None);
        QCOMPARE(hex(buildReadMouseInformation(Framing::None)), hex(HidReport{}));
        QCOMPARE(hex(buildSave(Framing::None, {1, 0, 0, 0, 0})), hex(HidReport{}));
    }

    void readMouseInformationCarriesItsFixedPayload()
    {
        QCOMPARE(hex(buildReadMouseInformation(Framing::ReportId)),
                 hex(expected(1, {{0, 0xC0}, {1, 0x06}, {2, 0x04}, {4, 0x06}, {5, 0x01}, {6, 0x05}, {7, 0x05}})));
        QCOMPARE(hex(buildGetRequest(Framing::Bluetooth, 0x83, 0x3C)),
                 hex(expected(0, {{0, 0xC0}, {1, 0x83}, {2, 0x3C}})));
    }

    void directColourOfLedOneAndLedThirteen()
    {
        for (Framing framing : {Framing::ReportId, Framing::Bluetooth}) {
            const int o = frameOffset(framing);
            QCOMPARE(hex(*buildDirectColor(framing, 1, 7, {10, 20, 30})),
                     hex(expected(o, {{0, 0x40}, {1, 0x1E}, {2, 0x28}, {4, 7}, {5, 10}, {6, 20}, {7, 30}})));
            QCOMPARE(hex(*buildDirectColor(framing, 13, 7, {10, 20, 30})),
                     hex(expected(o, {{0, 0x40}, {1, 0x1E}, {2, 0x28}, {4, 7}, {41, 10}, {42, 20}, {43, 30}})));
        }
    }

    void ledIndexMustFitBehindTheBrightnessByte()
    {
        QVERIFY(!buildDirectColor(Framing::ReportId, 0, 1, {1, 2, 3}));
        QVERIFY(buildDirectColor(Framing::ReportId, 19, 1, {1, 2, 3}));
        QVERIFY(!buildDirectColor(Framing::ReportId, 20, 1, {1, 2, 3}));
        QVERIFY(buildDirectColor(Framing::Bluetooth, 20, 1, {1, 2, 3}));
        QVERIFY(!buildDirectColor(Framing::Bluetooth, 21, 1, {1, 2, 3}));
        // Over Bluetooth the last LED ends on the report's last byte; behind a report id the
        // next LED would need two bytes more than are left.
        QCOMPARE(buildDirectColor(Framing::ReportId, 19, 1, {1, 2, 3})->at(62), uint8_t(3));
        QCOMPARE(buildDirectColor(Framing::Bluetooth, 20, 1, {1, 2, 3})->at(64), uint8_t(3));
    }

    void lightingAreaMustFitInTheReport()
    {
        QVERIFY(!buildArgbOneArea(Framing::ReportId, 0, 8, 1, 128, 4, {1, 2, 3}));
        QVERIFY(buildArgbOneArea(Framing::ReportId, 9, 8, 1, 128, 4, {1, 2, 3}));
        QVERIFY(!buildArgbOneArea(Framing::ReportId, 10, 8, 1, 128, 4, {1, 2, 3}));
        QVERIFY(buildArgbOneArea(Framing::Bluetooth, 10, 8, 1, 128, 4, {1, 2, 3}));
        QVERIFY(!buildArgbOneArea(Framing::Bluetooth, 11, 8, 1, 128, 4, {1, 2, 3}));
    }

    void garbledIndicesFromACommandNeverReachTheReport_data()
    {
        // Numbers whose byte position (3i + 2, 6k - 1) wraps around in int arithmetic and
        // would land back inside the report's bounds check.
        QTest::addColumn<int>("index");
        QTest::newRow("largest int") << std::numeric_limits<int>::max();
        QTest::newRow("area position wrapping to just below the largest int") << 1789569706;
        QTest::newRow("LED position wrapping to a small number") << 1431655765;
        QTest::newRow("smallest int") << std::numeric_limits<int>::min();
    }
    void garbledIndicesFromACommandNeverReachTheReport()
    {
        QFETCH(int, index);
        for (Framing framing : {Framing::ReportId, Framing::Bluetooth}) {
            QVERIFY(!buildDirectColor(framing, index, 1, {1, 2, 3}));
            QVERIFY(!buildArgbOneArea(framing, index, 8, 1, 128, 4, {1, 2, 3}));
        }
        QVERIFY(!frameFits(Framing::ReportId, std::numeric_limits<int>::max(), 3));
        QVERIFY(!frameFits(Framing::Bluetooth, std::numeric_limits<int>::max() - 2, 6));
    }

    void oneAreaLeavesTheOtherAreasZeroAndSendsLength18()
    {
        QCOMPARE(hex(*buildArgbOneArea(Framing::Bluetooth, 2, 8, 5, 128, 3, {9, 8, 7})),
                 hex(expected(0, {{0, 0x40}, {1, 0x15}, {2, 0x12}, {4, 8},
                                  {11, 5}, {12, 128}, {13, 3}, {14, 9}, {15, 8}, {16, 7}})));
    }

    void allAreasCarryTheSameBlockAndLength19()
    {
        const HidReport report = *buildArgbAllAreas(Framing::ReportId, 100, 2, 128, 3, {255, 0, 0});
        QCOMPARE(hex(report), hex(expected(1, {{0, 0x40}, {1, 0x15}, {2, 0x13}, {4, 100},
                                               {5, 2}, {6, 128}, {7, 3}, {8, 255},
                                               {11, 2}, {12, 128}, {13, 3}, {14, 255},
                                               {17, 2}, {18, 128}, {19, 3}, {20, 255}})));
        // "Ripple" at brightness 8, speed 2, red.
        const HidReport ripple = *buildArgbAllAreas(Framing::Bluetooth, 8, 4, 129, 2, {255, 0, 0});
        for (int start : {5, 11, 17}) {
            QCOMPARE(ripple[size_t(start)], uint8_t(4));
            QCOMPARE(ripple[size_t(start + 1)], uint8_t(129));
            QCOMPARE(ripple[size_t(start + 2)], uint8_t(2));
            QCOMPARE(ripple[size_t(start + 3)], uint8_t(255));
        }
    }

    void macroChunkFillsTheReportExactlyBehindAReportId()
    {
        std::array<uint8_t, 60> data{};
        for (int i = 0; i < 60; ++i)
            data[size_t(i)] = uint8_t(0xA0 + i);
        const HidReport report = buildMacroChunk(Framing::ReportId, 31, 0x3C, 2, data);
        QCOMPARE(report[0], uint8_t(0x00));
        QCOMPARE(report[1], uint8_t(0x40));
        QCOMPARE(report[2], uint8_t(31));
        QCOMPARE(report[3], uint8_t(0x3C));
        QCOMPARE(report[4], uint8_t(2));
        for (int i = 0; i < 60; ++i)
            QCOMPARE(report[size_t(5 + i)], data[size_t(i)]);

        const HidReport bluetooth = buildMacroChunk(Framing::Bluetooth, 31, 0x3C, 2, data);
        QCOMPARE(bluetooth[63], data[59]);
        QCOMPARE(bluetooth[64], uint8_t(0));
    }

    void dpiTableSendsLowBytesOfEachValue()
    {
        DpiStageResolutions xy{};
        DpiStageColours rgb{};
        for (int s = 0; s < 5; ++s) {
            // X = 0x0320 (800) + s, Y = 0x0640 (1600), given as low/high pairs of 16-bit values.
            xy[size_t(s)] = {uint16_t(0x20 + s), 0x03, 0x40, 0x06};
            rgb[size_t(s)] = {uint8_t(s), uint8_t(10 + s), uint8_t(20 + s)};
        }
        xy[4][0] = 0x1FF; // only the low byte travels
        const HidReport report = buildDpiStatus(Framing::Bluetooth, 5, 2, 1, xy, rgb);
        QCOMPARE(report[0], uint8_t(0x40));
        QCOMPARE(report[1], uint8_t(0x06));
        QCOMPARE(report[2], uint8_t(0x25));
        QCOMPARE(report[3], uint8_t(5));
        QCOMPARE(report[4], uint8_t(2));
        QCOMPARE(report[5], uint8_t(1));
        QCOMPARE(report[6], uint8_t(0x20));
        QCOMPARE(report[7], uint8_t(0x03));
        QCOMPARE(report[8], uint8_t(0x40));
        QCOMPARE(report[9], uint8_t(0x06));
        QCOMPARE(report[22], uint8_t(0xFF));
        QCOMPARE(report[26], uint8_t(0));
        QCOMPARE(report[27], uint8_t(10));
        QCOMPARE(report[40], uint8_t(24));
        QCOMPARE(report[41], uint8_t(0));

        const HidReport level = buildDpiLevel(Framing::ReportId, 4, 3);
        QCOMPARE(hex(level), hex(expected(1, {{0, 0x40}, {1, 0x06}, {2, 0x25}, {3, 4}, {4, 3}})));
    }

    void buttonRecordSkipsPayloadPositionsTwoAndThree()
    {
        // A button set to DPI cycle; a keyboard re-definition (target 1, modifier, key).
        QCOMPARE(hex(buildProfileButtons(Framing::Bluetooth, {6, 66, 0, 0, 0})),
                 hex(expected(0, {{0, 0x40}, {1, 0x1A}, {2, 0x07}, {4, 6}, {5, 66}})));
        QCOMPARE(hex(buildProfileButtons(Framing::ReportId, {4, 64, 1, 0xE0, 0x06})),
                 hex(expected(1, {{0, 0x40}, {1, 0x1A}, {2, 0x07}, {4, 4}, {5, 64}, {8, 1}, {9, 0xE0}, {10, 0x06}})));
    }

    void saveAndProfileDefaultFrames()
    {
        QCOMPARE(hex(buildSave(Framing::ReportId, {1, 0, 1, 0, 0})),
                 hex(expected(1, {{0, 0x40}, {1, 0x60}, {2, 0x07}, {4, 0x40}, {5, 0x38}, {6, 1}, {8, 1}})));
        const HidReport reset = buildProfileDefault(Framing::Bluetooth, 4);
        QCOMPARE(reset[1], uint8_t(0x62));
        QCOMPARE(reset[2], uint8_t(0x08));
        QCOMPARE(reset[3], uint8_t(4));
        QVERIFY(std::any_of(reset.begin() + 4, reset.begin() + 12, [](uint8_t b) { return b != 0; }));
        QVERIFY(std::all_of(reset.begin() + 12, reset.end(), [](uint8_t b) { return b == 0; }));
    }

    void serialNumberCopyStopsAtTheEndOfTheReport()
    {
        const QByteArray longSerial(100, 'S');
        const HidReport receiver = buildSerialNumberSet(Framing::ReportId, 100, longSerial);
        QCOMPARE(receiver[3], uint8_t(100));
        QCOMPARE(receiver[64], uint8_t('S'));
        QCOMPARE(int(std::count(receiver.begin(), receiver.end(), uint8_t('S'))), 60);
        const HidReport bluetooth = buildSerialNumberSet(Framing::Bluetooth, 100, longSerial);
        QCOMPARE(int(std::count(bluetooth.begin(), bluetooth.end(), uint8_t('S'))), 61);
        // A length longer than the data given copies only the data.
        const HidReport shortData = buildSerialNumberSet(Framing::Bluetooth, 50, "AB");
        QCOMPARE(int(std::count(shortData.begin() + 4, shortData.end(), uint8_t(0))), 59);
    }
};

QTEST_APPLESS_MAIN(TestMouseFrames)
#include "test_mouse_frames.moc"
