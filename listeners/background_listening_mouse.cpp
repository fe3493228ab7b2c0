// Mode 2 of the background listener: one input report of the mouse per pass.
#include "listeners/background_listening.h"

#include "bridge/map_reading.h"
#include "devices/mouse/hid_backend.h"
#include "devices/mouse/hid_transport.h"
#include "listeners/mouse_notifications.h"

#include <QDebug>
#include <exception>

namespace {

const int kReportSize = 64;
const int kMousePassPauseMs = 100;

} // namespace

BACKGROUND_LISTENING::PassEnd BACKGROUND_LISTENING::runMousePass(const QVariantMap& command)
{
    m_output[QStringLiteral("Control")] = 2;
    readMouseIdentity(command);
    m_deviceError = 0;
    m_output[QStringLiteral("ErrorOpenDevice")] = 0;

    const QByteArray report = OnlyReadOutput(m_devpath.constData());
    m_output[QStringLiteral("Delay")] = -1;
    m_output[QStringLiteral("function")] = QString();

    PassEnd end = PassEnd::Continue;
    if (m_deviceError == 0) {
        switch (classifyReport(report)) {
        case ReportKind::DeviceError: m_deviceError = 1; break;
        case ReportKind::Battery: publishBattery(report); break;
        case ReportKind::ButtonEvent: end = handleButtonEvent(report); break;
        case ReportKind::None: break;
        }
    }
    if (m_deviceError == 1) {
        // Stops the loop through the stop flag, right after this pass.
        endOnDeviceError();
        return PassEnd::Continue;
    }
    if (end == PassEnd::Continue)
        pause(kMousePassPauseMs);
    return end;
}

void BACKGROUND_LISTENING::readMouseIdentity(const QVariantMap& command)
{
    m_mouseProfile = readInt(command, QStringLiteral("mouseProfile"));
    m_mcuUuid = readString(command, QStringLiteral("qStr_MCU_UUID"));
    m_vendorId = QstringToHex(readString(command, QStringLiteral("vendor_id")));
    m_productId = QstringToHex(readString(command, QStringLiteral("product_id")));
    const QString path = readString(command, QStringLiteral("currentHID_Path"));
    // An empty value keeps the path of the last command that had one.
    if (!path.isEmpty())
        m_devpath = path.toUtf8();
}

void BACKGROUND_LISTENING::publishBattery(const QByteArray& report)
{
    qDebug() << "BTL_Percent/Charging";
    const int percent = reportByte(report, 5);
    const int charging = reportByte(report, 6);
    m_output[QStringLiteral("function")] = QStringLiteral("Update_BTL");
    m_output[QStringLiteral("btl_percent")] = percent;
    m_output[QStringLiteral("check_charging")] = charging;
    qDebug() << "Charging:" << charging;
    qDebug() << "BTL_Percent:" << percent;
    emit dataChanged(m_output);
}

BACKGROUND_LISTENING::PassEnd BACKGROUND_LISTENING::handleButtonEvent(const QByteArray& report)
{
    qDebug() << "Notification Button";
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot)
        m_output[QStringLiteral("Data%1").arg(slot - kFirstSlot)] = unsigned(reportByte(report, slot));

    const std::optional<SlotEvent> event = firstSlotEvent(report);
    if (!event)
        return PassEnd::Continue;
    if (event->code == kEventLaunch) {
        qDebug() << "0xB0: Notification, launch software or webside";
        runLaunch(event->button);
        return PassEnd::Continue;
    }
    if (event->code == kEventProfileCycle) {
        qDebug() << "Backround Profile Cycle";
        m_output[QStringLiteral("function")] = QStringLiteral("Profile_Cycle");
        m_output[QStringLiteral("Delay")] = 1;
    } else {
        qDebug() << "0x47: DPI Change";
        qDebug() << "vendor_id: " << m_vendorId;
        qDebug() << "product_id: " << m_productId;
        qDebug() << "devpath: " << m_devpath;
        qDebug() << "Backround DPI Change";
        m_output[QStringLiteral("function")] = QStringLiteral("DPI_Change");
    }
    // QML rereads the mouse through the worker and then starts the listener again.
    m_finalAnswer = m_output;
    return PassEnd::EndLoop;
}

void BACKGROUND_LISTENING::endOnDeviceError()
{
    m_output[QStringLiteral("ErrorOpenDevice")] = 1;
    m_finalAnswer = m_output;
    m_deviceError = 0;
    // Done with this command; one that QML placed meanwhile stays.
    m_command.setIfCurrent(m_passGeneration, QStringLiteral("Control"), -1);
    qDebug() << "================================================= Stop() BACKGROUND_LISTENING Thread: "
             << QThread::currentThreadId();
    m_stopFlag = true;
    requestInterruption();
}

QByteArray BACKGROUND_LISTENING::OnlyReadOutput(const char* devpath)
{
    QByteArray report(kReportSize, '\0');
    if (!devpath || devpath[0] == '\0') {
        qDebug() << "BACKGROUND_LISTENING OnlyReadOutput(): devpath is null / empty";
        return report;
    }
    HidBackend* hid = m_setup.hid.get();
    HidDevice* device = hid ? hid->open(devpath) : nullptr;
    if (!device) {
        qDebug() << "BACKGROUND_LISTENING OnlyReadOutput(): hid_open_path() failed";
        m_deviceError = 1;
        return report;
    }
    try {
        // Sleeps until the mouse reports; a stop or a new command ends the wait with nothing.
        int n = 0;
        for (;;) {
            m_wake.lower();
            if (waitShouldEnd())
                break;
            n = hid->readUntilWoken(device, reinterpret_cast<uint8_t*>(report.data()), size_t(report.size()), m_wake);
            if (n != 0)
                break;
        }
        if (n < 0) {
            qDebug() << "OnlyReadOutput(): hid_read() failed";
            report.fill('\0');
        } else if (n > 0) {
            qDebug().noquote() << "\n==================== BACKGROUND_LISTENING: Read" << n << "bytes ====================";
            for (const QString& line : hexDumpLines(report, n))
                qDebug().noquote() << line;
        }
    } catch (const std::exception& error) {
        qCritical() << "BACKGROUND_LISTENING OnlyReadOutput() Exception:" << error.what();
        report.fill('\0');
    }
    hid->close(device);
    return report;
}
