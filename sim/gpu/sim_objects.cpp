#include "sim/gpu/sim_objects.h"

#include "devices/gpu/library/library_metrics.h"
#include "sim/gpu/sim_library.h"

#include <QByteArray>
#include <map>
#include <mutex>
#include <string>

namespace {

using Lock = std::lock_guard<std::mutex>;

SimLibrary& lib()
{
    return SimLibrary::instance();
}

// Every object belongs to the session generation it was made in.
template <class Interface>
class SimObject : public LibraryObject<Interface> {
protected:
    explicit SimObject(uint64_t generation) : m_generation(generation) {}
    bool alive() const { return lib().alive(m_generation); }

    uint64_t m_generation;
};

// Method names by metric, in SimMetricId order.
const char* const kSupportNames[kSimMetricCount] = {
    "IsSupportedGPUUsage",       "IsSupportedGPUClockSpeed",       "IsSupportedGPUVRAMClockSpeed",
    "IsSupportedGPUTemperature", "IsSupportedGPUHotspotTemperature", "IsSupportedGPUTotalBoardPower",
    "IsSupportedGPUFanSpeed",    "IsSupportedGPUVRAM",
};
const char* const kRangeNames[kSimMetricCount] = {
    "GetGPUUsageRange",       "GetGPUClockSpeedRange",          "GetGPUVRAMClockSpeedRange",
    "GetGPUTemperatureRange", "GetGPUHotspotTemperatureRange", "GetGPUTotalBoardPowerRange",
    "GetGPUFanSpeedRange",    "GetGPUVRAMRange",
};
const char* const kValueNames[kSimMetricCount] = {
    "GPUUsage",       "GPUClockSpeed",         "GPUVRAMClockSpeed", "GPUTemperature",
    "GPUHotspotTemperature", "GPUTotalBoardPower", "GPUFanSpeed",  "GPUVRAM",
};

class SimGpu final : public SimObject<IADLXGPU> {
public:
    SimGpu(uint64_t generation, int card) : SimObject(generation), m_card(card) { lib().addGpuObject(this, card); }
    ~SimGpu() override
    {
        Lock lock(lib().mutex());
        lib().removeGpuObject(this);
    }

    ADLX_RESULT VendorId(const char** value) const override { return text("VendorId", &SimCard::vendorId, value); }
    ADLX_RESULT ASICFamilyType(ADLX_ASIC_FAMILY_TYPE* family) const override
    {
        Lock lock(lib().mutex());
        const ADLX_RESULT result = check("ASICFamilyType", family);
        if (result == ADLX_OK)
            *family = ADLX_ASIC_FAMILY_TYPE(lib().card(m_card).family);
        return result;
    }
    ADLX_RESULT Name(const char** value) const override { return text("Name", &SimCard::name, value); }
    ADLX_RESULT DriverPath(const char** value) const override { return text("DriverPath", &SimCard::driverPath, value); }
    ADLX_RESULT TotalVRAM(adlx_uint* megabytes) const override
    {
        Lock lock(lib().mutex());
        const ADLX_RESULT result = check("TotalVRAM", megabytes);
        if (result == ADLX_OK)
            *megabytes = lib().card(m_card).totalVram;
        return result;
    }
    ADLX_RESULT VRAMType(const char** value) const override { return text("VRAMType", &SimCard::vramType, value); }
    ADLX_RESULT DeviceId(const char** value) const override { return text("DeviceId", &SimCard::deviceId, value); }
    ADLX_RESULT RevisionId(const char** value) const override { return text("RevisionId", &SimCard::revisionId, value); }
    ADLX_RESULT SubSystemId(const char** value) const override { return text("SubSystemId", &SimCard::subSystemId, value); }
    ADLX_RESULT SubSystemVendorId(const char** value) const override
    {
        return text("SubSystemVendorId", &SimCard::subSystemVendorId, value);
    }

private:
    // Caller holds the lock.
    ADLX_RESULT check(const char* method, const void* out) const
    {
        if (!out || !alive())
            return ADLX_FAIL;
        return ADLX_RESULT(lib().code(m_card, method));
    }
    // Texts stay valid while the object lives (the library keeps them per object).
    ADLX_RESULT text(const char* method, QString SimCard::*field, const char** value) const
    {
        Lock lock(lib().mutex());
        const ADLX_RESULT result = check(method, value);
        if (result != ADLX_OK)
            return result;
        QByteArray& kept = m_texts[method];
        kept = (lib().card(m_card).*field).toUtf8();
        *value = kept.constData();
        return ADLX_OK;
    }

