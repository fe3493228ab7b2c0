// The headset's filter: loaded while the headset's sink exists, its gains set on the running
// node, the default output sent through it while the headset is that output, and other
// filters on the headset named in the log.
#include "real/headset/pipewire_client_impl.h"
#include "real/headset/spa_values.h"

#include <QDebug>
#include <cerrno>
#include <cstring>
#include <spa/pod/builder.h>

namespace {

const char* const kFilterModule = "libpipewire-module-filter-chain";

} // namespace

const pw_impl_module_events PipeWireClient::Impl::moduleEvents = [] {
    pw_impl_module_events events{};
    events.version = PW_VERSION_IMPL_MODULE_EVENTS;
    events.destroy = [](void* data) {
        auto* self = static_cast<Impl*>(data);
        spa_hook_remove(&self->moduleListener);
        self->filterModule = nullptr;
        self->filterTarget.clear();
    };
    return events;
}();

const pw_node_events PipeWireClient::Impl::nodeEvents = [] {
    pw_node_events events{};
    events.version = PW_VERSION_NODE_EVENTS;
    events.param = [](void* data, int, uint32_t id, uint32_t, uint32_t, const spa_pod* param) {
        auto* self = static_cast<Impl*>(data);
        if (id == SPA_PARAM_Props && param)
            readControls(param, self->readBack);
    };
    return events;
}();

const pw_metadata_events PipeWireClient::Impl::metadataEvents = [] {
    pw_metadata_events events{};
    events.version = PW_VERSION_METADATA_EVENTS;
    events.property = [](void* data, uint32_t subject, const char* key, const char*, const char* value) -> int {
        auto* self = static_cast<Impl*>(data);
        if (subject != PW_ID_CORE || !key)
            return 0;
        if (strcmp(key, "default.audio.sink") == 0) {
            self->defaultSink = nameInJson(value);
            self->routeDefaultThroughFilter();
        } else if (strcmp(key, "default.configured.audio.sink") == 0 && nameInJson(value) == filterSinkName()) {
            // Chosen by an earlier run, or before the server restarted: still ours to give back.
            self->redirected = true;
        }
        return 0;
    };
    return events;
}();

// --- the filter -----------------------------------------------------------------------

// Brings the filter in line with the server: loaded while the headset's sink exists, bound
// once its node shows, gone with the headset.
void PipeWireClient::Impl::reconcile()
{
    if (!connected || closing)
        return;
    const std::optional<quint32> headset = headsetSinkId();
    const QString headsetName =
        headset ? globals.value(*headset).properties.value(QStringLiteral(PW_KEY_NODE_NAME)) : QString();
    if (filterModule && filterTarget != headsetName)
        unloadFilter();
    if (!filterModule && headset)
        loadFilter(headsetName);
    const std::optional<quint32> filterId = filterModule ? nodeNamed(filterSinkName()) : std::nullopt;
    if (filterId && *filterId != filterNodeId) {
        bindFilterNode(*filterId);
        routeDefaultThroughFilter();
    }
    if (filterId && headset)
        reportOtherProcessing(*headset);
}

void PipeWireClient::Impl::loadFilter(const QString& headsetName)
{
    const QString description = globals.value(*headsetSinkId()).properties.value(QStringLiteral(PW_KEY_NODE_DESCRIPTION));
    const QString arguments = filterChainArguments(
        gains, headsetName, (description.isEmpty() ? headsetName : description) + QStringLiteral(" (DTS)"));
    filterModule = pw_context_load_module(context, kFilterModule, arguments.toUtf8().constData(), nullptr);
    if (!filterModule) {
        qWarning().noquote() << "PipeWire: the headset's filter could not be loaded:" << strerror(errno);
        return;
    }
    filterTarget = headsetName;
    reportedFilters.clear();
    pw_impl_module_add_listener(filterModule, &moduleListener, &moduleEvents, this);
    qDebug().noquote() << "PipeWire: the headset's filter runs in front of" << headsetName;
}

