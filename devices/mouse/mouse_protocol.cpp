#include "devices/mouse/mouse_protocol.h"

namespace mouse {

Framing framingFor(uint16_t productId)
{
    switch (productId) {
    case kReceiver:
    case kCable: return Framing::ReportId;
    case kBluetooth: return Framing::Bluetooth;
    default: return Framing::None;
    }
}

bool isKnownVendor(uint16_t vendorId)
{
    return vendorId == kVendorId || vendorId == kUpdateVendorId;
}

} // namespace mouse
