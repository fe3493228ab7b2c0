// The interface objects of the Linux library. Each object keeps the card data it was made from,
// so it stays usable until released.
#include "real/gpu/linux_objects.h"

#include "devices/gpu/library/library_metrics.h"
#include "devices/gpu/lighting_bus_codes.h"
#include "real/gpu/amdgpu_metrics.h"
#include "real/gpu/i2c_address.h"
#include "real/gpu/i2c_node.h"
#include "real/gpu/i2c_transport.h"
#include "real/gpu/linux_library.h"
#include "real/gpu/oem_i2c_bus.h"

#include <QByteArray>
#include <QDebug>
#include <array>
#include <map>
#include <string>
#include <vector>

namespace {

using CardPtr = std::shared_ptr<const AmdgpuCard>;

// The only line the controller sits on, and the largest transfer a lighting register needs.
constexpr adlx_int kOemLine = 1;
constexpr adlx_int kMaxTransfer = 32;

class LinuxGpu final : public LibraryObject<IADLXGPU> {
public:
    LinuxGpu(CardPtr card, QString deviceNodes) : m_card(std::move(card)), m_deviceNodes(std::move(deviceNodes)) {}

    const AmdgpuCard& card() const { return *m_card; }
    const QString& deviceNodes() const { return m_deviceNodes; }
    // Found once per object: where the metrics are read.
    const CardMetricSources& sources() const
    {
        if (!m_sources)
            m_sources = std::make_unique<CardMetricSources>(*m_card);
        return *m_sources;
    }

    ADLX_RESULT VendorId(const char** value) const override { return text("VendorId", hexId(kAmdVendorId, 4), value); }
    ADLX_RESULT ASICFamilyType(ADLX_ASIC_FAMILY_TYPE* family) const override
    {
        if (!family)
            return ADLX_FAIL;
        *family = ADLX_ASIC_FAMILY_TYPE(1); // a consumer graphics card
        return ADLX_OK;
    }
    ADLX_RESULT Name(const char** value) const override { return text("Name", m_card->name, value); }
    // The card's PCI address: the driver strings are read from its sysfs folder.
    ADLX_RESULT DriverPath(const char** value) const override { return text("DriverPath", m_card->pciAddress, value); }
    ADLX_RESULT TotalVRAM(adlx_uint* megabytes) const override
    {
        if (!megabytes)
            return ADLX_FAIL;
        *megabytes = m_card->vramMB;
        return ADLX_OK;
    }
    // The kernel does not say which memory type the card carries.
    ADLX_RESULT VRAMType(const char** value) const override { return text("VRAMType", QString(), value); }
    ADLX_RESULT DeviceId(const char** value) const override { return text("DeviceId", hexId(m_card->device, 4), value); }
    ADLX_RESULT RevisionId(const char** value) const override
    {
        return text("RevisionId", hexId(m_card->revision, 2), value);
    }
    ADLX_RESULT SubSystemId(const char** value) const override
    {
        return text("SubSystemId", hexId(m_card->subsystemDevice, 4), value);
    }
    ADLX_RESULT SubSystemVendorId(const char** value) const override
    {
        return text("SubSystemVendorId", hexId(m_card->subsystemVendor, 4), value);
    }

private:
    // Texts stay valid while the object lives.
    ADLX_RESULT text(const char* key, const QString& value, const char** out) const
    {
        if (!out)
            return ADLX_FAIL;
        QByteArray& kept = m_texts[key];
        kept = value.toUtf8();
        *out = kept.constData();
        return ADLX_OK;
    }

