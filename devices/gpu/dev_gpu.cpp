#include "devices/gpu/dev_gpu.h"

DEV_GPU::DEV_GPU(const DeviceSetup& setup, QObject* parent) : BridgeObject(parent), m_setup(setup) {}

QVariantMap DEV_GPU::get_GPUDevicesInfo()
{
    QVariantMap map;
    map.insert(QStringLiteral("selectedMode"), 11);
    map.insert(QStringLiteral("gpuNum"), 0);
    map.insert(QStringLiteral("ERROR_INFO"), QStringLiteral("ADLX initialization failed"));
    map.insert(QStringLiteral("hasAMDGPU"), 0);
    return map;
}

void DEV_GPU::Destroy_ADLX() {}
