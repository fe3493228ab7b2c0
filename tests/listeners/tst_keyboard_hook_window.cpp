// KEYBOARD_HOOK with the window back-end of Wayland sessions: key events that the platform
// delivers to our own window, with their native codes (X keycode and keysym, as Qt's xcb and
// Wayland platforms both hand them over), are recorded and captured exactly as the X11 hook
// records keys typed anywhere; F12 and F7 keep their meaning.
#include "answer_log.h"
#include "listeners/keyboard_hook.h"
#include "platform/window_keys.h"
#include "reporting_hook.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
#include <QtTest>
#include <qpa/qwindowsysteminterface.h>

#include <atomic>

namespace {

// Native codes of a PC keyboard with a US layout: X keycode (Linux input code + 8), keysym.
struct Key {
    quint32 keycode;
    quint32 keysym;
    int qtKey;
};
const Key kA{38, 0x61, Qt::Key_A};
const Key kC{54, 0x63, Qt::Key_C};
const Key kOne{10, 0x31, Qt::Key_1};
const Key kExclam{10, 0x21, Qt::Key_Exclam}; // the same key with Shift held
const Key kShift{50, 0xffe1, Qt::Key_Shift};
const Key kCtrl{37, 0xffe3, Qt::Key_Control};
const Key kPadHome{79, 0xff95, Qt::Key_Home}; // number pad 7 with Num Lock off
const Key kF5{71, 0xffc2, Qt::Key_F5};
const Key kF7{73, 0xffc4, Qt::Key_F7};
const Key kF12{96, 0xffc9, Qt::Key_F12};
const Key kMenu{135, 0xff67, Qt::Key_Menu}; // the context-menu key: no name in the tables

class CountingWindow : public QWindow {
public:
    QStringList received;

protected:
    void keyPressEvent(QKeyEvent* event) override { received << QStringLiteral("press %1").arg(event->nativeScanCode()); }
    void keyReleaseEvent(QKeyEvent* event) override { received << QStringLiteral("release %1").arg(event->nativeScanCode()); }
};

struct WindowHook {
    std::atomic<int> installs{0};
    KEYBOARD_HOOK hook{[this] { return std::make_unique<ReportingHook>(platform::createWindowKeyboardHook(), installs); }};
    AnswerLog log;
    CountingWindow window;

    WindowHook()
    {
        QObject::connect(&hook, &KEYBOARD_HOOK::dataChanged, &log, &AnswerLog::add, Qt::QueuedConnection);
        window.resize(200, 100);
        window.show();
    }
    ~WindowHook() { hook.stopThread(); }

    bool startMode(int control)
    {
        QVariantMap command;
        command[QStringLiteral("Control")] = control;
        hook.start();
        hook.receiveDataFromQML(command);
        QElapsedTimer timer;
        timer.start();
        while (installs == 0 && timer.elapsed() < 5000)
            QTest::qWait(5);
        QTest::qWait(20); // the filter is put in place on this (the application's) thread
        return installs > 0;
    }

    void send(const Key& key, bool down, bool repeat = false)
    {
        QWindowSystemInterface::handleExtendedKeyEvent(&window, down ? QEvent::KeyPress : QEvent::KeyRelease, key.qtKey,
                                                       Qt::NoModifier, key.keycode, key.keysym, 0, QString(), repeat);
        QWindowSystemInterface::flushWindowSystemEvents();
    }
    void tap(const Key& key)
    {
        send(key, true);
        send(key, false);
    }
};

} // namespace

class KeyboardHookWindowTest : public QObject {
    Q_OBJECT

private slots:
    void nativeKeysMapToTheDesktopHooksKeys()
    {
        QCOMPARE(platform::virtualKeyFromNativeKey(kA.keycode, kA.keysym), 0x41);
        QCOMPARE(platform::virtualKeyFromNativeKey(kA.keycode, 0x41), 0x41); // "A" with Shift
        QCOMPARE(platform::virtualKeyFromNativeKey(kExclam.keycode, kExclam.keysym), 0x31);
        QCOMPARE(platform::virtualKeyFromNativeKey(kPadHome.keycode, kPadHome.keysym), 0x67);
        QCOMPARE(platform::virtualKeyFromNativeKey(kF12.keycode, kF12.keysym), 0x7B);
        QCOMPARE(platform::virtualKeyFromNativeKey(kCtrl.keycode, kCtrl.keysym), 0xA2);
        QCOMPARE(platform::virtualKeyFromNativeKey(kMenu.keycode, kMenu.keysym), 0x5D);
    }

    void recordsWindowKeysLikeTheDesktopHook()
    {
        WindowHook t;
        QVERIFY(t.startMode(1));
        t.tap(kA);
        t.send(kShift, true);
        t.send(kExclam, true);
        t.send(kExclam, true, true); // held down: the repeat is no new press
        t.send(kExclam, false);
        t.send(kShift, false);
        t.tap(kPadHome);
        t.tap(kMenu); // not in the name table: not recorded
        t.tap(kF12);
        QTRY_COMPARE(t.log.macroEvents(),
                     (QStringList{"Hold A", "Release A", "Hold Shift", "Hold 1", "Release 1", "Release Shift", "Hold 7",
                                  "Release 7", "Hold F12", "Release F12"}));
        // F12 is kept from the window while recording; the other keys reach it as always.
        QVERIFY(!t.window.received.contains(QStringLiteral("press 96")));
        QVERIFY(t.window.received.contains(QStringLiteral("press 38")));
        t.tap(kF7);
        QVERIFY(t.hook.wait(2000));
        QTRY_COMPARE(t.log.values(QStringLiteral("StopMacro")), QStringList{QStringLiteral("1")});

        // With the recording over, keys are neither queued nor held back.
        t.tap(kF12);
        QVERIFY(t.window.received.contains(QStringLiteral("press 96")));
        QTest::qWait(50);
        QCOMPARE(t.log.macroEvents().size(), 10 + 1); // and F7's press, which ended it
    }

    void capturesShortcutsFromWindowKeys()
    {
        WindowHook t;
        QVERIFY(t.startMode(2));
        t.send(kCtrl, true);
        t.tap(kC);
        t.send(kCtrl, false);
        t.tap(kF5);
        QTRY_COMPARE(t.log.values(QStringLiteral("KeyFunction")), (QStringList{"Ctrl", "Ctrl+C", "F5"}));
        // A key event that Qt forwards to another object is the same key: counted once.
        QKeyEvent forwarded(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, kA.keycode, kA.keysym, 0);
        QObject item;
        QCoreApplication::sendEvent(&item, &forwarded);
        QTest::qWait(50);
        QCOMPARE(t.log.values(QStringLiteral("KeyFunction")).size(), 3);
        t.tap(kF7);
        QVERIFY(t.hook.wait(2000));
    }
};

QTEST_MAIN(KeyboardHookWindowTest)
#include "tst_keyboard_hook_window.moc"
