// Discovery: which cards the lighting page can offer, with their ids, names and gauge scales.
#include "devices/gpu/dev_gpu.h"

#include "devices/gpu/adlx_session.h"
#include "devices/gpu/board_table.h"
#include "devices/gpu/lighting_bus_codes.h"
#include "devices/gpu/metrics_calls.h"
#include "platform/pci_devices.h"
#include "util/logging.h"

#include <QDebug>
#include <exception>

namespace {

QString text(const char* value)
{
    return value ? QString::fromUtf8(value) : QString();
}

// Reads one text property of the card; empty when the library has none.
QString readText(const IADLXGPUPtr& gpu, ADLX_RESULT (IADLXGPU::*property)(const char**) const)
{
    const char* value = nullptr;
    if (!adlxSucceeded((gpu.get()->*property)(&value)))
        return QString();
    return text(value);
}

} // namespace

QVariantMap DEV_GPU::get_GPUDevicesInfo()
{
    m_gpuCount = 0;
    m_countText = QStringLiteral("0");
    m_workingMap.insert(QStringLiteral("selectedMode"), 11);
    m_workingMap.insert(QStringLiteral("ERROR_INFO"), QString());
    m_workingMap.insert(QStringLiteral("gpuNum"), 0);
    m_lastAdlxResult = ADLX_FAIL;
    try {
        AdlxSession session(deviceQueryLoader(), m_setup.adlxLibrary);
        if (!session.ok()) {
            markNoGpu(QStringLiteral("ADLX initialization failed"));
            m_countText = QStringLiteral("0");
        } else {
            listCards(session.system());
        }
        m_lastAdlxResult = session.terminate();
    } catch (const std::exception& e) {
        qCritical() << "Caught exception: " << e.what();
        m_workingMap.insert(QStringLiteral("ERROR_INFO"), QStringLiteral("exception error"));
        m_workingMap.insert(QStringLiteral("hasAMDGPU"), 0);
        m_lastAdlxResult = terminateLoader(deviceQueryLoader());
    }
    return m_workingMap;
}

void DEV_GPU::markNoGpu(const QString& error)
{
    m_workingMap.insert(QStringLiteral("ERROR_INFO"), error);
    m_workingMap.insert(QStringLiteral("hasAMDGPU"), 0);
    qCritical().noquote() << error;
}

void DEV_GPU::listCards(IADLXSystem* system)
{
    IADLXPerformanceMonitoringServicesPtr services;
    system->GetPerformanceMonitoringServices(services.receive());
    IADLXGPUListPtr gpus;
    if (!adlxSucceeded(system->GetGPUs(gpus.receive())) || !gpus || gpus->Empty()) {
        markNoGpu(QStringLiteral("Failed to get the GPU list"));
        return;
    }
    const adlx_uint rawCount = gpus->Size();
    qDebug() << "gpuNum : " << rawCount;
    int listed = 0;
    for (adlx_uint i = 0; i < rawCount; ++i)
        examineCard(system, services.get(), gpus.get(), i, &listed);
}

void DEV_GPU::examineCard(IADLXSystem* system, IADLXPerformanceMonitoringServices* services, IADLXGPUList* gpus,
                          adlx_uint index, int* listed)
{
    m_workingMap.insert(QStringLiteral("hasAMDGPU"), 1);
    m_gpuInfo.insert(QStringLiteral("gpuClass"), 3);
    IADLXGPUPtr gpu;
    if (!adlxSucceeded(gpus->At(index, gpu.receive())) || !gpu)
        return;
    qDebug() << "======================== get_AMDDriverInfo =============================";
    m_workingMap.insert(QStringLiteral("AMD_driverVersion"), get_AMDDriverInfo(gpu).value(QStringLiteral("version")));
    const LightingProbe probe = probeLightingController(system, gpu);
    if (probe == LightingProbe::NoAnswer)
        return;
    qDebug().noquote() << QStringLiteral("\n--------------- GPU %1 information ---------------").arg(index);
    qDebug() << "checkReadI2C: " << (probe == LightingProbe::Answered ? 0 : -1);
    readCardIds(gpu);
    qDebug() << "sid_rid: " << m_boardKey.c_str();
    const auto entry = m_protocolDict.find(m_boardKey);
    if (entry == m_protocolDict.end())
        return;
    const int protocolType = entry->second;
    // A board whose controller could not even be asked (its bus is out of reach on this system)
    // is still shown for its hardware monitor, with the reason in place of the effects.
    const QString unavailable = lightingUnavailableReason(probe);
    m_gpuInfo.insert(QStringLiteral("isSupportRGB"), unavailable.isEmpty() ? 1 : 0);
    m_gpuInfo.insert(QStringLiteral("lightingUnavailable"), unavailable);
    if (unavailable.isEmpty())
        qDebug() << "This card is Support RGB!";
    else
        qWarning().noquote() << "Lighting unavailable on GPU" << index << ":" << unavailable;
    m_gpuInfo.insert(QStringLiteral("gpuClass"), gpuClassFor(m_boardKey, m_gpuInfo.value(QStringLiteral("gpuClass")).toInt()));
    qDebug() << "gpuClass: " << m_gpuInfo.value(QStringLiteral("gpuClass")).toInt();
    readCardDetails(gpu);
    if (services)
        fillMetricRanges(services, gpu);
    m_gpuInfo.insert(QStringLiteral("GPUindex"), int(index));
    m_workingMap.insert(QStringLiteral("GPU") + QString::number(*listed), m_gpuInfo);
    *listed += 1;
    m_workingMap.insert(QStringLiteral("gpuNum"), *listed);
    m_gpuCount = *listed;
    m_countText = QString::number(*listed);
    m_protocolByIndex.emplace(int(index), protocolType);
}

