#include "real/headset/pipewire_client.h"

#include "real/headset/headset_sink.h"
#include "real/headset/spa_values.h"

#include <QDebug>
#include <QSet>
#include <cerrno>
#include <cstring>
#include <pipewire/extensions/metadata.h>
#include <pipewire/impl-module.h>
#include <pipewire/pipewire.h>
#include <spa/pod/builder.h>

namespace {

constexpr int kRetryMs = 1000;
// While the filter of a lost connection unloads itself, look again this soon.
constexpr int kTeardownPollMs = 100;
const char* const kFilterModule = "libpipewire-module-filter-chain";
const QString kDefaultMetadata = QStringLiteral("default");

struct Global {
    QString type; // "node", "device", "link", "metadata"
    Properties properties;
};

// A node or device bound for its full properties: the registry announces only a few of them,
// and the USB ids are not among those.
struct Bound {
    void* client = nullptr;
    quint32 id = 0;
    pw_proxy* proxy = nullptr;
    spa_hook listener{};
};

} // namespace

struct PipeWireClient::Impl {
    pw_thread_loop* loop = nullptr;
    pw_context* context = nullptr;
    pw_core* core = nullptr;
    spa_hook coreListener{};
    pw_registry* registry = nullptr;
    spa_hook registryListener{};
    spa_source* retryTimer = nullptr;
    bool connected = false;
    int lastDone = -1;
    QString lastError;

    QMap<quint32, Global> globals;
    QMap<quint32, Bound*> bound;

    pw_impl_module* filterModule = nullptr;
    spa_hook moduleListener{};
    QString filterTarget;
    // Other filters on the headset already named in the log while this filter runs.
    QSet<QString> reportedFilters;
    FilterGains gains;
    pw_node* filterNode = nullptr;
    quint32 filterNodeId = SPA_ID_INVALID;
    spa_hook filterNodeListener{};
    QMap<QString, float> readBack;

    pw_metadata* metadata = nullptr;
    quint32 metadataId = SPA_ID_INVALID;
    spa_hook metadataListener{};
    QString defaultSink;
    // The headset was the default output and its sound was sent through the filter.
    bool redirected = false;

    // --- connection -------------------------------------------------------------------
    bool connect();
    void disconnect();
    void armRetry(int ms);
    // Waits for the server to answer everything sent so far, until `deadline` at the latest.
    bool roundtrip(const timespec& deadline, int timeoutMs);
    bool roundtrip(int timeoutMs) { return roundtrip(deadlineIn(timeoutMs), timeoutMs); }
    timespec deadlineIn(int timeoutMs) const;
    // --- what the server has ----------------------------------------------------------
    std::optional<quint32> headsetSinkId() const;
    std::optional<quint32> nodeNamed(const QString& name) const;
    // --- the filter -------------------------------------------------------------------
    void reconcile();
    void loadFilter(const QString& headsetName);
    void unloadFilter();
    void bindFilterNode(quint32 id);
    void dropFilterNode();
    void pushGains();
    void routeDefaultThroughFilter();
    void setConfiguredDefault(const QString& sinkName);
    void reportOtherProcessing(quint32 headsetId);
    void bindForProperties(quint32 id, const QString& type);
    void unbind(quint32 id);
    void takeProperties(quint32 id, const spa_dict* props);
    void bindMetadata(quint32 id);
    void dropMetadata();

    static const pw_core_events coreEvents;
    static const pw_registry_events registryEvents;
    static const pw_impl_module_events moduleEvents;
    static const pw_node_events nodeEvents;
    static const pw_metadata_events metadataEvents;
    static const pw_node_events boundNodeEvents;
    static const pw_device_events boundDeviceEvents;
};

// --- events ---------------------------------------------------------------------------

const pw_core_events PipeWireClient::Impl::coreEvents = [] {
    pw_core_events events{};
    events.version = PW_VERSION_CORE_EVENTS;
    events.done = [](void* data, uint32_t id, int seq) {
        auto* self = static_cast<Impl*>(data);
        if (id == PW_ID_CORE) {
            self->lastDone = seq;
            pw_thread_loop_signal(self->loop, false);
        }
    };
    events.error = [](void* data, uint32_t id, int, int res, const char* message) {
        auto* self = static_cast<Impl*>(data);
        if (id != PW_ID_CORE || res != -EPIPE)
            return;
        // The server went away. The filter unloads itself; the connection is dropped and made
        // again once it has, from the loop, not from inside the core's own event.
        qWarning().noquote() << "PipeWire: the connection to the sound server was lost:" << message;
        self->connected = false;
        self->lastError = QStringLiteral("the sound server went away");
        self->armRetry(kTeardownPollMs);
        pw_thread_loop_signal(self->loop, false);
    };
    return events;
}();

