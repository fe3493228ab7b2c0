#include "headset_fixture.h"

#include <QMutexLocker>

namespace {

QMutex g_logMutex;
QList<QPair<QtMsgType, QString>> g_lines;

} // namespace

HeadsetFixture::HeadsetFixture()
    : dts(std::make_shared<VirtualDtsComponent>(QStringLiteral(TALVORIN_HEADSET_CONFIG_DIR)
                                                + QStringLiteral("/dts_apo4_hpxv2_oem_config_2DBF0001.xml"))),
      bus(std::make_shared<VirtualUsbBus>())
{
    qputenv("TALVORIN_DATA_DIR", data.path().toLocal8Bit());
    bus->plug(VirtualUsbBus::receiver());
    bus->plug(VirtualUsbBus::headset());
    setup.virtualDevices = true;
    setup.dts = dts;
    setup.usbBus = bus;
    setup.headsetFilesDir = QStringLiteral(TALVORIN_HEADSET_CONFIG_DIR);
}

HeadsetFixture::~HeadsetFixture()
{
    qunsetenv("TALVORIN_DATA_DIR");
}

QString HeadsetFixture::settingsPath() const
{
    return data.path() + QStringLiteral("/Headphone/userSettingsData_Headphone.json");
}

LogCapture::LogCapture()
{
    QMutexLocker lock(&g_logMutex);
    g_lines.clear();
    m_previous = qInstallMessageHandler(&LogCapture::handler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
}

void LogCapture::handler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    QMutexLocker lock(&g_logMutex);
    g_lines.append({type, message});
}

QStringList LogCapture::problems() const
{
    QMutexLocker lock(&g_logMutex);
    QStringList lines;
    for (const auto& line : g_lines) {
        if (line.first == QtWarningMsg || line.first == QtCriticalMsg)
            lines << line.second;
    }
    return lines;
}

QStringList LogCapture::all() const
{
    QMutexLocker lock(&g_logMutex);
    QStringList lines;
    for (const auto& line : g_lines)
        lines << line.second;
    return lines;
}

bool LogCapture::contains(const QString& text) const
{
    for (const QString& line : all()) {
        if (line.contains(text))
            return true;
    }
    return false;
}
