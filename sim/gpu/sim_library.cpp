#include "sim/gpu/sim_library.h"

#include "sim/gpu/sim_objects.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const char* const kDemoDescription = ":/talvorin_adlx_sim/demo_cards.json";

void complain(const QString& text)
{
    std::fprintf(stderr, "ADLX stand-in: %s\n", text.toLocal8Bit().constData());
}

void appendLine(const char* variable, const QString& line)
{
    const QString path = QString::fromLocal8Bit(qgetenv(variable));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        complain(QStringLiteral("cannot append to %1").arg(path));
        return;
    }
    file.write((line + QLatin1Char('\n')).toUtf8());
}

bool readAll(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return true;
}

// xorshift32: a repeatable wobble for the demo's metrics, in [-1, 1].
double nextNoise(uint32_t* state)
{
    uint32_t x = *state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    *state = x;
    return double(x) / double(UINT32_MAX) * 2.0 - 1.0;
}

double moved(const SimMetric& metric, uint64_t sample, uint32_t* noise)
{
    const double pi = 3.14159265358979323846;
    double value = metric.value;
    if (metric.period > 0)
        value += metric.swing * std::sin(2.0 * pi * double(sample % uint64_t(metric.period)) / metric.period);
    if (metric.jitter != 0)
        value += metric.jitter * nextNoise(noise);
    if (metric.swing == 0 && metric.jitter == 0)
        return value; // a fixed value is given back exactly, even outside its range
    return std::min(std::max(value, double(metric.rangeMin)), double(metric.rangeMax));
}

QString hexByte(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

QString hexBytes(const uint8_t* data, int size)
{
    QStringList parts;
    for (int i = 0; data && i < size; ++i)
        parts << hexByte(data[i]);
    return parts.join(QLatin1Char(' '));
}

} // namespace

SimLibrary& SimLibrary::instance()
{
    static SimLibrary library;
    return library;
}

AdlxLibraryBackend& adlxLibraryBackend()
{
    return SimLibrary::instance();
}

bool SimLibrary::loadDescription()
{
    const QString path = QString::fromLocal8Bit(qgetenv("TALVORIN_ADLX_SIM_CARDS"));
    const QString source = path.isEmpty() ? QString::fromLatin1(kDemoDescription) : path;
    QByteArray bytes;
    if (!readAll(source, &bytes)) {
        complain(QStringLiteral("cannot read the card description %1").arg(source));
        return false;
    }
    if (bytes == m_descriptionBytes)
        return true;
    SimDescription parsed;
    QString error;
    if (!parseSimDescription(bytes, &parsed, &error)) {
        complain(QStringLiteral("card description %1 is not usable: %2").arg(source, error));
        return false;
    }
    m_description = parsed;
    m_cards.clear();
    for (const SimCard& card : m_description.cards) {
        m_cards.push_back(SimCardState{LightingController(card.controller, card.controllerType, card.probe), 0,
                                       0x9E3779B9u ^ uint32_t(m_cards.size() * 7919u)});
        for (int reg : card.refusedWrites)
            m_cards.back().controller.refuseWrites(reg);
    }
    m_descriptionBytes = bytes;
    return true;
}

ADLX_RESULT SimLibrary::initialize(const char* entry, adlx_uint64 version, IADLXSystem** system)
{
    ADLX_RESULT result = ADLX_FAIL;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (system && (m_openSessions > 0 || loadDescription())) {
            result = ADLX_RESULT(m_description.initializeCode);
            if (adlxSucceeded(result)) {
                ++m_openSessions;
                *system = simSystem();
                if (m_openSessions > 1)
                    result = ADLX_ALREADY_INITIALIZED;
            }
        }
    }
    logCall(QStringLiteral("%1 version=0x%2 code=%3")
                .arg(QLatin1String(entry))
                .arg(version, 16, 16, QLatin1Char('0'))
                .arg(int(result)));
    return result;
}

ADLX_RESULT SimLibrary::terminate()
{
    ADLX_RESULT result = ADLX_OK;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_openSessions > 0) {
            result = ADLX_RESULT(code(-1, "ADLXTerminate"));
            if (--m_openSessions == 0)
                ++m_generation;
        }
    }
    logCall(QStringLiteral("ADLXTerminate code=%1").arg(int(result)));
    return result;
}

void SimLibrary::logCall(const QString& line)
{
    appendLine("TALVORIN_ADLX_SIM_CALLS", line);
}

int SimLibrary::code(int cardIndex, const char* method) const
{
    const QString name = QLatin1String(method);
    if (cardIndex >= 0 && cardIndex < cardCount()) {
        const auto& own = card(cardIndex).codes;
        const auto it = own.find(name);
        if (it != own.end())
            return it->second;
    }
    const auto it = m_description.codes.find(name);
    return it == m_description.codes.end() ? 0 : it->second;
}

SimMetricSample SimLibrary::takeSample(int cardIndex)
{
    SimCardState& state = cardState(cardIndex);
    SimMetricSample sample;
    for (int i = 0; i < kSimMetricCount; ++i)
        sample.values[size_t(i)] = moved(card(cardIndex).metrics[size_t(i)], state.samples, &state.noise);
    ++state.samples;
    return sample;
}

void SimLibrary::traceTransfer(const char* kind, int cardIndex, int line, int speed, int address, int reg,
                               const uint8_t* data, int size, int code)
{
    appendLine("TALVORIN_ADLX_SIM_TRACE",
               QStringLiteral("%1 gpu=%2 line=%3 speed=%4 address=0x%5 register=0x%6 bytes=%7 code=%8")
                   .arg(QLatin1String(kind))
                   .arg(cardIndex)
                   .arg(line)
                   .arg(speed)
                   .arg(hexByte(address))
                   .arg(hexByte(reg))
                   .arg(hexBytes(data, size))
                   .arg(code));
}

void SimLibrary::addGpuObject(const IADLXGPU* gpu, int cardIndex)
{
    m_gpuObjects.emplace_back(gpu, cardIndex);
}

void SimLibrary::removeGpuObject(const IADLXGPU* gpu)
{
    m_gpuObjects.erase(std::remove_if(m_gpuObjects.begin(), m_gpuObjects.end(),
                                      [gpu](const auto& entry) { return entry.first == gpu; }),
                       m_gpuObjects.end());
}

int SimLibrary::cardOf(const IADLXGPU* gpu) const
{
    for (const auto& entry : m_gpuObjects) {
        if (entry.first == gpu)
            return entry.second;
    }
    return -1;
}
