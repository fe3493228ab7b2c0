#include "devices/mouse/dev_mouse.h"

#include "devices/mouse/mouse_answers.h"

#include <QDebug>

using namespace mouse;

namespace {

QString tagged(const char* tag, const char* text)
{
    return QStringLiteral("[%1] %2").arg(QLatin1String(tag), QLatin1String(text));
}

bool isEmptyPath(const char* devpath)
{
    return !devpath || devpath[0] == '\0';
}

} // namespace

DEV_MOUSE::DEV_MOUSE(const DeviceSetup& setup, QObject* parent)
    : BridgeObject(parent), m_setup(setup), m_transport(setup.hid)
{
}

QByteArray DEV_MOUSE::Run_Command_Line(uint16_t vendorId, uint16_t productId, uint16_t usagePage, uint16_t usageId,
                                       const char* devpath, const HidReport& inbuf, const QString& commandName)
{
    return m_transport.transact(vendorId, productId, usagePage, usageId, devpath, inbuf, commandName).bytes;
}

QByteArray DEV_MOUSE::OnlyReadOutput(const char* devpath)
{
    return m_transport.onlyReadOutput(devpath);
}

int DEV_MOUSE::getKeyboardUsageID(const QString& keyToFind) const
{
    return m_keys.usageIdOf(keyToFind);
}

QString DEV_MOUSE::getKeyboard_ASCII(int key_value) const
{
    return m_keys.characterOf(key_value);
}

std::optional<HidAnswer> DEV_MOUSE::runCommand(const char* tag, const char* devpath, const FrameBuilder& build,
                                               bool zeroFrameForUnknownIds)
{
    if (isEmptyPath(devpath)) {
        qCritical().noquote() << tagged(tag, "devpath is empty!");
        return std::nullopt;
    }
    const Framing framing = framingFor(product_id);
    if (framing == Framing::None && !zeroFrameForUnknownIds) {
        qWarning().noquote() << tagged(tag, "Unknown product_id =") << product_id;
        return std::nullopt;
    }
    const std::optional<HidReport> report = build(framing);
    if (!report)
        return std::nullopt;
    return m_transport.transact(vendor_id, product_id, usage_page, usage, devpath, *report, QLatin1String(tag));
}

bool DEV_MOUSE::runSet(const char* tag, uint8_t command, const char* devpath, const FrameBuilder& build,
                       SetCheck check, bool zeroFrameForUnknownIds)
{
    const std::optional<HidAnswer> answer = runCommand(tag, devpath, build, zeroFrameForUnknownIds);
    if (!answer)
        return false;
    return judgeSetAnswer(tag, command, *answer, check);
}

void DEV_MOUSE::setCheckResult(bool success)
{
    m_data.insert(QStringLiteral("checkResult"), success ? QStringLiteral("SUCCESS") : QStringLiteral("ERROR"));
}

bool DEV_MOUSE::judgeSetAnswer(const char* tag, uint8_t command, const HidAnswer& answer, SetCheck check)
{
    switch (check) {
    case SetCheck::Ack: {
        const bool ok = isAcknowledged(answer, command);
        if (ok)
            qDebug().noquote() << tagged(tag, "Check results: SUCCESS");
        else
            qWarning().noquote() << tagged(tag, "Check results: ERROR");
        setCheckResult(ok);
        return ok;
    }
    case SetCheck::AckUntagged: {
        if (answer.length == 0 && command == cmd::ProfileButtonsSet)
            qCritical().noquote() << tagged(tag, "Run_Command_Line failed!");
        if (answer.length < 6) {
            qWarning().noquote() << tagged(tag, "buf_out size too small!");
            setCheckResult(false);
            return false;
        }
        const bool ok = isAcknowledged(answer, command);
        qDebug() << (ok ? "Check results: SUCCESS" : "Check results: ERROR");
        setCheckResult(ok);
        return ok;
    }
    case SetCheck::MacroWrite: {
        if (answer.length == 0) {
            qCritical().noquote() << tagged(tag, "Run_Command_Line failed!");
            setCheckResult(false);
            return false;
        }
        if (answer.length < 6) {
            qWarning().noquote() << tagged(tag, "buf_out size too small!");
            setCheckResult(false);
            return false;
        }
        const bool ok = hasAckMarker(answer);
        qDebug().noquote() << QStringLiteral("[%1]").arg(QLatin1String(tag)) << answerByte(answer.bytes, 5)
                           << (ok ? ": SUCCESS" : ": ERROR");
        setCheckResult(ok);
        return ok;
    }
    case SetCheck::MacroSave: {
        const bool ok = hasAckMarker(answer);
        m_secondData.insert(QStringLiteral("CheckResults"), ok ? 1 : 0);
        qDebug().noquote() << tagged(tag, ok ? "Success" : "ERROR or invalid response");
        return ok;
    }
    case SetCheck::SettingsSave: {
        const bool ok = hasAckMarker(answer);
        if (ok)
            qDebug().noquote() << tagged(tag, "Check results: SUCCESS");
        else
            qCritical().noquote() << tagged(tag, "Check results: ERROR");
        return ok;
    }
    }
    return false;
}

bool DEV_MOUSE::readBlock(const char* tag, uint8_t command, const char* devpath, uint8_t* target, int count)
{
    const std::optional<HidAnswer> answer =
        runCommand(tag, devpath, [command](Framing f) { return buildGetRequest(f, command); });
    if (!answer)
        return false;
    // The block ends at answer byte count + 3; the answer must reach past it.
    if (answer->length <= count + 3) {
        qCritical().noquote() << tagged(tag, "Returned data size too small:") << answer->length;
        return false;
    }
    for (int i = 0; i < count; ++i)
        target[i] = answerByte(answer->bytes, 4 + i);
    qDebug().noquote() << tagged(tag, "Success");
    return true;
}

int DEV_MOUSE::readStatus(const char* tag, uint8_t command, const char* devpath, int failure, const char* valueLabel)
{
    const std::optional<HidAnswer> answer =
        runCommand(tag, devpath, [command](Framing f) { return buildGetRequest(f, command); });
    if (!answer)
        return failure;
    if (answer->length < 5) {
        qWarning().noquote() << tagged(tag, "buf_out size too small");
        return failure;
    }
    const int value = answerByte(answer->bytes, 4);
    qDebug().noquote() << tagged(tag, valueLabel) << value;
    return value;
}

HidAnswer DEV_MOUSE::readRecord(const char* tag, const char* devpath, const FrameBuilder& build)
{
    if (isEmptyPath(devpath)) {
        qCritical() << "Error: devpath is empty!";
        HidAnswer nothing;
        nothing.bytes.clear();
        return nothing;
    }
    const HidAnswer answer = runCommand(tag, devpath, build, true).value_or(HidAnswer());
    if (answer.length < 16)
        qCritical() << "HID returned too few bytes.";
    return answer;
}