const pw_registry_events PipeWireClient::Impl::registryEvents = [] {
    pw_registry_events events{};
    events.version = PW_VERSION_REGISTRY_EVENTS;
    events.global = [](void* data, uint32_t id, uint32_t, const char* type, uint32_t, const spa_dict* props) {
        auto* self = static_cast<Impl*>(data);
        Global global;
        if (strcmp(type, PW_TYPE_INTERFACE_Node) == 0)
            global.type = QStringLiteral("node");
        else if (strcmp(type, PW_TYPE_INTERFACE_Device) == 0)
            global.type = QStringLiteral("device");
        else if (strcmp(type, PW_TYPE_INTERFACE_Link) == 0)
            global.type = QStringLiteral("link");
        else if (strcmp(type, PW_TYPE_INTERFACE_Metadata) == 0)
            global.type = QStringLiteral("metadata");
        else
            return;
        global.properties = toProperties(props);
        self->globals.insert(id, global);
        if (global.type == QLatin1String("node") || global.type == QLatin1String("device"))
            self->bindForProperties(id, global.type);
        if (global.type == QLatin1String("metadata")
            && global.properties.value(QStringLiteral(PW_KEY_METADATA_NAME)) == kDefaultMetadata)
            self->bindMetadata(id);
        self->reconcile();
    };
    events.global_remove = [](void* data, uint32_t id) {
        auto* self = static_cast<Impl*>(data);
        self->globals.remove(id);
        self->unbind(id);
        if (id == self->filterNodeId)
            self->dropFilterNode();
        if (id == self->metadataId)
            self->dropMetadata();
        self->reconcile();
    };
    return events;
}();

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
        if (subject == PW_ID_CORE && key && strcmp(key, "default.audio.sink") == 0) {
            self->defaultSink = nameInJson(value);
            self->routeDefaultThroughFilter();
        }
        return 0;
    };
    return events;
}();

const pw_node_events PipeWireClient::Impl::boundNodeEvents = [] {
    pw_node_events events{};
    events.version = PW_VERSION_NODE_EVENTS;
    events.info = [](void* data, const pw_node_info* info) {
        auto* entry = static_cast<Bound*>(data);
        if (info->change_mask & PW_NODE_CHANGE_MASK_PROPS)
            static_cast<Impl*>(entry->client)->takeProperties(entry->id, info->props);
    };
    return events;
}();

const pw_device_events PipeWireClient::Impl::boundDeviceEvents = [] {
    pw_device_events events{};
    events.version = PW_VERSION_DEVICE_EVENTS;
    events.info = [](void* data, const pw_device_info* info) {
        auto* entry = static_cast<Bound*>(data);
        if (info->change_mask & PW_DEVICE_CHANGE_MASK_PROPS)
            static_cast<Impl*>(entry->client)->takeProperties(entry->id, info->props);
    };
    return events;
}();

void PipeWireClient::Impl::bindForProperties(quint32 id, const QString& type)
{
    const bool node = type == QLatin1String("node");
    auto* proxy = static_cast<pw_proxy*>(pw_registry_bind(registry, id, node ? PW_TYPE_INTERFACE_Node : PW_TYPE_INTERFACE_Device,
                                                           node ? PW_VERSION_NODE : PW_VERSION_DEVICE, 0));
    if (!proxy)
        return;
    auto* entry = new Bound{this, id, proxy, {}};
    if (node)
        pw_node_add_listener(reinterpret_cast<pw_node*>(proxy), &entry->listener, &boundNodeEvents, entry);
    else
        pw_device_add_listener(reinterpret_cast<pw_device*>(proxy), &entry->listener, &boundDeviceEvents, entry);
    bound.insert(id, entry);
}

void PipeWireClient::Impl::unbind(quint32 id)
{
    Bound* entry = bound.take(id);
    if (!entry)
        return;
    spa_hook_remove(&entry->listener);
    pw_proxy_destroy(entry->proxy);
    delete entry;
}

