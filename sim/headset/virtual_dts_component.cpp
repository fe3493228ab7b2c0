#include "sim/headset/virtual_dts_component.h"

#include "devices/headset/audio_endpoints.h"
#include "sim/headset/virtual_dts_objects.h"

using namespace dts;

namespace {

constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr std::uint32_t CLSCTX_INPROC_SERVER = 0x1;

// Asks a fresh object for the wanted interface and drops the creation reference.
HRESULT handOutAs(IUnknown* object, const Guid& iid, void** out)
{
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

} // namespace

VirtualDtsComponent::VirtualDtsComponent(const QString& configurationXml)
    : m_state(std::make_shared<VirtualDtsState>(configurationXml))
{
}

HRESULT VirtualDtsComponent::initializeThread()
{
    if (m_refuseThreadStart)
        return E_FAIL;
    ++m_openThreads;
    return S_OK;
}

void VirtualDtsComponent::uninitializeThread()
{
    --m_openThreads;
}

HRESULT VirtualDtsComponent::createInstance(const Guid& clsid, std::uint32_t context, const Guid& iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (m_openThreads <= 0)
        return CO_E_NOTINITIALIZED;
    // The component is an in-process server only.
    if (m_refuseCreation || !(context & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    if (clsid == CLSID_DTSAPOSystem) {
        ++m_systemsCreated;
        return handOutAs(createVirtualDtsSystem(m_state), iid, object);
    }
    if (clsid == CLSID_MMDeviceEnumerator)
        return handOutAs(createVirtualAudioEnumerator(m_state), iid, object);
    return REGDB_E_CLASSNOTREG;
}
