#include "listeners/keyboard_hook.h"

#include "bridge/map_reading.h"
#include "listeners/hook_key_state.h"
#include "listeners/key_hook_answers.h"
#include "platform/window_keys.h"
#include "util/logging.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <exception>

namespace {

const int kVirtualKeyF7 = 0x76;
// QML starts the thread and hands over the command right after; this long at most a thread
// that finds no command waits for it.
const int kCommandWaitMs = 500;
const unsigned long kStopWaitMs = 1000;

// The hook for the length of one mode: installed when made, always removed when the mode
// ends, however it ends. Pumping runs the hook callback on the mode's own thread.
class InstalledHook {
public:
    InstalledHook(std::unique_ptr<platform::KeyboardHookBackend> backend, HookKeyState& keys,
                  const platform::WakeSignal& wake)
        : m_backend(std::move(backend)), m_keys(keys), m_wake(wake)
    {
        m_installed = m_backend && m_backend->install(keysHeldBackByHook());
    }
    ~InstalledHook()
    {
        if (m_backend)
            m_backend->remove();
    }
    InstalledHook(const InstalledHook&) = delete;
    InstalledHook& operator=(const InstalledHook&) = delete;

    bool installed() const { return m_installed; }
    bool isKeyDown(int virtualKey) const { return m_backend && m_backend->isKeyDown(virtualKey); }

    // Handles one waiting event, or sleeps until there is one or the thread is woken (a stop).
    // False when the event source has gone away and the mode should end.
    bool pumpOrWait()
    {
        using Result = platform::KeyboardHookBackend::PumpResult;
        Result result = Result::Idle;
        if (m_installed)
            result = m_backend->pumpOne([this](const platform::KeyEvent& event) {
                return onHookKeyEvent(m_keys, event);
            });
        if (result == Result::Idle) {
            if (m_installed)
                m_backend->waitForEvents(m_wake);
            else
                platform::waitForEvent(-1, m_wake);
        }
        return result != Result::Quit;
    }

private:
    std::unique_ptr<platform::KeyboardHookBackend> m_backend;
    HookKeyState& m_keys;
    const platform::WakeSignal& m_wake;
    bool m_installed = false;
};

void forgetPressAndRelease(HookKeyState& keys)
{
    keys.pressed = false;
    keys.released = false;
    keys.pressedName.clear();
    keys.releasedName.clear();
}

} // namespace

KEYBOARD_HOOK::KEYBOARD_HOOK(QObject* parent) : KEYBOARD_HOOK(&platform::createSessionKeyboardHook, parent)
{
    m_windowKeysOnly = platform::sessionKeyboardHookSeesOnlyOwnWindows();
}

KEYBOARD_HOOK::KEYBOARD_HOOK(HookFactory makeHook, QObject* parent)
    : BridgeThread(parent), m_makeHook(std::move(makeHook))
{
}

KEYBOARD_HOOK::~KEYBOARD_HOOK()
{
    requestInterruption();
    qDebug() << "~KEYBOARD_HOOK()";
    m_stopFlag = true;
    m_running = false;
    interruptAndWake();
    // Every wait ends on the wake-up, so the loop sees the request within milliseconds;
    // cutting the thread off would leave the hook's display connection half used.
    if (!wait(kStopWaitMs)) {
        qWarning() << "~KEYBOARD_HOOK() the hook thread did not end; terminating it";
        terminate();
        wait();
    }
}

void KEYBOARD_HOOK::stopThread()
{
    qDebug() << "================================================= Stop() KEYBOARD_HOOK Thread: "
             << QThread::currentThreadId();
    m_running = false;
    requestStopAndWait(kStopWaitMs);
}

void KEYBOARD_HOOK::run()
{
    qDebug() << "KEYBOARD_HOOK::run() Worker Thread ID: " << QThread::currentThreadId();
    m_stopFlag = false;
    try {
        const int control = takeControl();
        if (control == 1)
            software_macro_key_record();
        else if (control == 2)
            mouse_key_function_get_key();
    } catch (const std::exception& error) {
        qDebug() << "Caught exception: " << error.what();
    }
}

int KEYBOARD_HOOK::takeControl()
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        m_wake.lower();
        const CommandSlot::Taken taken = m_command.take();
        int control = -1;
        if (tryReadInt(taken.command, QStringLiteral("Control"), &control) && control != -1) {
            // Used up, so that the next start waits for its own command instead of repeating
            // this one.
            m_command.setIfCurrent(taken.generation, QStringLiteral("Control"), -1);
            return control;
        }
        const qint64 left = kCommandWaitMs - waited.elapsed();
        if (left <= 0 || isInterruptionRequested())
            return -1;
        platform::waitForEvent(-1, m_wake, int(left));
    }
}

bool KEYBOARD_HOOK::keepRunning() const
{
    // The interruption request also covers a stop that came before the mode set its flag.
    return m_running && !isInterruptionRequested();
}

bool KEYBOARD_HOOK::onOwnThread(const char* operation) const
{
    if (QThread::currentThread() == this)
        return true;
    qWarning() << "KEYBOARD_HOOK" << operation << "runs only on the hook thread: call start()";
    return false;
}

void KEYBOARD_HOOK::software_macro_key_record()
{
    if (!onOwnThread("software_macro_key_record"))
        return;
    m_running = true;
    qDebug() << "Start Macro Commands Record";
    HookKeyState keys;
    {
        InstalledHook hook(m_makeHook(), keys, m_wake);
        // Nothing of an earlier capture may ride along with the end-of-recording notice.
        m_result.clear();
        m_result[QStringLiteral("StopMacro")] = 0;
        for (;;) {
            // Lowered before the flags are looked at: a stop from here on ends the wait.
            m_wake.lower();
            if (const auto event = takeMacroEvent(keys))
                emit dataChanged(*event);
            if (!keepRunning()) {
                qDebug() << "Stop MacroKeyRecord";
                break;
            }
            if (hook.isKeyDown(kVirtualKeyF7) || !hook.pumpOrWait())
                break;
        }
        qDebug() << "KEYBOARD_HOOK Stop Macro Commands Record";
        m_result[QStringLiteral("StopMacro")] = 1;
        emit dataChanged(m_result);
        m_result[QStringLiteral("StopMacro")] = 0;
    }
}

void KEYBOARD_HOOK::mouse_key_function_get_key()
{
    if (!onOwnThread("mouse_key_function_get_key"))
        return;
    m_running = true;
    qDebug() << "############################### run KEYBOARDFUNCTION ###############################";
    m_result.clear();
    m_result[QStringLiteral("Control")] = 2;
    HookKeyState keys;
    {
        InstalledHook hook(m_makeHook(), keys, m_wake);
        if (!hook.installed())
            writeStderr(QStringLiteral("Failed to install hook!\n"));
        writeStdout(QString::fromLatin1(keys.shortcut) + QLatin1Char('\n'));
        for (;;) {
            m_wake.lower();
            forgetPressAndRelease(keys);
            if (!keepRunning()) {
                m_result[QStringLiteral("runKeyFunction")] = 0;
                m_result.clear();
                break;
            }
            if (const auto result = takeShortcutResult(keys)) {
                m_result = *result;
                emit dataChanged(m_result);
            }
            if (!hook.pumpOrWait() || hook.isKeyDown(kVirtualKeyF7))
                break;
        }
    }
    qDebug() << "KEYBOARD_HOOK Stop listen key function ";
}
