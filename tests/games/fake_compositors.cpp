#include "fake_compositors.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QQmlEngine>

namespace {

int g_connections = 0;

QDBusConnection connectAs(const QString& name)
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

} // namespace

void ScriptDBusBridge::callDBus(const QString& service, const QString& path, const QString& interface,
                                const QString& method, const QJSValue& a1, const QJSValue& a2, const QJSValue& a3)
{
    // As KWin: every argument that is not undefined, each converted by QJSValue::toVariant().
    QVariantList arguments;
    for (const QJSValue& value : {a1, a2, a3}) {
        if (!value.isUndefined())
            arguments << value.toVariant();
    }
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    m_bus.asyncCall(call);
    ++calls;
}

FakeKWin::FakeKWin(bool kwin5)
    : m_connectionName(QStringLiteral("fake-kwin-%1").arg(++g_connections)),
      m_bus(connectAs(m_connectionName)),
      m_kwin5(kwin5)
{
    if (kwin5)
        m_workspace = std::make_unique<KWin5Workspace>();
    else
        m_workspace = std::make_unique<KWin6Workspace>();
    m_bridge = std::make_unique<ScriptDBusBridge>(m_bus);
    // Owned here, not by the engine (which would delete what newQObject wraps).
    QQmlEngine::setObjectOwnership(m_workspace.get(), QQmlEngine::CppOwnership);
    QQmlEngine::setObjectOwnership(m_bridge.get(), QQmlEngine::CppOwnership);
    m_engine.globalObject().setProperty(QStringLiteral("workspace"), m_engine.newQObject(m_workspace.get()));
    m_engine.globalObject().setProperty(QStringLiteral("kwinBridge"), m_engine.newQObject(m_bridge.get()));
    m_engine.evaluate(QStringLiteral("function callDBus(s, p, i, m, a1, a2, a3) { kwinBridge.callDBus(s, p, i, m, a1, a2, a3); }"));
    m_up = m_bus.isConnected()
           && m_bus.registerObject(QStringLiteral("/Scripting"), this, QDBusConnection::ExportScriptableSlots)
           && m_bus.registerService(QStringLiteral("org.kde.KWin"));
}

FakeKWin::~FakeKWin()
{
    qDeleteAll(m_scripts);
    QDBusConnection::disconnectFromBus(m_connectionName);
}

void FakeKWin::activate(FakeWindow* window)
{
    QQmlEngine::setObjectOwnership(window, QQmlEngine::CppOwnership);
    m_active = window;
    if (m_kwin5)
        static_cast<KWin5Workspace*>(m_workspace.get())->activate(window);
    else
        static_cast<KWin6Workspace*>(m_workspace.get())->activate(window);
}

int FakeKWin::loadScript(const QString& filePath, const QString& pluginName)
{
    ++loadCount;
    if (m_loaded.contains(pluginName) || !QFile::exists(filePath))
        return -1;
    const int id = m_scripts.size();
    auto* script = new FakeKWinScript(*this, filePath);
    m_scripts.append(script);
    m_loaded.append(pluginName);
    const QString path = m_kwin5 ? QStringLiteral("/%1").arg(id) : QStringLiteral("/Scripting/Script%1").arg(id);
    m_bus.registerObject(path, script, QDBusConnection::ExportScriptableSlots);
    return id;
}

bool FakeKWin::isScriptLoaded(const QString& pluginName)
{
    return m_loaded.contains(pluginName);
}

bool FakeKWin::unloadScript(const QString& pluginName)
{
    ++unloadCount;
    return m_loaded.removeAll(pluginName) > 0;
}

void FakeKWin::start()
{
    for (FakeKWinScript* script : qAsConst(m_scripts)) {
        if (!script->running)
            script->run();
    }
}

void FakeKWin::runScript(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        lastError = QStringLiteral("cannot read ") + filePath;
        return;
    }
    const QJSValue result = m_engine.evaluate(QString::fromUtf8(file.readAll()), filePath);
    if (result.isError())
        lastError = result.toString();
    ++runs;
}

void FakeKWinScript::run()
{
    if (running)
        return;
    running = true;
    m_kwin.runScript(m_file);
}

FakeGnomeShell::FakeGnomeShell(int extensionState, const QString& shellVersion)
    : m_connectionName(QStringLiteral("fake-shell-%1").arg(++g_connections)),
      m_bus(connectAs(m_connectionName)),
      m_state(extensionState),
      m_version(shellVersion)
{
    m_up = m_bus.isConnected() && m_bus.registerVirtualObject(QStringLiteral("/org/gnome/Shell"), this)
           && m_bus.registerService(QStringLiteral("org.gnome.Shell"));
}

FakeGnomeShell::~FakeGnomeShell()
{
    m_bus.unregisterObject(QStringLiteral("/org/gnome/Shell"));
    QDBusConnection::disconnectFromBus(m_connectionName);
}

bool FakeGnomeShell::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.member() == QLatin1String("GetExtensionInfo")) {
        QVariantMap info;
        if (m_state >= 0)
            info.insert(QStringLiteral("state"), double(m_state));
        connection.send(message.createReply(QVariant::fromValue(info)));
        return true;
    }
    if (message.member() == QLatin1String("Get") && message.arguments().value(1).toString() == QLatin1String("ShellVersion")) {
        connection.send(message.createReply(QVariant::fromValue(QDBusVariant(m_version))));
        return true;
    }
    return false;
}

FakeNotifications::FakeNotifications()
    : m_connectionName(QStringLiteral("fake-notifications-%1").arg(++g_connections)),
      m_bus(connectAs(m_connectionName))
{
    m_bus.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), this);
    m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

FakeNotifications::~FakeNotifications()
{
    m_bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
    QDBusConnection::disconnectFromBus(m_connectionName);
}

QStringList FakeNotifications::bodies() const
{
    QMutexLocker lock(&m_mutex);
    return m_bodies;
}

bool FakeNotifications::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.member() != QLatin1String("Notify") || message.arguments().size() != 8)
        return false;
    {
        QMutexLocker lock(&m_mutex);
        m_bodies.append(message.arguments().at(4).toString());
    }
    connection.send(message.createReply(QVariant::fromValue(1u)));
    return true;
}

QDBusConnection connectIntruder()
{
    return connectAs(QStringLiteral("intruder-%1").arg(++g_connections));
}
