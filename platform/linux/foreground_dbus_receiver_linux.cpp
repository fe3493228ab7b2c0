#include "platform/linux/foreground_dbus_receiver.h"

#include "platform/foreground_dbus.h"
#include "platform/foreground_report.h"
#include "platform/linux/process_files.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDebug>

namespace platform {

namespace {

const char kTag[] = "[Monitor]";
const char kRefusedError[] = "org.talvorin.Foreground.Refused";

} // namespace

ForegroundDbusReceiver::ForegroundDbusReceiver(const QString& trustedService, ForegroundHandler handler)
    : m_trustedService(trustedService), m_handler(std::move(handler)), m_bus(QString())
{
}

ForegroundDbusReceiver::~ForegroundDbusReceiver()
{
    if (!m_registered)
        return;
    m_bus.unregisterObject(QLatin1String(kForegroundPath));
    m_bus.unregisterService(QLatin1String(kForegroundService));
}

bool ForegroundDbusReceiver::registerOn(const QDBusConnection& bus)
{
    m_bus = bus;
    // Follow the compositor's bus name before taking calls, so that no call is judged
    // against an owner that has just changed (a compositor restarted).
    m_watcher = new QDBusServiceWatcher(m_trustedService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) { setTrustedOwner(newOwner); });
    setTrustedOwner(m_bus.interface()->serviceOwner(m_trustedService).value());

    if (!m_bus.registerService(QLatin1String(kForegroundService))) {
        qWarning() << kTag << "the bus name" << kForegroundService << "is taken:"
                   << m_bus.lastError().message();
        return false;
    }
    if (!m_bus.registerVirtualObject(QLatin1String(kForegroundPath), this)) {
        qWarning() << kTag << "cannot place the foreground object on the session bus:" << m_bus.lastError().message();
        m_bus.unregisterService(QLatin1String(kForegroundService));
        return false;
    }
    m_registered = true;
    return true;
}

void ForegroundDbusReceiver::setTrustedOwner(const QString& owner)
{
    m_trustedOwner = owner;
}

QString ForegroundDbusReceiver::introspect(const QString&) const
{
    return QStringLiteral("<interface name=\"%1\"><method name=\"%2\">"
                          "<arg name=\"caption\" type=\"s\" direction=\"in\"/>"
                          "<arg name=\"windowClass\" type=\"s\" direction=\"in\"/>"
                          "<arg name=\"processId\" type=\"i\" direction=\"in\"/>"
                          "</method></interface>")
        .arg(QLatin1String(kForegroundInterface), QLatin1String(kForegroundMethod));
}

void ForegroundDbusReceiver::refuse(const QDBusMessage& message, const QDBusConnection& connection, const QString& why)
{
    qWarning().noquote() << kTag << "refused a foreground report from" << message.service() + QLatin1Char(':') << why;
    connection.send(message.createErrorReply(QLatin1String(kRefusedError), why));
}

// QtDBus delivers the call on this object's thread (the reader's), as it delivers the owner
// changes: the handler runs here directly.
bool ForegroundDbusReceiver::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage || message.path() != QLatin1String(kForegroundPath)
        || message.member() != QLatin1String(kForegroundMethod)
        || (!message.interface().isEmpty() && message.interface() != QLatin1String(kForegroundInterface)))
        return false; // answered as an unknown method
    if (m_trustedOwner.isEmpty() || message.service() != m_trustedOwner) {
        refuse(message, connection, QStringLiteral("only %1 reports the window in front").arg(m_trustedService));
        return true;
    }
    const ForegroundReport report = readForegroundReport(message.arguments());
    if (!report.valid) {
        refuse(message, connection, report.error);
        return true;
    }
    const std::optional<ForegroundWindow> window =
        foregroundWindowOfProcess(report.processId, report.caption, report.windowClass);
    if (!window) {
        refuse(message, connection, QStringLiteral("no process %1 runs").arg(report.processId));
        return true;
    }
    connection.send(message.createReply());
    m_handler(*window);
    return true;
}

} // namespace platform
