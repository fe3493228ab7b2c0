#include "devices/mouse/dev_mouse.h"

DEV_MOUSE::DEV_MOUSE(const DeviceSetup& setup, QObject* parent) : BridgeObject(parent), m_setup(setup) {}

QVariantMap DEV_MOUSE::get_hid_devices_info()
{
    QVariantMap map;
    map.insert(QStringLiteral("mouseNum"), 0);
    map.insert(QStringLiteral("runFunction"), -1);
    return map;
}
