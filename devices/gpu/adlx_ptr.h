#pragma once
// Holds one reference to a library object and gives it back (Release) when it goes out of
// scope. Declare the pointers of an operation innermost-last, so that they are released
// innermost-first, and inside the scope that ends before the library is terminated.
#include "devices/gpu/adlx_interfaces.h"

template <class T>
class AdlxPtr {
public:
    AdlxPtr() = default;
    ~AdlxPtr() { reset(); }
    AdlxPtr(const AdlxPtr&) = delete;
    AdlxPtr& operator=(const AdlxPtr&) = delete;
    AdlxPtr(AdlxPtr&& other) noexcept : m_ptr(other.m_ptr) { other.m_ptr = nullptr; }
    AdlxPtr& operator=(AdlxPtr&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_ptr = other.m_ptr;
            other.m_ptr = nullptr;
        }
        return *this;
    }

    // Where the library writes the new pointer; drops the one held before.
    T** receive()
    {
        reset();
        return &m_ptr;
    }
    void reset()
    {
        if (m_ptr)
            m_ptr->Release();
        m_ptr = nullptr;
    }
    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

private:
    T* m_ptr = nullptr;
};

using IADLXGPUPtr = AdlxPtr<IADLXGPU>;
using IADLXGPUListPtr = AdlxPtr<IADLXGPUList>;
using IADLXI2CPtr = AdlxPtr<IADLXI2C>;
using IADLXPerformanceMonitoringServicesPtr = AdlxPtr<IADLXPerformanceMonitoringServices>;
using IADLXAllMetricsPtr = AdlxPtr<IADLXAllMetrics>;
using IADLXGPUMetricsSupportPtr = AdlxPtr<IADLXGPUMetricsSupport>;
using IADLXSystemMetricsSupportPtr = AdlxPtr<IADLXSystemMetricsSupport>;
using IADLXGPUMetricsPtr = AdlxPtr<IADLXGPUMetrics>;
