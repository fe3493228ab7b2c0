#include "devices/mouse/macro_encoder.h"

#include "util/numbers.h"

#include <QVariantMap>

namespace mouse {

namespace {

const QString kDelayKey = QStringLiteral("delay");

bool deviceOf(const QString& text, MacroDevice* device)
{
    if (text == QLatin1String("Mouse Clicks"))
        *device = MacroDevice::MouseClick;
    else if (text == QLatin1String("Keystroke"))
        *device = MacroDevice::Keystroke;
    else if (text == QLatin1String("Consumer"))
        *device = MacroDevice::Consumer;
    else
        return false;
    return true;
}

} // namespace

QList<MacroAction> macroActionsFrom(const QVariantList& actions, const std::function<int(const QString&)>& usageOf,
                                    int* unknown)
{
    QList<MacroAction> result;
    int skipped = 0;
    for (const QVariant& item : actions) {
        const QVariantMap entry = item.toMap();
        MacroAction action;
        if (!deviceOf(entry.value(QStringLiteral("deviceText")).toString(), &action.device)) {
            ++skipped;
            continue;
        }
        const bool release = entry.value(QStringLiteral("actionText")).toString() == QLatin1String("Release");
        if (action.device == MacroDevice::Keystroke && !release) {
            const int usage = usageOf(entry.value(QStringLiteral("key")).toString());
            action.usage = checkUint8(unsigned(usage));
        }
        if (entry.contains(kDelayKey))
            action.delay = checkUint8(entry.value(kDelayKey).toUInt());
        result.append(action);
    }
    if (unknown)
        *unknown = skipped;
    return result;
}

QString macroLimitProblem(const QVariantList& actions)
{
    if (actions.size() > kMacroMaxRecords)
        return QStringLiteral("The macro has %1 steps; the mouse holds at most %2.").arg(actions.size()).arg(kMacroMaxRecords);
    for (int n = 0; n < actions.size(); ++n) {
        const QVariantMap entry = actions.at(n).toMap();
        if (!entry.contains(kDelayKey))
            continue;
        const QVariant value = entry.value(kDelayKey);
        bool whole = false;
        const double delay = value.toString().toDouble(&whole);
        if (!whole || delay != double(qint64(delay)) || delay < 0 || delay > kMacroMaxDelay)
            return QStringLiteral("Step %1: a delay of %2 ms is outside 0 to %3 ms.")
                .arg(n + 1)
                .arg(value.toString())
                .arg(kMacroMaxDelay);
    }
    return QString();
}

EncodedMacro encodeMacro(const QList<MacroAction>& actions, uint8_t data1)
{
    EncodedMacro macro;
    macro.records = qMin(actions.size(), kMacroMaxRecords);
    macro.dropped = actions.size() - macro.records;
    const int length = macro.records * kMacroRecordSize;
    macro.bytes[0] = uint8_t(macro.records);
    macro.bytes[1] = data1;
    macro.bytes[2] = uint8_t(length & 0xFF);
    macro.bytes[3] = uint8_t(length >> 8);
    for (int n = 0; n < macro.records; ++n) {
        const MacroAction& action = actions.at(n);
        uint8_t* record = macro.bytes.data() + kMacroHeaderSize + kMacroRecordSize * n;
        record[0] = uint8_t(action.device);
        if (action.device == MacroDevice::Keystroke) {
            record[2] = action.usage;
            record[4] = action.delay;
        }
    }
    return macro;
}

int macroChunkCount(int records)
{
    const int bytes = kMacroHeaderSize + kMacroRecordSize * qBound(0, records, kMacroMaxRecords);
    return qBound(1, (bytes + kMacroChunkSize - 1) / kMacroChunkSize, kMacroMaxChunks);
}

MacroChunk macroChunk(const MacroBuffer& buffer, int index)
{
    MacroChunk chunk{};
    for (int i = 0; i < kMacroChunkSize; ++i) {
        const int at = index * kMacroChunkSize + i;
        if (at >= 0 && at < kMacroBufferSize)
            chunk[size_t(i)] = buffer[size_t(at)];
    }
    return chunk;
}

} // namespace mouse