void PipeWireClient::Impl::takeProperties(quint32 id, const spa_dict* props)
{
    if (!globals.contains(id))
        return;
    const Properties full = toProperties(props);
    for (auto it = full.cbegin(); it != full.cend(); ++it)
        globals[id].properties.insert(it.key(), it.value());
    reconcile();
}

// --- connection -----------------------------------------------------------------------

bool PipeWireClient::Impl::connect()
{
    if (connected)
        return true;
    if (core)
        return false; // the last connection is still being taken down
    core = pw_context_connect(context, nullptr, 0);
    if (!core) {
        lastError = QStringLiteral("no sound server answers (%1)").arg(QString::fromUtf8(strerror(errno)));
        return false;
    }
    pw_core_add_listener(core, &coreListener, &coreEvents, this);
    registry = pw_core_get_registry(core, PW_VERSION_REGISTRY, 0);
    pw_registry_add_listener(registry, &registryListener, &registryEvents, this);
    connected = true;
    lastError.clear();
    return true;
}

void PipeWireClient::Impl::disconnect()
{
    unloadFilter();
    dropFilterNode();
    dropMetadata();
    for (const quint32 id : bound.keys())
        unbind(id);
    if (registry) {
        spa_hook_remove(&registryListener);
        pw_proxy_destroy(reinterpret_cast<pw_proxy*>(registry));
        registry = nullptr;
    }
    if (core) {
        spa_hook_remove(&coreListener);
        pw_core_disconnect(core);
        core = nullptr;
    }
    globals.clear();
    connected = false;
}

void PipeWireClient::Impl::armRetry(int ms)
{
    timespec value{ms / 1000, (ms % 1000) * 1000000L};
    pw_loop_update_timer(pw_thread_loop_get_loop(loop), retryTimer, &value, nullptr, false);
}

timespec PipeWireClient::Impl::deadlineIn(int timeoutMs) const
{
    timespec deadline{};
    pw_thread_loop_get_time(loop, &deadline, static_cast<int64_t>(timeoutMs) * SPA_NSEC_PER_MSEC);
    return deadline;
}

bool PipeWireClient::Impl::roundtrip(const timespec& deadline, int timeoutMs)
{
    if (!connected || !core)
        return false;
    const int seq = pw_core_sync(core, PW_ID_CORE, 0);
    timespec until = deadline;
    while (lastDone != seq) {
        if (!connected)
            return false;
        if (pw_thread_loop_timed_wait_full(loop, &until) != 0) {
            lastError = QStringLiteral("the sound server did not answer within %1 ms").arg(timeoutMs);
            return false;
        }
    }
    return true;
}

// --- what the server has --------------------------------------------------------------

std::optional<quint32> PipeWireClient::Impl::headsetSinkId() const
{
    for (auto it = globals.cbegin(); it != globals.cend(); ++it) {
        if (it->type != QLatin1String("node"))
            continue;
        const QString deviceId = it->properties.value(QStringLiteral(PW_KEY_DEVICE_ID));
        const Properties device = deviceId.isEmpty() ? Properties() : globals.value(deviceId.toUInt()).properties;
        if (isHeadsetSink(it->properties, device))
            return it.key();
    }
    return std::nullopt;
}

std::optional<quint32> PipeWireClient::Impl::nodeNamed(const QString& name) const
{
    for (auto it = globals.cbegin(); it != globals.cend(); ++it) {
        if (it->type == QLatin1String("node") && it->properties.value(QStringLiteral(PW_KEY_NODE_NAME)) == name)
            return it.key();
    }
    return std::nullopt;
}

// --- the filter -----------------------------------------------------------------------

