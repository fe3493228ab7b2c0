// KEYBOARD_HOOK on its own thread with key events injected through a test back-end: what each
// mode publishes, how it ends, and that the hook never outlives the mode.
#include "answer_log.h"
#include "fake_keyboard_hook.h"
#include "listeners/keyboard_hook.h"
#include "platform/key_injection.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

const int kA = 0x41, kScanA = 30;
const int kC = 0x43, kScanC = 46;
const int kF5 = 0x74, kScanF5 = 63;
const int kF7 = 0x76, kScanF7 = 65;
const int kF12 = 0x7B, kScanF12 = 88;
const int kLeftCtrl = 0xA2, kScanCtrl = 29;
const int kLeftShift = 0xA0, kScanShift = 42;
const int kLeftWin = 0x5B, kScanLeftWin = 91;
const int kMenu = 0x5D, kScanMenu = 93;

QStringList g_warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtWarningMsg)
        g_warnings << text;
}

QVariantMap command(int control)
{
    QVariantMap map;
    map[QStringLiteral("Control")] = control;
    return map;
}

// One KEYBOARD_HOOK fed by a fake keyboard, with its answers collected on the test thread.
struct HookUnderTest {
    std::shared_ptr<FakeKeyboard> keyboard = std::make_shared<FakeKeyboard>();
    KEYBOARD_HOOK hook{[keyboard = keyboard] { return std::make_unique<FakeKeyboardHook>(keyboard); }};
    AnswerLog log;

    HookUnderTest()
    {
        QObject::connect(&hook, &KEYBOARD_HOOK::dataChanged, &log, &AnswerLog::add, Qt::QueuedConnection);
    }
    ~HookUnderTest()
    {
        hook.stopThread();
    }
    // Starts a mode the way QML does: start() first, then the command.
    void startMode(int control)
    {
        hook.start();
        hook.receiveDataFromQML(command(control));
    }
};

} // namespace

class KeyboardHookTest : public QObject {
    Q_OBJECT

private slots:
    void recordingPublishesPressesAndReleasesUntilF7();
    void recordingSkipsKeysOutsideTheTable();
    void recordingTakesF12AndHoldsItBack();
    void stopEndsRecordingPromptly();
    void captureComposesShortcuts();
    void captureEndsOnF7WithoutNotice();
    void captureWithoutHookKeepsPollingUntilStopped();
    void failingModeEndsTheThreadAndRemovesTheHook();
    void stopEndsEveryWaitWithinATenthOfASecond_data();
    void stopEndsEveryWaitWithinATenthOfASecond();
    void recordingNoticeCarriesNothingOfAnEarlierCapture();
    void otherControlReturnsWithoutHook();
    void usedCommandIsNotReplayedByTheNextStart();
    void modesCalledFromAnotherThreadDoNothing();
    void withoutDisplayTheDesktopServicesSaySoOnce();
};

void KeyboardHookTest::recordingPublishesPressesAndReleasesUntilF7()
{
    HookUnderTest t;
    t.startMode(1);
    QTRY_VERIFY(t.keyboard->installed);
    t.keyboard->tap(kA, kScanA);
    t.keyboard->press(kLeftCtrl, kScanCtrl);
    t.keyboard->release(kLeftCtrl, kScanCtrl);
    t.keyboard->press(kF7, kScanF7);

    QVERIFY(t.hook.wait(2000));
    QTRY_COMPARE(t.log.values(QStringLiteral("StopMacro")), QStringList{QStringLiteral("1")});
    QCOMPARE(t.log.macroEvents(), (QStringList{"Hold A", "Release A", "Hold Ctrl", "Release Ctrl", "Hold F7"}));
    QCOMPARE(t.log.answers.last().value(QStringLiteral("StopMacro")).toInt(), 1);
    QCOMPARE(t.keyboard->installs.load(), 1);
    QCOMPARE(t.keyboard->removals.load(), 1);
    QVERIFY(!t.keyboard->installed);
}

void KeyboardHookTest::recordingSkipsKeysOutsideTheTable()
{
    HookUnderTest t;
    t.startMode(1);
    QTRY_VERIFY(t.keyboard->installed);
    t.keyboard->tap(kMenu, kScanMenu);
    t.keyboard->tap(kLeftWin, kScanLeftWin);
    t.keyboard->press(kF7, kScanF7);
    QVERIFY(t.hook.wait(2000));
    QTRY_COMPARE(t.log.values(QStringLiteral("StopMacro")).size(), 1);
    QCOMPARE(t.log.macroEvents(), QStringList{"Hold F7"});
}

