// What the mouse branch puts on the wire for the page's commands, checked against the frames
// the simulated mouse received and the state it ended up in: buttons, DPI, macros, lighting.
#include "devices/mouse/macro_encoder.h"
#include "log_capture.h"
#include "mouse_branch_fixture.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

namespace {

QVariantMap buttonCommand(int run, int button, int function, int target = 0, int detail = 0, int key = 0)
{
    return {{"runFunction", run},          {"profileButtonsData0", button}, {"profileButtonsData1", function},
            {"profileButtonsData4", target}, {"profileButtonsData5", detail}, {"profileButtonsData6", key}};
}

QVariantList keyActions(int count)
{
    QVariantList actions;
    for (int i = 0; i < count; ++i) {
        actions.append(QVariantMap{{"deviceText", "Keystroke"},
                                   {"actionText", i % 2 == 0 ? "Press" : "Release"},
                                   {"key", QString(QChar('A' + (i / 2) % 26))}});
    }
    return actions;
}

// A recorded macro for the page's macro 1 (macro key 32) on button 5.
QVariantMap macroCommand(const QString& name, const QVariantList& actions)
{
    QVariantMap c = buttonCommand(7, 5, 32);
    c.insert("macroName", name);
    c.insert("Actions", actions);
    c.insert("selectMacrokey", 0);
    c.insert("macro_F", 1);
    c.insert("b_length", 60);
    c.insert("serial_No", 0);
    c.insert("Data_1", 1);
    c.insert("setDefault", false);
    return c;
}

QVariantMap lighting(int brightness, int mode, int function, int speed, int r, int g, int b)
{
    return {{"runFunction", 32}, {"brightness", brightness}, {"ARGB_mode", mode}, {"ARGB_function", function},
            {"ARGB_cycleTime", speed}, {"R_Color", r}, {"G_Color", g}, {"B_Color", b},
            {"mouse_F", 1}, {"lighting_F", 0}, {"button_F", 0}, {"macro_F", 0}};
}

std::vector<uint8_t> areaBlock(const SimLighting& l, int area)
{
    return std::vector<uint8_t>(l.begin() + 1 + 6 * area, l.begin() + 7 + 6 * area);
}

} // namespace

class TestMouseBranchWire : public QObject {
    Q_OBJECT

private slots:
    void buttonRecords_data()
    {
        QTest::addColumn<QVariantMap>("command");
        QTest::addColumn<std::vector<uint8_t>>("payload");
        QTest::newRow("DPI cycle") << buttonCommand(2, 4, 66) << std::vector<uint8_t>{4, 66, 0, 0, 0, 0, 0};
        QTest::newRow("keyboard key Ctrl+C") << buttonCommand(3, 2, 64, 1, 1, 6)
                                             << std::vector<uint8_t>{2, 64, 0, 0, 1, 1, 6};
        QTest::newRow("mouse button: side 1") << buttonCommand(2, 7, 64, 0, 4) << std::vector<uint8_t>{7, 64, 0, 0, 0, 4, 0};
    }
    void buttonRecords()
    {
        QFETCH(QVariantMap, command);
        QFETCH(std::vector<uint8_t>, payload);
        MouseBranchFixture f;
        const QVariantMap answer = f.run(command);
        QCOMPARE(answer.value("RESULTS").toInt(), 1);
        QCOMPARE(answer.value("runFunction"), command.value("runFunction"));
        QCOMPARE(f.lastFrame(0x1A, 4, 7), payload);
        // Made permanent with the button flag: a power cycle keeps it.
        QCOMPARE(f.sim.state().lastSaveFlags, (std::array<uint8_t, 5>{0, 0, 1, 0, 0}));
        f.sim.bus->powerCycle();
        QCOMPARE(f.sim.state().live.buttons[0].codes[payload[0] - 1], payload[1]);
    }

    void buttonRecordsOutOfRangeAreRefused_data()
    {
        QTest::addColumn<QVariantMap>("command");
        QTest::newRow("button 0") << buttonCommand(2, 0, 66);
        QTest::newRow("button 10") << buttonCommand(2, 10, 66);
        QTest::newRow("function 100") << buttonCommand(2, 3, 100);
        QTest::newRow("button 260 (0 on the wire)") << buttonCommand(2, 260, 66);
    }
    void buttonRecordsOutOfRangeAreRefused()
    {
        QFETCH(QVariantMap, command);
        MouseBranchFixture f;
        QCOMPARE(f.run(command).value("RESULTS").toInt(), -1);
        QVERIFY(f.sim.bus->writes(f.sim.device).empty());
    }

