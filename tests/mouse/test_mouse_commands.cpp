// Every command of the mouse against the firmware simulator, on the receiver, the cable and
// Bluetooth: what the host sends must change the mouse's state, and what it reads back must
// match that state. Then the failure results of the answer checks.
#include "devices/mouse/mouse_answers.h"
#include "log_capture.h"
#include "sim_mouse_fixture.h"

#include <QtTest>

using namespace mouse;

Q_DECLARE_METATYPE(SimLink)

namespace {

std::array<uint8_t, 60> macroChunk(uint8_t seed)
{
    std::array<uint8_t, 60> data{};
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(seed + i);
    return data;
}

QString checkResult(const SimMouseFixture& sim)
{
    return sim.mouse->getData().value("checkResult").toString();
}

} // namespace

class TestMouseCommands : public QObject {
    Q_OBJECT

    void links()
    {
        QTest::addColumn<SimLink>("link");
        QTest::newRow("2.4G receiver") << SimLink::Receiver;
        QTest::newRow("USB cable") << SimLink::Cable;
        QTest::newRow("Bluetooth") << SimLink::Bluetooth;
    }

private slots:
    void profileAndPerformanceSettings_data() { links(); }
    void profileAndPerformanceSettings()
    {
        QFETCH(SimLink, link);
        SimMouseFixture sim(link);
        DEV_MOUSE& m = *sim.mouse;
        QVERIFY(m.Set_SelectProfile(4, sim.devpath()));
        QCOMPARE(checkResult(sim), QStringLiteral("SUCCESS"));
        QVERIFY(m.Set_Report_Rate(2, 16, sim.devpath()));
        QVERIFY(m.Set_Sensor_Snap(1, sim.devpath()));
        QVERIFY(m.Set_LOD_Level(3, sim.devpath()));
        QVERIFY(m.Set_LED_OFF_Delay_Time(7, sim.devpath()));
        QVERIFY(m.Set_ECO_Mode(4, sim.devpath()));
        QVERIFY(m.Set_Dongle_to_Pairing_Mode(1, sim.devpath()));

        const SimFirmwareState state = sim.state();
        QCOMPARE(state.live.mouse.profile, uint8_t(4));
        QCOMPARE(state.live.mouse.wiredRateCode, uint8_t(2));
        QCOMPARE(state.live.mouse.wirelessRateCode, uint8_t(16));
        QCOMPARE(state.live.mouse.snap, uint8_t(1));
        QCOMPARE(state.live.mouse.liftOff, uint8_t(3));
        QCOMPARE(state.pairing, uint8_t(1));

        QCOMPARE(m.Read_LED_OFF_Delay_Time(sim.devpath()), 7);
        QCOMPARE(m.Read_ECO_Mode(sim.devpath()), 4);
        const MouseInformation info = parseMouseInformation(m.Read_Mouse_Information(sim.devpath()));
        QCOMPARE(info.profile, uint8_t(4));
        QCOMPARE(wiredReportRate(info.wiredRateCode), 4000);
        QCOMPARE(wirelessReportRate(info.wirelessRateCode), 500);
        QCOMPARE(info.snap, uint8_t(1));
        QCOMPARE(info.liftOff, uint8_t(3));
        QCOMPARE(info.firmware, state.controllerFirmware);

        // A value the firmware refuses is an ERROR and changes nothing.
        QVERIFY(!m.Set_Report_Rate(3, 8, sim.devpath()));
        QCOMPARE(checkResult(sim), QStringLiteral("ERROR"));
        QVERIFY(!m.Set_SelectProfile(6, sim.devpath()));
        QCOMPARE(sim.state().live.mouse.profile, uint8_t(4));
    }

