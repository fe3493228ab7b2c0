#pragma once
// A virtual headset for the tests: the stand-in DTS component with the shipped configuration,
// a USB bus with the headset plugged in, and a data folder of the test's own.
#include "devices/device_setup.h"
#include "sim/headset/virtual_dts_component.h"
#include "sim/headset/virtual_usb_bus.h"

#include <QList>
#include <QMutex>
#include <QPair>
#include <QTemporaryDir>
#include <memory>

struct HeadsetFixture {
    HeadsetFixture();
    ~HeadsetFixture();

    QString settingsPath() const;
    DtsComponentState& state() { return dts->state(); }
    void unplug() { bus->unplug(VirtualUsbBus::headset().instanceId); }

    QTemporaryDir data;
    std::shared_ptr<VirtualDtsComponent> dts;
    std::shared_ptr<VirtualUsbBus> bus;
    DeviceSetup setup;
};

// Collects the log lines of every thread while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    // Warning and critical lines, in order.
    QStringList problems() const;
    QStringList all() const;
    bool contains(const QString& text) const;

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& message);
    QtMessageHandler m_previous;
};
