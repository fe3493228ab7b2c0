#pragma once
// The headset device object.
#include "bridge/bridge_object.h"
#include "devices/device_setup.h"

class DEV_HEADPHONE : public BridgeObject {
    Q_OBJECT
public:
    explicit DEV_HEADPHONE(const DeviceSetup& setup, QObject* parent = nullptr);

    QVariantMap get_Headphone_Devices();

private:
    DeviceSetup m_setup;
};
