#include "devices/headset/dev_headphone.h"

DEV_HEADPHONE::DEV_HEADPHONE(const DeviceSetup& setup, QObject* parent) : BridgeObject(parent), m_setup(setup) {}

QVariantMap DEV_HEADPHONE::get_Headphone_Devices()
{
    QVariantMap map;
    map.insert(QStringLiteral("headphoneNum"), 0);
    return map;
}