    int m_card;
    mutable std::map<std::string, QByteArray> m_texts;
};

class SimGpuList final : public SimObject<IADLXGPUList> {
public:
    SimGpuList(uint64_t generation, adlx_uint size) : SimObject(generation), m_size(size) {}
    adlx_uint Size() const override { return m_size; }
    adlx_bool Empty() const override { return m_size == 0; }
    ADLX_RESULT At(adlx_uint location, IADLXGPU** gpu) override
    {
        Lock lock(lib().mutex());
        if (!gpu || !alive())
            return ADLX_FAIL;
        if (location >= m_size)
            return ADLX_NOT_FOUND;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(int(location), "At"));
        if (result != ADLX_OK)
            return result;
        *gpu = new SimGpu(m_generation, int(location));
        return ADLX_OK;
    }

private:
    adlx_uint m_size;
};

class SimI2C final : public SimObject<IADLXI2C> {
public:
    SimI2C(uint64_t generation, int card) : SimObject(generation), m_card(card) {}

    ADLX_RESULT Read(adlx_int line, adlx_int speed, adlx_int address, adlx_int offset, adlx_int size,
                     adlx_byte* data) override
    {
        Lock lock(lib().mutex());
        if (!alive())
            return ADLX_FAIL;
        int result = lib().code(m_card, "Read");
        if (result == ADLX_OK)
            result = lib().cardState(m_card).controller.read(line, address, offset, data, size);
        lib().traceTransfer("read", m_card, line, speed, address, offset, result == ADLX_OK ? data : nullptr, size,
                            result);
        return ADLX_RESULT(result);
    }

    ADLX_RESULT Write(adlx_int line, adlx_int speed, adlx_int address, adlx_int offset, adlx_int size,
                      const adlx_byte* data) override
    {
        Lock lock(lib().mutex());
        if (!alive())
            return ADLX_FAIL;
        int result = lib().code(m_card, "Write");
        if (result == ADLX_OK)
            result = lib().cardState(m_card).controller.write(line, address, offset, data, size);
        lib().traceTransfer("write", m_card, line, speed, address, offset, data, size, result);
        return ADLX_RESULT(result);
    }

private:
    int m_card;
};

class SimGpuMetrics final : public LibraryGpuMetrics {
public:
    SimGpuMetrics(uint64_t generation, int card, const SimMetricSample& sample)
        : m_generation(generation), m_card(card), m_sample(sample)
    {
    }

private:
    ADLX_RESULT value(SimMetricId id, double* out) override
    {
        Lock lock(lib().mutex());
        const int i = int(id);
        if (!lib().alive(m_generation))
            return ADLX_FAIL;
        if (!lib().card(m_card).metrics[size_t(i)].supported)
            return ADLX_NOT_SUPPORTED;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(m_card, kValueNames[i]));
        if (result == ADLX_OK)
            *out = m_sample.values[size_t(i)];
        return result;
    }

    uint64_t m_generation;
    int m_card;
    SimMetricSample m_sample;
};

class SimGpuMetricsSupport final : public LibraryMetricsSupport {
public:
    SimGpuMetricsSupport(uint64_t generation, int card) : m_generation(generation), m_card(card) {}

private:
    bool alive() const { return lib().alive(m_generation); }
    ADLX_RESULT supported(SimMetricId id, adlx_bool* out) override
    {
        Lock lock(lib().mutex());
        const int i = int(id);
        if (!out || !alive())
            return ADLX_FAIL;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(m_card, kSupportNames[i]));
        if (result == ADLX_OK)
            *out = lib().card(m_card).metrics[size_t(i)].supported;
        return result;
    }
    ADLX_RESULT range(SimMetricId id, adlx_int* lo, adlx_int* hi) override
    {
        Lock lock(lib().mutex());
        const int i = int(id);
        if (!lo || !hi || !alive())
            return ADLX_FAIL;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(m_card, kRangeNames[i]));
        if (result != ADLX_OK)
            return result;
        const SimMetric& metric = lib().card(m_card).metrics[size_t(i)];
        if (!metric.supported)
            return ADLX_NOT_SUPPORTED;
        *lo = metric.rangeMin;
        *hi = metric.rangeMax;
        return ADLX_OK;
    }

    uint64_t m_generation;
    int m_card;
};

