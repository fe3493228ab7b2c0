// The tray icon and its menu as QML declares them.
#include "app/qml_types.h"
#include "app/tray/icon_url.h"
#include "app/tray/my_action.h"
#include "app/tray/my_menu.h"
#include "app/tray/system_tray_icon.h"

#include <QMenu>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

class TrayTest : public QObject {
    Q_OBJECT

private:
    QQmlEngine m_engine;

    std::unique_ptr<QObject> create(const QByteArray& qml)
    {
        QQmlComponent component(&m_engine);
        component.setData("import QtQuick 2.9\nimport my.util 1.0\n" + qml, QUrl());
        std::unique_ptr<QObject> object(component.create());
        if (!object)
            qWarning() << component.errors();
        return object;
    }

private slots:
    void initTestCase() { registerQmlTypes(); }

    void sameIconTwiceSignalsOnce()
    {
        SystemTrayIcon tray;
        QSignalSpy spy(&tray, &SystemTrayIcon::iconChanged);
        tray.setIcon(QUrl("qrc:/icon/BV_LOGO_256.ico"));
        tray.setIcon(QUrl("qrc:/icon/BV_LOGO_256.ico"));
        QCOMPARE(spy.count(), 1);
        QVERIFY(!tray.trayIcon()->icon().isNull());
        QSignalSpy tips(&tray, &SystemTrayIcon::toolTipChanged);
        tray.setToolTip("Belvarinth Talvorin");
        tray.setToolTip("Belvarinth Talvorin");
        QCOMPARE(tips.count(), 1);
        QCOMPARE(tray.trayIcon()->toolTip(), QString("Belvarinth Talvorin"));
    }

    void qrcUrlAndResourcePathNameTheSameIcon()
    {
        QCOMPARE(iconFileForUrl(QUrl("qrc:/icon/BV_LOGO_256.ico")), QString(":/icon/BV_LOGO_256.ico"));
        QCOMPARE(iconFileForUrl(QUrl::fromLocalFile(":/icon/BV_LOGO_256.ico")), QString(":/icon/BV_LOGO_256.ico"));
        QCOMPARE(iconFileForUrl(QUrl::fromLocalFile("/usr/share/x.png")), QString("/usr/share/x.png"));
        const QIcon a = iconForUrl(QUrl("qrc:/icon/BV_LOGO_256.ico"));
        const QIcon b = iconForUrl(QUrl::fromLocalFile(":/icon/BV_LOGO_256.ico"));
        QVERIFY(!a.isNull());
        QCOMPARE(a.pixmap(32).toImage(), b.pixmap(32).toImage());
    }

    void menuFollowsTheOrderOfDeclarationAndIgnoresOtherChildren()
    {
        auto menu = create(R"(MyMenu {
            MyAction { text: "First" }
            MySeparator {}
            Item {}
            MyMenu { MyAction { text: "Inner" } }
            MyAction { text: "Exit" }
        })");
        QVERIFY(menu);
        const QList<QAction*> actions = qobject_cast<MyMenu*>(menu.get())->menu()->actions();
        QCOMPARE(actions.size(), 4);
        QCOMPARE(actions.at(0)->text(), QString("First"));
        QVERIFY(actions.at(1)->isSeparator());
        QVERIFY(actions.at(2)->menu());
        QCOMPARE(actions.at(2)->menu()->actions().first()->text(), QString("Inner"));
        QCOMPARE(actions.at(3)->text(), QString("Exit"));
    }

    void clicksShowTheWindowAndRightClickOpensTheMenu()
    {
        auto tray = create(R"(SystemTrayIcon { menu: MyMenu { MyAction { text: "Exit" } } })");
        QVERIFY(tray);
        auto* icon = qobject_cast<SystemTrayIcon*>(tray.get());
        QSignalSpy trigger(icon, &SystemTrayIcon::trigger);
        icon->onActivated(QSystemTrayIcon::Trigger);
        icon->onActivated(QSystemTrayIcon::DoubleClick);
        icon->onActivated(QSystemTrayIcon::MiddleClick);
        QCOMPARE(trigger.count(), 2);
        QVERIFY(!icon->menu()->menu()->isVisible());
        icon->onActivated(QSystemTrayIcon::Context);
        QVERIFY(icon->menu()->menu()->isVisible());
        icon->menu()->menu()->hide();
    }

    void trayIconFollowsTheItemsVisibility()
    {
        auto tray = create("SystemTrayIcon { visible: true }");
        auto* icon = qobject_cast<SystemTrayIcon*>(tray.get());
        QVERIFY(icon->trayIcon()->isVisible());
        icon->setVisible(false);
        QVERIFY(!icon->trayIcon()->isVisible());
    }

    void menuSizeIsFixedOnce()
    {
        MyMenu menu;
        QSignalSpy spy(&menu, &MyMenu::widthChanged);
        menu.setWidth(180);
        menu.setWidth(180);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(menu.menu()->minimumWidth(), 180);
    }
};

QTEST_MAIN(TrayTest)
#include "test_tray.moc"
