#include "listeners/mouse_notifications.h"

uint8_t reportByte(const QByteArray& report, int index)
{
    return index >= 0 && index < report.size() ? uint8_t(report.at(index)) : 0;
}

ReportKind classifyReport(const QByteArray& report)
{
    const auto at = [&report](int index) { return reportByte(report, index); };
    if (at(0) == 0xC0 && at(1) == 0x09 && at(2) == 0x01 && at(4) == 0xDD)
        return ReportKind::DeviceError;
    if (at(0) != 0xC0 || at(2) != 0x09)
        return ReportKind::None;
    if (at(1) == 0x0A)
        return ReportKind::Battery;
    if (at(1) == 0x07)
        return ReportKind::ButtonEvent;
    return ReportKind::None;
}

int buttonAtSlot(int position)
{
    static const int buttons[] = {1, 2, 3, 4, 5, 0, 6, 7, 9};
    if (position < kFirstSlot || position > kLastSlot)
        return -1;
    return buttons[position - kFirstSlot];
}

std::optional<SlotEvent> firstSlotEvent(const QByteArray& report)
{
    for (int position = kFirstSlot; position <= kLastSlot; ++position) {
        const uint8_t code = reportByte(report, position);
        if (code == kEventProfileCycle || code == kEventDpiChange || code == kEventLaunch)
            return SlotEvent{position, buttonAtSlot(position), code};
    }
    return std::nullopt;
}
