#pragma once
// The background listener. Mode 1 samples the live metrics of one graphics card once a second
// with its own GPU device object; mode 2 waits for the mouse's unsolicited input reports, one
// at a time, and turns each into an answer for the page or a launch action of the button.
//
// Every wait sleeps until its source has something (a report of the mouse, the end of a
// pause) and ends as soon as a stop is requested or QML places a new command, so the thread
// costs nothing while nothing happens, always ends on its own, promptly, and never has to be
// cut off while it holds a HID handle or a file.
#include "bridge/bridge_thread.h"
#include "devices/device_setup.h"

#include <QByteArray>
#include <QVariantList>
#include <QVariantMap>

#include <atomic>
#include <optional>

class DEV_GPU;
struct LaunchSetting;

class BACKGROUND_LISTENING : public BridgeThread {
    Q_OBJECT
    Q_PROPERTY(QVariantList dataList READ getDataList NOTIFY dataListChanged)

public:
    explicit BACKGROUND_LISTENING(const DeviceSetup& setup, QObject* parent = nullptr);
    ~BACKGROUND_LISTENING() override;

signals:
    void dataListChanged(QVariantList dataList);

public slots:
    // Both end the loop and wait about 100 ms for it; the thread is never terminated.
    void stopThread() override;
    void stopTerminate();
    void setDataList(QVariantList dataList);
    // The text as a base-16 unsigned 16-bit number; 0 when it is not one.
    ushort QstringToHex(QString str_input);
    // A key down and a key up of the virtual key, to whatever has the focus.
    void windowsSimulateKeyPress(ushort wVk);
    // Opens the path and waits for one input report: 64 bytes, zeros past what was read and
    // all zeros when nothing came. A path that cannot be opened marks the device failed.
    QByteArray OnlyReadOutput(const char* devpath);

public:
    Q_INVOKABLE QVariantList getDataList() const;

protected:
    void run() override;

private:
    enum class PassEnd { Continue, EndLoop };

    PassEnd runGpuPass(DEV_GPU& gpu, const QVariantMap& command);
    PassEnd runMousePass(const QVariantMap& command);
    void readMouseIdentity(const QVariantMap& command);
    PassEnd handleButtonEvent(const QByteArray& report);
    void publishBattery(const QByteArray& report);
    void endOnDeviceError();
    void runLaunch(int button);
    void launchProgram(const LaunchSetting& setting);

    // Sleeps up to `ms` (-1: without limit), returning early on a stop or a new command.
    void pause(int ms);
    bool waitShouldEnd() const;
    // The answer a loop-ending pass leaves: published once the thread is finishing, so that
    // QML may start the thread again straight from its handler.
    void publishFinalAnswer();

    DeviceSetup m_setup;
    QVariantList m_dataList;

    // Owned by the listener's thread.
    QVariantMap m_output;
    std::optional<QVariantMap> m_finalAnswer;
    QByteArray m_devpath;
    QString m_mcuUuid;
    int m_mouseProfile = 0;
    ushort m_vendorId = 0x2DBF;
    ushort m_productId = 0x5038;
    int m_deviceError = 0;
    std::atomic<quint64> m_passGeneration{0};
};