void KeyboardHookTest::recordingTakesF12AndHoldsItBack()
{
    HookUnderTest t;
    t.startMode(1);
    QTRY_VERIFY(t.keyboard->installed);
    QCOMPARE(t.keyboard->heldBack(), std::vector<int>{kF12});
    t.keyboard->tap(kF12, kScanF12);
    QTRY_COMPARE(t.log.macroEvents(), (QStringList{"Hold F12", "Release F12"}));
    const auto delivered = t.keyboard->delivered();
    QCOMPARE(delivered.size(), size_t(2));
    QVERIFY(delivered[0].second);  // down: held back
    QVERIFY(!delivered[1].second); // up: passed on
    t.keyboard->press(kF7, kScanF7);
    QVERIFY(t.hook.wait(2000));
}

void KeyboardHookTest::stopEndsRecordingPromptly()
{
    HookUnderTest t;
    t.startMode(1);
    QTRY_VERIFY(t.keyboard->installed);
    QElapsedTimer timer;
    timer.start();
    t.hook.stopThread();
    QVERIFY(timer.elapsed() < 1000);
    QVERIFY(t.hook.isFinished());
    QCOMPARE(t.keyboard->removals.load(), 1);
    QTRY_COMPARE(t.log.values(QStringLiteral("StopMacro")), QStringList{QStringLiteral("1")});
}

void KeyboardHookTest::captureComposesShortcuts()
{
    HookUnderTest t;
    t.startMode(2);
    QTRY_VERIFY(t.keyboard->installed);
    t.keyboard->press(kLeftCtrl, kScanCtrl);
    t.keyboard->tap(kC, kScanC);
    // Shift going down under Ctrl adds its own code byte (0xA0) after the prefix.
    t.keyboard->press(kLeftShift, kScanShift);
    t.keyboard->tap(kC, kScanC);
    t.keyboard->release(kLeftShift, kScanShift);
    t.keyboard->tap(kF5, kScanF5);
    t.keyboard->release(kLeftCtrl, kScanCtrl);
    t.keyboard->tap(kLeftWin, kScanLeftWin);
    t.keyboard->tap(kF5, kScanF5);
    t.keyboard->tap(kA, kScanA);
    QTRY_COMPARE(t.log.values(QStringLiteral("KeyFunction")),
                 (QStringList{"Ctrl", "Ctrl+C", QStringLiteral("Ctrl+") + QChar(0xA0), "Shift+C", "Ctrl+F5",
                              "F5", "A"}));
    QVariantMap expected;
    expected[QStringLiteral("runKeyFunction")] = 0;
    expected[QStringLiteral("SendMacroKey")] = 0;
    expected[QStringLiteral("KeyFunction")] = QStringLiteral("A");
    expected[QStringLiteral("RESULTS")] = 1;
    expected[QStringLiteral("Control")] = 2;
    QCOMPARE(t.log.answers.last(), expected);
}

void KeyboardHookTest::captureEndsOnF7WithoutNotice()
{
    HookUnderTest t;
    t.startMode(2);
    QTRY_VERIFY(t.keyboard->installed);
    t.keyboard->press(kF7, kScanF7);
    QVERIFY(t.hook.wait(2000));
    QCOMPARE(t.keyboard->removals.load(), 1);
    QTest::qWait(20);
    QVERIFY(t.log.values(QStringLiteral("StopMacro")).isEmpty());
    QVERIFY(t.log.values(QStringLiteral("KeyFunction")).isEmpty());
}

void KeyboardHookTest::captureWithoutHookKeepsPollingUntilStopped()
{
    HookUnderTest t;
    t.keyboard->failInstall = true;
    t.startMode(2);
    QTRY_COMPARE(t.keyboard->installs.load(), 1);
    QTest::qWait(100);
    QVERIFY(t.hook.isRunning());
    QElapsedTimer timer;
    timer.start();
    t.hook.stopThread();
    QVERIFY(timer.elapsed() < 1000);
    QVERIFY(t.hook.isFinished());
    QVERIFY(t.log.answers.isEmpty());
}

void KeyboardHookTest::stopEndsEveryWaitWithinATenthOfASecond_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<bool>("hookFails");
    QTest::newRow("waiting for the command") << -1 << false;
    QTest::newRow("recording, no key typed") << 1 << false;
    QTest::newRow("capturing, no key typed") << 2 << false;
    QTest::newRow("capturing without a hook") << 2 << true;
}

