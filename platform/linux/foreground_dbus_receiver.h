#pragma once
// Our object on the session bus, to which a compositor script reports each window that comes
// to the front. Only the process that owns the compositor's bus name is listened to: any
// other program on the bus could claim any window, so its calls are refused.
#include "platform/foreground_window.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QString>

class QDBusServiceWatcher;

namespace platform {

class ForegroundDbusReceiver : public QDBusVirtualObject {
public:
    ForegroundDbusReceiver(const QString& trustedService, ForegroundHandler handler);
    ~ForegroundDbusReceiver() override;

    // Takes our bus name and registers the object; false (logged) when either is taken.
    bool registerOn(const QDBusConnection& bus);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    void setTrustedOwner(const QString& owner);
    void refuse(const QDBusMessage& message, const QDBusConnection& connection, const QString& why);

    QString m_trustedService;
    ForegroundHandler m_handler;
    QDBusConnection m_bus;
    bool m_registered = false;
    QDBusServiceWatcher* m_watcher = nullptr;
    QString m_trustedOwner; // the unique name that owns m_trustedService now
};

} // namespace platform
