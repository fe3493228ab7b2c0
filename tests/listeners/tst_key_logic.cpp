// The keyboard hook's key logic without any desktop: key names, shortcut texts, the hook
// callback, what one loop pass publishes, the tracked key state and the X11 key translation.
#include "listeners/hook_key_state.h"
#include "listeners/key_hook_answers.h"
#include "listeners/key_names.h"
#include "listeners/key_shortcut.h"
#include "platform/key_state_tracker.h"
#include "platform/linux/x11_key_codes.h"

#include <QtTest>

namespace {

// Virtual keys and scan codes of the keys used below.
const int kA = 0x41, kScanA = 30;
const int kC = 0x43, kScanC = 46;
const int kF5 = 0x74, kScanF5 = 63;
const int kF12 = 0x7B, kScanF12 = 88;
const int kLeftCtrl = 0xA2, kScanCtrl = 29;
const int kLeftWin = 0x5B, kScanLeftWin = 91;
const int kMenu = 0x5D, kScanMenu = 93;

platform::KeyModifiers held(const QString& names)
{
    platform::KeyModifiers modifiers;
    modifiers.ctrl = names.contains(QLatin1String("ctrl"));
    modifiers.shift = names.contains(QLatin1String("shift"));
    modifiers.alt = names.contains(QLatin1String("alt"));
    modifiers.tab = names.contains(QLatin1String("tab"));
    modifiers.windows = names.contains(QLatin1String("win"));
    return modifiers;
}

platform::KeyEvent keyEvent(bool down, int virtualKey, int scanCode, const QString& heldNames = QString())
{
    platform::KeyEvent event;
    event.down = down;
    event.virtualKey = virtualKey;
    event.scanCode = scanCode;
    event.held = held(heldNames);
    return event;
}

} // namespace

class KeyLogicTest : public QObject {
    Q_OBJECT

private slots:
    void keyNames_data();
    void keyNames();
    void shortcutText_data();
    void shortcutText();
    void callbackHoldsBackOnlyF12GoingDown();
    void callbackNotesNamedKeysOnly();
    void callbackComposesShortcutOnKeyDownOnly();
    void pressAndReleaseInOnePassReportThePressOnly();
    void releaseAloneIsReported();
    void shortcutResultSkipsLeftWindowsAlone();
    void trackerToleratesRepeatedTransitions();
    void trackerReportsModifiersOfBothSides();
    void x11KeysRoundTripThroughVirtualKeys();
    void x11ScanCodesOfExtendedKeys();
};

void KeyLogicTest::keyNames_data()
{
    QTest::addColumn<int>("virtualKey");
    QTest::addColumn<QString>("name");
    QTest::newRow("first digit") << 0x30 << "0";
    QTest::newRow("last digit") << 0x39 << "9";
    QTest::newRow("number pad 0") << 0x60 << "0";
    QTest::newRow("number pad 9") << 0x69 << "9";
    QTest::newRow("A") << 0x41 << "A";
    QTest::newRow("Z") << 0x5A << "Z";
    QTest::newRow("F1") << 0x70 << "F1";
    QTest::newRow("F12") << 0x7B << "F12";
    QTest::newRow("pad minus") << 0x6D << "-";
    QTest::newRow("minus") << 0xBD << "-";
    QTest::newRow("backslash") << 0xDC << "\\";
    QTest::newRow("right shift") << 0xA1 << "Shift";
    QTest::newRow("right alt") << 0xA5 << "Alt";
    QTest::newRow("context menu") << kMenu << "";
    QTest::newRow("left windows") << kLeftWin << "";
    QTest::newRow("F13") << 0x7C << "";
    QTest::newRow("Delete") << 0x2E << "";
    QTest::newRow("before digits") << 0x2F << "";
    QTest::newRow("after letters") << 0x5F << "";
}

void KeyLogicTest::keyNames()
{
    QFETCH(int, virtualKey);
    QFETCH(QString, name);
    QCOMPARE(keyName(virtualKey), name);
}