void KeyboardHookTest::stopEndsEveryWaitWithinATenthOfASecond()
{
    QFETCH(int, control);
    QFETCH(bool, hookFails);
    HookUnderTest t;
    t.keyboard->failInstall = hookFails;
    if (control < 0) {
        t.hook.start();
    } else {
        t.startMode(control);
        QTRY_COMPARE(t.keyboard->installs.load(), 1);
        // A key typed while the thread sleeps wakes it and is handled.
        t.keyboard->tap(0x41, 30);
        if (!hookFails)
            QTRY_COMPARE(int(t.keyboard->delivered().size()), 2);
    }
    QTest::qWait(50);
    QVERIFY(t.hook.isRunning());
    QElapsedTimer timer;
    timer.start();
    t.hook.stopThread();
    QVERIFY(t.hook.isFinished());
    QVERIFY2(timer.elapsed() < 100, qPrintable(QString::number(timer.elapsed())));
}

void KeyboardHookTest::failingModeEndsTheThreadAndRemovesTheHook()
{
    HookUnderTest t;
    t.startMode(1);
    QTRY_VERIFY(t.keyboard->installed);
    t.keyboard->failPump();
    QVERIFY(t.hook.wait(2000));
    QCOMPARE(t.keyboard->removals.load(), 1);
    QVERIFY(!t.keyboard->installed);
}

void KeyboardHookTest::recordingNoticeCarriesNothingOfAnEarlierCapture()
{
    HookUnderTest t;
    t.startMode(2);
    QTRY_VERIFY(t.keyboard->installed);
    t.keyboard->tap(kA, kScanA);
    QTRY_COMPARE(t.log.values(QStringLiteral("KeyFunction")), QStringList{"A"});
    t.keyboard->press(kF7, kScanF7);
    QVERIFY(t.hook.wait(2000));
    t.log.answers.clear();

    t.startMode(1);
    QTRY_VERIFY(t.keyboard->installed);
    t.hook.stopThread();
    QTRY_COMPARE(t.log.answers.size(), 1);
    QVariantMap notice;
    notice[QStringLiteral("StopMacro")] = 1;
    QCOMPARE(t.log.answers.first(), notice);
}

void KeyboardHookTest::otherControlReturnsWithoutHook()
{
    HookUnderTest t;
    t.hook.receiveDataFromQML(command(0));
    QElapsedTimer timer;
    timer.start();
    t.hook.start();
    QVERIFY(t.hook.wait(2000));
    QVERIFY(timer.elapsed() < 450); // shorter than the wait for a missing command
    QCOMPARE(t.keyboard->installs.load(), 0);
}

void KeyboardHookTest::usedCommandIsNotReplayedByTheNextStart()
{
    HookUnderTest t;
    t.startMode(1);
    QTRY_VERIFY(t.keyboard->installed);
    t.hook.stopThread();
    QCOMPARE(t.keyboard->installs.load(), 1);

    // Started again without a new command: it waits a little for one, then returns.
    t.hook.start();
    QVERIFY(t.hook.wait(3000));
    QCOMPARE(t.keyboard->installs.load(), 1);

    // A command that comes a moment after start() is still taken.
    t.hook.start();
    QTest::qWait(100);
    t.hook.receiveDataFromQML(command(2));
    QTRY_COMPARE(t.keyboard->installs.load(), 2);
}

void KeyboardHookTest::modesCalledFromAnotherThreadDoNothing()
{
    HookUnderTest t;
    t.hook.software_macro_key_record();
    t.hook.mouse_key_function_get_key();
    QCOMPARE(t.keyboard->installs.load(), 0);
    QVERIFY(t.log.answers.isEmpty());
}

void KeyboardHookTest::withoutDisplayTheDesktopServicesSaySoOnce()
{
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("DISPLAY");
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);

    const auto hook = platform::createKeyboardHook();
    const bool installedOnce = hook->install({0x7B});
    const bool installedTwice = hook->install({0x7B});
    const auto pumped = hook->pumpOne([](const platform::KeyEvent&) { return false; });
    hook->remove();
    const bool pressedOnce = platform::pressAndReleaseVirtualKey(0x41);
    const bool pressedTwice = platform::pressAndReleaseVirtualKey(0x41);

    qInstallMessageHandler(previous);
    qputenv("DISPLAY", display);
    qputenv("WAYLAND_DISPLAY", wayland);
    QVERIFY(!installedOnce && !installedTwice);
    QVERIFY(pumped == platform::KeyboardHookBackend::PumpResult::Idle);
    QVERIFY(!pressedOnce && !pressedTwice);
    QCOMPARE(g_warnings.size(), 2);
    QVERIFY(g_warnings[0].contains(QLatin1String("keys cannot be observed")));
    QVERIFY(g_warnings[1].contains(QLatin1String("keys cannot be pressed")));
    QVERIFY(g_warnings[0].contains(QLatin1String("Wayland")));
}

QTEST_GUILESS_MAIN(KeyboardHookTest)
#include "tst_keyboard_hook.moc"