    void dpiStages_data() { links(); }
    void dpiStages()
    {
        QFETCH(SimLink, link);
        SimMouseFixture sim(link);
        DEV_MOUSE& m = *sim.mouse;
        DpiStageResolutions xy{};
        DpiStageColours rgb{};
        const unsigned resolutions[5] = {500, 1000, 2500, 12000, 26000};
        for (size_t s = 0; s < 5; ++s) {
            xy[s] = {uint16_t(resolutions[s] & 0xFF), uint16_t(resolutions[s] >> 8),
                     uint16_t((resolutions[s] + 100) & 0xFF), uint16_t((resolutions[s] + 100) >> 8)};
            rgb[s] = {uint8_t(10 * s), uint8_t(20 * s), uint8_t(30 * s)};
        }
        QVERIFY(m.Set_DPI_Level(4, 1, sim.devpath()));
        QVERIFY(m.Set_DPI_Status(4, 2, 1, xy, rgb, sim.devpath()));
        const MouseInformation info = parseMouseInformation(m.Read_Mouse_Information(sim.devpath()));
        QCOMPARE(info.dpiQuantity, uint8_t(4));
        QCOMPARE(info.dpiStage, uint8_t(2));
        for (size_t s = 0; s < 5; ++s) {
            QCOMPARE(unsigned(info.stages[s].x), resolutions[s]);
            QCOMPARE(unsigned(info.stages[s].y), resolutions[s] + 100);
            QCOMPARE(info.stages[s].blue, uint8_t(30 * s));
        }
        QVERIFY(m.Set_DPI_Level(4, 3, sim.devpath()));
        QCOMPARE(sim.state().live.mouse.dpiStage, uint8_t(3));
        QCOMPARE(sim.state().live.mouse.stages[4].x, uint16_t(26000));
        // A stage beyond the quantity is refused.
        QVERIFY(!m.Set_DPI_Level(2, 2, sim.devpath()));
    }

    void buttonsOfTheCurrentProfile_data() { links(); }
    void buttonsOfTheCurrentProfile()
    {
        QFETCH(SimLink, link);
        SimMouseFixture sim(link);
        DEV_MOUSE& m = *sim.mouse;
        QVERIFY(m.Set_SelectProfile(2, sim.devpath()));
        QVERIFY(m.Set_CurrentProfileButtons({3, 64, 1, 0xE1, 0x06}, sim.devpath())); // Shift+C
        QVERIFY(m.Set_CurrentProfileButtons({5, 31, 0, 0, 0}, sim.devpath()));       // macro key 31
        QVERIFY(m.Get_CurrentProfileButtons(sim.devpath()));
        QCOMPARE(m.currentProfileButtons()[2], uint8_t(64));
        QCOMPARE(m.currentProfileButtons()[4], uint8_t(31));
        QCOMPARE(m.currentProfileButtons()[0], uint8_t(255));
        QVERIFY(m.Get_CurrentProfileButtons_RedefineKeyInfo(sim.devpath()));
        QCOMPARE(m.redefinedKeyData()[6], uint8_t(1));
        QCOMPARE(m.redefinedKeyData()[7], uint8_t(0xE1));
        QCOMPARE(m.redefinedKeyData()[8], uint8_t(0x06));
        QVERIFY(m.Get_CurrentProfileButtons_MacroKeyInfo(sim.devpath()));
        QCOMPARE(m.getData().value("resultList").toList().value(4).toInt(), 31);
        QCOMPARE(m.getData().value("resultList").toList().value(2).toInt(), 0);
        // Profile 1 kept its own buttons.
        QCOMPARE(sim.state().live.buttons[0].codes[2], uint8_t(255));

        QVERIFY(m.Set_Profile_Default(2, sim.devpath()));
        QVERIFY(m.Get_CurrentProfileButtons(sim.devpath()));
        QCOMPARE(m.currentProfileButtons()[2], uint8_t(255));
        QCOMPARE(sim.state().live.buttons[1].redefined[6], uint8_t(0));
        QVERIFY(!m.Set_CurrentProfileButtons({10, 1, 0, 0, 0}, sim.devpath()));
    }

