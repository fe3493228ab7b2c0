#pragma once
// Our declarations of the DTS audio-processing component's objects, as the headset code uses
// them. The component is a COM-style server: every object is reference counted, every call
// returns a result code (negative is failure), and an object handed out through an out
// parameter already carries one reference for the caller.
//
// Methods are declared in the component's slot order. Slots this program never calls are kept
// as `unusedN` placeholders so that every later method stays in its place.
#include <cstdint>
#include <string>

namespace dts {

using HRESULT = std::int32_t;
using LONG = std::int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

constexpr bool succeeded(HRESULT hr) { return hr >= 0; }
constexpr bool failed(HRESULT hr) { return hr < 0; }

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

constexpr bool operator==(const Guid& a, const Guid& b)
{
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3)
        return false;
    for (int i = 0; i < 8; ++i) {
        if (a.data4[i] != b.data4[i])
            return false;
    }
    return true;
}
constexpr bool operator!=(const Guid& a, const Guid& b) { return !(a == b); }

// The DTS system object: its class and the interface asked for when it is created.
constexpr Guid CLSID_DTSAPOSystem{0x7766EC50, 0xC2D3, 0x466F, {0xBC, 0x7A, 0x9C, 0x33, 0x9C, 0x59, 0x08, 0xA2}};
constexpr Guid IID_IDTSAPOSystem{0x7A00E0CA, 0x5B10, 0x4F6D, {0x8C, 0x20, 0xED, 0x4A, 0x1A, 0x28, 0x8F, 0x32}};
// Asked of a control enumerator.
constexpr Guid IID_IDTSAPOControlEnumerator2{0x92D2EF95, 0xD0F3, 0x4823, {0x8A, 0xA3, 0xCA, 0x62, 0xD2, 0xDF, 0x42, 0x67}};
// Asked of a control whose value is text.
constexpr Guid IID_IDTSAPOControlStr{0xB3C9AF9E, 0xAFF5, 0x470F, {0xA9, 0x53, 0xC1, 0xC8, 0xED, 0xA5, 0xE7, 0x0D}};
// The identity every object answers to.
constexpr Guid IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Every class context: in-process server and handler, local and remote server.
constexpr std::uint32_t CLSCTX_ALL = 0x1 | 0x2 | 0x4 | 0x10;

class IUnknown {
public:
    virtual HRESULT QueryInterface(const Guid& iid, void** object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    // Objects end through Release, never through delete from outside.
    virtual ~IUnknown() = default;
};

class IDTSEndpointInfo;
class IDTSAPOOpMode;
class IDTSAPOControl;

// The endpoint, operating-mode and control enumerators share one shape: Next hands out the
// next item and answers S_OK, or answers something else once the list is exhausted.
class IDTSEndpointEnumerator : public IUnknown {
public:
    virtual HRESULT Next(IDTSEndpointInfo** endpoint) = 0;
};

class IDTSAPOOpModeEnumerator : public IUnknown {
public:
    virtual HRESULT Next(IDTSAPOOpMode** mode) = 0;
};

class IDTSAPOControlEnumerator : public IUnknown {
public:
    virtual HRESULT Next(IDTSAPOControl** control) = 0;
};

// The second revision of the control enumerator; the headset code walks the controls of the
// active mode through it.
class IDTSAPOControlEnumerator2 : public IDTSAPOControlEnumerator {
};

class IDTSAPOSystem : public IUnknown {
public:
    virtual HRESULT GetEndpointEnumerator(IDTSEndpointEnumerator** enumerator) = 0;
    virtual HRESULT Initialize(std::uint32_t flags) = 0;
};

class IDTSEndpointInfo : public IUnknown {
public:
    virtual HRESULT GetFriendlyName(std::wstring* name) = 0;
    virtual HRESULT GetConfigFile(std::wstring* path) = 0;
    virtual HRESULT GetRegistryPath(std::wstring* path) = 0;
    virtual HRESULT GetOpModeEnumerator(IDTSAPOOpModeEnumerator** enumerator) = 0;
    virtual HRESULT unused5() = 0;
    virtual HRESULT SetActiveOpMode(IDTSAPOOpMode* mode) = 0;
    virtual HRESULT GetActiveOpMode(IDTSAPOOpMode** mode) = 0;
};

// A filter over the controls of a mode; this program always passes none.
struct ControlFilter;

class IDTSAPOOpMode : public IUnknown {
public:
    virtual HRESULT GetControlEnumerator(const ControlFilter* filter, IDTSAPOControlEnumerator** enumerator) = 0;
    virtual HRESULT GetName(std::wstring* name) = 0;
    virtual HRESULT unused3() = 0;
    virtual HRESULT GetProcessingEnabled(bool* enabled) = 0;
    virtual HRESULT SetProcessingEnabled(bool enabled) = 0;
    virtual HRESULT unused6() = 0;
    virtual HRESULT SetAutoContentMode(bool enabled) = 0;
};

class IDTSAPOControl : public IUnknown {
public:
    virtual HRESULT GetName(std::wstring* name) = 0;
    virtual HRESULT unused2() = 0;
    virtual HRESULT unused3() = 0;
    virtual HRESULT unused4() = 0;
    virtual HRESULT GetIntValue(LONG* value) = 0;
    virtual HRESULT SetIntValue(LONG value) = 0;
};

// A control whose value is text (blobs, preset and room names).
class IDTSAPOControlStr : public IDTSAPOControl {
public:
    virtual HRESULT unused7() = 0;
    virtual HRESULT SetStrValue(const std::wstring& value) = 0;
};

} // namespace dts
