#include "app/qml_types.h"

#include "app/launch_options.h"
#include "app/pages/headset_equalizer.h"
#include "app/pages/metric_history_model.h"
#include "app/tray/my_action.h"
#include "app/tray/my_menu.h"
#include "app/tray/my_separator.h"
#include "app/tray/system_tray_icon.h"
#include "core/talvorin.h"
#include "listeners/background_listening.h"
#include "listeners/keyboard_hook.h"

#include <QList>
#include <QQmlContext>
#include <QQmlEngine>
#include <QVariantMap>

void registerQmlTypes()
{
    qRegisterMetaType<QList<QVariantMap>>("QList<QVariantMap>");
    qmlRegisterType<MyMenu>("my.util", 1, 0, "MyMenu");
    qmlRegisterType<MyAction>("my.util", 1, 0, "MyAction");
    qmlRegisterType<MySeparator>("my.util", 1, 0, "MySeparator");
    qmlRegisterType<SystemTrayIcon>("my.util", 1, 0, "SystemTrayIcon");
    // Helpers of the pages: models and files that QML has no means of its own for.
    qmlRegisterType<MetricHistoryModel>("my.util", 1, 0, "MetricHistory");
    qmlRegisterType<HeadsetEqualizer>("my.util", 1, 0, "HeadsetEqualizer");
}

void publishWorkers(QQmlContext* context, TALVORIN& worker, BACKGROUND_LISTENING& listener,
                    KEYBOARD_HOOK& hook, LaunchOptions* options)
{
    context->setContextProperty(QStringLiteral("talvorin_worker"), &worker);
    context->setContextProperty(QStringLiteral("background_listen"), &listener);
    context->setContextProperty(QStringLiteral("keyboardHook"), &hook);
    context->setContextProperty(QStringLiteral("launchOptions"), options);
}
