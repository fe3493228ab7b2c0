#include "sound_server.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QThread>
#include <cmath>
#include <csignal>
#include <cstring>
#include <functional>
#include <pipewire/extensions/metadata.h>
#include <pipewire/pipewire.h>

namespace {

constexpr int kStartMs = 5000;

// The server: the native protocol, the factories the clients and the session manager use,
// and a driver that keeps time when no card does; wireplumber makes the "default" metadata.
const char* const kServerConfiguration = R"(
context.properties = {
    core.daemon = true
    core.name = pipewire-0
    default.clock.rate = 48000
    default.clock.quantum = 1024
}
context.spa-libs = {
    audio.convert.* = audioconvert/libspa-audioconvert
    support.*       = support/libspa-support
}
context.modules = [
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-profiler }
    { name = libpipewire-module-metadata }
    { name = libpipewire-module-spa-node-factory }
    { name = libpipewire-module-client-node }
    { name = libpipewire-module-access }
    { name = libpipewire-module-adapter }
    { name = libpipewire-module-link-factory }
    { name = libpipewire-module-session-manager }
]
context.objects = [
    { factory = spa-node-factory
      args = { factory.name = support.node.driver node.name = Test-Driver node.group = test.driver priority.driver = 20000 } }
]
)";

// Asks `done` every 20 ms until it answers true or the time is up.
bool pollUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    do {
        if (done())
            return true;
        QThread::msleep(20);
    } while (timer.elapsed() < timeoutMs);
    return false;
}

constexpr int kRate = 48000;
constexpr int kToneSeconds = 2;

// A 16-bit stereo WAV file: the 44-byte header, then interleaved samples.
QByteArray wavFile(const QVector<qint16>& samples)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 dataSize = quint32(samples.size() * 2);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataSize);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(2) << quint32(kRate) << quint32(kRate * 4) << quint16(4) << quint16(16);
    out.writeRawData("data", 4);
    out << dataSize;
    for (qint16 sample : samples)
        out << sample;
    return bytes;
}

// The samples of a 16-bit WAV file's data chunk.
QVector<qint16> wavSamples(const QByteArray& bytes)
{
    QVector<qint16> samples;
    int at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        QDataStream in(bytes.mid(at + 4, 4));
        in.setByteOrder(QDataStream::LittleEndian);
        quint32 size = 0;
        in >> size;
        if (id == "data") {
            QDataStream data(bytes.mid(at + 8, int(size)));
            data.setByteOrder(QDataStream::LittleEndian);
            while (!data.atEnd()) {
                qint16 sample = 0;
                data >> sample;
                samples.append(sample);
            }
            break;
        }
        at += 8 + int(size) + int(size & 1);
    }
    return samples;
}

// RMS in dBFS of the part where the tone sounds, without its first and last 0.2 s.
std::optional<double> steadyLevel(const QVector<qint16>& samples)
{
    int first = -1;
    int last = -1;
    for (int i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > 300) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    const int margin = kRate * 2 / 5; // 0.2 s of stereo samples
    if (first < 0 || last - first < 3 * margin)
        return std::nullopt;
    double sum = 0;
    for (int i = first + margin; i < last - margin; ++i)
        sum += double(samples[i]) * samples[i];
    const double rms = std::sqrt(sum / (last - first - 2 * margin)) / 32768.0;
    return 20.0 * std::log10(rms);
}

} // namespace

