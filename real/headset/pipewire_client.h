#pragma once
// The program's connection to the PipeWire sound server, on a thread of its own: it follows
// the server's sinks, runs the headset's filter (libpipewire-module-filter-chain, loaded into
// this process) in front of the headset's sink while that sink exists, connects again after
// the server went away, and sets the filter's gains on the running node. Callers on other
// threads never wait longer than the time-out they pass.
#include "real/headset/filter_graph.h"

#include <QList>
#include <QMap>
#include <QString>
#include <memory>
#include <optional>

struct SinkInfo {
    quint32 id = 0;
    QString name;        // node.name
    QString description; // node.description
    bool headset = false;
};

class PipeWireClient {
public:
    PipeWireClient();
    ~PipeWireClient();
    PipeWireClient(const PipeWireClient&) = delete;
    PipeWireClient& operator=(const PipeWireClient&) = delete;

    // The gains the filter starts with; call before start().
    void setInitialGains(const FilterGains& gains);
    // Starts the client's thread and the first connection attempt; later attempts follow
    // every second while there is no server.
    void start();

    // A round trip to the server (connecting first when needed); false, with the reason in
    // `error`, when no server answers within the time-out.
    bool ping(int timeoutMs, QString* error);
    // The sinks the server has now, the filter's own sink left out.
    QList<SinkInfo> sinks() const;
    // Sets the filter's gains on the running node and waits for the server to take them;
    // remembered for the next time the filter is loaded (the headset plugged in again, the
    // server restarted). True when there is no filter to change.
    bool setGains(const FilterGains& gains, int timeoutMs, QString* error);
    // The filter's controls as the server reports them; nothing without a filter or answer.
    std::optional<QMap<QString, float>> readFilterControls(int timeoutMs);
    // Whether the filter is running in front of the headset's sink.
    bool filterRunning() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
