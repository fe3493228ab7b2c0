#pragma once
// Where the DTS objects come from: the component's per-thread start and end and the creation
// of its system object (and of the audio-endpoint enumerator) by class id. On Windows this is
// the COM runtime; the virtual headset of sim/ answers the same calls.
#include "devices/headset/dts_interfaces.h"

#include <QString>

class DtsComponent {
public:
    virtual ~DtsComponent() = default;

    // Once per operation on the calling thread, before any object is created.
    virtual dts::HRESULT initializeThread() = 0;
    // Balances a successful initializeThread.
    virtual void uninitializeThread() = 0;
    // Creates an object of class `clsid` and hands out its interface `iid` with one reference.
    virtual dts::HRESULT createInstance(const dts::Guid& clsid, std::uint32_t context, const dts::Guid& iid,
                                        void** object) = 0;
    // Why the last initializeThread failed, in words for the user; empty when it did not.
    virtual QString unavailableReason() const { return {}; }
};
