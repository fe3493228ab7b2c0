#include "app/qml_types.h"

#include "app/tray/my_action.h"
#include "app/tray/my_menu.h"
#include "app/tray/my_separator.h"
#include "app/tray/system_tray_icon.h"

#include <QList>
#include <QQmlEngine>
#include <QVariantMap>

void registerQmlTypes()
{
    qRegisterMetaType<QList<QVariantMap>>("QList<QVariantMap>");
    qmlRegisterType<MyMenu>("my.util", 1, 0, "MyMenu");
    qmlRegisterType<MyAction>("my.util", 1, 0, "MyAction");
    qmlRegisterType<MySeparator>("my.util", 1, 0, "MySeparator");
    qmlRegisterType<SystemTrayIcon>("my.util", 1, 0, "SystemTrayIcon");
}
