#include "listeners/key_hook_answers.h"

#include "util/logging.h"

#include <QDebug>

namespace {

QVariantMap macroEvent(const QString& action, const QString& key)
{
    QVariantMap event;
    event[QStringLiteral("Action")] = action;
    event[QStringLiteral("device")] = QStringLiteral("KEYBOARD");
    event[QStringLiteral("SendMacroKey")] = 1;
    event[QStringLiteral("Key")] = key;
    event[QStringLiteral("runKeyFunction")] = 0;
    event[QStringLiteral("Control")] = 1;
    return event;
}

} // namespace

std::optional<QVariantMap> takeMacroEvent(HookKeyState& state)
{
    if (state.pressed && !state.pressedName.isEmpty()) {
        qDebug() << "KeyPress: " << state.pressedName;
        const QVariantMap event = macroEvent(QStringLiteral("Hold"), state.pressedName);
        state.pressed = false;
        state.released = false;
        state.pressedName.clear();
        return event;
    }
    if (state.released && !state.releasedName.isEmpty()) {
        qDebug() << "KeyRelease: " << state.releasedName;
        const QVariantMap event = macroEvent(QStringLiteral("Release"), state.releasedName);
        state.pressed = false;
        state.released = false;
        state.releasedName.clear();
        return event;
    }
    return std::nullopt;
}

std::optional<QVariantMap> takeShortcutResult(HookKeyState& state)
{
    if (state.shortcut.isEmpty() || state.shortcut == "[")
        return std::nullopt;
    // Other key codes than letters and digits come through as single bytes; read as Latin-1
    // they survive the trip to QML unchanged.
    const QString text = QString::fromLatin1(state.shortcut);
    writeStdout(QStringLiteral("keyboard shortcut: ") + text + QLatin1Char('\n'));
    QVariantMap result;
    result[QStringLiteral("runKeyFunction")] = 0;
    result[QStringLiteral("SendMacroKey")] = 0;
    result[QStringLiteral("KeyFunction")] = text;
    result[QStringLiteral("RESULTS")] = 1;
    result[QStringLiteral("Control")] = 2;
    state.shortcut.clear();
    return result;
}
