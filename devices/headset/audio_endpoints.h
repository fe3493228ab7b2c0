#pragma once
// The few calls of the system's audio-endpoint enumerator that the headset code makes: which
// render endpoint is the default one, and its id. Declared in the enumerator's slot order.
#include "devices/headset/dts_interfaces.h"

namespace dts {

constexpr Guid CLSID_MMDeviceEnumerator{0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
constexpr Guid IID_IMMDeviceEnumerator{0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};

enum EDataFlow : std::int32_t { eRender = 0, eCapture = 1 };
enum ERole : std::int32_t { eConsole = 0, eMultimedia = 1, eCommunications = 2 };

class IMMDevice : public IUnknown {
public:
    virtual HRESULT unused1() = 0;
    virtual HRESULT unused2() = 0;
    // A render endpoint id is "{0.0.0.00000000}.{guid}".
    virtual HRESULT GetId(std::wstring* id) = 0;
};

class IMMDeviceEnumerator : public IUnknown {
public:
    virtual HRESULT unused1() = 0;
    virtual HRESULT GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** device) = 0;
};

} // namespace dts