    void macroWrittenChunkByChunk_data() { links(); }
    void macroWrittenChunkByChunk()
    {
        QFETCH(SimLink, link);
        SimMouseFixture sim(link);
        DEV_MOUSE& m = *sim.mouse;
        QVERIFY(m.Set_MacroKeyData(31, 0x3C, 0, macroChunk(0x10), sim.devpath()));
        QCOMPARE(checkResult(sim), QStringLiteral("SUCCESS"));
        QVERIFY(m.Set_MacroKeyData(31, 0x3C, 1, macroChunk(0x80), sim.devpath()));
        QVERIFY(m.Save_MacroKeyData(0, 0, 0, 1, sim.devpath()));
        QCOMPARE(m.secondData().value("CheckResults").toInt(), 1);

        const SimMacroSlot slot = sim.state().saved.macros[30];
        QCOMPARE(slot.chunksWritten, 3u);
        const std::array<uint8_t, 60> first = macroChunk(0x10);
        const std::array<uint8_t, 60> second = macroChunk(0x80);
        QVERIFY(std::equal(first.begin(), first.end(), slot.bytes.begin()));
        QVERIFY(std::equal(second.begin(), second.end(), slot.bytes.begin() + 60));
        QCOMPARE(sim.state().lastSaveFlags[3], uint8_t(1));

        const QByteArray readBack = m.Get_MacroKeyData(31, sim.devpath());
        QCOMPARE(uint8_t(readBack.at(1)), uint8_t(31));
        QCOMPARE(readBack.mid(4, 60), QByteArray(reinterpret_cast<const char*>(first.data()), 60));
    }

    void lighting_data() { links(); }
    void lighting()
    {
        QFETCH(SimLink, link);
        SimMouseFixture sim(link);
        DEV_MOUSE& m = *sim.mouse;
        QVERIFY(m.Set_ARGB_Function_All_Area(6, 4, 129, 2, 255, 0, 0, sim.devpath()));
        QVERIFY(m.Set_ARGB_Function_1_Area(2, 7, 2, 128, 3, {0, 0, 200}, sim.devpath()));
        QVERIFY(m.Get_ARGB_Function_Mode(sim.devpath()));
        const std::array<uint8_t, 19> expected = {7, 4, 129, 2, 255, 0, 0, 2, 128, 3, 0, 0, 200, 4, 129, 2, 255, 0, 0};
        QCOMPARE(m.argbData(), expected);
        QCOMPARE(sim.state().live.lighting[0], expected);

        QVERIFY(m.Set_ARGB_Direct_Color(13, 5, {1, 2, 3}, sim.devpath()));
        SimDirectColours direct = sim.state().live.direct;
        QCOMPARE(direct.brightness, uint8_t(5));
        QCOMPARE(direct.leds[36], uint8_t(1));
        QCOMPARE(direct.leds[38], uint8_t(3));
        QCOMPARE(direct.leds[0], uint8_t(0));
        QVERIFY(m.Set_ARGB_Direct_Color_All(8, {9, 9, 9}, sim.devpath()));
        direct = sim.state().live.direct;
        QCOMPARE(int(std::count(direct.leds.begin(), direct.leds.end(), uint8_t(9))), 36);
        QCOMPARE(direct.leds[36], uint8_t(0));
    }

    void identityAndBattery_data() { links(); }
    void identityAndBattery()
    {
        QFETCH(SimLink, link);
        SimMouseFixture sim(link);
        DEV_MOUSE& m = *sim.mouse;
        QVERIFY(m.Set_Serial_Number(6, "XY1234", sim.devpath()));
        QVERIFY(m.Get_Serial_Number(sim.devpath()));
        QCOMPARE(m.getData().value("SerialNumber").toString(), QStringLiteral("XY1234"));

        sim.bus->modifyFirmware([](SimFirmwareState& s) {
            s.batteryPercent = 63;
            s.charging = 1;
        });
        const QByteArray battery = m.Read_BTL_Percent(sim.devpath());
        QVERIFY(isBatteryAnswer(battery));
        QCOMPARE(uint8_t(battery.at(5)), uint8_t(63));
        QCOMPARE(uint8_t(battery.at(6)), uint8_t(1));

        const QByteArray firmware = m.Get_Firmware_Version(sim.devpath());
        QCOMPARE(uint8_t(firmware.at(4)), uint8_t(sim.state().controllerFirmware & 0xFF));
        QCOMPARE(uint8_t(firmware.at(6)), uint8_t(sim.state().radioFirmware & 0xFF));
        const std::array<uint8_t, 16> uuid = sim.state().uuid;
        QCOMPARE(m.Get_MCU_UUID(sim.devpath()).mid(4, 16), QByteArray(reinterpret_cast<const char*>(uuid.data()), 16));

        KeyTables keys;
        QCOMPARE(decodeModelName(m.Get_Model_Name(sim.devpath()), keys), QStringLiteral("ORVENA RM20"));
        QVERIFY(m.Set_Model_Name(sim.devpath()));
        const QByteArray cleared = m.Get_Model_Name(sim.devpath());
        QCOMPARE(decodeModelName(cleared, keys), QString());
        QCOMPARE(uint8_t(cleared.at(4)), uint8_t(0));
    }

