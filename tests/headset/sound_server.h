#pragma once
// A PipeWire sound server of the test's own: a private runtime folder, its own D-Bus session
// bus, pipewire with a configuration written here, and wireplumber to link the streams. Sinks
// are made by a client of the test's (null sinks, one of them with the headset's USB ids), so
// the test can pull them out and put them back. Everything it started it stops by process id.
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <optional>

class SinkHost;

class SoundServer {
public:
    SoundServer();
    ~SoundServer();

    // Starts the bus, the server and the session manager, and points this process at them.
    bool start(QString* error);
    // Stops (or starts again) only pipewire and wireplumber, as a restart of the sound server.
    void stopServer();
    bool startServer(QString* error);
    // SIGSTOP / SIGCONT to pipewire: a server that stops answering.
    void pauseServer(bool paused);

    // A null sink; `headset`: it carries the headset's USB ids. False when the server refused.
    bool addSink(const QString& name, const QString& description, bool headset);
    void removeSink(const QString& name);

    // The server's objects as pw-dump reports them.
    QJsonArray dump() const;
    // The node named `name`, from a fresh dump.
    std::optional<QJsonObject> node(const QString& name) const;
    // The filter controls ("eq_band_3:Gain" ...) of the node named `name`.
    std::optional<QMap<QString, double>> controls(const QString& name) const;
    // Waits up to `timeoutMs` until the node's control has the value (within 0.01).
    bool waitForControl(const QString& node, const QString& control, double value, int timeoutMs) const;
    // Waits up to `timeoutMs` until a node of that name exists (or, with present false, is gone).
    bool waitForNode(const QString& name, bool present, int timeoutMs) const;
    // Whether a link goes from the node named `from` to the node named `to`.
    bool linked(const QString& from, const QString& to) const;

    // Plays two seconds of a sine of `frequency` Hz into the node named `target` while it
    // records the monitor of the sink named `sink`; the RMS level (dBFS) of the steady part of
    // the recording, nothing when nothing came through.
    std::optional<double> toneLevel(const QString& target, const QString& sink, double frequency) const;

    // The user's chosen output (pw-metadata, as a desktop's sound settings would set it) and
    // the output the session manager uses now.
    void setConfiguredDefaultSink(const QString& name) const;
    QString defaultSink() const;

    // An equaliser of the user's own in front of the sink named `target` (a filter-chain in a
    // pipewire process of its own), and its end.
    bool startOtherFilter(const QString& target, QString* error);
    void stopOtherFilter();

    QString runtimeDir() const { return m_runtime.path(); }
    QProcessEnvironment environment() const;

private:
    bool startProcess(QProcess& process, const QString& program, const QStringList& arguments, QString* error);
    void stopProcess(QProcess& process);
    bool waitForSocket(int timeoutMs) const;
    void writeConfiguration() const;

    QTemporaryDir m_runtime;
    QTemporaryDir m_home;
    QString m_busAddress;
    QProcess m_bus;
    QProcess m_server;
    QProcess m_sessionManager;
    QProcess m_otherFilter;
    std::unique_ptr<SinkHost> m_sinks;
    QMap<QString, QPair<QString, bool>> m_sinkList; // name → description, headset
};
