// The macro buffer byte for byte: header, records, chunking.
#include "devices/mouse/macro_encoder.h"

#include <QtTest>

using namespace mouse;

namespace {

QVariantMap action(const QString& device, const QString& state, const QString& key = QString())
{
    return {{"deviceText", device}, {"actionText", state}, {"key", key}};
}

// Alternating presses and releases of "A" (usage 4).
QList<MacroAction> keystrokes(int count)
{
    QList<MacroAction> list;
    for (int i = 0; i < count; ++i)
        list.append({MacroDevice::Keystroke, uint8_t(i % 2 == 0 ? 4 : 0)});
    return list;
}

int usageOf(const QString& key)
{
    return key == QLatin1String("A") ? 4 : key == QLatin1String("Ctrl") ? 224 : 0;
}

} // namespace

class TestMacroEncoder : public QObject {
    Q_OBJECT

private slots:
    void actionsFromThePage()
    {
        int unknown = -1;
        const QList<MacroAction> actions = macroActionsFrom(
            {action("Keystroke", "Press", "A"), action("Keystroke", "Release", "A"), action("Mouse Clicks", "Press", "Left"),
             action("Consumer", "Press", "Volume"), action("Joystick", "Press", "X")},
            usageOf, &unknown);
        QCOMPARE(actions.size(), 4);
        QCOMPARE(unknown, 1);
        QCOMPARE(int(actions[0].usage), 4);
        QCOMPARE(int(actions[1].usage), 0); // a release carries no key
        QCOMPARE(int(actions[2].device), int(MacroDevice::MouseClick));
        QCOMPARE(int(actions[3].device), int(MacroDevice::Consumer));
    }

    void delaysGoToTheKeystrokeRecords()
    {
        QVariantMap quick = action("Keystroke", "Press", "A");
        quick.insert("delay", 0);
        QVariantMap slow = action("Keystroke", "Release", "A");
        slow.insert("delay", 255);
        QVariantMap click = action("Mouse Clicks", "Press", "Left");
        click.insert("delay", 40);
        const EncodedMacro macro =
            encodeMacro(macroActionsFrom({quick, slow, action("Keystroke", "Press", "Ctrl"), click}, usageOf), 1);
        QCOMPARE(int(macro.bytes[6 + 4]), 0);
        QCOMPARE(int(macro.bytes[12 + 4]), 255);
        QCOMPARE(int(macro.bytes[18 + 4]), kMacroDefaultDelay); // none given
        QCOMPARE(int(macro.bytes[24 + 4]), 0);                  // a click carries only its type
        for (int record = 0; record < 4; ++record)
            QCOMPARE(int(macro.bytes[size_t(6 + 6 * record + 5)]), 0);
    }