    void dpiLevelIsRetriedOnce()
    {
        MouseBranchFixture f;
        LogCapture log;
        f.sim.bus->queueAnswerFault(f.sim.device, SimAnswerFault::BusyMarker);
        QVERIFY(f.succeeds({{"runFunction", 9}, {"DPI_Quantity", 4}, {"DPI_Level", 2}}));
        QCOMPARE(f.frames(0x06).size(), size_t(2));
        QCOMPARE(int(f.sim.state().live.mouse.dpiStage), 2);
        QCOMPARE(log.count("SUCCESS: Operation was successful!"), 1);

        // Refused twice: the second result is the answer, and nothing is saved.
        f.sim.bus->clearWrites();
        f.sim.bus->queueAnswerFault(f.sim.device, SimAnswerFault::BusyMarker, 2);
        QCOMPARE(f.run({{"runFunction", 9}, {"DPI_Quantity", 4}, {"DPI_Level", 1}}).value("RESULTS").toInt(), -1);
        QCOMPARE(f.frames(0x06).size(), size_t(2));
        QVERIFY(f.frames(0x60).empty());
        QVERIFY(log.contains("ERROR: Operation failed."));
    }

    void dpiStages()
    {
        MouseBranchFixture f;
        LogCapture log;
        QVariantMap c{{"runFunction", 10}, {"DPI_Quantity", 3}, {"DPI_Level", 1}, {"Update_DPI", 1}};
        for (int s = 1; s <= 5; ++s) {
            c.insert(QString("DPI%1_X").arg(s), 400 * s);
            c.insert(QString("DPI%1_Y").arg(s), 26000);
            c.insert(QString("DPI%1_LED_R").arg(s), s == 2 ? 300 : 10 * s);
        }
        QVERIFY(f.succeeds(c));
        const SimMouseSettings mouse = f.sim.state().saved.mouse;
        QCOMPARE(int(mouse.dpiQuantity), 3);
        QCOMPARE(int(mouse.stages[2].x), 1200);
        QCOMPARE(int(mouse.stages[4].y), 26000);
        QCOMPARE(int(mouse.stages[0].red), 10);
        QCOMPARE(int(mouse.stages[1].red), 0); // 300 does not fit a byte
        QVERIFY(log.contains("Value out of range for uint8_t"));

        f.sim.bus->clearWrites();
        c.insert("DPI_Quantity", 6);
        QCOMPARE(f.run(c).value("RESULTS").toInt(), -1);
        c.insert("DPI_Quantity", 3);
        c.insert("DPI_Level", 3);
        QCOMPARE(f.run(c).value("RESULTS").toInt(), -1);
        QVERIFY(f.sim.bus->writes(f.sim.device).empty());
    }

