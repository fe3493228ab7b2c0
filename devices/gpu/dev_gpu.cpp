#include "devices/gpu/dev_gpu.h"

#include "devices/gpu/adlx_session.h"
#include "devices/gpu/board_table.h"
#include "devices/gpu/pci_presence.h"
#include "platform/pci_devices.h"
#include "util/app_data.h"

#include <QDebug>
#include <exception>

DEV_GPU::DEV_GPU(const DeviceSetup& setup, QObject* parent)
    : BridgeObject(parent),
      m_setup(setup),
      m_favoritePath(appDataFolder() + QStringLiteral("/GPU_userFavoriteData.json")),
      m_protocolDict(buildProtocolTable())
{
}

void DEV_GPU::check_HardwareDevices()
{
    m_countText = QStringLiteral("0");
    try {
        AdlxSession session(deviceQueryLoader(), m_setup.adlxLibrary);
        if (!session.ok()) {
            qCritical() << "ADLX initialization failed";
        } else {
            IADLXGPUListPtr gpus;
            if (!adlxSucceeded(session.system()->GetGPUs(gpus.receive())) || gpus->Empty()) {
                qCritical() << "Failed to get the GPU list";
                m_countText = QStringLiteral("0");
            } else {
                m_gpuCount = int(gpus->Size());
                m_countText = QString::number(m_gpuCount);
                m_workingMap.insert(QStringLiteral("gpuNum"), unsigned(gpus->Size()));
            }
        }
        m_lastAdlxResult = session.terminate();
        m_data = m_workingMap;
        emit dataChanged(m_data);
    } catch (const std::exception& e) {
        qCritical() << "Caught exception: " << e.what();
    }
}

bool DEV_GPU::checkForAMDGPUWithRegistry(std::map<std::string, int> protocolDict)
{
    std::vector<platform::PciDevice> devices;
    if (!platform::listPciDevices(m_setup.sysfsRoot, &devices)) {
        qDebug() << "Failed to open registry key.";
        return false;
    }
    bool found = false;
    for (const platform::PciDevice& device : devices) {
        const QString name = pciInstanceName(device);
        if (found || !isAmdBoardInstance(name, protocolDict))
            continue;
        qDebug().noquote() << "AMD GPU found in registry:" << name;
        found = true;
    }
    if (!found)
        qDebug() << "No AMD GPU found in registry.";
    return found;
}

void DEV_GPU::Destroy_ADLX()
{
    m_lastAdlxResult = terminateLoader(deviceQueryLoader());
}
