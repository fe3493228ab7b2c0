#include "real/headset/pipewire_client.h"

#include "real/headset/pipewire_client_impl.h"
#include "real/headset/spa_values.h"

#include <QDebug>
#include <cerrno>
#include <cstring>

namespace {

constexpr int kRetryMs = 1000;
const QString kDefaultMetadata = QStringLiteral("default");

} // namespace

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
        if (id != PW_ID_CORE || res != -EPIPE) {
            qDebug().noquote() << "PipeWire: error on object" << id << ":" << message << strerror(-res);
            return;
        }
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
        ServerObject global;
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

const pw_node_events PipeWireClient::Impl::boundNodeEvents = [] {
    pw_node_events events{};
    events.version = PW_VERSION_NODE_EVENTS;
    events.info = [](void* data, const pw_node_info* info) {
        auto* entry = static_cast<BoundObject*>(data);
        if (info->change_mask & PW_NODE_CHANGE_MASK_PROPS)
            static_cast<Impl*>(entry->client)->takeProperties(entry->id, info->props);
    };
    return events;
}();

const pw_device_events PipeWireClient::Impl::boundDeviceEvents = [] {
    pw_device_events events{};
    events.version = PW_VERSION_DEVICE_EVENTS;
    events.info = [](void* data, const pw_device_info* info) {
        auto* entry = static_cast<BoundObject*>(data);
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
    auto* entry = new BoundObject{this, id, proxy, {}};
    if (node)
        pw_node_add_listener(reinterpret_cast<pw_node*>(proxy), &entry->listener, &boundNodeEvents, entry);
    else
        pw_device_add_listener(reinterpret_cast<pw_device*>(proxy), &entry->listener, &boundDeviceEvents, entry);
    bound.insert(id, entry);
}

void PipeWireClient::Impl::unbind(quint32 id)
{
    BoundObject* entry = bound.take(id);
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
    m_impl->closing = true;
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