    void macroChunks_data()
    {
        QTest::addColumn<int>("actions");
        QTest::addColumn<int>("chunks");
        QTest::newRow("9 actions") << 9 << 1;
        QTest::newRow("10 actions") << 10 << 2;
        QTest::newRow("198 actions, the most") << 198 << 20;
    }
    void macroChunks()
    {
        QFETCH(int, actions);
        QFETCH(int, chunks);
        MouseBranchFixture f;
        const QVariantList recorded = keyActions(actions);
        QVERIFY(f.succeeds(macroCommand("Combo", recorded)));

        const auto sent = f.frames(32);
        QCOMPARE(int(sent.size()), chunks);
        for (int n = 0; n < chunks; ++n) {
            QCOMPARE(int(sent[size_t(n)][3]), 60); // b_length
            QCOMPARE(int(sent[size_t(n)][4]), n);  // serial number
        }
        // The mouse holds what the encoder made of the page's actions, and nothing past it.
        const mouse::EncodedMacro expected = mouse::encodeMacro(
            mouse::macroActionsFrom(recorded, [&](const QString& k) { return f.sim.mouse->getKeyboardUsageID(k); }), 1);
        const SimFirmwareState state = f.sim.state();
        const SimMacroSlot& slot = state.saved.macros[31];
        QVERIFY(std::equal(expected.bytes.begin(), expected.bytes.end(), slot.bytes.begin()));
        QCOMPARE(int(slot.bytes[8]), f.sim.mouse->getKeyboardUsageID("A"));
        QCOMPARE(int(slot.bytes[14]), 0); // the release of "A"
        // Saved with the macro flag, then assigned to the button and saved with the button flag.
        const auto saves = f.frames(0x60);
        QCOMPARE(saves.size(), size_t(2));
        QCOMPARE(std::vector<uint8_t>(saves[0].begin() + 7, saves[0].begin() + 11), (std::vector<uint8_t>{0, 0, 0, 1}));
        QCOMPARE(int(state.saved.buttons[0].codes[4]), 32);

        const QJsonArray stored = f.json(f.store.macroData()).object().value("mk_AllData").toArray();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.at(0).toObject().value("mkAction").toArray().size(), actions);
    }

    void editedDelaysReachTheChunks()
    {
        MouseBranchFixture f;
        // Twelve steps as recorded, then three delays edited and one step removed on the page.
        QVariantList steps = keyActions(12);
        for (int i = 0; i < steps.size(); ++i) {
            QVariantMap step = steps[i].toMap();
            step.insert("delay", 90 + i);
            steps[i] = step;
        }
        auto setDelay = [&](int index, const QVariant& delay) {
            QVariantMap step = steps[index].toMap();
            step.insert("delay", delay);
            steps[index] = step;
        };
        setDelay(0, 0);
        setDelay(3, 255);
        setDelay(10, "37"); // the page's text field hands over text
        steps.removeAt(5);
        QVERIFY(f.succeeds(macroCommand("Combo", steps)));

        // Eleven records: the first chunk holds the header and records 0 to 8, the second the rest.
        const auto sent = f.frames(32);
        QCOMPARE(sent.size(), size_t(2));
        const SimFirmwareState state = f.sim.state();
        const SimMacroSlot& slot = state.saved.macros[31];
        auto delayOf = [&](int record) { return int(slot.bytes[size_t(6 + 6 * record + 4)]); };
        QCOMPARE(int(slot.bytes[0]), 11);
        QCOMPARE(delayOf(0), 0);
        QCOMPARE(delayOf(3), 255);
        QCOMPARE(delayOf(4), 94);
        QCOMPARE(delayOf(5), 96); // step 6 was removed: step 7 took its place
        QCOMPARE(delayOf(9), 37);
        QCOMPARE(delayOf(10), 101);
        // Record 9 starts at byte 60: its delay is byte 4 of the second chunk's payload.
        QCOMPARE(int(sent[1][5 + 4]), 37);
    }

    void macroBeyondTheLimitsIsNotSent_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<QVariant>("delay");
        QTest::addColumn<QString>("reason");
        QTest::newRow("199 steps") << 199 << QVariant() << "at most 198";
        QTest::newRow("delay 256") << 4 << QVariant(256) << "outside 0 to 255";
        QTest::newRow("negative delay") << 4 << QVariant(-1) << "outside 0 to 255";
        QTest::newRow("fraction") << 4 << QVariant(12.5) << "outside 0 to 255";
        QTest::newRow("not a number") << 4 << QVariant("soon") << "outside 0 to 255";
    }
    void macroBeyondTheLimitsIsNotSent()
    {
        QFETCH(int, steps);
        QFETCH(QVariant, delay);
        QFETCH(QString, reason);
        MouseBranchFixture f;
        LogCapture log;
        QVariantList actions = keyActions(steps);
        if (delay.isValid()) {
            QVariantMap last = actions.last().toMap();
            last.insert("delay", delay);
            actions.last() = last;
        }
        QCOMPARE(f.run(macroCommand("Combo", actions)).value("RESULTS").toInt(), -1);
        QVERIFY2(log.contains(reason), qPrintable(reason));
        QVERIFY(f.sim.bus->writes(f.sim.device).empty());
        QVERIFY(!QFile::exists(f.store.macroData()));
    }

    void failingFirstChunkStopsTheMacro()
    {
        MouseBranchFixture f;
        LogCapture log;
        f.sim.bus->queueAnswerFault(f.sim.device, SimAnswerFault::BusyMarker);
        QCOMPARE(f.run(macroCommand("Combo", keyActions(30))).value("RESULTS").toInt(), -1);
        QVERIFY(log.contains("ERROR: Failed first Set_MacroKeyData"));
        QCOMPARE(f.frames(32).size(), size_t(1));
        QVERIFY(f.frames(0x60).empty());
        QVERIFY(f.frames(0x1A).empty());
        QVERIFY(!QFile::exists(f.store.macroData()));
    }

    void failingLaterChunkSkipsTheSave()
    {
        MouseBranchFixture f;
        f.sim.bus->queueAnswerFault(f.sim.device, SimAnswerFault::None);
        f.sim.bus->queueAnswerFault(f.sim.device, SimAnswerFault::BusyMarker);
        QCOMPARE(f.run(macroCommand("Combo", keyActions(30))).value("RESULTS").toInt(), -1);
        QCOMPARE(f.frames(32).size(), size_t(4)); // the rest still went out
        QVERIFY(f.frames(0x60).empty());
        QVERIFY(!QFile::exists(f.store.macroData()));
    }

    void macroRefusals()
    {
        MouseBranchFixture f;
        LogCapture log;
        QCOMPARE(f.run(macroCommand("  ", keyActions(4))).value("RESULTS").toInt(), -1);
        QVERIFY(log.contains("ERROR: macroName is empty, cannot save!"));
        QVariantMap tooHigh = macroCommand("Combo", keyActions(4));
        tooHigh.insert("macro_F", 10); // key 41 would be another command's id
        QCOMPARE(f.run(tooHigh).value("RESULTS").toInt(), -1);
        tooHigh.insert("macro_F", 65); // 96: the save command
        QCOMPARE(f.run(tooHigh).value("RESULTS").toInt(), -1);
        tooHigh.insert("macro_F", 2147483620); // + 31 wraps around to ...03: the profile switch
        QCOMPARE(f.run(tooHigh).value("RESULTS").toInt(), -1);
        QVERIFY(f.sim.bus->writes(f.sim.device).empty());
    }

    void rippleInAllThreeAreas()
    {
        MouseBranchFixture f;
        QVERIFY(f.succeeds(lighting(8, 4, 129, 2, 255, 0, 0)));
        const std::vector<uint8_t> block{4, 129, 2, 255, 0, 0};
        QCOMPARE(f.lastFrame(0x15, 4, 1), std::vector<uint8_t>{8});
        QCOMPARE(f.lastFrame(0x15, 5, 6), block);
        QCOMPARE(f.lastFrame(0x15, 11, 6), block);
        QCOMPARE(f.lastFrame(0x15, 17, 6), block);
        // Lighting is made permanent only by Set_Save_Profile with the lighting flag (code 33).
        const SimLighting live = f.sim.state().live.lighting[0];
        QCOMPARE(int(live[0]), 8);
        QCOMPARE(areaBlock(live, 2), block);
    }

    void brightnessAboveAByteIsSentAsZero()
    {
        MouseBranchFixture f;
        LogCapture log;
        QVERIFY(f.succeeds(lighting(300, 2, 128, 3, 0, 255, 0)));
        QCOMPARE(f.lastFrame(0x15, 4, 1), std::vector<uint8_t>{0});
        QVERIFY(log.contains("Value out of range for uint8_t"));
        QCOMPARE(f.run(lighting(8, 9, 128, 3, 0, 255, 0)).value("RESULTS").toInt(), -1); // no effect 9
    }

    void lightsOffThenOn()
    {
        MouseBranchFixture f;
        QVERIFY(f.succeeds(lighting(6, 2, 128, 3, 0, 0, 255)));
        QVERIFY(f.succeeds(lighting(6, 1, 128, 3, 0, 0, 0)));
        QCOMPARE(areaBlock(f.sim.state().live.lighting[0], 0), (std::vector<uint8_t>{1, 128, 3, 0, 0, 0}));
        // The page shows the read-back colour 0, 0, 0 as off.
        QVariantMap read = f.run({{"runFunction", 43}});
        QCOMPARE(read.value("RESULTS").toInt(), 1);
        QCOMPARE(read.value("Get_ARGB_DATA4").toInt() + read.value("Get_ARGB_DATA5").toInt()
                     + read.value("Get_ARGB_DATA6").toInt(),
                 0);
        QVERIFY(f.succeeds(lighting(6, 2, 128, 3, 0, 0, 255)));
        read = f.run({{"runFunction", 43}});
        QCOMPARE(read.value("Get_ARGB_DATA1").toInt(), 2);
        QCOMPARE(read.value("Get_ARGB_DATA6").toInt(), 255);
    }

    void directColours()
    {
        MouseBranchFixture f;
        QVERIFY(f.succeeds({{"runFunction", 30}, {"LED_index", 13}, {"brightness", 5}, {"R_Color", 1}, {"G_Color", 2},
                            {"B_Color", 3}}));
        QCOMPARE(f.lastFrame(0x1E, 41, 3), (std::vector<uint8_t>{1, 2, 3}));
        QVERIFY(f.succeeds({{"runFunction", 100}, {"brightness", 7}, {"R_Color", 9}, {"G_Color", 8}, {"B_Color", 7}}));
        const SimDirectColours live = f.sim.state().live.direct;
        QCOMPARE(int(live.brightness), 7);
        QCOMPARE(int(live.leds[33]), 9); // LED 12
        QCOMPARE(int(live.leds[36]), 0); // LED 13 is not part of "all"
    }
};

QTEST_GUILESS_MAIN(TestMouseBranchWire)
#include "test_mouse_branch_wire.moc"