class SimSystemMetricsSupport final : public SimObject<IADLXSystemMetricsSupport> {
public:
    explicit SimSystemMetricsSupport(uint64_t generation) : SimObject(generation) {}
};

class SimAllMetrics final : public SimObject<IADLXAllMetrics> {
public:
    explicit SimAllMetrics(uint64_t generation) : SimObject(generation) {}

    ADLX_RESULT GetGPUMetrics(IADLXGPU* gpu, IADLXGPUMetrics** metrics) override
    {
        Lock lock(lib().mutex());
        const int card = lib().cardOf(gpu);
        if (!metrics || !alive() || card < 0)
            return ADLX_FAIL;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(card, "GetGPUMetrics"));
        if (result != ADLX_OK)
            return result;
        *metrics = new SimGpuMetrics(m_generation, card, lib().takeSample(card));
        return ADLX_OK;
    }
};

class SimPerformanceServices final : public SimObject<IADLXPerformanceMonitoringServices> {
public:
    explicit SimPerformanceServices(uint64_t generation) : SimObject(generation) {}

    ADLX_RESULT ClearPerformanceMetricsHistory() override { return plain("ClearPerformanceMetricsHistory"); }
    ADLX_RESULT StopPerformanceMetricsTracking() override { return plain("StopPerformanceMetricsTracking"); }
    ADLX_RESULT GetCurrentAllMetrics(IADLXAllMetrics** metrics) override
    {
        Lock lock(lib().mutex());
        if (!metrics || !alive())
            return ADLX_FAIL;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(-1, "GetCurrentAllMetrics"));
        if (result == ADLX_OK)
            *metrics = new SimAllMetrics(m_generation);
        return result;
    }
    ADLX_RESULT GetSupportedGPUMetrics(IADLXGPU* gpu, IADLXGPUMetricsSupport** support) override
    {
        Lock lock(lib().mutex());
        const int card = lib().cardOf(gpu);
        if (!support || !alive() || card < 0)
            return ADLX_FAIL;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(card, "GetSupportedGPUMetrics"));
        if (result == ADLX_OK)
            *support = new SimGpuMetricsSupport(m_generation, card);
        return result;
    }
    ADLX_RESULT GetSupportedSystemMetrics(IADLXSystemMetricsSupport** support) override
    {
        Lock lock(lib().mutex());
        if (!support || !alive())
            return ADLX_FAIL;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(-1, "GetSupportedSystemMetrics"));
        if (result == ADLX_OK)
            *support = new SimSystemMetricsSupport(m_generation);
        return result;
    }

private:
    ADLX_RESULT plain(const char* method)
    {
        Lock lock(lib().mutex());
        if (!alive())
            return ADLX_FAIL;
        return ADLX_RESULT(lib().code(-1, method));
    }
};

class SimSystem final : public IADLXSystem {
public:
    ADLX_RESULT GetGPUs(IADLXGPUList** gpus) override
    {
        Lock lock(lib().mutex());
        if (!gpus || !lib().alive(lib().generation()))
            return ADLX_FAIL;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(-1, "GetGPUs"));
        if (result == ADLX_OK)
            *gpus = new SimGpuList(lib().generation(), adlx_uint(lib().cardCount()));
        return result;
    }
    ADLX_RESULT GetPerformanceMonitoringServices(IADLXPerformanceMonitoringServices** services) override
    {
        Lock lock(lib().mutex());
        if (!services || !lib().alive(lib().generation()))
            return ADLX_FAIL;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(-1, "GetPerformanceMonitoringServices"));
        if (result == ADLX_OK)
            *services = new SimPerformanceServices(lib().generation());
        return result;
    }
    ADLX_RESULT GetI2C(IADLXGPU* gpu, IADLXI2C** i2c) override
    {
        Lock lock(lib().mutex());
        const int card = lib().cardOf(gpu);
        if (!i2c || !lib().alive(lib().generation()) || card < 0)
            return ADLX_FAIL;
        if (!lib().card(card).hasI2c)
            return ADLX_NOT_SUPPORTED;
        const ADLX_RESULT result = ADLX_RESULT(lib().code(card, "GetI2C"));
        if (result == ADLX_OK)
            *i2c = new SimI2C(lib().generation(), card);
        return result;
    }
};

} // namespace

IADLXSystem* simSystem()
{
    static SimSystem system;
    return &system;
}
