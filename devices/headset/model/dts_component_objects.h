#pragma once
// The objects a DTS component hands out over its state: the system object with its endpoint,
// mode and control lists, and the audio-endpoint enumerator that names the default render
// device. Each holds one reference for its creator and reads and writes the shared state.
#include "devices/headset/dts_interfaces.h"
#include "devices/headset/model/dts_component_state.h"

#include <memory>

namespace dts {
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
}

// Creates an object of class `clsid` (the DTS system or the audio-endpoint enumerator) and
// hands out its interface `iid` with one reference; REGDB_E_CLASSNOTREG for another class.
dts::HRESULT createComponentObject(const std::shared_ptr<DtsComponentState>& state, const dts::Guid& clsid,
                                   const dts::Guid& iid, void** object);
