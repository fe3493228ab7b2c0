// Without a PipeWire server every headset operation fails at once, says why in the log and
// in the answer, and leaves the worker free.
#include "devices/headset/dev_headphone.h"
#include "headset_fixture.h"
#include "real/headset/pipewire_dts_component.h"
#include "sim/headset/virtual_usb_bus.h"

#include <QElapsedTimer>
#include <QtTest>

class TestHeadsetNoSoundServer : public QObject {
    Q_OBJECT

private slots:
    void everyOperationFailsPlainlyAndQuickly_data();
    void everyOperationFailsPlainlyAndQuickly();
};

void TestHeadsetNoSoundServer::everyOperationFailsPlainlyAndQuickly_data()
{
    QTest::addColumn<int>("runFunction");
    QTest::addColumn<int>("option");
    QTest::newRow("locate") << 1 << 0;
    QTest::newRow("DTS on") << 2 << 0;
    QTest::newRow("DTS off") << 3 << 0;
    QTest::newRow("select a preset") << 5 << 2;
    QTest::newRow("select a custom slot") << 5 << 6;
    QTest::newRow("move a band") << 7 << 5;
    QTest::newRow("switches") << 9 << 5;
}

void TestHeadsetNoSoundServer::everyOperationFailsPlainlyAndQuickly()
{
    QFETCH(int, runFunction);
    QFETCH(int, option);
    // A runtime folder where no server has its socket.
    QTemporaryDir runtime;
    QTemporaryDir data;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    qputenv("PIPEWIRE_RUNTIME_DIR", runtime.path().toUtf8());
    qputenv("TALVORIN_DATA_DIR", data.path().toUtf8());
    auto bus = std::make_shared<VirtualUsbBus>();
    bus->plug(VirtualUsbBus::headset());
    DeviceSetup setup;
    setup.usbBus = bus;
    setup.headsetFilesDir = QStringLiteral(TALVORIN_HEADSET_CONFIG_DIR);
    setup.dts = std::make_shared<PipeWireDtsComponent>(setup.headsetFilesDir + QStringLiteral("/dts_apo4_hpxv2_oem_config_2DBF0001.xml"),
                                                       data.path() + QStringLiteral("/dts_values.json"));
    DEV_HEADPHONE device(setup);

    LogCapture log;
    QElapsedTimer timer;
    timer.start();
    device.receiveDataFromQML({{QStringLiteral("runFunction"), runFunction},
                               {QStringLiteral("selectDtsOption"), option},
                               {QStringLiteral("indexGEQ"), 2},
                               {QStringLiteral("GEQ_Band2"), 4}});
    const QVariantMap answer = device.run_Headphone_Settings(runFunction);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(log.contains(QStringLiteral("PipeWire: no sound server answers")));
    QVERIFY(log.contains(QStringLiteral("Initialization of COM library failed.")));
    QVERIFY(answer.value(QStringLiteral("headphoneError")).toString().startsWith(QLatin1String("PipeWire: no sound server answers")));
    QVERIFY(answer.value(QStringLiteral("headphoneNum")).toInt() == 0);
    // Nothing was taken for done: the filter's values stay where the configuration put them.
    QVERIFY(!QFile::exists(data.path() + QStringLiteral("/dts_values.json")));
    qunsetenv("TALVORIN_DATA_DIR");
}

QTEST_GUILESS_MAIN(TestHeadsetNoSoundServer)
#include "tst_headset_no_sound_server.moc"
