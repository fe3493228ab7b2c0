#include "devices/headset/dev_headphone.h"

#include "devices/headset/dts_session.h"
#include "devices/headset/usb_bus.h"
#include "devices/headset/usb_presence.h"
#include "util/app_data.h"
#include "util/files.h"
#include "util/processes.h"
#include "util/xml_modes.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QThread>
#include <exception>

namespace {

const std::wstring kVendorId = L"2DBF";
const std::wstring kProductId = L"0001";
const QString kConfigurationXml = QStringLiteral("/dts_apo4_hpxv2_oem_config_2DBF0001.xml");
// The PEQ loader ships as a Windows program; a build for this system may drop the suffix.
const QString kPeqTool = QStringLiteral("/initialPEQ/initialPEQ.exe");
const QString kPeqToolNative = QStringLiteral("/initialPEQ/initialPEQ");
// The configuration XML is read again only while fewer modes than this are known.
constexpr int kExpectedModes = 5;

} // namespace

DEV_HEADPHONE::DEV_HEADPHONE(const DeviceSetup& setup, QObject* parent) : BridgeObject(parent), m_setup(setup)
{
    const QString folder = appDataFolder() + QStringLiteral("/Headphone");
    ensureDirectory(folder);
    m_settingsPath = folder + QStringLiteral("/userSettingsData_Headphone.json");
    if (m_operatingModes.size() < kExpectedModes)
        m_operatingModes = loadOperatingModesFromXml(configurationXmlPath());
}

QString DEV_HEADPHONE::configurationXmlPath() const
{
    const QString folder =
        m_setup.headsetFilesDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_setup.headsetFilesDir;
    return folder + kConfigurationXml;
}

QString DEV_HEADPHONE::peqToolPath() const
{
    const QString folder =
        m_setup.headsetFilesDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_setup.headsetFilesDir;
    if (!QFileInfo(folder + kPeqTool).isFile() && QFileInfo(folder + kPeqToolNative).isFile())
        return folder + kPeqToolNative;
    return folder + kPeqTool;
}

bool DEV_HEADPHONE::IsUsbDeviceConnected(const std::wstring& vid, const std::wstring& pid)
{
    const std::optional<QList<platform::UsbDeviceEntry>> devices =
        m_setup.usbBus ? m_setup.usbBus->presentDevices() : platform::presentUsbDevices(m_setup.sysfsRoot);
    if (!devices) {
        qDebug() << "Failed to get device information set.";
        return false;
    }
    const std::optional<platform::UsbDeviceEntry> match = findUsbDevice(*devices, vid, pid);
    if (!match) {
        qDebug().noquote() << QStringLiteral("No matching USB device found with VID=%1, PID=%2")
                                  .arg(QString::fromStdWString(vid), QString::fromStdWString(pid));
        return false;
    }
    qDebug().noquote() << "Matching USB device found: " + match->instanceId;
    qDebug().noquote() << "Device Name: " + usbDeviceName(*match);
    return true;
}

bool DEV_HEADPHONE::isHeadsetConnected()
{
    return IsUsbDeviceConnected(kVendorId, kProductId);
}

int DEV_HEADPHONE::SetPEQParameter()
{
    const QString path = peqToolPath();
    qDebug() << "Executable Path:" << path;
    if (QFileInfo(path).isFile() && runProgramWithExitCode(path) == 1) {
        qDebug() << "Run PEQ successfully !";
        return 1;
    }
    qDebug() << "Failed to run the program via run_Software.";
    return -1;
}

bool DEV_HEADPHONE::withSession(const std::function<void(const Endpoint&)>& operation)
{
    if (!isHeadsetConnected()) {
        qCritical() << "USB device is not connect. ";
        return false;
    }
    qDebug() << "USB device is connected.";
    DtsSession session(m_setup.dts.get());
    session.locateEndpoints();
    operation(session.endpoint());
    return true;
}

QVariantMap DEV_HEADPHONE::run_Headphone_Settings(int runFunction)
{
    qDebug() << "Start Headphone Thread ID: " << QThread::currentThreadId();
    try {
        if (!isHeadsetConnected()) {
            qCritical() << "USB device is not connect. ";
            m_answer.insert(QStringLiteral("headphoneNum"), 0);
        } else {
            qDebug() << "USB device is connected.";
            DtsSession session(m_setup.dts.get());
            runOperation(runFunction, session);
            answerAvailability(session);
        }
    } catch (const std::exception& e) {
        qCritical() << "Caught exception: " << e.what();
    }
    m_command.insert(QStringLiteral("runFunction"), -1);
    qDebug() << " Stop() Headphone Thread: " << QThread::currentThreadId();
    return m_answer;
}

QVariantMap DEV_HEADPHONE::get_Headphone_Devices()
{
    try {
        if (!isHeadsetConnected()) {
            qCritical() << "USB device is not connect. ";
            m_answer.insert(QStringLiteral("headphoneNum"), 0);
            return m_answer;
        }
        qDebug() << "USB device is connected.";
        DtsSession session(m_setup.dts.get());
        locateHeadset(session);
        answerAvailability(session);
    } catch (const std::exception& e) {
        qCritical() << "Caught exception: " << e.what();
    }
    return m_answer;
}

// The page says why the headset's sound cannot be changed: no sound server, no component.
void DEV_HEADPHONE::answerAvailability(const DtsSession& session)
{
    const QString key = QStringLiteral("headphoneError");
    if (session.isOpen()) {
        m_answer.remove(key);
        return;
    }
    const QString reason = m_setup.dts ? m_setup.dts->unavailableReason() : QString();
    m_answer.insert(key, reason.isEmpty() ? QStringLiteral("The headset's sound processing is not available.") : reason);
}
