#pragma once
// One conversation with the DTS component, opened at the start of a headset operation and
// closed at its end: the thread is initialised, the system object created and initialised,
// and the endpoint of the headset looked up among the component's endpoints.
#include "devices/headset/dts_component.h"
#include "devices/headset/dts_ptr.h"

#include <QString>

class DtsSession {
public:
    // Opens the session; every failure is logged and leaves the session without an endpoint.
    explicit DtsSession(DtsComponent* component);
    // Releases every object, then ends the component's use on this thread.
    ~DtsSession();
    DtsSession(const DtsSession&) = delete;
    DtsSession& operator=(const DtsSession&) = delete;

    bool isOpen() const { return static_cast<bool>(m_endpoints); }
    // Walks the endpoints once: counts those that are the default render device and carry the
    // headset's name, and keeps the first of them for the rest of the operation.
    int locateEndpoints();
    const dts::DtsPtr<dts::IDTSEndpointInfo>& endpoint() const { return m_endpoint; }

private:
    void open();
    // The id of the system's default render endpoint for multimedia, empty when there is none.
    std::wstring defaultRenderEndpointId();
    bool isHeadsetEndpoint(const dts::DtsPtr<dts::IDTSEndpointInfo>& candidate);

    DtsComponent* m_component = nullptr;
    bool m_threadInitialized = false;
    bool m_located = false;
    int m_found = 0;
    dts::HRESULT m_lastResult = dts::E_FAIL;
    dts::DtsPtr<dts::IDTSAPOSystem> m_system;
    dts::DtsPtr<dts::IDTSEndpointEnumerator> m_endpoints;
    dts::DtsPtr<dts::IDTSEndpointInfo> m_endpoint;
};

// The part of the headset's friendly name that identifies its DTS endpoint.
const QString& headsetEndpointName();
