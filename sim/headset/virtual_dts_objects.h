#pragma once
// The objects the virtual DTS component hands out. Each holds one reference for its creator
// and reads and writes the shared component state.
#include "devices/headset/dts_interfaces.h"
#include "sim/headset/virtual_dts_state.h"

#include <memory>

// The component's system object.
dts::IUnknown* createVirtualDtsSystem(const std::shared_ptr<VirtualDtsState>& state);
// The audio-endpoint enumerator that names the default render device.
dts::IUnknown* createVirtualAudioEnumerator(const std::shared_ptr<VirtualDtsState>& state);
