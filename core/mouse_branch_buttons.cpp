// Buttons and macros: button records, macro sending and the macro list.
#include "core/mouse_branch.h"

#include "bridge/map_reading.h"
#include "core/macro_store.h"
#include "core/mouse_command_values.h"
#include "core/mouse_folder.h"
#include "devices/mouse/dev_mouse.h"
#include "devices/mouse/macro_encoder.h"

#include <QDebug>
#include <QThread>

using mousecmd::ButtonRecord;

namespace {

// The firmware takes a macro chunk, and the save after the last one, only with a pause
// before each: it writes every chunk to flash before it reads the next request.
constexpr unsigned long kMacroPauseMs = 200;
constexpr uint8_t kFunctionDisabled = 0;
constexpr uint8_t kFunctionRedefined = 64;
constexpr uint8_t kFunctionDefault = 255;
constexpr uint8_t kTargetHostAction = 2;

bool refuseButtonRecord(const ButtonRecord& record)
{
    if (mousecmd::isValidButtonRecord(record))
        return false;
    qWarning() << "[Set_CurrentProfileButtons] button (1 to 9) or function out of range:" << record[0] << record[1];
    return true;
}

void answerMacroList(QVariantMap& answer, const QString& path)
{
    const QVariantList macros = loadMacros(path);
    answer.insert(QStringLiteral("mk_ListSize"), macros.size());
    answer.insert(QStringLiteral("mk_AllData"), macros);
}

} // namespace

// The profile file keeps, per button, whether it is disabled and its launch action; a button
// that gets any other function loses its launch action.
void MouseBranch::keepButtonState(const Turn& turn, const ButtonRecord& record)
{
    if (record[1] == kFunctionRedefined && record[2] == kTargetHostAction)
        return; // a launch button: its action is stored by the launch command
    const MouseFolder folder = folderOf(turn);
    const int profile = currentProfileOf(turn.state());
    if (!folder.isValid() || !folder.create(profile)) {
        qDebug() << "Button settings not stored: no mouse folder yet (MCU UUID unknown)";
        return;
    }
    const QVariantMap entry{
        {QStringLiteral("currentButton"), int(record[0])},   {QStringLiteral("launch"), 0},
        {QStringLiteral("launchName"), QString()},           {QStringLiteral("software_path"), QString()},
        {QStringLiteral("webside_path"), QString()},         {QStringLiteral("keyFunctionSingleKey"), QString()},
        {QStringLiteral("Disable_Button"), record[1] == kFunctionDisabled},
    };
    saveButtonEntry(folder.profileButtonFile(profile), entry);
    removeButtonEntry(folder.launchDataFile(profile), record[0]);
}

MouseBranch::Outcome MouseBranch::setButton(Turn& turn)
{
    const ButtonRecord record = mousecmd::buttonRecordFrom(turn.command);
    if (refuseButtonRecord(record))
        return Outcome::Refused;
    if (!m_device.Set_CurrentProfileButtons(record, turn.devpath()))
        return Outcome::Failure;
    keepButtonState(turn, record);
    return Outcome::Success;
}