    void calibrationRunsThenFinishes()
    {
        SimMouseFixture sim;
        sim.bus->modifyFirmware([](SimFirmwareState& s) { s.calibrationDurationMs = 150; });
        DEV_MOUSE& m = *sim.mouse;
        QCOMPARE(m.Read_Calibration_Status(sim.devpath()), 0);
        QVERIFY(m.Set_to_Calibration(1, sim.devpath()));
        QCOMPARE(m.Read_Calibration_Status(sim.devpath()), 1);
        QTRY_COMPARE_WITH_TIMEOUT(m.Read_Calibration_Status(sim.devpath()), 0, 2000);
        QVERIFY(m.Set_to_Calibration(0, sim.devpath()));
        QCOMPARE(m.Read_Calibration_Status(sim.devpath()), 0);

        // Stopped before it could finish: the firmware reports the time-out failure.
        sim.bus->modifyFirmware([](SimFirmwareState& s) { s.calibrationDurationMs = 60000; });
        QVERIFY(m.Set_to_Calibration(1, sim.devpath()));
        QVERIFY(m.Set_to_Calibration(0, sim.devpath()));
        QCOMPARE(m.Read_Calibration_Status(sim.devpath()), 2);
    }

    void savedSettingsSurviveAPowerCycle()
    {
        SimMouseFixture sim(SimLink::Cable);
        DEV_MOUSE& m = *sim.mouse;
        QVERIFY(m.Set_SelectProfile(5, sim.devpath()));
        QVERIFY(m.Set_ARGB_Function_All_Area(3, 8, 128, 1, 0, 255, 0, sim.devpath()));
        QVERIFY(m.Save_Settings({1, 0, 0, 0, 0}, sim.devpath()));
        sim.bus->powerCycle();
        QCOMPARE(sim.state().live.mouse.profile, uint8_t(5));
        QCOMPARE(sim.state().live.lighting[4][1], factoryLighting(5)[1]); // lighting was not saved

        QVERIFY(m.Set_ARGB_Function_All_Area(3, 8, 128, 1, 0, 255, 0, sim.devpath()));
        QVERIFY(m.Set_Save_Profile(0, 1, 0, 0, sim.devpath()));
        QCOMPARE(sim.state().lastSaveFlags, (std::array<uint8_t, 5>{0, 1, 0, 0, 0}));
        sim.bus->powerCycle();
        QCOMPARE(sim.state().live.lighting[4][1], uint8_t(8));
    }

