#include "sim_gpu_fixture.h"

#include "sim/gpu/stand_in_location.h"

#include <QFile>
#include <QJsonDocument>

namespace {

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

SimGpuFixture::SimGpuFixture()
{
    qputenv("TALVORIN_ADLX_SIM_TRACE", path(QStringLiteral("trace.txt")).toLocal8Bit());
    qputenv("TALVORIN_ADLX_SIM_CALLS", path(QStringLiteral("calls.txt")).toLocal8Bit());
    qunsetenv("TALVORIN_ADLX_SIM_CARDS");
}

SimGpuFixture::~SimGpuFixture()
{
    qunsetenv("TALVORIN_ADLX_SIM_TRACE");
    qunsetenv("TALVORIN_ADLX_SIM_CALLS");
    qunsetenv("TALVORIN_ADLX_SIM_CARDS");
}

void SimGpuFixture::describe(const QJsonObject& description)
{
    const QString file = path(QStringLiteral("cards.json"));
    QFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(QJsonDocument(description).toJson());
    qputenv("TALVORIN_ADLX_SIM_CARDS", file.toLocal8Bit());
}

void SimGpuFixture::describeCards(const QJsonArray& cards)
{
    describe(QJsonObject{{QStringLiteral("cards"), cards}});
}

QStringList SimGpuFixture::trace() const
{
    return readLines(path(QStringLiteral("trace.txt")));
}

QStringList SimGpuFixture::calls() const
{
    return readLines(path(QStringLiteral("calls.txt")));
}

void SimGpuFixture::clearLogs()
{
    QFile::remove(path(QStringLiteral("trace.txt")));
    QFile::remove(path(QStringLiteral("calls.txt")));
}

int SimGpuFixture::countCalls(const QString& prefix) const
{
    int count = 0;
    for (const QString& line : calls())
        count += line.startsWith(prefix + QLatin1Char(' ')) ? 1 : 0;
    return count;
}

DeviceSetup SimGpuFixture::setup() const
{
    DeviceSetup setup;
    setup.virtualDevices = true;
    setup.adlxLibrary = standInAdlxLibraryPath();
    setup.sysfsRoot = path(QStringLiteral("sys"));
    return setup;
}

QJsonObject SimGpuFixture::card(const QString& deviceId, const QString& revisionId, const QJsonObject& extra)
{
    QJsonObject card{{QStringLiteral("deviceId"), deviceId},
                     {QStringLiteral("revisionId"), revisionId},
                     {QStringLiteral("subSystemId"), QStringLiteral("2412")},
                     {QStringLiteral("subSystemVendorId"), QStringLiteral("1DA2")},
                     {QStringLiteral("name"), QStringLiteral("AMD Radeon Test ") + deviceId},
                     {QStringLiteral("totalVRAM"), 16384},
                     {QStringLiteral("vramType"), QStringLiteral("GDDR6")}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        card.insert(it.key(), it.value());
    return card;
}

QJsonObject SimGpuFixture::metrics(double usage, double power, int fan, int vram, int clock, int vramClock,
                                   double temp, double hotspot)
{
    auto metric = [](double value) {
        return QJsonObject{{QStringLiteral("range"), QJsonArray{0, 5000}}, {QStringLiteral("value"), value}};
    };
    return QJsonObject{{QStringLiteral("usage"), metric(usage)},
                       {QStringLiteral("totalBoardPower"), metric(power)},
                       {QStringLiteral("fanSpeed"), metric(fan)},
                       {QStringLiteral("vram"), metric(vram)},
                       {QStringLiteral("clockSpeed"), metric(clock)},
                       {QStringLiteral("vramClockSpeed"), metric(vramClock)},
                       {QStringLiteral("temperature"), metric(temp)},
                       {QStringLiteral("hotspotTemperature"), metric(hotspot)}};
}

QString SimGpuFixture::write(int gpu, int reg, const QString& bytes, int code)
{
    return QStringLiteral("write gpu=%1 line=1 speed=100 address=0x44 register=0x%2 bytes=%3 code=%4")
        .arg(gpu)
        .arg(QStringLiteral("%1").arg(reg, 2, 16, QLatin1Char('0')).toUpper())
        .arg(bytes)
        .arg(code);
}
