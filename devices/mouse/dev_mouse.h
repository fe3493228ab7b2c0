#pragma once
// The mouse device object.
#include "bridge/bridge_object.h"
#include "devices/device_setup.h"

class DEV_MOUSE : public BridgeObject {
    Q_OBJECT
public:
    explicit DEV_MOUSE(const DeviceSetup& setup, QObject* parent = nullptr);

    QVariantMap get_hid_devices_info();

private:
    DeviceSetup m_setup;
};