    void byteFiveOnlyCommandsAcceptAnotherEcho()
    {
        SimMouseFixture sim;
        DEV_MOUSE& m = *sim.mouse;
        LogCapture log;
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::WrongEcho, 5);
        QVERIFY(!m.Set_SelectProfile(2, sim.devpath()));
        QCOMPARE(checkResult(sim), QStringLiteral("ERROR"));
        QVERIFY(!m.Set_Save_Profile(1, 0, 0, 0, sim.devpath()));
        QVERIFY(m.Save_Settings({1, 0, 0, 0, 0}, sim.devpath()));
        QVERIFY(log.contains("[Save_Settings] Check results: SUCCESS"));
        QVERIFY(m.Save_MacroKeyData(0, 0, 0, 1, sim.devpath()));
        QCOMPARE(m.secondData().value("CheckResults").toInt(), 1);
        QVERIFY(m.Set_MacroKeyData(32, 0x3C, 0, macroChunk(1), sim.devpath()));
        QCOMPARE(checkResult(sim), QStringLiteral("SUCCESS"));
        QVERIFY(log.contains("[Set_MacroKeyData] 172 : SUCCESS"));
    }

    void refusalsAndMarkersAreErrors()
    {
        SimMouseFixture sim;
        DEV_MOUSE& m = *sim.mouse;
        LogCapture log;
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::BusyMarker, 3);
        QVERIFY(!m.Set_ECO_Mode(3, sim.devpath()));
        QVERIFY(log.contains("[Set_ECO_Mode] Check results: ERROR"));
        QVERIFY(!m.Save_Settings({1, 0, 0, 0, 0}, sim.devpath()));
        QVERIFY(log.contains("[Save_Settings] Check results: ERROR"));
        QVERIFY(!m.Set_MacroKeyData(32, 0x3C, 0, macroChunk(1), sim.devpath()));
        QVERIFY(log.contains("[Set_MacroKeyData] 250 : ERROR"));
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::BusyMarker);
        QVERIFY(!m.Save_MacroKeyData(0, 0, 0, 1, sim.devpath()));
        QCOMPARE(m.secondData().value("CheckResults").toInt(), 0);
        QVERIFY(log.contains("[Save_MacroKeyData] ERROR or invalid response"));

        // The receiver with its mouse out of range answers for it, with both markers.
        sim.bus->setMouseLinked(sim.device, false);
        QVERIFY(!m.Set_SelectProfile(2, sim.devpath()));
        QCOMPARE(sim.state().live.mouse.profile, uint8_t(1));
    }

    void shortAnswersFailTheSizeChecks()
    {
        SimMouseFixture sim;
        DEV_MOUSE& m = *sim.mouse;
        LogCapture log;
        QVERIFY(m.Get_ARGB_Function_Mode(sim.devpath()));
        const std::array<uint8_t, 19> before = m.argbData();

        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ShortAnswer, 1, 5);
        QVERIFY(!m.Set_Sensor_Snap(1, sim.devpath()));
        QVERIFY(log.contains("[Set_Sensor_Snap] buf_out size too small!"));
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ShortAnswer, 1, 22);
        QVERIFY(!m.Get_ARGB_Function_Mode(sim.devpath()));
        QVERIFY(log.contains("[Get_ARGB_Function_Mode] Returned data size too small: 22"));
        QCOMPARE(m.argbData(), before);
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ShortAnswer, 1, 4);
        QCOMPARE(m.Read_ECO_Mode(sim.devpath()), 0);
        QVERIFY(log.contains("[Read_ECO_Mode] buf_out size too small"));
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ShortAnswer, 1, 4);
        QCOMPARE(m.Read_Calibration_Status(sim.devpath()), 255);
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ShortAnswer, 1, 12);
        QVERIFY(!m.Get_CurrentProfileButtons(sim.devpath()));
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ShortAnswer, 1, 30);
        QVERIFY(!m.Get_CurrentProfileButtons_RedefineKeyInfo(sim.devpath()));
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ShortAnswer, 1, 10);
        m.Read_Mouse_Information(sim.devpath());
        QVERIFY(log.contains("HID returned too few bytes."));
    }

    void aFailedExchangeIsNeverASuccessfulRead()
    {
        SimMouseFixture sim;
        DEV_MOUSE& m = *sim.mouse;
        LogCapture log;
        QVERIFY(m.Get_CurrentProfileButtons(sim.devpath()));
        const std::array<uint8_t, 9> before = m.currentProfileButtons();
        sim.bus->failNextOpens(sim.device, 3);
        QVERIFY(!m.Get_CurrentProfileButtons(sim.devpath()));
        QVERIFY(log.contains("[Get_CurrentProfileButtons] Returned data size too small: 0"));
        QCOMPARE(m.currentProfileButtons(), before);
        QVERIFY(!m.Get_Serial_Number(sim.devpath()));
        QVERIFY(log.contains("[Get_Serial_Number] buf_out size too small"));
        QCOMPARE(m.Read_Calibration_Status(sim.devpath()), 255);
        QCOMPARE(m.Read_Calibration_Status(""), 255);
        QCOMPARE(m.Read_ECO_Mode(""), 0);
    }

    void unknownProductIdsAreNeverWritten_data()
    {
        QTest::addColumn<int>("productId");
        QTest::newRow("receiver in update mode") << 0x5037;
        QTest::newRow("mouse in update mode") << 0x0021;
        QTest::newRow("unknown") << 0x1234;
    }
    void unknownProductIdsAreNeverWritten()
    {
        QFETCH(int, productId);
        SimMouseFixture sim;
        DEV_MOUSE& m = *sim.mouse;
        m.product_id = uint16_t(productId);
        LogCapture log;
        const char* p = sim.devpath();
        QVERIFY(!m.Set_SelectProfile(3, p));
        QVERIFY(log.contains(QStringLiteral("[Set_SelectProfile] Unknown product_id = %1").arg(productId)));
        QVERIFY(!m.Set_Report_Rate(8, 8, p));
        QVERIFY(!m.Set_Sensor_Snap(1, p));
        QVERIFY(!m.Set_DPI_Level(5, 1, p));
        QVERIFY(!m.Set_DPI_Status(5, 1, 1, {}, {}, p));
        QVERIFY(!m.Set_LOD_Level(2, p));
        QVERIFY(!m.Set_to_Calibration(1, p));
        QVERIFY(!m.Set_Profile_Default(1, p));
        QVERIFY(!m.Set_Dongle_to_Pairing_Mode(1, p));
        QVERIFY(!m.Set_Model_Name(p));
        QVERIFY(!m.Set_Serial_Number(2, "AB", p));
        QVERIFY(!m.Set_LED_OFF_Delay_Time(1, p));
        QVERIFY(!m.Set_ECO_Mode(1, p));
        QVERIFY(!m.Set_CurrentProfileButtons({1, 1, 0, 0, 0}, p));
        QVERIFY(!m.Set_MacroKeyData(31, 60, 0, macroChunk(0), p));
        QVERIFY(!m.Set_Save_Profile(1, 0, 0, 0, p));
        QVERIFY(!m.Save_MacroKeyData(1, 0, 0, 0, p));
        QVERIFY(!m.Set_ARGB_Direct_Color(1, 1, {1, 1, 1}, p));
        QVERIFY(!m.Set_ARGB_Direct_Color_All(1, {1, 1, 1}, p));
        QVERIFY(!m.Set_ARGB_Function_1_Area(1, 1, 1, 128, 1, {1, 1, 1}, p));
        QVERIFY(!m.Set_ARGB_Function_All_Area(1, 1, 128, 1, 1, 1, 1, p));
        QVERIFY(!m.Get_CurrentProfileButtons(p));
        QVERIFY(!m.Get_CurrentProfileButtons_MacroKeyInfo(p));
        QVERIFY(!m.Get_CurrentProfileButtons_RedefineKeyInfo(p));
        QVERIFY(!m.Get_ARGB_Function_Mode(p));
        QVERIFY(!m.Get_Serial_Number(p));
        QCOMPARE(m.Read_ECO_Mode(p), 0);
        QCOMPARE(m.Read_LED_OFF_Delay_Time(p), 0);
        QCOMPARE(m.Read_Calibration_Status(p), 255);
        QVERIFY(m.Get_MCU_UUID(p).isEmpty());
        QVERIFY(m.Get_Model_Name(p).isEmpty());
        QVERIFY(m.Get_MacroKeyData(31, p).isEmpty());
        QVERIFY(sim.bus->writes(sim.device).empty());
        QCOMPARE(log.count("Unknown product_id ="), 32);
    }

    void updateModeReadsGoOutAsZeroReports()
    {
        SimMouseFixture sim(SimLink::UpdateDongle);
        LogCapture log;
        const QByteArray answer = sim.mouse->Read_Mouse_Information(sim.devpath());
        const auto writes = sim.bus->writes(sim.device);
        QCOMPARE(int(writes.size()), 1);
        QCOMPARE(writes[0], std::vector<uint8_t>(65, 0));
        QCOMPARE(answer, QByteArray(64, '\0')); // the update mode does not answer
        QCOMPARE(log.count("HID waiting"), 3);
        QVERIFY(log.contains("HID returned too few bytes."));
    }

    void boundsOfLedIndexAndAreaFollowTheFraming()
    {
        SimMouseFixture receiver(SimLink::Receiver);
        LogCapture log;
        QVERIFY(!receiver.mouse->Set_ARGB_Direct_Color(20, 1, {1, 2, 3}, receiver.devpath()));
        QVERIFY(log.contains("[Set_ARGB_Direct_Color] LED_index out of range!"));
        QVERIFY(!receiver.mouse->Set_ARGB_Function_1_Area(10, 1, 1, 128, 1, {1, 2, 3}, receiver.devpath()));
        QVERIFY(log.contains("[Set_ARGB_Function_1_Area] LED_area out of range!"));
        QVERIFY(!receiver.mouse->Set_ARGB_Direct_Color(0, 1, {1, 2, 3}, receiver.devpath()));
        QVERIFY(receiver.bus->writes(receiver.device).empty());
        QVERIFY(receiver.mouse->Set_ARGB_Direct_Color(19, 1, {1, 2, 3}, receiver.devpath()));

        // One index further fits over Bluetooth; the mouse has thirteen LEDs and ignores it.
        SimMouseFixture bluetooth(SimLink::Bluetooth);
        QVERIFY(bluetooth.mouse->Set_ARGB_Direct_Color(20, 1, {1, 2, 3}, bluetooth.devpath()));
        QCOMPARE(bluetooth.bus->writes(bluetooth.device).at(0).at(64), uint8_t(3));
        QVERIFY(bluetooth.mouse->Set_ARGB_Function_1_Area(10, 1, 1, 128, 1, {1, 2, 3}, bluetooth.devpath()));
        QVERIFY(!bluetooth.mouse->Set_ARGB_Direct_Color(21, 1, {1, 2, 3}, bluetooth.devpath()));
    }

    void unplugBetweenTwoExchanges()
    {
        SimMouseFixture sim;
        LogCapture log;
        sim.bus->unplugAfterExchanges(sim.device, 1);
        QVERIFY(sim.mouse->Set_SelectProfile(2, sim.devpath()));
        QVERIFY(!sim.mouse->Set_SelectProfile(3, sim.devpath()));
        QVERIFY(log.contains("Error: could not open device"));
        QCOMPARE(sim.state().live.mouse.profile, uint8_t(2));
        sim.bus->replug(sim.device);
        QVERIFY(sim.mouse->Set_SelectProfile(3, sim.devpath()));
    }

    void argumentChecksBeforeSending()
    {
        SimMouseFixture sim;
        LogCapture log;
        QVERIFY(!sim.mouse->Set_Serial_Number(0, "AB", sim.devpath()));
        QVERIFY(!sim.mouse->Set_Serial_Number(4, QByteArray(), sim.devpath()));
        QCOMPARE(log.count("[Set_Serial_Number] Data is null or length is 0!"), 2);
        QVERIFY(!sim.mouse->Set_ECO_Mode(3, nullptr));
        QVERIFY(log.contains("[Set_ECO_Mode] devpath is empty!"));
        QVERIFY(sim.mouse->Read_Mouse_Information("").isEmpty());
        QVERIFY(log.contains("Error: devpath is empty!"));
        QVERIFY(sim.bus->writes(sim.device).empty());
    }
};

QTEST_GUILESS_MAIN(TestMouseCommands)
#include "test_mouse_commands.moc"
