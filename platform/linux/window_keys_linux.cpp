#include "platform/window_keys.h"

#include "platform/foreground_session.h"
#include "platform/key_state_tracker.h"
#include "platform/linux/x11_key_codes.h"

#include <QCoreApplication>
#include <QDebug>
#include <QKeyEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>

namespace platform {

namespace {

const char kTag[] = "[KEYBOARD_HOOK]";
// X keycodes are Linux input codes plus 8.
constexpr quint32 kX11KeycodeOffset = 8;
// More keys than anyone types between two passes of the hook thread.
constexpr size_t kMaxQueuedKeys = 256;

std::atomic<bool> g_onlyOwnWindowsLogged{false};

// Linux input codes of the keys whose keysym depends on Shift or Num Lock, and the virtual key
// of the key at that position on a US keyboard (what the desktop-wide hook reports unshifted).
const int kPositionalKeys[][2] = {
    {2, 0x31},  {3, 0x32},  {4, 0x33},  {5, 0x34},  {6, 0x35},  {7, 0x36},  {8, 0x37},
    {9, 0x38},  {10, 0x39}, {11, 0x30}, {12, 0xBD}, {13, 0xBB}, {26, 0xDB}, {27, 0xDD},
    {39, 0xBA}, {40, 0xDE}, {41, 0xC0}, {43, 0xDC}, {51, 0xBC}, {52, 0xBE}, {53, 0xBF},
    {71, 0x67}, {72, 0x68}, {73, 0x69}, {75, 0x64}, {76, 0x65}, {77, 0x66}, {79, 0x61},
    {80, 0x62}, {81, 0x63}, {82, 0x60}, {83, 0x6E},
};

struct NativeKey {
    quint32 keycode = 0;
    quint32 keysym = 0;
    bool down = false;
};

// Lives on the application's thread and sees every event sent there. Only key events that
// the platform delivers to a window count: Qt then forwards the same event to the item with
// the focus, which would count it twice.
class WindowKeyFilter : public QObject {
public:
    void listen(const std::vector<int>& swallowedVirtualKeys)
    {
        QMutexLocker lock(&m_mutex);
        m_keys.clear();
        m_swallowed = swallowedVirtualKeys;
        m_listeners = 1;
    }
    void stopListening()
    {
        QMutexLocker lock(&m_mutex);
        m_listeners = 0;
        m_keys.clear();
        m_swallowed.clear();
    }
    // Lowers the arrival signal when nothing is left, under the same lock as the pushes, so a
    // key that comes in afterwards raises it again.
    bool take(NativeKey* key)
    {
        QMutexLocker lock(&m_mutex);
        if (m_keys.empty()) {
            m_arrived.lower();
            return false;
        }
        *key = m_keys.front();
        m_keys.pop_front();
        return true;
    }

    // Raised while keys wait to be taken: the hook thread sleeps on it.
    int arrivalDescriptor() const { return m_arrived.descriptor(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWindowType())
            return false;
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->isAutoRepeat() || key->nativeScanCode() == 0)
            return false;
        const NativeKey native{key->nativeScanCode(), key->nativeVirtualKey(), type == QEvent::KeyPress};
        QMutexLocker lock(&m_mutex);
        if (m_listeners == 0)
            return false;
        if (m_keys.size() < kMaxQueuedKeys) {
            m_keys.push_back(native);
            m_arrived.raise();
        }
        const int virtualKey = virtualKeyFromNativeKey(native.keycode, native.keysym);
        // Held back from the window itself, as the desktop-wide hook holds it back from others.
        return virtualKey != 0 && std::find(m_swallowed.begin(), m_swallowed.end(), virtualKey) != m_swallowed.end();
    }

private:
    QMutex m_mutex;
    WakeSignal m_arrived;
    std::deque<NativeKey> m_keys;
    std::vector<int> m_swallowed;
    int m_listeners = 0;
};

// One filter for the process, placed on the application once it exists.
WindowKeyFilter* windowKeyFilter()
{
    static std::mutex mutex;
    static WindowKeyFilter* filter = nullptr;
    std::lock_guard<std::mutex> lock(mutex);
    QCoreApplication* app = QCoreApplication::instance();
    if (filter || !app)
        return filter;
    filter = new WindowKeyFilter;
    filter->moveToThread(app->thread());
    // Installed from the application's thread, without waiting for it: that thread may be
    // waiting for the hook thread to stop.
    QMetaObject::invokeMethod(filter, [app] {
        filter->setParent(app);
        app->installEventFilter(filter);
    }, Qt::AutoConnection);
    return filter;
}

class WindowKeyboardHook : public KeyboardHookBackend {
public:
    ~WindowKeyboardHook() override { remove(); }

    bool install(const std::vector<int>& swallowedVirtualKeys) override
    {
        m_filter = windowKeyFilter();
        if (!m_filter) {
            qWarning() << kTag << "no application to take keys from";
            return false;
        }
        if (!g_onlyOwnWindowsLogged.exchange(true))
            qWarning() << kTag << "Wayland session: keys are seen only while a Talvorin window has the focus";
        m_keys.clear();
        m_filter->listen(swallowedVirtualKeys);
        return true;
    }

    void remove() override
    {
        if (m_filter)
            m_filter->stopListening();
        m_filter = nullptr;
    }

    PumpResult pumpOne(const KeyHandler& handler) override
    {
        NativeKey native;
        if (!m_filter || !m_filter->take(&native))
            return PumpResult::Idle;
        const int virtualKey = virtualKeyFromNativeKey(native.keycode, native.keysym);
        const KeyModifiers held = m_keys.modifiers();
        if (virtualKey != 0 && m_keys.apply(int(native.keycode), virtualKey, native.down)) {
            KeyEvent event;
            event.down = native.down;
            event.virtualKey = virtualKey;
            event.scanCode = scanCodeFromX11Keycode(int(native.keycode));
            event.held = held;
            handler(event);
        }
        return PumpResult::Dispatched;
    }

    void waitForEvents(const WakeSignal& wake) override
    {
        waitForEvent(m_filter ? m_filter->arrivalDescriptor() : -1, wake);
    }

    bool isKeyDown(int virtualKey) const override { return m_keys.isDown(virtualKey); }

private:
    WindowKeyFilter* m_filter = nullptr;
    KeyStateTracker m_keys;
};

} // namespace

int virtualKeyFromNativeKey(quint32 keycode, quint32 keysym)
{
    const int inputCode = int(keycode) - int(kX11KeycodeOffset);
    for (const auto& pair : kPositionalKeys) {
        if (pair[0] == inputCode)
            return pair[1];
    }
    return virtualKeyFromKeysyms(keysym, keysym);
}

std::unique_ptr<KeyboardHookBackend> createWindowKeyboardHook()
{
    return std::make_unique<WindowKeyboardHook>();
}

bool sessionKeyboardHookSeesOnlyOwnWindows()
{
    return isWaylandSession(desktopSessionFromEnvironment());
}

std::unique_ptr<KeyboardHookBackend> createSessionKeyboardHook()
{
    if (sessionKeyboardHookSeesOnlyOwnWindows())
        return createWindowKeyboardHook();
    return createKeyboardHook();
}

} // namespace platform
