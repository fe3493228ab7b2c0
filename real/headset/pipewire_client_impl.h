#pragma once
// The inside of PipeWireClient, shared by its two source files: the connection and what the
// server has (pipewire_client.cpp), and the headset's filter (pipewire_filter.cpp). Every
// member is used on the client's loop thread, or with the loop locked.
#include "real/headset/headset_sink.h"
#include "real/headset/pipewire_client.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <pipewire/extensions/metadata.h>
#include <pipewire/impl-module.h>
#include <pipewire/pipewire.h>

// While the filter of a lost connection unloads itself, look again this soon.
constexpr int kTeardownPollMs = 100;

// An object of the server the client follows.
struct ServerObject {
    QString type; // "node", "device", "link", "metadata"
    Properties properties;
};

// A node or device bound for its full properties: the registry announces only a few of them,
// and the USB ids are not among those.
struct BoundObject {
    void* client = nullptr;
    quint32 id = 0;
    pw_proxy* proxy = nullptr;
    spa_hook listener{};
};

struct PipeWireClient::Impl {
    pw_thread_loop* loop = nullptr;
    pw_context* context = nullptr;
    pw_core* core = nullptr;
    spa_hook coreListener{};
    pw_registry* registry = nullptr;
    spa_hook registryListener{};
    spa_source* retryTimer = nullptr;
    bool connected = false;
    // The client is going away: nothing is loaded any more.
    bool closing = false;
    int lastDone = -1;
    QString lastError;

    QMap<quint32, ServerObject> globals;
    QMap<quint32, BoundObject*> bound;

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