// The test's own client that holds the null sinks: a sink lives as long as its proxy.
class SinkHost {
public:
    SinkHost()
    {
        pw_init(nullptr, nullptr);
        m_loop = pw_thread_loop_new("test-sinks", nullptr);
        m_context = pw_context_new(pw_thread_loop_get_loop(m_loop), nullptr, 0);
        pw_thread_loop_start(m_loop);
        pw_thread_loop_lock(m_loop);
        m_core = pw_context_connect(m_context, nullptr, 0);
        if (m_core) {
            static const pw_core_events events = [] {
                pw_core_events e{};
                e.version = PW_VERSION_CORE_EVENTS;
                e.done = [](void* data, uint32_t, int seq) {
                    auto* self = static_cast<SinkHost*>(data);
                    self->m_done = seq;
                    pw_thread_loop_signal(self->m_loop, false);
                };
                return e;
            }();
            pw_core_add_listener(m_core, &m_listener, &events, this);
            // Follows the globals without binding any: a binding of the session manager's
            // metadata is what this watch must not make (see waitForDefaultMetadata).
            static const pw_registry_events registryEvents = [] {
                pw_registry_events e{};
                e.version = PW_VERSION_REGISTRY_EVENTS;
                e.global = [](void* data, uint32_t, uint32_t, const char* type, uint32_t, const spa_dict* props) {
                    auto* self = static_cast<SinkHost*>(data);
                    const char* name = props ? spa_dict_lookup(props, PW_KEY_METADATA_NAME) : nullptr;
                    if (strcmp(type, PW_TYPE_INTERFACE_Metadata) == 0 && name && strcmp(name, "default") == 0) {
                        self->m_defaultMetadata = true;
                        pw_thread_loop_signal(self->m_loop, false);
                    }
                };
                return e;
            }();
            m_registry = pw_core_get_registry(m_core, PW_VERSION_REGISTRY, 0);
            pw_registry_add_listener(m_registry, &m_registryListener, &registryEvents, this);
        }
        pw_thread_loop_unlock(m_loop);
    }
    ~SinkHost()
    {
        pw_thread_loop_lock(m_loop);
        for (pw_proxy* proxy : m_sinks)
            pw_proxy_destroy(proxy);
        if (m_registry) {
            spa_hook_remove(&m_registryListener);
            pw_proxy_destroy(reinterpret_cast<pw_proxy*>(m_registry));
        }
        if (m_core) {
            spa_hook_remove(&m_listener);
            pw_core_disconnect(m_core);
        }
        pw_thread_loop_unlock(m_loop);
        pw_thread_loop_stop(m_loop);
        pw_context_destroy(m_context);
        pw_thread_loop_destroy(m_loop);
    }

    bool add(const QString& name, const QString& description, bool headset)
    {
        pw_thread_loop_lock(m_loop);
        pw_properties* props = pw_properties_new("factory.name", "support.null-audio-sink", "media.class",
                                                 "Audio/Sink", "audio.position", "[ FL FR ]",
                                                 "monitor.channel-volumes", "true", nullptr);
        pw_properties_set(props, "node.name", name.toUtf8().constData());
        pw_properties_set(props, "node.description", description.toUtf8().constData());
        if (headset) {
            pw_properties_set(props, "device.vendor.id", "0x2dbf");
            pw_properties_set(props, "device.product.id", "0x0001");
            pw_properties_set(props, "device.bus", "usb");
        }
        auto* proxy = m_core ? static_cast<pw_proxy*>(pw_core_create_object(m_core, "adapter", PW_TYPE_INTERFACE_Node,
                                                                            PW_VERSION_NODE, &props->dict, 0))
                             : nullptr;
        pw_properties_free(props);
        if (proxy)
            m_sinks.insert(name, proxy);
        const bool done = proxy && roundtrip();
        pw_thread_loop_unlock(m_loop);
        return done;
    }

    void remove(const QString& name)
    {
        pw_thread_loop_lock(m_loop);
        if (pw_proxy* proxy = m_sinks.take(name)) {
            pw_proxy_destroy(proxy);
            roundtrip();
        }
        pw_thread_loop_unlock(m_loop);
    }

    // Waits until the session manager has published the "default" metadata.
    bool waitForDefaultMetadata(int timeoutMs)
    {
        pw_thread_loop_lock(m_loop);
        timespec deadline{};
        pw_thread_loop_get_time(m_loop, &deadline, static_cast<int64_t>(timeoutMs) * SPA_NSEC_PER_MSEC);
        bool found = m_defaultMetadata;
        while (m_core && !found) {
            if (pw_thread_loop_timed_wait_full(m_loop, &deadline) != 0)
                break;
            found = m_defaultMetadata;
        }
        pw_thread_loop_unlock(m_loop);
        return found;
    }

private:
    bool roundtrip()
    {
        const int seq = pw_core_sync(m_core, PW_ID_CORE, 0);
        timespec deadline{};
        pw_thread_loop_get_time(m_loop, &deadline, 2 * SPA_NSEC_PER_SEC);
        while (m_done != seq) {
            if (pw_thread_loop_timed_wait_full(m_loop, &deadline) != 0)
                return false;
        }
        return true;
    }

