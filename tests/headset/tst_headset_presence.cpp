// Finding the headset among the USB devices: instance ids built from sysfs, and the
// vendor/product test applied to them.
#include "devices/headset/dev_headphone.h"
#include "devices/headset/usb_presence.h"
#include "headset_fixture.h"
#include "platform/usb_devices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeAttribute(const QString& device, const QString& name, const QByteArray& value)
{
    QDir().mkpath(device);
    QFile file(device + QLatin1Char('/') + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(value);
}

platform::UsbDeviceEntry entry(const QString& id)
{
    return {id, QString(), QString()};
}

} // namespace

class TestHeadsetPresence : public QObject {
    Q_OBJECT

private slots:
    void sysfsDevicesBecomeInstanceIds();
    void unreadableBusIsReported();
    void idTestIsCaseSensitiveSubstring_data();
    void idTestIsCaseSensitiveSubstring();
    void headsetFoundBehindOtherDevices();
    void deviceNameFallsBack();
    void deviceReadsTheMachinesBusWithoutVirtualBus();
};

void TestHeadsetPresence::sysfsDevicesBecomeInstanceIds()
{
    QTemporaryDir root;
    const QString bus = root.path() + QStringLiteral("/bus/usb/devices");
    writeAttribute(bus + QStringLiteral("/1-2"), QStringLiteral("idVendor"), "2dbf\n");
    writeAttribute(bus + QStringLiteral("/1-2"), QStringLiteral("idProduct"), "0001\n");
    writeAttribute(bus + QStringLiteral("/1-2"), QStringLiteral("serial"), "RH20ABC\n");
    writeAttribute(bus + QStringLiteral("/1-2"), QStringLiteral("product"), "ORVENA RH20\n");
    // An interface of the same device carries no ids and is not a device of its own.
    writeAttribute(bus + QStringLiteral("/1-2:1.0"), QStringLiteral("bInterfaceClass"), "01\n");
    // No serial number: the place on the bus stands in for it.
    writeAttribute(bus + QStringLiteral("/1-3"), QStringLiteral("idVendor"), "046d\n");
    writeAttribute(bus + QStringLiteral("/1-3"), QStringLiteral("idProduct"), "c52b\n");

    const auto devices = platform::presentUsbDevices(root.path());
    QVERIFY(devices.has_value());
    QCOMPARE(devices->size(), 2);
    QCOMPARE(devices->at(0).instanceId, QStringLiteral("USB\\VID_2DBF&PID_0001\\RH20ABC"));
    QCOMPARE(devices->at(0).description, QStringLiteral("ORVENA RH20"));
    QCOMPARE(devices->at(1).instanceId, QStringLiteral("USB\\VID_046D&PID_C52B\\1-3"));
    QVERIFY(devices->at(1).description.isEmpty());
}

void TestHeadsetPresence::unreadableBusIsReported()
{
    QTemporaryDir root;
    QVERIFY(!platform::presentUsbDevices(root.path() + QStringLiteral("/missing")).has_value());

    HeadsetFixture fixture;
    fixture.bus->setReadable(false);
    DEV_HEADPHONE device(fixture.setup);
    LogCapture log;
    QVERIFY(!device.isHeadsetConnected());
    QVERIFY(log.contains(QStringLiteral("Failed to get device information set.")));
}

void TestHeadsetPresence::idTestIsCaseSensitiveSubstring_data()
{
    QTest::addColumn<QString>("instanceId");
    QTest::addColumn<bool>("matches");
    QTest::newRow("headset") << "USB\\VID_2DBF&PID_0001\\RH20ABC" << true;
    QTest::newRow("composite interface") << "USB\\VID_2DBF&PID_0001&MI_00\\6&1" << true;
    QTest::newRow("same vendor, other product") << "USB\\VID_2DBF&PID_0011\\5&1A2B" << false;
    QTest::newRow("ids in lower case") << "USB\\vid_2dbf&pid_0001\\RH20ABC" << false;
    QTest::newRow("hex in lower case") << "USB\\VID_2dbf&PID_0001\\RH20ABC" << false;
    QTest::newRow("vendor and product swapped") << "USB\\VID_0001&PID_2DBF\\RH20ABC" << false;
    QTest::newRow("vendor only") << "USB\\VID_2DBF\\RH20ABC" << false;
}

void TestHeadsetPresence::idTestIsCaseSensitiveSubstring()
{
    QFETCH(QString, instanceId);
    QFETCH(bool, matches);
    QCOMPARE(findUsbDevice({entry(instanceId)}, L"2DBF", L"0001").has_value(), matches);

    HeadsetFixture fixture;
    fixture.unplug();
    fixture.bus->plug(entry(instanceId));
    DEV_HEADPHONE device(fixture.setup);
    QCOMPARE(device.IsUsbDeviceConnected(L"2DBF", L"0001"), matches);
}

void TestHeadsetPresence::headsetFoundBehindOtherDevices()
{
    const QList<platform::UsbDeviceEntry> devices{entry(QStringLiteral("USB\\VID_2DBF&PID_0011\\1")),
                                                  entry(QStringLiteral("USB\\VID_046D&PID_0001\\2")),
                                                  entry(QStringLiteral("USB\\VID_2DBF&PID_0001\\3"))};
    const auto found = findUsbDevice(devices, L"2DBF", L"0001");
    QVERIFY(found.has_value());
    QCOMPARE(found->instanceId, QStringLiteral("USB\\VID_2DBF&PID_0001\\3"));
}

void TestHeadsetPresence::deviceNameFallsBack()
{
    QCOMPARE(usbDeviceName({QStringLiteral("id"), QStringLiteral("Friendly"), QStringLiteral("Desc")}),
             QStringLiteral("Friendly"));
    QCOMPARE(usbDeviceName({QStringLiteral("id"), QString(), QStringLiteral("Desc")}), QStringLiteral("Desc"));
    QCOMPARE(usbDeviceName(entry(QStringLiteral("id"))), QStringLiteral("Unknown"));
}

void TestHeadsetPresence::deviceReadsTheMachinesBusWithoutVirtualBus()
{
    QTemporaryDir root;
    const QString device = root.path() + QStringLiteral("/bus/usb/devices/3-1");
    writeAttribute(device, QStringLiteral("idVendor"), "2dbf\n");
    writeAttribute(device, QStringLiteral("idProduct"), "0001\n");

    HeadsetFixture fixture;
    DeviceSetup setup = fixture.setup;
    setup.usbBus.reset();
    setup.sysfsRoot = root.path();
    DEV_HEADPHONE headphone(setup);
    LogCapture log;
    QVERIFY(headphone.isHeadsetConnected());
    QVERIFY(log.contains(QStringLiteral("Matching USB device found: USB\\VID_2DBF&PID_0001\\3-1")));

    QFile::remove(device + QStringLiteral("/idProduct"));
    writeAttribute(device, QStringLiteral("idProduct"), "0002\n");
    QVERIFY(!headphone.isHeadsetConnected());
    QVERIFY(log.contains(QStringLiteral("No matching USB device found with VID=2DBF, PID=0001")));
}

QTEST_GUILESS_MAIN(TestHeadsetPresence)
#include "tst_headset_presence.moc"