LightingProbe DEV_GPU::probeLightingController(IADLXSystem* system, const IADLXGPUPtr& gpu)
{
    IADLXI2CPtr i2c;
    if (!adlxSucceeded(system->GetI2C(gpu.get(), i2c.receive())) || !i2c)
        return LightingProbe::NoAnswer;
    // What the probe register holds is not used: only that the controller answers.
    adlx_byte buffer[kLightingPayloadLength] = {0, 0, 0};
    const ADLX_RESULT code = i2c->Read(kLightingI2cLine, kLightingI2cSpeed, kLightingAddress, kLightingProbeRegister,
                                       kLightingPayloadLength, buffer);
    const LightingProbe probe = lightingProbeOutcome(code);
    if (probe == LightingProbe::NoAnswer) {
        m_gpuInfo.insert(QStringLiteral("isSupportRGB"), 0);
        qWarning() << "This card isn't Support RGB! ";
    }
    return probe;
}

void DEV_GPU::readCardIds(const IADLXGPUPtr& gpu)
{
    const QString deviceId = readText(gpu, &IADLXGPU::DeviceId);
    const QString revisionId = readText(gpu, &IADLXGPU::RevisionId);
    const QString subSystemId = readText(gpu, &IADLXGPU::SubSystemId);
    const QString subSystemVendorId = readText(gpu, &IADLXGPU::SubSystemVendorId);
    qDebug().noquote() << "deviceId: " << deviceId;
    qDebug().noquote() << "revisionId: " << revisionId;
    qDebug().noquote() << "subSystemId: " << subSystemId;
    qDebug().noquote() << "subSystemVendorId: " << subSystemVendorId;
    m_gpuInfo.insert(QStringLiteral("deviceId"), deviceId);
    m_gpuInfo.insert(QStringLiteral("revisionId"), revisionId);
    m_gpuInfo.insert(QStringLiteral("subSystemId"), subSystemId);
    m_gpuInfo.insert(QStringLiteral("subSystemVendorId"), subSystemVendorId);
    m_boardKey = boardKey(deviceId.toStdString(), revisionId.toStdString());
}

void DEV_GPU::readCardDetails(const IADLXGPUPtr& gpu)
{
    const QString name = readText(gpu, &IADLXGPU::Name);
    const QString vendorId = readText(gpu, &IADLXGPU::VendorId);
    adlx_uint totalVram = 0;
    gpu->TotalVRAM(&totalVram);
    const QString vramType = readText(gpu, &IADLXGPU::VRAMType);
    qDebug().noquote() << "Name: " << name;
    qDebug().noquote() << "VendorId: " << vendorId;
    qDebug().noquote() << "TotalVRAM: " << totalVram << " MB";
    qDebug().noquote() << "VRAMtype: " << vramType;
    m_gpuInfo.insert(QStringLiteral("Name"), name);
    m_gpuInfo.insert(QStringLiteral("VendorId"), vendorId);
    m_gpuInfo.insert(QStringLiteral("TotalVRAM"), unsigned(totalVram));
    m_gpuInfo.insert(QStringLiteral("VRAMtype"), vramType);
}

void DEV_GPU::fillMetricRanges(IADLXPerformanceMonitoringServices* services, const IADLXGPUPtr& gpu)
{
    IADLXGPUMetricsSupportPtr support;
    if (!adlxSucceeded(services->GetSupportedGPUMetrics(gpu.get(), support.receive())) || !support)
        return;
    for (GpuMetric metric : metricOrder()) {
        const MetricInfo& info = metricInfo(metric);
        adlx_int minValue = 0;
        adlx_int maxValue = 0;
        const ADLX_RESULT code = metricRange(support.get(), metric, &minValue, &maxValue);
        if (adlxSucceeded(code)) {
            m_gpuInfo.insert(QLatin1String(info.rangeKey), rangeText(minValue, maxValue));
        } else if (code == ADLX_NOT_SUPPORTED) {
            qWarning() << info.unsupportedRangeWarning;
            m_gpuInfo.insert(QLatin1String(info.rangeKey), rangeText(info.fixedMin, info.fixedMax));
        }
    }
}

QVariantMap DEV_GPU::get_AMDDriverInfo(const IADLXGPUPtr& gpu)
{
    QVariantMap info;
    const char* driverPath = nullptr;
    if (!gpu || !adlxSucceeded(gpu->DriverPath(&driverPath)) || !driverPath)
        return info;
    // On this system the driver path is the card's PCI address; the strings come from the
    // driver bound to it: its module version, or else the kernel it is built into.
    const platform::PciDriver driver = platform::pciDriver(m_setup.sysfsRoot, text(driverPath));
    const QString kernel = driver.name.isEmpty() ? QString() : driver.kernelRelease;
    const QString version = driver.moduleVersion.isEmpty() ? kernel : driver.moduleVersion;
    writeStdout(QStringLiteral("AMD Software version: ") + version + QLatin1Char('\n'));
    info.insert(QStringLiteral("version"), version);
    writeStdout(driver.name + QLatin1Char('\n'));
    info.insert(QStringLiteral("SoftwareEdition"), driver.name);
    writeStdout(QStringLiteral("AMD Software Release Date: \n"));
    info.insert(QStringLiteral("ReleaseDate"), QString());
    writeStdout(QStringLiteral("Driver Version: ") + kernel + QLatin1Char('\n'));
    info.insert(QStringLiteral("DriverVersion"), kernel);
    writeStdout(QStringLiteral("AMD Windows Driver Version: \n"));
    info.insert(QStringLiteral("AMDWindowsDriverVersion"), QString());
    return info;
}