MouseBranch::Outcome MouseBranch::readButtons(Turn& turn)
{
    const bool ok = m_device.Get_CurrentProfileButtons(turn.devpath());
    for (int i = 0; i < 9; ++i) {
        const int code = ok ? m_device.currentProfileButtons()[size_t(i)] : 0;
        turn.answer.insert(QStringLiteral("CurrentProfileButtons_DATA%1").arg(i), code);
    }
    return ok ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::readMacroKeyInfo(Turn& turn)
{
    const bool ok = m_device.Get_CurrentProfileButtons_MacroKeyInfo(turn.devpath());
    turn.answer.insert(QStringLiteral("resultList"), ok ? m_device.getData().value(QStringLiteral("resultList")) : QVariantList());
    return ok ? Outcome::Success : Outcome::Failure;
}

bool MouseBranch::sendMacroChunks(uint8_t macroKey, uint8_t length, const mouse::EncodedMacro& macro,
                                  const char* devpath)
{
    const int chunks = mouse::macroChunkCount(macro.records);
    qDebug() << "Macro key:" << macroKey << "records:" << macro.records << "chunks:" << chunks;
    bool allSent = true;
    for (int n = 0; n < chunks; ++n) {
        QThread::msleep(kMacroPauseMs);
        if (m_device.Set_MacroKeyData(macroKey, length, uint8_t(n), mouse::macroChunk(macro.bytes, n), devpath))
            continue;
        if (n == 0) {
            qWarning() << "ERROR: Failed first Set_MacroKeyData";
            return false;
        }
        allSent = false;
    }
    return allSent;
}

MouseBranch::Outcome MouseBranch::sendMacro(Turn& turn)
{
    const QVariantMap& command = turn.command;
    const ButtonRecord button = mousecmd::buttonRecordFrom(command);
    if (refuseButtonRecord(button))
        return Outcome::Refused;
    bool stored = true;
    if (readInt(command, QStringLiteral("selectMacrokey")) == 0) {
        // A new recording: send it to its macro key, then keep it in the macro list.
        const int macroF = readInt(command, QStringLiteral("macro_F"));
        const std::optional<uint8_t> macroKey = mousecmd::macroKeyFor(macroF);
        if (!macroKey) {
            qWarning() << "[Set_MacroKeyData] macro_F out of range (macro key 1 to 40):" << macroF;
            return Outcome::Refused;
        }
        const QString name = readString(command, QStringLiteral("macroName"));
        if (name.trimmed().isEmpty()) {
            qWarning() << "ERROR: macroName is empty, cannot save!";
            return Outcome::Refused;
        }
        qDebug() << "serial_No:" << readInt(command, QStringLiteral("serial_No"));
        const QVariantList entries = command.value(QStringLiteral("Actions")).toList();
        // A macro the mouse cannot hold as given is refused whole, before anything is sent.
        const QString problem = mouse::macroLimitProblem(entries);
        if (!problem.isEmpty()) {
            qWarning().noquote() << "[Set_MacroKeyData]" << problem;
            return Outcome::Refused;
        }
        int unknown = 0;
        const QList<mouse::MacroAction> actions = mouse::macroActionsFrom(
            entries,
            [this](const QString& key) { return m_device.getKeyboardUsageID(key); }, &unknown);
        if (unknown > 0)
            qWarning() << "[Set_MacroKeyData] actions of an unknown device left out:" << unknown;
        const mouse::EncodedMacro macro = mouse::encodeMacro(actions, mousecmd::byteOf(command, QStringLiteral("Data_1")));
        if (!sendMacroChunks(*macroKey, mousecmd::byteOf(command, QStringLiteral("b_length")), macro, turn.devpath()))
            return Outcome::Failure;
        qDebug() << "========================= SaveMacroKey =========================";
        QThread::msleep(kMacroPauseMs);
        if (!m_device.Save_MacroKeyData(0, 0, 0, mousecmd::byteOf(command, QStringLiteral("macro_F")), turn.devpath()))
            return Outcome::Failure;
        const QVariantMap entry{{QStringLiteral("macroName"), name},
                                {QStringLiteral("mkAction"), command.value(QStringLiteral("Actions")).toList()},
                                {QStringLiteral("setDefault"), command.value(QStringLiteral("setDefault"), false)},
                                {QStringLiteral("macroKey"), int(*macroKey)}};
        stored = saveMacro(turn.ctx.store.macroData(), entry) == MacroStoreResult::Done;
        turn.answer.insert(QStringLiteral("macroKey"), int(*macroKey));
        answerMacroList(turn.answer, turn.ctx.store.macroData());
    }
    if (!m_device.Set_CurrentProfileButtons(button, turn.devpath()))
        return Outcome::Failure;
    keepButtonState(turn, button);
    return stored ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::deleteMacroEntry(Turn& turn)
{
    const QString name = readString(turn.command, QStringLiteral("macroName"));
    qDebug() << "setDefault:" << turn.command.value(QStringLiteral("setDefault"));
    const MacroStoreResult result = deleteMacro(turn.ctx.store.macroData(), name);
    answerMacroList(turn.answer, turn.ctx.store.macroData());
    if (result == MacroStoreResult::EmptyName)
        return Outcome::Refused;
    return result == MacroStoreResult::Done ? Outcome::Success : Outcome::Failure;
}

// "Item" names the macro to drop from the list; with "setDefault" the button that played it
// (profileButtonsData0) gets its default function back.
MouseBranch::Outcome MouseBranch::removeMacroFromButton(Turn& turn)
{
    const QVariant setDefault = turn.command.value(QStringLiteral("setDefault"));
    const bool backToDefault = setDefault.toBool() || readInt(turn.command, QStringLiteral("setDefault")) != 0;
    if (backToDefault) {
        const ButtonRecord record{mousecmd::byteOf(turn.command, QStringLiteral("profileButtonsData0")), kFunctionDefault,
                                  0, 0, 0};
        if (refuseButtonRecord(record))
            return Outcome::Refused;
        if (!m_device.Set_CurrentProfileButtons(record, turn.devpath()))
            return Outcome::Failure;
        keepButtonState(turn, record);
    }
    const QString item = readString(turn.command, QStringLiteral("Item"));
    bool ok = true;
    if (!item.trimmed().isEmpty())
        ok = deleteMacro(turn.ctx.store.macroData(), item) == MacroStoreResult::Done;
    answerMacroList(turn.answer, turn.ctx.store.macroData());
    return ok ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::stopKeyFunction(Turn&)
{
    // The key capture runs in the keyboard hook; the worker has nothing of its own to stop.
    return Outcome::Success;
}
