// The information maps of the selected mouse, read from the simulator.
#include "log_capture.h"
#include "sim_mouse_fixture.h"

#include "util/json_files.h"

#include <QtTest>

class TestMouseInfo : public QObject {
    Q_OBJECT
    QTemporaryDir m_data;

    static QString uuidText(const SimFirmwareState& state)
    {
        return QByteArray(reinterpret_cast<const char*>(state.uuid.data()), 16).toHex().toUpper();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        qputenv("TALVORIN_DATA_DIR", m_data.path().toUtf8());
    }

    void fullInformationMap()
    {
        SimMouseFixture sim;
        sim.bus->modifyFirmware([](SimFirmwareState& s) {
            SimMouseSettings& m = s.live.mouse;
            m.profile = 2;
            m.dpiQuantity = 4;
            m.dpiStage = 3;
            m.wiredRateCode = 1;
            m.wirelessRateCode = 32;
            m.snap = 1;
            m.liftOff = 3;
            m.stages[1] = {1200, 1300, 1, 2, 3};
            m.stages[4] = {26000, 25000, 7, 8, 9};
            s.batteryPercent = 55;
            s.charging = 1;
            s.colourCode = 2;
            s.live.buttons[1].codes = {255, 255, 64, 12, 65, 66, 255, 255, 0};
            s.live.buttons[1].redefined[6] = 1;
            s.live.buttons[1].redefined[8] = 0x1D;
            s.live.lighting[1][0] = 5;
        });
        const QString uuid = uuidText(sim.state());
        QVERIFY(saveJsonList({QVariantMap{{"mk_ListSize", 1},
                                          {"mk_AllData", QVariantList{QVariantMap{{"macroName", "Combo"}}}}}},
                             m_data.path() + "/Mouse/UserMacroKeyData.json"));
        QVERIFY(saveJsonList({QVariantMap{{"currentButton", 4}, {"Disable_Button", 1}},
                              QVariantMap{{"currentButton", 5}, {"Disable_Button", 0}},
                              QVariantMap{{"currentButton", 6}, {"launch", 2}}},
                             m_data.path() + "/Mouse/" + uuid + "/profile_2.json"));

        LogCapture log;
        const QVariantMap info = sim.mouse->Get_Current_Mouse_Info(sim.devpath());
        QCOMPARE(info.value("runFunction").toInt(), 6);
        QCOMPARE(info.value("vendor_id").toInt(), 0x2DBF);
        QCOMPARE(info.value("product_id").toInt(), 0x5036);
        QCOMPARE(info.value("devpath").toString(), QString::fromStdString(sim.path));
        QCOMPARE(info.value("BusTypeName").toString(), QStringLiteral("2.4G"));
        QCOMPARE(info.value("FW_VER").toInt(), int(sim.state().controllerFirmware));
        QCOMPARE(info.value("DPI_Quantity").toInt(), 4);
        QCOMPARE(info.value("ProfileNo").toInt(), 2);
        QCOMPARE(sim.mouse->currentProfile(), 2);
        QCOMPARE(info.value("ReportRate_wired").toInt(), 8000);
        QCOMPARE(info.value("ReportRate_RF").toInt(), 250);
        QCOMPARE(info.value("Snap").toInt(), 1);
        QCOMPARE(info.value("LOD").toInt(), 3);
        QCOMPARE(info.value("DPI_Level").toInt(), 3);
        QCOMPARE(info.value("DPI2_X").toInt(), 1200);
        QCOMPARE(info.value("DPI2_Y").toInt(), 1300);
        QCOMPARE(info.value("DPI2_LED_B").toInt(), 3);
        QCOMPARE(info.value("DPI5_X").toInt(), 26000);
        QCOMPARE(info.value("DPI5_Y").toInt(), 25000);
        QCOMPARE(info.value("DPI5_LED_R").toInt(), 7);
        QCOMPARE(info.value("BTL_Percent").toInt(), 55);
        QCOMPARE(info.value("charging_STA").toInt(), 1);
        QCOMPARE(info.value("name").toString(), QStringLiteral("ORVENA RM20 Wireless Gaming Mouse"));
        QCOMPARE(info.value("mouse_color").toString(), QStringLiteral("White"));
        QCOMPARE(info.value("qStr_MCU_UUID").toString(), uuid);
        QCOMPARE(info.value("CurrentProfileButtons_DATA2").toInt(), 64);
        QCOMPARE(info.value("CurrentProfileButtons_DATA3").toInt(), 12);
        QCOMPARE(info.value("CurrentProfileButtons_DATA8").toInt(), 0);
        QCOMPARE(info.value("ReDefinedKEY_DATA6").toInt(), 1);
        QCOMPARE(info.value("ReDefinedKEY_DATA8").toInt(), 0x1D);
        QVERIFY(info.contains("ReDefinedKEY_DATA26"));
        QCOMPARE(info.value("Get_ARGB_DATA0").toInt(), 5);
        QVERIFY(info.contains("Get_ARGB_DATA18"));
        QCOMPARE(info.value("mk_ListSize").toInt(), 1);
        QCOMPARE(info.value("mk_AllData").toList().first().toMap().value("macroName").toString(), QStringLiteral("Combo"));
        QCOMPARE(info.value("DisableButton_4").toInt(), 1);
        QCOMPARE(info.value("DisableButton_5").toInt(), 0);
        QVERIFY(!info.contains("DisableButton_6"));
        QCOMPARE(info.value("Disable_Button").toList(), QVariantList{4});
        QVERIFY(log.contains("Macro-Key index:  3"));
        QVERIFY(log.contains("Re-defined Key index:  2"));
        QVERIFY(log.contains("Change Profile index:  4"));
        QVERIFY(log.contains("DPI Button index:  5"));
    }