    void limits_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<QVariant>("delay");
        QTest::addColumn<bool>("refused");
        QTest::newRow("198 steps") << 198 << QVariant() << false;
        QTest::newRow("199 steps") << 199 << QVariant() << true;
        QTest::newRow("delay 0") << 3 << QVariant(0) << false;
        QTest::newRow("delay 255") << 3 << QVariant(255) << false;
        QTest::newRow("delay as text") << 3 << QVariant("120") << false;
        QTest::newRow("delay 256") << 3 << QVariant(256) << true;
        QTest::newRow("delay -5") << 3 << QVariant(-5) << true;
        QTest::newRow("delay 1.5") << 3 << QVariant(1.5) << true;
        QTest::newRow("delay empty") << 3 << QVariant("") << true;
    }
    void limits()
    {
        QFETCH(int, steps);
        QFETCH(QVariant, delay);
        QFETCH(bool, refused);
        QVariantList actions;
        for (int i = 0; i < steps; ++i)
            actions.append(action("Keystroke", "Press", "A"));
        if (delay.isValid()) {
            QVariantMap second = actions[1].toMap();
            second.insert("delay", delay);
            actions[1] = second;
        }
        const QString problem = macroLimitProblem(actions);
        QCOMPARE(!problem.isEmpty(), refused);
        if (delay.isValid() && refused)
            QVERIFY2(problem.startsWith("Step 2:"), qPrintable(problem));
    }

    void headerAndRecords()
    {
        const QList<MacroAction> actions{{MacroDevice::Keystroke, 224}, {MacroDevice::Keystroke, 0},
                                         {MacroDevice::MouseClick, 0}, {MacroDevice::Consumer, 0}};
        const EncodedMacro macro = encodeMacro(actions, 7);
        const std::vector<uint8_t> expected{
            4, 7, 24, 0, 0, 0,        // header: 4 records, Data_1, 24 bytes of records
            1, 0, 224, 0, 100, 0,     // Ctrl pressed
            1, 0, 0, 0, 100, 0,       // released
            0, 0, 0, 0, 0, 0,         // mouse click
            2, 0, 0, 0, 0, 0,         // consumer
        };
        QCOMPARE(std::vector<uint8_t>(macro.bytes.begin(), macro.bytes.begin() + 30), expected);
        QVERIFY(std::all_of(macro.bytes.begin() + 30, macro.bytes.end(), [](uint8_t b) { return b == 0; }));
    }

    void chunking_data()
    {
        QTest::addColumn<int>("actions");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("chunks");
        QTest::addColumn<int>("lengthLow");
        QTest::addColumn<int>("lengthHigh");
        QTest::newRow("9 fill one chunk") << 9 << 9 << 1 << 54 << 0;
        QTest::newRow("10 need a second") << 10 << 10 << 2 << 60 << 0;
        QTest::newRow("43: length past 255") << 43 << 43 << 5 << 2 << 1;
        QTest::newRow("200 cut to 198") << 200 << 198 << 20 << 0xA4 << 0x04;
    }
    void chunking()
    {
        QFETCH(int, actions);
        QFETCH(int, records);
        QFETCH(int, chunks);
        QFETCH(int, lengthLow);
        QFETCH(int, lengthHigh);
        const EncodedMacro macro = encodeMacro(keystrokes(actions), 0);
        QCOMPARE(macro.records, records);
        QCOMPARE(macro.dropped, actions - records);
        QCOMPARE(int(macro.bytes[0]), records);
        QCOMPARE(int(macro.bytes[2]), lengthLow);
        QCOMPARE(int(macro.bytes[3]), lengthHigh);
        QCOMPARE(macroChunkCount(macro.records), chunks);

        // The chunks laid end to end give back the buffer; the last record is in the last chunk.
        std::vector<uint8_t> joined;
        for (int n = 0; n < chunks; ++n) {
            const MacroChunk chunk = macroChunk(macro.bytes, n);
            joined.insert(joined.end(), chunk.begin(), chunk.end());
        }
        const int lastRecord = kMacroHeaderSize + kMacroRecordSize * (records - 1);
        QVERIFY(int(joined.size()) >= lastRecord + kMacroRecordSize);
        QCOMPARE(int(joined[size_t(lastRecord)]), 1);
        QCOMPARE(int(joined[size_t(lastRecord + 4)]), 100);
        QVERIFY(std::equal(joined.begin(), joined.end(), macro.bytes.begin()));
    }

    void bytesPastTheBufferAreZero()
    {
        const EncodedMacro macro = encodeMacro(keystrokes(200), 0);
        // Records end at 1194; the rest of the last chunk stays 0, and nothing lies past 1200.
        const MacroChunk last = macroChunk(macro.bytes, kMacroMaxChunks - 1);
        QVERIFY(std::all_of(last.begin() + 54, last.end(), [](uint8_t b) { return b == 0; }));
        const MacroChunk beyond = macroChunk(macro.bytes, kMacroMaxChunks);
        QVERIFY(std::all_of(beyond.begin(), beyond.end(), [](uint8_t b) { return b == 0; }));
        QCOMPARE(macroChunkCount(1000), kMacroMaxChunks);
        QCOMPARE(macroChunkCount(0), 1);
    }
};

QTEST_GUILESS_MAIN(TestMacroEncoder)
#include "test_macro_encoder.moc"