    CardPtr m_card;
    QString m_deviceNodes;
    mutable std::unique_ptr<CardMetricSources> m_sources;
    mutable std::map<std::string, QByteArray> m_texts;
};

// The card behind a GPU object of ours; null for any other pointer.
LinuxGpu* ours(IADLXGPU* gpu)
{
    return dynamic_cast<LinuxGpu*>(gpu);
}

class LinuxGpuList final : public LibraryObject<IADLXGPUList> {
public:
    explicit LinuxGpuList(std::shared_ptr<const LinuxMachine> machine) : m_machine(std::move(machine)) {}
    adlx_uint Size() const override { return adlx_uint(m_machine->cards.size()); }
    adlx_bool Empty() const override { return m_machine->cards.empty(); }
    ADLX_RESULT At(adlx_uint location, IADLXGPU** gpu) override
    {
        if (!gpu)
            return ADLX_FAIL;
        if (location >= m_machine->cards.size())
            return ADLX_NOT_FOUND;
        *gpu = new LinuxGpu(m_machine->cards[location], m_machine->deviceNodes);
        return ADLX_OK;
    }

private:
    std::shared_ptr<const LinuxMachine> m_machine;
};

// The card's OEM bus. Nothing is opened until the first transfer; the node stays open (and
// locked) until the object is released at the end of the command.
class LinuxI2c final : public LibraryObject<IADLXI2C> {
public:
    LinuxI2c(CardPtr card, QString deviceNodes) : m_card(std::move(card)), m_deviceNodes(std::move(deviceNodes)) {}

    ADLX_RESULT Read(adlx_int line, adlx_int, adlx_int address, adlx_int offset, adlx_int dataSize,
                     adlx_byte* data) override
    {
        if (!data || !acceptable(line, address, offset, dataSize))
            return ADLX_FAIL;
        const ADLX_RESULT opened = openBus();
        if (opened != ADLX_OK)
            return opened;
        // The register number, then the bytes read back after a repeated start.
        uint8_t reg = uint8_t(offset);
        std::array<I2cMessage, 2> messages{{{kControllerBusAddress, false, &reg, 1},
                                            {kControllerBusAddress, true, data, uint16_t(dataSize)}}};
        return send(messages.data(), int(messages.size()));
    }

    ADLX_RESULT Write(adlx_int line, adlx_int, adlx_int address, adlx_int offset, adlx_int dataSize,
                      const adlx_byte* data) override
    {
        if (!data || !acceptable(line, address, offset, dataSize))
            return ADLX_FAIL;
        const ADLX_RESULT opened = openBus();
        if (opened != ADLX_OK)
            return opened;
        // One message: the register number followed by its bytes.
        std::vector<uint8_t> bytes{uint8_t(offset)};
        bytes.insert(bytes.end(), data, data + dataSize);
        I2cMessage message{kControllerBusAddress, false, bytes.data(), uint16_t(bytes.size())};
        return send(&message, 1);
    }

private:
    // Only the controller on the OEM line is ever addressed.
    static bool acceptable(adlx_int line, adlx_int address, adlx_int offset, adlx_int size)
    {
        return line == kOemLine && address == kControllerLibraryAddress && offset >= 0 && offset <= 0xFF && size > 0
            && size <= kMaxTransfer;
    }

    ADLX_RESULT openBus()
    {
        if (m_node.isOpen())
            return ADLX_OK;
        if (m_adapter < 0)
            m_adapter = findOemI2cAdapter(m_card->deviceDir);
        if (m_adapter < 0)
            return kLightingBusMissing;
        const QString node = m_deviceNodes + QStringLiteral("/i2c-") + QString::number(m_adapter);
        const ADLX_RESULT opened = m_node.open(node);
        // The device code can only say that some node was refused; the log names it.
        if (opened == kLightingBusNotAccessible)
            qWarning().noquote() << QStringLiteral("No permission to open %1: install the udev rule").arg(node);
        return opened;
    }

    ADLX_RESULT send(I2cMessage* messages, int count)
    {
        return libraryTransport().transfer(m_node.fd(), m_adapter, messages, count) ? ADLX_OK : ADLX_FAIL;
    }

    CardPtr m_card;
    QString m_deviceNodes;
    int m_adapter = -1;
    I2cNode m_node;
};

// Values of one sample, read when the metrics object is made.
class LinuxGpuMetrics final : public LibraryGpuMetrics {
public:
    explicit LinuxGpuMetrics(const CardMetricSources& sources)
    {
        for (int i = 0; i < kCardMetricCount; ++i)
            m_values[size_t(i)] = sources.value(CardMetric(i));
    }

private:
    ADLX_RESULT value(CardMetric metric, double* out) override
    {
        const std::optional<double>& value = m_values[size_t(metric)];
        if (!value)
            return ADLX_NOT_SUPPORTED;
        *out = *value;
        return ADLX_OK;
    }

