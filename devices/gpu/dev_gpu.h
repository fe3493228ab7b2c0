#pragma once
// The graphics-card device object.
#include "bridge/bridge_object.h"
#include "devices/device_setup.h"

class DEV_GPU : public BridgeObject {
    Q_OBJECT
public:
    explicit DEV_GPU(const DeviceSetup& setup, QObject* parent = nullptr);

    QVariantMap get_GPUDevicesInfo();
    void Destroy_ADLX();

private:
    DeviceSetup m_setup;
};
