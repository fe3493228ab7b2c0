// Which HID backend the process gets: hidapi on real devices, the demo mouse when virtual.
#include "core/device_setup.h"
#include "devices/mouse/dev_mouse.h"
#include "devices/mouse/hidapi_backend.h"
#include "sim/mouse/sim_hid_backend.h"

#include <QtTest>

class TestMouseSetup : public QObject {
    Q_OBJECT
    QTemporaryDir m_data;

private slots:
    void initTestCase() { qputenv("TALVORIN_DATA_DIR", m_data.path().toUtf8()); }

    void realDevicesUseHidapi()
    {
        const DeviceSetup setup = makeDeviceSetup(false);
        QVERIFY(std::dynamic_pointer_cast<HidapiBackend>(setup.hid));
    }

    void virtualDevicesHaveAMouseBehindTheReceiver()
    {
        const DeviceSetup setup = makeDeviceSetup(true);
        QVERIFY(std::dynamic_pointer_cast<SimHidBackend>(setup.hid));
        DEV_MOUSE mouse(setup);
        const QVariantMap list = mouse.get_hid_devices_info();
        QCOMPARE(list.value("mouseNum").toInt(), 1);
        const QVariantMap record = list.value("MOUSE0").toMap();
        QCOMPARE(record.value("BusTypeName").toString(), QStringLiteral("2.4G"));
        const QByteArray path = record.value("Path").toString().toUtf8();
        QCOMPARE(mouse.Get_Current_Mouse_Info(path.constData()).value("qStr_MCU_UUID").toString(),
                 record.value("current_MCU_UUID").toString());
    }
};

QTEST_GUILESS_MAIN(TestMouseSetup)
#include "test_mouse_setup.moc"
