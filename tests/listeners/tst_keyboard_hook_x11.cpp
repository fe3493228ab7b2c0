// KEYBOARD_HOOK with the real X11 back-end on a real X server: keys typed through XTEST by
// another client are recorded and captured, F12 is kept from other programs while the hook
// runs, and key injection reaches the focused window.
#include "answer_log.h"
#include "reporting_hook.h"
#include "listeners/keyboard_hook.h"
#include "platform/key_injection.h"
#include "x11_test_client.h"

#include <QtTest>
#include <atomic>

namespace {

struct DesktopHook {
    std::atomic<int> installs{0};
    KEYBOARD_HOOK hook{[this] { return std::make_unique<ReportingHook>(platform::createKeyboardHook(), installs); }};
    AnswerLog log;

    DesktopHook()
    {
        QObject::connect(&hook, &KEYBOARD_HOOK::dataChanged, &log, &AnswerLog::add, Qt::QueuedConnection);
    }
    ~DesktopHook() { hook.stopThread(); }

    bool startMode(int control)
    {
        const int before = installs;
        QVariantMap command;
        command[QStringLiteral("Control")] = control;
        hook.start();
        hook.receiveDataFromQML(command);
        QElapsedTimer timer;
        timer.start();
        while (installs == before && timer.elapsed() < 5000)
            QTest::qWait(5);
        return installs > before;
    }
};

} // namespace

class KeyboardHookX11Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void recordsKeyPressAndRelease();
    void capturesCtrlC();
    void capturesShortcutOfModifierHeldBeforeStart();
    void f12IsRecordedAndKeptFromOtherPrograms();
    void injectedKeysReachTheFocusedWindow();
    void cleanupTestCase();

private:
    // Held for the whole run: an X server resets when its last client leaves, and refuses
    // connections while it does.
    std::unique_ptr<X11TestClient> m_anchor;
};

void KeyboardHookX11Test::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X display: run under xvfb-run (./test.sh does)");
    // The server may still be resetting after the previous test program left.
    QElapsedTimer timer;
    timer.start();
    do {
        m_anchor = std::make_unique<X11TestClient>();
    } while (!m_anchor->isOpen() && timer.elapsed() < 3000 && (QTest::qWait(50), true));
    QVERIFY2(m_anchor->isOpen(), "DISPLAY is set but the X server cannot be opened");
}

void KeyboardHookX11Test::cleanupTestCase()
{
    m_anchor.reset();
}

void KeyboardHookX11Test::recordsKeyPressAndRelease()
{
    X11TestClient keyboard;
    DesktopHook t;
    QVERIFY(t.startMode(1));
    keyboard.tapKey("a");
    QTRY_COMPARE(t.log.macroEvents(), (QStringList{"Hold A", "Release A"}));
    keyboard.tapKey("F7");
    QVERIFY(t.hook.wait(2000));
    QTRY_COMPARE(t.log.values(QStringLiteral("StopMacro")), QStringList{QStringLiteral("1")});
}

void KeyboardHookX11Test::capturesCtrlC()
{
    X11TestClient keyboard;
    DesktopHook t;
    QVERIFY(t.startMode(2));
    keyboard.sendKey("Control_L", true);
    keyboard.tapKey("c");
    keyboard.sendKey("Control_L", false);
    QTRY_COMPARE(t.log.values(QStringLiteral("KeyFunction")), (QStringList{"Ctrl", "Ctrl+C"}));
    keyboard.tapKey("F7");
    QVERIFY(t.hook.wait(2000));
}

void KeyboardHookX11Test::capturesShortcutOfModifierHeldBeforeStart()
{
    X11TestClient keyboard;
    DesktopHook t;
    keyboard.sendKey("Control_L", true);
    QVERIFY(t.startMode(2));
    keyboard.tapKey("c");
    keyboard.sendKey("Control_L", false);
    QTRY_COMPARE(t.log.values(QStringLiteral("KeyFunction")), QStringList{"Ctrl+C"});
    t.hook.stopThread();
    QVERIFY(t.hook.isFinished());
}

void KeyboardHookX11Test::f12IsRecordedAndKeptFromOtherPrograms()
{
    X11TestClient other;
    QVERIFY(other.showFocusedWindow());
    other.tapKey("F12");
    QTRY_COMPARE(other.receivedKeys(), (QStringList{"press F12", "release F12"}));

    DesktopHook t;
    QVERIFY(t.startMode(1));
    other.tapKey("F12");
    other.tapKey("b");
    QTRY_COMPARE(t.log.macroEvents(), (QStringList{"Hold F12", "Release F12", "Hold B", "Release B"}));
    QTRY_COMPARE(other.receivedKeys().mid(2), (QStringList{"press b", "release b"}));
    other.tapKey("F7");
    QVERIFY(t.hook.wait(2000));

    // With the hook gone, F12 reaches the window again.
    other.tapKey("F12");
    QTRY_COMPARE(other.receivedKeys().mid(6), (QStringList{"press F12", "release F12"}));
}

void KeyboardHookX11Test::injectedKeysReachTheFocusedWindow()
{
    X11TestClient other;
    QVERIFY(other.showFocusedWindow());
    QVERIFY(platform::pressAndReleaseVirtualKey(0x41));
    QVERIFY(platform::pressAndReleaseVirtualKey(0x35));
    QVERIFY(platform::pressAndReleaseVirtualKey(0x70));
    QTRY_COMPARE(other.receivedKeys(), (QStringList{"press a", "release a", "press 5", "release 5", "press F1",
                                                    "release F1"}));
    QVERIFY(!platform::pressAndReleaseVirtualKey(0xFF));
}

QTEST_GUILESS_MAIN(KeyboardHookX11Test)
#include "tst_keyboard_hook_x11.moc"