    pw_thread_loop* m_loop = nullptr;
    pw_context* m_context = nullptr;
    pw_core* m_core = nullptr;
    spa_hook m_listener{};
    pw_registry* m_registry = nullptr;
    spa_hook m_registryListener{};
    bool m_defaultMetadata = false;
    int m_done = -1;
    QMap<QString, pw_proxy*> m_sinks;
};

SoundServer::SoundServer() = default;

SoundServer::~SoundServer()
{
    stopOtherFilter();
    m_sinks.reset();
    stopServer();
    stopProcess(m_bus);
}

QProcessEnvironment SoundServer::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("PIPEWIRE_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), m_home.path() + QStringLiteral("/state"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.path() + QStringLiteral("/data"));
    env.remove(QStringLiteral("PIPEWIRE_REMOTE"));
    if (!m_busAddress.isEmpty())
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
    return env;
}

void SoundServer::writeConfiguration() const
{
    QFile file(m_home.path() + QStringLiteral("/server.conf"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(kServerConfiguration);
}

bool SoundServer::start(QString* error)
{
    if (!m_runtime.isValid() || !m_home.isValid()) {
        *error = QStringLiteral("no temporary folder");
        return false;
    }
    QFile(m_runtime.path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    writeConfiguration();
    // This process (the component under test) talks to this server only.
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
    qputenv("PIPEWIRE_RUNTIME_DIR", m_runtime.path().toUtf8());
    qunsetenv("PIPEWIRE_REMOTE");

    if (!startProcess(m_bus, QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")},
                      error))
        return false;
    if (!m_bus.waitForReadyRead(kStartMs)) {
        *error = QStringLiteral("dbus-daemon printed no address");
        return false;
    }
    m_busAddress = QString::fromUtf8(m_bus.readLine()).trimmed();
    return startServer(error);
}

bool SoundServer::startServer(QString* error)
{
    if (!startProcess(m_server, QStringLiteral("pipewire"), {QStringLiteral("-c"), m_home.path() + QStringLiteral("/server.conf")},
                      error))
        return false;
    if (!waitForSocket(kStartMs)) {
        *error = QStringLiteral("pipewire made no socket: ") + QString::fromUtf8(m_server.readAllStandardError());
        return false;
    }
    if (!startProcess(m_sessionManager, QStringLiteral("wireplumber"), {}, error))
        return false;
    m_sinks = std::make_unique<SinkHost>();
    // The server is ready once wireplumber has published its "default" metadata. Until then no
    // probe of ours (pw-dump, pw-metadata) may run: PipeWire 0.3.65 pings the metadata's owner
    // for every client that binds the metadata and counts the binding as pending until the
    // answer comes; a pw-dump that sees the metadata appear after its last sync binds it and
    // exits at once, the count never goes down, and from then on the server forwards no
    // change of that metadata to clients bound earlier - the program would never see the
    // user's default output change.
    if (!m_sinks->waitForDefaultMetadata(kStartMs)) {
        *error = QStringLiteral("wireplumber published no default metadata");
        return false;
    }
    for (auto it = m_sinkList.cbegin(); it != m_sinkList.cend(); ++it) {
        if (!m_sinks->add(it.key(), it->first, it->second)) {
            *error = QStringLiteral("the server refused the sink ") + it.key();
            return false;
        }
    }
    return true;
}

void SoundServer::stopServer()
{
    m_sinks.reset();
    pauseServer(false);
    stopProcess(m_sessionManager);
    stopProcess(m_server);
    QFile::remove(m_runtime.path() + QStringLiteral("/pipewire-0"));
    QFile::remove(m_runtime.path() + QStringLiteral("/pipewire-0.lock"));
}

void SoundServer::pauseServer(bool paused)
{
    if (m_server.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(m_server.processId()), paused ? SIGSTOP : SIGCONT);
}

bool SoundServer::addSink(const QString& name, const QString& description, bool headset)
{
    m_sinkList.insert(name, {description, headset});
    return m_sinks && m_sinks->add(name, description, headset);
}

void SoundServer::removeSink(const QString& name)
{
    m_sinkList.remove(name);
    if (m_sinks)
        m_sinks->remove(name);
}

bool SoundServer::startProcess(QProcess& process, const QString& program, const QStringList& arguments, QString* error)
{
    process.setProcessEnvironment(environment());
    process.setProcessChannelMode(program == QLatin1String("dbus-daemon") ? QProcess::SeparateChannels
                                                                          : QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForStarted(kStartMs)) {
        *error = program + QStringLiteral(" did not start: ") + process.errorString();
        return false;
    }
    return true;
}

// By process id: terminate, then kill what is left.
void SoundServer::stopProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

bool SoundServer::waitForSocket(int timeoutMs) const
{
    return pollUntil([this] { return QFileInfo::exists(m_runtime.path() + QStringLiteral("/pipewire-0")); }, timeoutMs);
}

QJsonArray SoundServer::dump() const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(QStringLiteral("pw-dump"), QStringList());
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return QJsonDocument::fromJson(process.readAllStandardOutput()).array();
}

std::optional<QJsonObject> SoundServer::node(const QString& name) const
{
    for (const QJsonValue& value : dump()) {
        const QJsonObject object = value.toObject();
        if (object.value(QStringLiteral("type")).toString() != QLatin1String("PipeWire:Interface:Node"))
            continue;
        const QJsonObject props = object.value(QStringLiteral("info")).toObject().value(QStringLiteral("props")).toObject();
        if (props.value(QStringLiteral("node.name")).toString() == name)
            return object;
    }
    return std::nullopt;
}

std::optional<QMap<QString, double>> SoundServer::controls(const QString& name) const
{
    const std::optional<QJsonObject> found = node(name);
    if (!found)
        return std::nullopt;
    QMap<QString, double> controls;
    const QJsonArray props =
        found->value(QStringLiteral("info")).toObject().value(QStringLiteral("params")).toObject().value(QStringLiteral("Props")).toArray();
    for (const QJsonValue& entry : props) {
        const QJsonArray params = entry.toObject().value(QStringLiteral("params")).toArray();
        for (int i = 0; i + 1 < params.size(); i += 2) {
            if (params[i].toString().contains(QLatin1Char(':')) && params[i + 1].isDouble())
                controls.insert(params[i].toString(), params[i + 1].toDouble());
        }
    }
    return controls;
}

bool SoundServer::waitForControl(const QString& node, const QString& control, double value, int timeoutMs) const
{
    return pollUntil(
        [&] {
            const std::optional<QMap<QString, double>> found = controls(node);
            return found && found->contains(control) && qAbs(found->value(control) - value) < 0.01;
        },
        timeoutMs);
}

bool SoundServer::waitForNode(const QString& name, bool present, int timeoutMs) const
{
    return pollUntil([&] { return node(name).has_value() == present; }, timeoutMs);
}

bool SoundServer::linked(const QString& from, const QString& to) const
{
    const QJsonArray objects = dump();
    QMap<int, QString> names;
    for (const QJsonValue& value : objects) {
        const QJsonObject object = value.toObject();
        const QJsonObject props = object.value(QStringLiteral("info")).toObject().value(QStringLiteral("props")).toObject();
        if (props.contains(QStringLiteral("node.name")))
            names.insert(object.value(QStringLiteral("id")).toInt(), props.value(QStringLiteral("node.name")).toString());
    }
    for (const QJsonValue& value : objects) {
        const QJsonObject info = value.toObject().value(QStringLiteral("info")).toObject();
        if (value.toObject().value(QStringLiteral("type")).toString() != QLatin1String("PipeWire:Interface:Link"))
            continue;
        if (names.value(info.value(QStringLiteral("output-node-id")).toInt()) == from
            && names.value(info.value(QStringLiteral("input-node-id")).toInt()) == to)
            return true;
    }
    return false;
}

std::optional<double> SoundServer::toneLevel(const QString& target, const QString& sink, double frequency) const
{
    QVector<qint16> tone;
    for (int i = 0; i < kRate * kToneSeconds; ++i) {
        const auto value = qint16(8192 * std::sin(2 * M_PI * frequency * i / kRate)); // -15 dBFS RMS
        tone << value << value;
    }
    QFile toneFile(m_home.path() + QStringLiteral("/tone.wav"));
    if (!toneFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return std::nullopt;
    toneFile.write(wavFile(tone));
    toneFile.close();
    const QString recording = m_home.path() + QStringLiteral("/recording.wav");
    QFile::remove(recording);

    // pw-record and pw-play are the server's own tools for a stream into and out of a node.
    QProcess recorder;
    recorder.setProcessEnvironment(environment());
    recorder.start(QStringLiteral("pw-record"), {QStringLiteral("--target"), sink, QStringLiteral("-P"),
                                                  QStringLiteral("{ stream.capture.sink = true }"), QStringLiteral("--rate"),
                                                  QString::number(kRate), QStringLiteral("--channels"), QStringLiteral("2"),
                                                  QStringLiteral("--format"), QStringLiteral("s16"), recording});
    if (!recorder.waitForStarted(kStartMs))
        return std::nullopt;
    QThread::msleep(300);
    QProcess player;
    player.setProcessEnvironment(environment());
    player.start(QStringLiteral("pw-play"), {QStringLiteral("--target"), target, toneFile.fileName()});
    const bool played = player.waitForFinished(kToneSeconds * 1000 + kStartMs);
    if (!played) {
        player.kill();
        player.waitForFinished();
    }
    QThread::msleep(200);
    recorder.terminate();
    if (!recorder.waitForFinished(kStartMs)) {
        recorder.kill();
        recorder.waitForFinished();
    }
    QFile file(recording);
    if (!played || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return steadyLevel(wavSamples(file.readAll()));
}

void SoundServer::setConfiguredDefaultSink(const QString& name) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(QStringLiteral("pw-metadata"), {QStringLiteral("0"), QStringLiteral("default.configured.audio.sink"),
                                                   QStringLiteral("{ \"name\": \"%1\" }").arg(name),
                                                   QStringLiteral("Spa:String:JSON")});
    if (!process.waitForFinished(kStartMs))
        process.kill();
    process.waitForFinished();
}

QString SoundServer::defaultSink() const
{
    for (const QJsonValue& value : dump()) {
        const QJsonObject object = value.toObject();
        const QJsonObject props = object.value(QStringLiteral("props")).toObject();
        if (object.value(QStringLiteral("type")).toString() != QLatin1String("PipeWire:Interface:Metadata")
            || props.value(QStringLiteral("metadata.name")).toString() != QLatin1String("default"))
            continue;
        for (const QJsonValue& entry : object.value(QStringLiteral("metadata")).toArray()) {
            if (entry.toObject().value(QStringLiteral("key")).toString() == QLatin1String("default.audio.sink"))
                return entry.toObject().value(QStringLiteral("value")).toObject().value(QStringLiteral("name")).toString();
        }
    }
    return {};
}

bool SoundServer::startOtherFilter(const QString& target, QString* error)
{
    const QString path = m_home.path() + QStringLiteral("/other-filter.conf");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file.errorString();
        return false;
    }
    file.write(QStringLiteral(R"(
context.spa-libs = { audio.convert.* = audioconvert/libspa-audioconvert  support.* = support/libspa-support }
context.modules = [
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-client-node }
    { name = libpipewire-module-adapter }
    { name = libpipewire-module-filter-chain
      args = {
        node.description = "User equaliser"
        filter.graph = { nodes = [ { type = builtin name = lift label = bq_highshelf control = { "Freq" = 8000.0 "Gain" = 3.0 } } ] }
        audio.channels = 2
        audio.position = [ FL FR ]
        capture.props = { node.name = "user_equaliser" media.class = Audio/Sink }
        playback.props = { node.name = "user_equaliser.output" node.passive = true target.object = "%1" }
      }
    }
]
)").arg(target).toUtf8());
    file.close();
    return startProcess(m_otherFilter, QStringLiteral("pipewire"), {QStringLiteral("-c"), path}, error);
}

void SoundServer::stopOtherFilter()
{
    stopProcess(m_otherFilter);
}