void KeyLogicTest::shortcutText_data()
{
    QTest::addColumn<int>("virtualKey");
    QTest::addColumn<int>("scanCode");
    QTest::addColumn<QString>("heldNames");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("Ctrl+C") << kC << kScanC << "ctrl" << QByteArray("Ctrl+C");
    QTest::newRow("Ctrl and Shift held: the last prefix wins") << kC << kScanC << "ctrl shift" << QByteArray("Shift+C");
    QTest::newRow("all held: Windows wins") << kC << kScanC << "ctrl shift alt tab win" << QByteArray("Win+C");
    QTest::newRow("Tab beats Alt") << kA << kScanA << "alt tab" << QByteArray("Tab+A");
    QTest::newRow("F5 alone") << kF5 << kScanF5 << "" << QByteArray("F5");
    QTest::newRow("Ctrl+F5") << kF5 << kScanF5 << "ctrl" << QByteArray("Ctrl+F5");
    QTest::newRow("F10 with Alt") << 0x79 << 68 << "alt" << QByteArray("Alt+F10");
    QTest::newRow("F11 alone") << 0x7A << 87 << "" << QByteArray("F11");
    QTest::newRow("F12 alone") << kF12 << kScanF12 << "" << QByteArray("F12");
    QTest::newRow("Shift+F12") << kF12 << kScanF12 << "shift" << QByteArray("Shift+F12");
    QTest::newRow("letter alone") << kA << kScanA << "" << QByteArray("A");
    QTest::newRow("Ctrl alone") << kLeftCtrl << kScanCtrl << "" << QByteArray("Ctrl");
    QTest::newRow("right Ctrl alone") << 0xA3 << kScanCtrl << "" << QByteArray("Ctrl");
    QTest::newRow("Shift alone") << 0xA0 << 42 << "" << QByteArray("Shift");
    QTest::newRow("Alt alone") << 0xA4 << 56 << "" << QByteArray("Alt");
    QTest::newRow("Tab alone") << 0x09 << 15 << "" << QByteArray("Tab");
    QTest::newRow("left Windows alone") << kLeftWin << kScanLeftWin << "" << QByteArray("[");
    QTest::newRow("Windows after a prefix adds nothing") << kLeftWin << kScanLeftWin << "ctrl" << QByteArray("Ctrl+");
    QTest::newRow("right Windows after a prefix") << 0x5C << 92 << "alt" << QByteArray("Alt+");
    QTest::newRow("Win+E") << 0x45 << 18 << "win" << QByteArray("Win+E");
    QTest::newRow("Enter drops the prefix") << 0x0D << 28 << "ctrl" << QByteArray("Enter");
    QTest::newRow("other key as its code") << 0xBA << 39 << "ctrl" << QByteArray("Ctrl+\xBA");
}

void KeyLogicTest::shortcutText()
{
    QFETCH(int, virtualKey);
    QFETCH(int, scanCode);
    QFETCH(QString, heldNames);
    QFETCH(QByteArray, text);
    QCOMPARE(composeShortcut(virtualKey, scanCode, held(heldNames)), text);
}

void KeyLogicTest::callbackHoldsBackOnlyF12GoingDown()
{
    HookKeyState state;
    QVERIFY(onHookKeyEvent(state, keyEvent(true, kF12, kScanF12)));
    QVERIFY(state.pressed);
    QCOMPARE(state.pressedName, QStringLiteral("F12"));
    QVERIFY(!onHookKeyEvent(state, keyEvent(false, kF12, kScanF12)));
    QVERIFY(!onHookKeyEvent(state, keyEvent(true, kA, kScanA)));
    QVERIFY(!onHookKeyEvent(state, keyEvent(true, 0x7A, 87)));
    QCOMPARE(keysHeldBackByHook(), std::vector<int>{kF12});
}

void KeyLogicTest::callbackNotesNamedKeysOnly()
{
    HookKeyState state;
    onHookKeyEvent(state, keyEvent(true, kMenu, kScanMenu));
    onHookKeyEvent(state, keyEvent(false, kMenu, kScanMenu));
    QVERIFY(!state.pressed);
    QVERIFY(!state.released);

    onHookKeyEvent(state, keyEvent(true, kLeftCtrl, kScanCtrl));
    QCOMPARE(state.pressedName, QStringLiteral("Ctrl"));
    onHookKeyEvent(state, keyEvent(false, kA, kScanA));
    QVERIFY(state.released);
    QCOMPARE(state.releasedName, QStringLiteral("A"));
    // Keys pressed with Alt held are recorded too.
    onHookKeyEvent(state, keyEvent(true, 0x09, 15, QStringLiteral("alt")));
    QCOMPARE(state.pressedName, QStringLiteral("Tab"));
}

