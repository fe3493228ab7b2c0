#include "real/headset/pipewire_dts_component.h"

#include "devices/headset/model/dts_component_objects.h"
#include "real/headset/filter_graph.h"
#include "real/headset/headset_sink.h"

#include <QDebug>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

using namespace dts;

namespace {

// The name the headset's endpoint carries, whatever the sound server calls its sink.
const QString kHeadsetEndpointName = QStringLiteral("Belvarinth ORVENA RH20 喇叭");

FilterGains activeGains(const DtsComponentState& state)
{
    const std::optional<DtsMode> mode = state.activeHeadsetMode();
    return mode ? filterGainsForMode(*mode) : FilterGains{};
}

} // namespace

PipeWireDtsComponent::PipeWireDtsComponent(const QString& configurationXml, const QString& valuesFile)
    : m_state(std::make_shared<DtsComponentState>(configurationXml)), m_valuesFile(valuesFile)
{
    loadValues();
    m_state->takeChanged();
    m_client.setInitialGains(activeGains(*m_state));
    m_client.start();
}

HRESULT PipeWireDtsComponent::initializeThread()
{
    QString error;
    if (!m_client.ping(kTimeoutMs, &error)) {
        m_unavailable = QStringLiteral("PipeWire: %1").arg(error);
        qCritical().noquote() << m_unavailable;
        return E_FAIL;
    }
    m_unavailable.clear();
    refreshEndpoints();
    return S_OK;
}

void PipeWireDtsComponent::uninitializeThread()
{
    applyChanges();
}

HRESULT PipeWireDtsComponent::createInstance(const Guid& clsid, std::uint32_t, const Guid& iid, void** object)
{
    return createComponentObject(m_state, clsid, iid, object);
}

// Every sink is an endpoint; the headset's carries the headset's name and the modes. The
// headset stands as the default render device: the filter follows it whichever output the
// user has chosen, and other sinks are listed and skipped.
void PipeWireDtsComponent::refreshEndpoints()
{
    QList<DtsEndpoint> endpoints;
    int headset = -1;
    for (const SinkInfo& sink : m_client.sinks()) {
        const QString name = sink.headset ? kHeadsetEndpointName : (sink.description.isEmpty() ? sink.name : sink.description);
        if (sink.headset)
            headset = endpoints.size();
        endpoints.append(DtsComponentState::makeEndpoint(name, sinkGuid(sink.name), m_state->configurationXml(), sink.headset));
    }
    m_state->setEndpoints(endpoints, headset);
}

void PipeWireDtsComponent::applyChanges()
{
    if (!m_state->takeChanged())
        return;
    QString error;
    if (!m_client.setGains(activeGains(*m_state), kTimeoutMs, &error))
        qWarning().noquote() << "PipeWire: the headset's filter did not take the new settings:" << error;
    saveValues();
}

void PipeWireDtsComponent::loadValues()
{
    QFile file(m_valuesFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject()) {
        qWarning() << "PipeWire: unreadable headset values in" << m_valuesFile << "- the configured ones apply";
        return;
    }
    m_state->valuesFromJson(document.object());
}

void PipeWireDtsComponent::saveValues() const
{
    QSaveFile file(m_valuesFile);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "PipeWire: cannot write" << m_valuesFile << file.errorString();
        return;
    }
    file.write(QJsonDocument(m_state->valuesToJson()).toJson(QJsonDocument::Indented));
    if (!file.commit())
        qWarning() << "PipeWire: cannot write" << m_valuesFile << file.errorString();
}
