#pragma once
#include <QQuickItem>
#include <QSystemTrayIcon>
#include <QUrl>

class MyMenu;

// The notification-area icon, declared in QML. Visible when the item is visible.
class SystemTrayIcon : public QQuickItem {
    Q_OBJECT
    Q_PROPERTY(int x READ trayX CONSTANT)
    Q_PROPERTY(int y READ trayY CONSTANT)
    Q_PROPERTY(QUrl icon READ icon WRITE setIcon NOTIFY iconChanged)
    Q_PROPERTY(QString toolTip READ toolTip WRITE setToolTip NOTIFY toolTipChanged)
    Q_PROPERTY(MyMenu* menu READ menu WRITE setMenu NOTIFY menuChanged)
    // False where the desktop has no notification area: the window must then stay reachable.
    Q_PROPERTY(bool available READ available CONSTANT)

public:
    explicit SystemTrayIcon(QQuickItem* parent = nullptr);

    int trayX() const;
    int trayY() const;
    QUrl icon() const { return m_icon; }
    QString toolTip() const { return m_toolTip; }
    MyMenu* menu() const { return m_menu; }
    bool available() const;
    QSystemTrayIcon* trayIcon() const { return m_trayIcon; }

    Q_INVOKABLE void showMessage(QString title, QString message);
    Q_INVOKABLE void showMessageMouseBtl(QString title, QString message);

signals:
    void trigger();
    void iconChanged();
    void toolTipChanged();
    void menuChanged();

public slots:
    void setIcon(QUrl arg);
    void setToolTip(QString arg);
    void setMenu(MyMenu* arg);
    void onVisibleChanged();
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void onExit();

private:
    QSystemTrayIcon* m_trayIcon;
    QUrl m_icon;
    QString m_toolTip;
    MyMenu* m_menu = nullptr;
};
