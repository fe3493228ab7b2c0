#pragma once
// The DTS component on PipeWire: the headset's operating modes and controls (the shared model
// read from the configuration XML) drive a chain of biquad filters in front of the headset's
// sink. Endpoints are the server's sinks; the headset's is the one with its USB ids. Every
// operation starts with a round trip to the server and ends by setting the filter's gains on
// the running node when a control changed; the values are kept in a file between runs.
#include "devices/headset/dts_component.h"
#include "devices/headset/model/dts_component_state.h"
#include "real/headset/pipewire_client.h"

#include <memory>

class PipeWireDtsComponent : public DtsComponent {
public:
    // `valuesFile` keeps the modes' values between runs (read now, written after changes).
    PipeWireDtsComponent(const QString& configurationXml, const QString& valuesFile);

    // How long one call to the server may take.
    static constexpr int kTimeoutMs = 800;

    dts::HRESULT initializeThread() override;
    void uninitializeThread() override;
    dts::HRESULT createInstance(const dts::Guid& clsid, std::uint32_t context, const dts::Guid& iid,
                                void** object) override;
    QString unavailableReason() const override { return m_unavailable; }

    DtsComponentState& state() { return *m_state; }
    PipeWireClient& client() { return m_client; }

private:
    void refreshEndpoints();
    void applyChanges();
    void loadValues();
    void saveValues() const;

    std::shared_ptr<DtsComponentState> m_state;
    QString m_valuesFile;
    PipeWireClient m_client;
    QString m_unavailable;
};