void KeyLogicTest::callbackComposesShortcutOnKeyDownOnly()
{
    HookKeyState state;
    onHookKeyEvent(state, keyEvent(true, kC, kScanC, QStringLiteral("ctrl")));
    QCOMPARE(state.shortcut, QByteArray("Ctrl+C"));
    onHookKeyEvent(state, keyEvent(false, kC, kScanC, QStringLiteral("ctrl")));
    onHookKeyEvent(state, keyEvent(false, kLeftCtrl, kScanCtrl));
    QCOMPARE(state.shortcut, QByteArray("Ctrl+C"));
    // A new press replaces the text, it never appends to it.
    onHookKeyEvent(state, keyEvent(true, kF5, kScanF5));
    QCOMPARE(state.shortcut, QByteArray("F5"));
}

void KeyLogicTest::pressAndReleaseInOnePassReportThePressOnly()
{
    HookKeyState state;
    onHookKeyEvent(state, keyEvent(true, kA, kScanA));
    onHookKeyEvent(state, keyEvent(false, kC, kScanC));

    const auto event = takeMacroEvent(state);
    QVERIFY(event.has_value());
    QVariantMap expected;
    expected[QStringLiteral("Action")] = QStringLiteral("Hold");
    expected[QStringLiteral("device")] = QStringLiteral("KEYBOARD");
    expected[QStringLiteral("SendMacroKey")] = 1;
    expected[QStringLiteral("Key")] = QStringLiteral("A");
    expected[QStringLiteral("runKeyFunction")] = 0;
    expected[QStringLiteral("Control")] = 1;
    QCOMPARE(*event, expected);
    QVERIFY(!takeMacroEvent(state).has_value());
}

void KeyLogicTest::releaseAloneIsReported()
{
    HookKeyState state;
    onHookKeyEvent(state, keyEvent(false, kF12, kScanF12));
    const auto event = takeMacroEvent(state);
    QVERIFY(event.has_value());
    QCOMPARE(event->value(QStringLiteral("Action")).toString(), QStringLiteral("Release"));
    QCOMPARE(event->value(QStringLiteral("Key")).toString(), QStringLiteral("F12"));
    QVERIFY(!takeMacroEvent(state).has_value());
}

void KeyLogicTest::shortcutResultSkipsLeftWindowsAlone()
{
    HookKeyState state;
    QVERIFY(!takeShortcutResult(state).has_value());

    onHookKeyEvent(state, keyEvent(true, kLeftWin, kScanLeftWin));
    QVERIFY(!takeShortcutResult(state).has_value());

    onHookKeyEvent(state, keyEvent(true, kC, kScanC, QStringLiteral("ctrl")));
    const auto result = takeShortcutResult(state);
    QVERIFY(result.has_value());
    QVariantMap expected;
    expected[QStringLiteral("runKeyFunction")] = 0;
    expected[QStringLiteral("SendMacroKey")] = 0;
    expected[QStringLiteral("KeyFunction")] = QStringLiteral("Ctrl+C");
    expected[QStringLiteral("RESULTS")] = 1;
    expected[QStringLiteral("Control")] = 2;
    QCOMPARE(*result, expected);
    QVERIFY(state.shortcut.isEmpty());
    QVERIFY(!takeShortcutResult(state).has_value());
}