    void unknownRateCodeReadsAsZero()
    {
        SimMouseFixture sim(SimLink::Cable);
        sim.bus->modifyFirmware([](SimFirmwareState& s) {
            s.live.mouse.wiredRateCode = 3;
            s.colourCode = 7;
        });
        const QVariantMap info = sim.mouse->Get_Current_Mouse_Info(sim.devpath());
        QCOMPARE(info.value("ReportRate_wired").toInt(), 0);
        QCOMPARE(info.value("ReportRate_RF").toInt(), 1000);
        QCOMPARE(info.value("BusTypeName").toString(), QStringLiteral("USB"));
        QVERIFY(!info.contains("mouse_color"));
    }

    void aBusyInformationAnswerIsReadAgain()
    {
        SimMouseFixture sim(SimLink::Bluetooth);
        sim.bus->modifyFirmware([](SimFirmwareState& s) { s.live.mouse.profile = 5; });
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::BusyMarker);
        const QVariantMap info = sim.mouse->Get_Current_Mouse_Info(sim.devpath());
        QCOMPARE(info.value("ProfileNo").toInt(), 5);
        QCOMPARE(sim.bus->writes(sim.device).at(1).at(1), uint8_t(0x06)); // the second request was the reread
    }

    void failedExchangesShowZerosNotEarlierValues()
    {
        SimMouseFixture sim;
        sim.bus->modifyFirmware([](SimFirmwareState& s) { s.live.mouse.profile = 3; });
        const QVariantMap first = sim.mouse->Get_Current_Mouse_Info(sim.devpath());
        QCOMPARE(first.value("CurrentProfileButtons_DATA0").toInt(), 255);
        QCOMPARE(first.value("Get_ARGB_DATA0").toInt(), 8);
        QCOMPARE(sim.mouse->currentProfile(), 3);
        sim.bus->unplug(sim.device);
        const QVariantMap second = sim.mouse->Get_Current_Mouse_Info(sim.devpath());
        QCOMPARE(second.value("CurrentProfileButtons_DATA0").toInt(), 0);
        QCOMPARE(second.value("Get_ARGB_DATA0").toInt(), 0);
        QCOMPARE(second.value("qStr_MCU_UUID").toString(), QString());
        QCOMPARE(second.value("ProfileNo").toInt(), 0);
        QCOMPARE(sim.mouse->currentProfile(), 3); // not overwritten by a failed read
    }

    void lighterRefresh()
    {
        SimMouseFixture sim;
        sim.bus->modifyFirmware([](SimFirmwareState& s) {
            s.controllerFirmware = 0x0211;
            s.radioFirmware = 0x0105;
            s.live.mouse.ecoMinutes = 6;
            s.live.mouse.ledOffMinutes = 9;
        });
        const QVariantMap info = sim.mouse->Get_Current_Mouse_Info2(sim.devpath());
        QCOMPARE(info.value("runFunction").toInt(), 42);
        QCOMPARE(info.value("qStr_MCU_UUID").toString(), QString());
        QCOMPARE(info.value("BusTypeName").toString(), QStringLiteral("2.4G"));
        QCOMPARE(info.value("NXP_FW_L").toInt(), 0x11);
        QCOMPARE(info.value("RF_FW_L").toInt(), 0x05);
        QCOMPARE(info.value("Read_ECO").toInt(), 6);
        QCOMPARE(info.value("Read_Sleep").toInt(), 9);
        QCOMPARE(info.value("Get_ARGB_DATA1").toInt(), 1);

        LogCapture log;
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::None);
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ShortAnswer, 1, 6);
        const QVariantMap shortFirmware = sim.mouse->Get_Current_Mouse_Info2(sim.devpath());
        QVERIFY(!shortFirmware.contains("NXP_FW_L"));
        QVERIFY(!shortFirmware.contains("RF_FW_L"));
        QVERIFY(log.contains("[Get_Current_Mouse_Info2] Get_Firmware_Version returned too short!"));
        QCOMPARE(shortFirmware.value("Read_ECO").toInt(), 6);

        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ShortAnswer, 1, 10);
        sim.mouse->Get_Current_Mouse_Info2(sim.devpath());
        QVERIFY(log.contains("[Get_Current_Mouse_Info2] Get_ARGB_Function_Mode failed!"));

        QVERIFY(!sim.mouse->Get_Current_Mouse_Info2("").contains("Read_ECO"));
        QVERIFY(log.contains("[Get_Current_Mouse_Info2] devpath is empty!"));
    }

    void unknownConnectionOnlyInTheLighterRefresh()
    {
        SimMouseFixture sim;
        sim.mouse->product_id = 0x1234;
        QCOMPARE(sim.mouse->Get_Current_Mouse_Info2(sim.devpath()).value("BusTypeName").toString(), QStringLiteral("Unknown"));
        QVERIFY(!sim.mouse->Get_CurrentMouse_ARGB_Info(sim.devpath()).contains("BusTypeName"));
    }

    void lightingRefresh()
    {
        SimMouseFixture sim(SimLink::Bluetooth);
        sim.bus->modifyFirmware([](SimFirmwareState& s) { s.live.lighting[0] = {3, 8, 128, 2, 1, 2, 3}; });
        const QVariantMap info = sim.mouse->Get_CurrentMouse_ARGB_Info(sim.devpath());
        QCOMPARE(info.value("runFunction").toInt(), 43);
        QCOMPARE(info.value("BusTypeName").toString(), QStringLiteral("Bluetooth"));
        const QList<int> expected = {3, 8, 128, 2, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        for (int i = 0; i < 19; ++i)
            QCOMPARE(info.value(QStringLiteral("Get_ARGB_DATA%1").arg(i)).toInt(), expected.at(i));
    }
};

QTEST_GUILESS_MAIN(TestMouseInfo)
#include "test_mouse_info.moc"
