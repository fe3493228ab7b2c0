// Live metrics of one card, sampled once per call (the background listener calls about once a
// second from its own thread, on its own DEV_GPU).
#include "devices/gpu/dev_gpu.h"

#include "devices/gpu/adlx_session.h"
#include "devices/gpu/metrics_calls.h"
#include "util/logging.h"

#include <QDebug>
#include <exception>

namespace {

// Tracking is never started here; stopping is how each level is left all the same.
void stopTracking(IADLXPerformanceMonitoringServices* services)
{
    if (!adlxSucceeded(services->StopPerformanceMetricsTracking()))
        qWarning() << "Stop tracking performance metrics failed";
}

} // namespace

QVariantMap DEV_GPU::realtime_getGPU_Information(int GPUIndex)
{
    qDebug() << "===========================================================";
    resetMetricValues();
    try {
        AdlxSession session(deviceQueryLoader(), m_setup.adlxLibrary);
        if (!session.ok())
            qCritical() << "ADLX initialization failed";
        else
            sampleMetrics(session.system(), GPUIndex);
        m_lastAdlxResult = session.terminate();
    } catch (const std::exception& e) {
        qCritical() << "Caught exception: " << e.what();
    }
    return m_workingMap;
}

void DEV_GPU::resetMetricValues()
{
    m_workingMap.insert(QStringLiteral("hasData"), 0);
    for (GpuMetric metric : metricOrder())
        m_workingMap.insert(QLatin1String(metricInfo(metric).valueKey), 0);
}

void DEV_GPU::sampleMetrics(IADLXSystem* system, int GPUIndex)
{
    IADLXPerformanceMonitoringServicesPtr services;
    if (!adlxSucceeded(system->GetPerformanceMonitoringServices(services.receive())) || !services) {
        qWarning() << "\tGet performance monitoring services failed";
        return;
    }
    {
        IADLXGPUListPtr gpus;
        if (!adlxSucceeded(system->GetGPUs(gpus.receive())) || !gpus) {
            qWarning() << "\tGet GPU list failed";
        } else {
            {
                IADLXGPUPtr gpu;
                // A negative index becomes one no list holds.
                if (!adlxSucceeded(gpus->At(adlx_uint(GPUIndex), gpu.receive())) || !gpu) {
                    qWarning() << "\tGet particular GPU failed";
                } else {
                    sampleCardMetrics(services.get(), gpu);
                    stopTracking(services.get());
                }
            }
            stopTracking(services.get());
        }
    }
    stopTracking(services.get());
    services->ClearPerformanceMetricsHistory();
}

void DEV_GPU::sampleCardMetrics(IADLXPerformanceMonitoringServices* services, const IADLXGPUPtr& gpu)
{
    IADLXSystemMetricsSupportPtr systemSupport;
    services->GetSupportedSystemMetrics(systemSupport.receive());
    IADLXGPUMetricsSupportPtr support;
    const bool supportOk = adlxSucceeded(services->GetSupportedGPUMetrics(gpu.get(), support.receive())) && support;
    IADLXAllMetricsPtr allMetrics;
    const bool allOk = adlxSucceeded(services->GetCurrentAllMetrics(allMetrics.receive())) && allMetrics;
    IADLXGPUMetricsPtr metrics;
    const bool metricsOk = allOk && adlxSucceeded(allMetrics->GetGPUMetrics(gpu.get(), metrics.receive())) && metrics;
    if (!supportOk || !allOk || !metricsOk)
        return;
    m_workingMap.insert(QStringLiteral("hasData"), 1);
    for (GpuMetric metric : metricOrder()) {
        adlx_bool supported = false;
        double value = 0;
        QString valueText;
        if (!adlxSucceeded(metricSupported(support.get(), metric, &supported)) || !supported
            || !adlxSucceeded(metricValue(metrics.get(), metric, &value)) || !metricValueText(value, &valueText))
            continue;
        const QString key = QLatin1String(metricInfo(metric).valueKey);
        m_workingMap.insert(key, valueText);
        qDebug().noquote() << key + QLatin1Char(':') << valueText;
    }
    writeStdout(QStringLiteral("\n"));
}
