#pragma once
// The keyboard hook thread: records macros (every key press and release, by name) and
// captures key functions (the shortcut text of the key pressed) while a system-wide hook is
// installed. Each start runs one mode, chosen by the command's Control, until F7 or a stop.
#include "bridge/bridge_thread.h"
#include "platform/keyboard_hook.h"

#include <QVariantMap>
#include <atomic>
#include <functional>
#include <memory>

class KEYBOARD_HOOK : public BridgeThread {
    Q_OBJECT
    // True where only keys typed into our own window can be seen (a Wayland session).
    Q_PROPERTY(bool windowKeysOnly READ windowKeysOnly CONSTANT)

public:
    using HookFactory = std::function<std::unique_ptr<platform::KeyboardHookBackend>()>;

    explicit KEYBOARD_HOOK(QObject* parent = nullptr);
    // With the hook back-end made by `makeHook` for each mode (tests inject events this way).
    explicit KEYBOARD_HOOK(HookFactory makeHook, QObject* parent = nullptr);
    ~KEYBOARD_HOOK() override;
    bool windowKeysOnly() const { return m_windowKeysOnly; }

public slots:
    void stopThread() override;
    // Mode 1: publishes each key press and release; at the end a StopMacro 1 notice.
    void software_macro_key_record();
    // Mode 2: publishes the shortcut text of each key press as KeyFunction.
    void mouse_key_function_get_key();

protected:
    void run() override;

private:
    int takeControl();
    bool keepRunning() const;
    bool onOwnThread(const char* operation) const;

    HookFactory m_makeHook;
    bool m_windowKeysOnly = false;
    std::atomic<bool> m_running{true};
    QVariantMap m_result; // capture results and the end-of-recording notice
};
