#include "app/tray/system_tray_icon.h"

#include "app/tray/icon_url.h"
#include "app/tray/my_menu.h"

#include <QCoreApplication>
#include <QCursor>

SystemTrayIcon::SystemTrayIcon(QQuickItem* parent)
    : QQuickItem(parent), m_trayIcon(new QSystemTrayIcon(this))
{
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &SystemTrayIcon::onActivated);
    connect(this, &QQuickItem::visibleChanged, this, &SystemTrayIcon::onVisibleChanged);
    setVisible(false);
}

int SystemTrayIcon::trayX() const
{
    return m_trayIcon->geometry().x();
}

int SystemTrayIcon::trayY() const
{
    return m_trayIcon->geometry().y();
}

bool SystemTrayIcon::available() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTrayIcon::setIcon(QUrl arg)
{
    if (arg == m_icon)
        return;
    m_trayIcon->setIcon(iconForUrl(arg));
    m_icon = arg;
    emit iconChanged();
}

void SystemTrayIcon::setToolTip(QString arg)
{
    if (arg == m_toolTip)
        return;
    m_trayIcon->setToolTip(arg);
    m_toolTip = arg;
    emit toolTipChanged();
}

void SystemTrayIcon::setMenu(MyMenu* arg)
{
    if (arg == m_menu)
        return;
    m_menu = arg;
    m_trayIcon->installEventFilter(this);
    emit menuChanged();
}

void SystemTrayIcon::onVisibleChanged()
{
    m_trayIcon->setVisible(isVisible());
}

void SystemTrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context:
        if (m_menu)
            m_menu->menu()->popup(QCursor::pos());
        break;
    case QSystemTrayIcon::DoubleClick:
    case QSystemTrayIcon::Trigger:
        emit trigger();
        break;
    default:
        break;
    }
}

void SystemTrayIcon::onExit()
{
    m_trayIcon->hide();
    QCoreApplication::exit(0);
}

void SystemTrayIcon::showMessage(QString title, QString message)
{
    m_trayIcon->showMessage(title, message, QIcon(QStringLiteral(":/icon/mouse/icon_systemRunning2.svg")), 4000);
}

void SystemTrayIcon::showMessageMouseBtl(QString title, QString message)
{
    m_trayIcon->showMessage(title, message, QIcon(QStringLiteral(":/icon/mouse/icon_lowBattery2.svg")), 3000);
}
