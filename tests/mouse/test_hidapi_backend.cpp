// The real backend: hidapi's hidraw backend on this machine. There may be no HID device at
// all here; what must hold is that failures come back as failures, with hidapi's own text.
#include "devices/mouse/dev_mouse.h"
#include "devices/mouse/hidapi_backend.h"
#include "log_capture.h"

#include <QtTest>

class TestHidapiBackend : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        qputenv("TALVORIN_DATA_DIR", m_data.path().toUtf8());
    }

    void enumeratesWithoutFailing()
    {
        HidapiBackend backend;
        QCOMPARE(backend.init(), 0);
        const std::vector<HidDeviceInfo> all = backend.enumerate(0, 0);
        for (const HidDeviceInfo& info : all)
            QVERIFY(!info.path.empty());
        // No device of ours is plugged into a build machine.
        QVERIFY(backend.enumerate(0x2DBF, 0x5036).empty());
        QCOMPARE(backend.exit(), 0);
    }

    void openingAMissingNodeFailsWithHidapisError()
    {
        HidapiBackend backend;
        QVERIFY(backend.open("/dev/hidraw-talvorin-missing") == nullptr);
        QVERIFY(backend.open(nullptr) == nullptr);
        QVERIFY(!backend.error(nullptr).isEmpty());
        // Calls on no handle fail instead of crashing.
        uint8_t buffer[64];
        QCOMPARE(backend.write(nullptr, buffer, sizeof buffer), -1);
        QCOMPARE(backend.readTimeout(nullptr, buffer, sizeof buffer, 1), -1);
        backend.close(nullptr);
    }

    void pathsThatAreNotDeviceNodesAreNeverOpened()
    {
        // hidapi itself crashes on a regular file; such a path may arrive from QML.
        QTemporaryDir dir;
        QFile file(dir.filePath("settings.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep");
        file.close();
        HidapiBackend backend;
        QVERIFY(backend.open(QFile::encodeName(file.fileName()).constData()) == nullptr);
        QVERIFY(backend.open(QFile::encodeName(dir.path()).constData()) == nullptr);
        QVERIFY(backend.open("") == nullptr);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep"));
    }

    void commandsOnTheRealPathFailCleanly()
    {
        DeviceSetup setup;
        setup.hid = std::make_shared<HidapiBackend>();
        DEV_MOUSE mouse(setup);
        mouse.product_id = 0x5036;
        LogCapture log;
        QVERIFY(!mouse.Set_SelectProfile(1, "/dev/hidraw-talvorin-missing"));
        QVERIFY(log.contains("Error: could not open device"));
        QVERIFY(log.contains("[Set_SelectProfile] Check results: ERROR"));
        QVERIFY(mouse.OnlyReadOutput("/dev/hidraw-talvorin-missing").isEmpty());
        QVERIFY(log.contains("[OnlyReadOutput] Failed to open device!"));

        const QVariantMap list = mouse.get_hid_devices_info();
        QCOMPARE(list.value("mouseNum").toInt(), 0);
        QCOMPARE(list.value("runFunction").toInt(), -1);
    }

    void aMouseWithoutBackendFailsLikeAnAbsentDevice()
    {
        DEV_MOUSE mouse(DeviceSetup{});
        mouse.product_id = 0x5039;
        LogCapture log;
        QVERIFY(!mouse.Set_ECO_Mode(3, "/dev/hidraw0"));
        QVERIFY(log.contains("Error: could not open device"));
        QCOMPARE(mouse.get_hid_devices_info().value("mouseNum").toInt(), 0);
    }

private:
    QTemporaryDir m_data;
};

QTEST_GUILESS_MAIN(TestHidapiBackend)
#include "test_hidapi_backend.moc"