void PipeWireClient::Impl::unloadFilter()
{
    dropFilterNode();
    if (!filterModule)
        return;
    // The headset is the user's default output again, not a filter that is going away.
    if (redirected && metadata)
        setConfiguredDefault(filterTarget);
    redirected = false;
    // The destroy event clears filterModule.
    pw_impl_module_destroy(filterModule);
    qDebug() << "PipeWire: the headset's filter was removed";
}

void PipeWireClient::Impl::bindFilterNode(quint32 id)
{
    dropFilterNode();
    filterNode = static_cast<pw_node*>(pw_registry_bind(registry, id, PW_TYPE_INTERFACE_Node, PW_VERSION_NODE, 0));
    if (!filterNode)
        return;
    filterNodeId = id;
    pw_node_add_listener(filterNode, &filterNodeListener, &nodeEvents, this);
    // Gains set between the module's loading and its node showing.
    pushGains();
}

void PipeWireClient::Impl::dropFilterNode()
{
    if (!filterNode)
        return;
    spa_hook_remove(&filterNodeListener);
    pw_proxy_destroy(reinterpret_cast<pw_proxy*>(filterNode));
    filterNode = nullptr;
    filterNodeId = SPA_ID_INVALID;
}

// Sets every control of the graph in one Props param: { params = [ name value ... ] }.
void PipeWireClient::Impl::pushGains()
{
    if (!filterNode)
        return;
    uint8_t buffer[4096];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
    const spa_pod* pod = buildControls(&builder, filterControls(gains));
    if (!pod)
        return;
    pw_node_set_param(filterNode, SPA_PARAM_Props, 0, pod);
}

// When the headset is the default output, its sound is sent through the filter. Any other
// default output is the user's choice and stays as it is.
void PipeWireClient::Impl::routeDefaultThroughFilter()
{
    if (!metadata || filterNodeId == SPA_ID_INVALID || defaultSink.isEmpty() || defaultSink != filterTarget)
        return;
    setConfiguredDefault(filterSinkName());
    redirected = true;
    qDebug().noquote() << "PipeWire: the headset is the default output; its sound goes through the filter";
}

void PipeWireClient::Impl::setConfiguredDefault(const QString& sinkName)
{
    const QByteArray value = QStringLiteral("{ \"name\": \"%1\" }").arg(sinkName).toUtf8();
    pw_metadata_set_property(metadata, PW_ID_CORE, "default.configured.audio.sink", "Spa:String:JSON",
                             value.constData());
}

// Another equaliser on the headset (an EasyEffects instance, a filter of the user's own) keeps
// working beside ours; the log says so, since the two add up.
void PipeWireClient::Impl::reportOtherProcessing(quint32 headsetId)
{
    for (const ServerObject& global : globals) {
        if (global.type != QLatin1String("link")
            || global.properties.value(QStringLiteral(PW_KEY_LINK_INPUT_NODE)).toUInt() != headsetId)
            continue;
        const quint32 source = global.properties.value(QStringLiteral(PW_KEY_LINK_OUTPUT_NODE)).toUInt();
        const Properties node = globals.value(source).properties;
        const QString name = node.value(QStringLiteral(PW_KEY_NODE_NAME));
        if (name == filterOutputName() || node.value(QStringLiteral(PW_KEY_NODE_PASSIVE)) != QLatin1String("true")
            || reportedFilters.contains(name))
            continue;
        reportedFilters.insert(name);
        qWarning().noquote() << "PipeWire: another filter already processes the headset's sound:" << name
                             << "- both apply";
    }
}

void PipeWireClient::Impl::bindMetadata(quint32 id)
{
    dropMetadata();
    metadata = static_cast<pw_metadata*>(pw_registry_bind(registry, id, PW_TYPE_INTERFACE_Metadata, PW_VERSION_METADATA, 0));
    if (!metadata)
        return;
    metadataId = id;
    pw_metadata_add_listener(metadata, &metadataListener, &metadataEvents, this);
    qDebug() << "PipeWire: following the default output in metadata" << id;
}

void PipeWireClient::Impl::dropMetadata()
{
    if (!metadata)
        return;
    spa_hook_remove(&metadataListener);
    pw_proxy_destroy(reinterpret_cast<pw_proxy*>(metadata));
    metadata = nullptr;
    metadataId = SPA_ID_INVALID;
}