    std::array<std::optional<double>, kCardMetricCount> m_values;
};

class LinuxGpuMetricsSupport final : public LibraryMetricsSupport {
public:
    // Holds a reference to the GPU object, whose metric sources it asks.
    explicit LinuxGpuMetricsSupport(LinuxGpu* gpu) : m_gpu(gpu) { m_gpu->Acquire(); }
    ~LinuxGpuMetricsSupport() override { m_gpu->Release(); }

private:
    ADLX_RESULT supported(CardMetric metric, adlx_bool* out) override
    {
        if (!out)
            return ADLX_FAIL;
        *out = m_gpu->sources().supported(metric);
        return ADLX_OK;
    }
    // A card that gives no scale answers "not supported", so the gauge keeps its fixed one.
    ADLX_RESULT range(CardMetric metric, adlx_int* lo, adlx_int* hi) override
    {
        if (!lo || !hi)
            return ADLX_FAIL;
        const std::optional<MetricRange> found = m_gpu->sources().range(metric);
        if (!found)
            return ADLX_NOT_SUPPORTED;
        *lo = found->min;
        *hi = found->max;
        return ADLX_OK;
    }

    LinuxGpu* m_gpu;
};

class LinuxSystemMetricsSupport final : public LibraryObject<IADLXSystemMetricsSupport> {};

class LinuxAllMetrics final : public LibraryObject<IADLXAllMetrics> {
public:
    ADLX_RESULT GetGPUMetrics(IADLXGPU* gpu, IADLXGPUMetrics** metrics) override
    {
        LinuxGpu* card = ours(gpu);
        if (!metrics || !card)
            return ADLX_FAIL;
        // Reading the sensors of a runtime-suspended card would wake it once a second: a
        // sleeping card has no sample.
        if (runtimeSuspended(card->card()))
            return ADLX_FAIL;
        *metrics = new LinuxGpuMetrics(card->sources());
        return ADLX_OK;
    }
};

class LinuxPerformanceServices final : public LibraryObject<IADLXPerformanceMonitoringServices> {
public:
    // Samples are read on demand: there is no tracking or history to stop or clear.
    ADLX_RESULT ClearPerformanceMetricsHistory() override { return ADLX_OK; }
    ADLX_RESULT StopPerformanceMetricsTracking() override { return ADLX_OK; }
    ADLX_RESULT GetCurrentAllMetrics(IADLXAllMetrics** metrics) override
    {
        if (!metrics)
            return ADLX_FAIL;
        *metrics = new LinuxAllMetrics;
        return ADLX_OK;
    }
    ADLX_RESULT GetSupportedGPUMetrics(IADLXGPU* gpu, IADLXGPUMetricsSupport** support) override
    {
        LinuxGpu* card = ours(gpu);
        if (!support || !card)
            return ADLX_FAIL;
        *support = new LinuxGpuMetricsSupport(card);
        return ADLX_OK;
    }
    ADLX_RESULT GetSupportedSystemMetrics(IADLXSystemMetricsSupport** support) override
    {
        if (!support)
            return ADLX_FAIL;
        *support = new LinuxSystemMetricsSupport;
        return ADLX_OK;
    }
};

class LinuxSystem final : public IADLXSystem {
public:
    ADLX_RESULT GetGPUs(IADLXGPUList** gpus) override
    {
        const auto machine = LinuxLibrary::instance().machine();
        if (!gpus || !machine)
            return ADLX_FAIL;
        *gpus = new LinuxGpuList(machine);
        return ADLX_OK;
    }
    ADLX_RESULT GetPerformanceMonitoringServices(IADLXPerformanceMonitoringServices** services) override
    {
        if (!services || !LinuxLibrary::instance().machine())
            return ADLX_FAIL;
        *services = new LinuxPerformanceServices;
        return ADLX_OK;
    }
    ADLX_RESULT GetI2C(IADLXGPU* gpu, IADLXI2C** i2c) override
    {
        LinuxGpu* card = ours(gpu);
        if (!i2c || !card)
            return ADLX_FAIL;
        *i2c = new LinuxI2c(std::make_shared<const AmdgpuCard>(card->card()), card->deviceNodes());
        return ADLX_OK;
    }
};

} // namespace

IADLXSystem* linuxSystem()
{
    static LinuxSystem system;
    return &system;
}