// Brings the filter in line with the server: loaded while the headset's sink exists, bound
// once its node shows, gone with the headset.
void PipeWireClient::Impl::reconcile()
{
    if (!connected)
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
    for (const Global& global : globals) {
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

// --- the client -----------------------------------------------------------------------

PipeWireClient::PipeWireClient() : m_impl(std::make_unique<Impl>())
{
    pw_init(nullptr, nullptr);
    m_impl->loop = pw_thread_loop_new("talvorin-sound", nullptr);
    m_impl->context = pw_context_new(pw_thread_loop_get_loop(m_impl->loop), nullptr, 0);
    m_impl->retryTimer = pw_loop_add_timer(
        pw_thread_loop_get_loop(m_impl->loop),
        [](void* data, uint64_t) {
            auto* self = static_cast<Impl*>(data);
            if (!self->connected && self->core) {
                // A lost connection: wait for the filter to unload itself, then let go.
                if (self->filterModule) {
                    self->armRetry(kTeardownPollMs);
                    return;
                }
                self->disconnect();
            }
            if (!self->connect())
                self->armRetry(kRetryMs);
        },
        m_impl.get());
}

PipeWireClient::~PipeWireClient()
{
    pw_thread_loop_lock(m_impl->loop);
    if (m_impl->redirected) {
        // Give the headset back as the default output before the connection ends.
        m_impl->unloadFilter();
        m_impl->roundtrip(500);
    }
    m_impl->disconnect();
    pw_loop_destroy_source(pw_thread_loop_get_loop(m_impl->loop), m_impl->retryTimer);
    pw_thread_loop_unlock(m_impl->loop);
    pw_thread_loop_stop(m_impl->loop);
    pw_context_destroy(m_impl->context);
    pw_thread_loop_destroy(m_impl->loop);
}

void PipeWireClient::setInitialGains(const FilterGains& gains)
{
    m_impl->gains = gains;
}

void PipeWireClient::start()
{
    pw_thread_loop_start(m_impl->loop);
    pw_thread_loop_lock(m_impl->loop);
    if (!m_impl->connect())
        m_impl->armRetry(kRetryMs);
    pw_thread_loop_unlock(m_impl->loop);
}

bool PipeWireClient::ping(int timeoutMs, QString* error)
{
    pw_thread_loop_lock(m_impl->loop);
    // The second round trip brings the full properties of the objects the first one announced.
    const timespec deadline = m_impl->deadlineIn(timeoutMs);
    const bool answered =
        m_impl->connect() && m_impl->roundtrip(deadline, timeoutMs) && m_impl->roundtrip(deadline, timeoutMs);
    if (!answered && error)
        *error = m_impl->lastError;
    pw_thread_loop_unlock(m_impl->loop);
    return answered;
}

QList<SinkInfo> PipeWireClient::sinks() const
{
    pw_thread_loop_lock(m_impl->loop);
    QList<SinkInfo> sinks;
    const std::optional<quint32> headset = m_impl->headsetSinkId();
    for (auto it = m_impl->globals.cbegin(); it != m_impl->globals.cend(); ++it) {
        const Properties& properties = it->properties;
        if (it->type != QLatin1String("node") || properties.value(QStringLiteral(PW_KEY_MEDIA_CLASS)) != QLatin1String("Audio/Sink"))
            continue;
        const QString name = properties.value(QStringLiteral(PW_KEY_NODE_NAME));
        if (name == filterSinkName())
            continue;
        sinks.append({it.key(), name, properties.value(QStringLiteral(PW_KEY_NODE_DESCRIPTION)), headset == it.key()});
    }
    pw_thread_loop_unlock(m_impl->loop);
    return sinks;
}

bool PipeWireClient::setGains(const FilterGains& gains, int timeoutMs, QString* error)
{
    pw_thread_loop_lock(m_impl->loop);
    m_impl->gains = gains;
    bool done = true;
    if (m_impl->filterNode) {
        m_impl->pushGains();
        done = m_impl->roundtrip(timeoutMs);
        if (!done && error)
            *error = m_impl->lastError;
    }
    pw_thread_loop_unlock(m_impl->loop);
    return done;
}

std::optional<QMap<QString, float>> PipeWireClient::readFilterControls(int timeoutMs)
{
    pw_thread_loop_lock(m_impl->loop);
    std::optional<QMap<QString, float>> controls;
    if (m_impl->filterNode) {
        m_impl->readBack.clear();
        pw_node_enum_params(m_impl->filterNode, 0, SPA_PARAM_Props, 0, UINT32_MAX, nullptr);
        if (m_impl->roundtrip(timeoutMs))
            controls = m_impl->readBack;
    }
    pw_thread_loop_unlock(m_impl->loop);
    return controls;
}

bool PipeWireClient::filterRunning() const
{
    pw_thread_loop_lock(m_impl->loop);
    const bool running = m_impl->filterNode != nullptr;
    pw_thread_loop_unlock(m_impl->loop);
    return running;
}
