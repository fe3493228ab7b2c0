#pragma once
// A stand-in for the DTS component installed with the headset's driver: the system object,
// the headset's endpoint with the operating modes and controls of the configuration XML, the
// machine's speakers beside it, and the system's default render device.
#include "devices/headset/dts_component.h"
#include "devices/headset/model/dts_component_state.h"

#include <atomic>
#include <memory>

class VirtualDtsComponent : public DtsComponent {
public:
    explicit VirtualDtsComponent(const QString& configurationXml);

    // The endpoints the stand-in lists: the machine's speakers and the headset.
    static constexpr int kSpeakers = 0;
    static constexpr int kHeadset = 1;

    dts::HRESULT initializeThread() override;
    void uninitializeThread() override;
    dts::HRESULT createInstance(const dts::Guid& clsid, std::uint32_t context, const dts::Guid& iid,
                                void** object) override;

    DtsComponentState& state() { return *m_state; }

    // How the component has been used: thread starts not yet ended, and systems created.
    int openThreads() const { return m_openThreads; }
    int systemsCreated() const { return m_systemsCreated; }
    // Fault injection: refuse the thread start or the creation of the system object.
    void refuseThreadStart(bool refuse) { m_refuseThreadStart = refuse; }
    void refuseCreation(bool refuse) { m_refuseCreation = refuse; }

private:
    std::shared_ptr<DtsComponentState> m_state;
    std::atomic<int> m_openThreads{0};
    std::atomic<int> m_systemsCreated{0};
    std::atomic<bool> m_refuseThreadStart{false};
    std::atomic<bool> m_refuseCreation{false};
};
