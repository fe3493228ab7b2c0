#include "devices/headset/dts_session.h"

#include "devices/headset/audio_endpoints.h"

#include <QDebug>
#include <QString>

using namespace dts;

namespace {

// A component that never ends its lists must not hold the worker forever.
constexpr int kMaxEndpoints = 256;

// A render endpoint id is "{0.0.0.00000000}.{" followed by the endpoint's GUID and "}".
constexpr int kEndpointGuidStart = 18;
constexpr int kGuidLength = 36;

QString text(const std::wstring& value)
{
    return QString::fromStdWString(value);
}

} // namespace

const QString& headsetEndpointName()
{
    static const QString name = QStringLiteral("Belvarinth ORVENA RH20 喇叭");
    return name;
}

DtsSession::DtsSession(DtsComponent* component) : m_component(component)
{
    open();
}

void DtsSession::open()
{
    m_lastResult = m_component ? m_component->initializeThread() : S_OK;
    if (failed(m_lastResult)) {
        qCritical() << "Initialization of COM library failed.";
        return;
    }
    m_threadInitialized = m_component != nullptr;

    void* raw = nullptr;
    m_lastResult = m_component ? m_component->createInstance(CLSID_DTSAPOSystem, CLSCTX_ALL, IID_IDTSAPOSystem, &raw)
                               : E_FAIL;
    if (failed(m_lastResult) || !raw) {
        qCritical() << "Failed to create DTSAPOSystem instance.";
        return;
    }
    m_system = DtsPtr<IDTSAPOSystem>::adopt(static_cast<IDTSAPOSystem*>(raw));

    m_lastResult = m_system->Initialize(0);
    if (failed(m_lastResult)) {
        qCritical() << "Initialization of DTSAPOSystem failed.";
        return;
    }
    m_lastResult = m_system->GetEndpointEnumerator(m_endpoints.put());
    if (failed(m_lastResult) || !m_endpoints) {
        m_endpoints.reset();
        qCritical() << "Failed to enumerate DTS endpoints.";
    }
}

DtsSession::~DtsSession()
{
    m_endpoint.reset();
    m_endpoints.reset();
    m_system.reset();
    qDebug() << "Release dtsApoSystem, endpointEnum, endpointInfo.";
    if (m_threadInitialized)
        m_component->uninitializeThread();
}

int DtsSession::locateEndpoints()
{
    if (m_located || !m_endpoints)
        return m_found;
    m_located = true;
    for (int i = 0; i < kMaxEndpoints; ++i) {
        DtsPtr<IDTSEndpointInfo> candidate;
        m_lastResult = m_endpoints->Next(candidate.put());
        if (m_lastResult != S_OK || !candidate)
            break;
        if (!isHeadsetEndpoint(candidate))
            continue;
        ++m_found;
        if (!m_endpoint)
            m_endpoint = candidate;
    }
    return m_found;
}

std::wstring DtsSession::defaultRenderEndpointId()
{
    void* raw = nullptr;
    if (failed(m_component->createInstance(CLSID_MMDeviceEnumerator, CLSCTX_ALL, IID_IMMDeviceEnumerator, &raw)) || !raw)
        return {};
    const auto enumerator = DtsPtr<IMMDeviceEnumerator>::adopt(static_cast<IMMDeviceEnumerator*>(raw));
    DtsPtr<IMMDevice> device;
    std::wstring id;
    if (failed(enumerator->GetDefaultAudioEndpoint(eRender, eMultimedia, device.put())) || !device
        || failed(device->GetId(&id)))
        return {};
    return id;
}

bool DtsSession::isHeadsetEndpoint(const DtsPtr<IDTSEndpointInfo>& candidate)
{
    const QString deviceId = text(defaultRenderEndpointId());
    qDebug().noquote() << "Find a connected device. Device ID: " + deviceId;
    const QString guid = deviceId.mid(kEndpointGuidStart, kGuidLength);
    // Without a default render device there is no GUID, and an empty one would match any path.
    if (guid.size() != kGuidLength)
        return false;

    std::wstring registryPath;
    m_lastResult = candidate->GetRegistryPath(&registryPath);
    qDebug().noquote() << "registryPath:" << text(registryPath);
    if (failed(m_lastResult) || !text(registryPath).contains(guid, Qt::CaseInsensitive))
        return false;
    qDebug().noquote() << "Found a valid device. Device ID: " + guid;

    std::wstring configFile;
    std::wstring friendlyName;
    candidate->GetConfigFile(&configFile);
    qDebug().noquote() << "configFile:" << text(configFile);
    m_lastResult = candidate->GetFriendlyName(&friendlyName);
    qDebug().noquote() << "friendlyName:" << text(friendlyName);
    if (failed(m_lastResult) || !text(friendlyName).contains(headsetEndpointName()))
        return false;
    qDebug().noquote() << "Locate the specified DTS endpoint: " + text(friendlyName);
    return true;
}