void KeyLogicTest::trackerToleratesRepeatedTransitions()
{
    platform::KeyStateTracker keys;
    QVERIFY(keys.apply(37, kLeftCtrl, true));
    QVERIFY(!keys.apply(37, kLeftCtrl, true));
    QVERIFY(keys.isDown(0x11));
    QVERIFY(keys.apply(37, kLeftCtrl, false));
    QVERIFY(!keys.apply(37, kLeftCtrl, false));
    QVERIFY(!keys.isDown(0x11));
    QVERIFY(!keys.apply(50, 0xA0, false));
    QVERIFY(!keys.modifiers().shift);
    // A key is released under the code it went down with.
    QVERIFY(keys.apply(10, 0x76, true));
    QVERIFY(keys.apply(10, 0x31, false));
    QVERIFY(!keys.isDown(0x76));
}

void KeyLogicTest::trackerReportsModifiersOfBothSides()
{
    platform::KeyStateTracker keys;
    keys.apply(105, 0xA3, true);  // right Ctrl
    keys.apply(62, 0xA1, true);   // right Shift
    keys.apply(108, 0xA5, true);  // right Alt
    keys.apply(134, 0x5C, true);  // right Windows
    keys.apply(23, 0x09, true);   // Tab
    const platform::KeyModifiers held = keys.modifiers();
    QVERIFY(held.ctrl && held.shift && held.alt && held.windows && held.tab);
    keys.apply(37, kLeftCtrl, true);
    keys.apply(105, 0xA3, false);
    QVERIFY(keys.modifiers().ctrl);
    keys.apply(37, kLeftCtrl, false);
    QVERIFY(!keys.modifiers().ctrl);
    keys.clear();
    QVERIFY(!keys.modifiers().shift);
}

void KeyLogicTest::x11KeysRoundTripThroughVirtualKeys()
{
    // Every key the macro table names can be pressed and comes back as the same code.
    int named = 0;
    for (int virtualKey = 1; virtualKey < 256; ++virtualKey) {
        if (keyName(virtualKey).isEmpty() || virtualKey == 0x10 || virtualKey == 0x11 || virtualKey == 0x12)
            continue;
        ++named;
        const unsigned long keysym = platform::keysymFromVirtualKey(virtualKey);
        QVERIFY2(keysym != 0, qPrintable(QString::number(virtualKey, 16)));
        QCOMPARE(platform::virtualKeyFromKeysyms(keysym, keysym), virtualKey);
    }
    QCOMPARE(named, 90);
    // Side-neutral modifiers are pressed as the left key.
    QCOMPARE(platform::virtualKeyFromKeysyms(platform::keysymFromVirtualKey(0x11), 0), kLeftCtrl);
    // A number-pad key reads as its digit from its second level.
    const unsigned long kpInsert = 0xff9e;
    const unsigned long kpZero = 0xffb0;
    QCOMPARE(platform::virtualKeyFromKeysyms(kpInsert, kpZero), 0x60);
    // Upper-case letters and unknown keysyms.
    QCOMPARE(platform::virtualKeyFromKeysyms('Q', 'Q'), 0x51);
    QCOMPARE(platform::virtualKeyFromKeysyms(0x1008ff13, 0), 0);
    QCOMPARE(platform::keysymFromVirtualKey(0xFF), 0UL);
}

void KeyLogicTest::x11ScanCodesOfExtendedKeys()
{
    QCOMPARE(platform::scanCodeFromX11Keycode(38), kScanA);
    QCOMPARE(platform::scanCodeFromX11Keycode(71), kScanF5);
    QCOMPARE(platform::scanCodeFromX11Keycode(95), 87);     // F11
    QCOMPARE(platform::scanCodeFromX11Keycode(96), kScanF12);
    QCOMPARE(platform::scanCodeFromX11Keycode(37), kScanCtrl); // left Ctrl
    QCOMPARE(platform::scanCodeFromX11Keycode(105), kScanCtrl); // right Ctrl
    QCOMPARE(platform::scanCodeFromX11Keycode(108), 56);    // right Alt
    QCOMPARE(platform::scanCodeFromX11Keycode(133), kScanLeftWin);
    QCOMPARE(platform::scanCodeFromX11Keycode(134), 92);    // right Windows
    QCOMPARE(platform::scanCodeFromX11Keycode(111), 72);    // Up
    QCOMPARE(platform::scanCodeFromX11Keycode(135), kScanMenu);
}

QTEST_GUILESS_MAIN(KeyLogicTest)
#include "tst_key_logic.moc"
