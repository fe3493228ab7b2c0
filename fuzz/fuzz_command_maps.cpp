// Numbers and command maps as the page sends them: any JSON object as a command, read by the
// map readers and the mouse command decoders, and any integers through the byte checks.
#include "bridge/map_reading.h"
#include "core/mouse_command_values.h"
#include "fuzz_support.h"
#include "util/numbers.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char* const kKeys[] = {"Control", "runFunction", "selectedMode", "profile", "DPI_Level", "dpiQuantity",
                             "r_color", "g_color", "b_color", "brightness", "speed", "macroF", "keyCode",
                             "button", "launch", "indexGEQ"};

void readEveryKey(const QVariantMap& command)
{
    QStringList keys = command.keys();
    for (const char* key : kKeys)
        keys << QLatin1String(key);
    for (const QString& key : keys) {
        readInt(command, key, -1);
        readString(command, key);
        int value = 0;
        if (tryReadInt(command, key, &value))
            mousecmd::macroKeyFor(value);
        mousecmd::byteOf(command, key);
    }
    mousecmd::isValidButtonRecord(mousecmd::buttonRecordFrom(command));
    const mousecmd::DpiSettings dpi = mousecmd::dpiSettingsFrom(command);
    (void)dpi;
    mousecmd::lightingFrom(command);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    readEveryKey(QJsonDocument::fromJson(bytes).object().toVariantMap());

    FuzzInput input(data, size);
    while (input.remaining() >= 4) {
        const unsigned value = unsigned(input.word()) << 16 | input.word();
        uint8_t high = 0;
        uint8_t low = 0;
        splitUint16ToBytes(value, high, low);
        require(checkUint16(value) == (value <= 0xFFFF ? value : 0), "checkUint16 changed a value");
        require(checkUint8(value) == (value < 256 ? value : 0), "checkUint8 changed a value");
        require(value > 0xFFFF || bytesToUint16(high, low) == value, "a 16-bit value did not survive its bytes");
    }
    return 0;
}
