#include "sim/headset/virtual_dts_component.h"

#include "devices/headset/model/dts_component_objects.h"

using namespace dts;

namespace {

constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);
constexpr std::uint32_t CLSCTX_INPROC_SERVER = 0x1;

const QString kSpeakersGuid = QStringLiteral("3b0a6e21-7d4c-4f0e-8a52-19c7e4d2b613");
const QString kHeadsetGuid = QStringLiteral("8d3f2b6a-4c1e-4f7a-9b2d-6e5a1c3f7b90");

} // namespace

VirtualDtsComponent::VirtualDtsComponent(const QString& configurationXml)
    : m_state(std::make_shared<DtsComponentState>(configurationXml))
{
    // The headset is the default render device.
    m_state->setEndpoints(
        {DtsComponentState::makeEndpoint(QStringLiteral("Speakers (Virtual HD Audio)"), kSpeakersGuid, QString(), false),
         DtsComponentState::makeEndpoint(QStringLiteral("Belvarinth ORVENA RH20 喇叭"), kHeadsetGuid, configurationXml,
                                         true)},
        kHeadset);
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
    if (clsid == CLSID_DTSAPOSystem)
        ++m_systemsCreated;
    return createComponentObject(m_state, clsid, iid, object);
}
