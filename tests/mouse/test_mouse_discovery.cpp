// Discovery of the command interfaces, against the simulated bus.
#include "log_capture.h"
#include "sim_mouse_fixture.h"

#include "util/json_files.h"

#include <QtTest>

Q_DECLARE_METATYPE(SimLink)

namespace {

QString uuidText(const std::array<uint8_t, 16>& uuid)
{
    return QByteArray(reinterpret_cast<const char*>(uuid.data()), 16).toHex().toUpper();
}

struct Discovery {
    std::shared_ptr<SimHidBackend> bus = std::make_shared<SimHidBackend>();
    std::unique_ptr<DEV_MOUSE> mouse;
    Discovery()
    {
        DeviceSetup setup;
        setup.hid = bus;
        mouse = std::make_unique<DEV_MOUSE>(setup);
    }
    QVariantMap run() { return mouse->get_hid_devices_info(); }
};

} // namespace

class TestMouseDiscovery : public QObject {
    Q_OBJECT
    QTemporaryDir m_data;

    QString batteryFile() const { return m_data.path() + "/Mouse/BatteryLevelSettings.json"; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        qputenv("TALVORIN_DATA_DIR", m_data.path().toUtf8());
    }
    void init() { QFile::remove(batteryFile()); }

    void noDeviceGivesOnlyTheBatteryThresholds()
    {
        Discovery d;
        const QVariantMap list = d.run();
        QCOMPARE(list.keys(), (QStringList{"BatteryLevel_First", "BatteryLevel_Second", "mouseNum", "runFunction"}));
        QCOMPARE(list.value("mouseNum").toInt(), 0);
        QCOMPARE(list.value("runFunction").toInt(), -1);
        QCOMPARE(list.value("BatteryLevel_First").toInt(), 20);
        QCOMPARE(list.value("BatteryLevel_Second").toInt(), 50);
        // The defaults were written for next time.
        const QList<QVariantMap> file = loadJsonList(batteryFile());
        QCOMPARE(file.size(), 1);
        QCOMPARE(file.first().value("BatteryLevel_First").toInt(), 20);
        QCOMPARE(d.mouse->getData(), list);
    }

    void oneMouseOnEachLink_data()
    {
        QTest::addColumn<SimLink>("link");
        QTest::addColumn<QString>("productId");
        QTest::addColumn<QString>("busType");
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QString>("interfaceNumber");
        QTest::newRow("receiver") << SimLink::Receiver << "5036" << "USB" << "2.4G" << "1";
        QTest::newRow("cable") << SimLink::Cable << "5038" << "USB" << "USB" << "1";
        QTest::newRow("bluetooth") << SimLink::Bluetooth << "5039" << "Bluetooth" << "Bluetooth" << "-1";
    }
    void oneMouseOnEachLink()
    {
        QFETCH(SimLink, link);
        QFETCH(QString, productId);
        QFETCH(QString, busType);
        QFETCH(QString, connection);
        QFETCH(QString, interfaceNumber);
        Discovery d;
        const int device = d.bus->attach(link);
        const QVariantMap list = d.run();
        QCOMPARE(list.value("mouseNum").toInt(), 1);
        const QVariantMap record = list.value("MOUSE0").toMap();
        QCOMPARE(record.value("Path").toString(), QString::fromStdString(d.bus->vendorPath(device)));
        QCOMPARE(record.value("name").toString(), QStringLiteral("ORVENA RM20"));
        QCOMPARE(record.value("mouse_color").toString(), QStringLiteral("Black"));
        QCOMPARE(record.value("Vendor_ID").toString(), QStringLiteral("2DBF"));
        QCOMPARE(record.value("Product_ID").toString(), productId);
        QCOMPARE(record.value("Usage_Page").toString(), QStringLiteral("FF00"));
        QCOMPARE(record.value("Usage").toString(), QStringLiteral("0001"));
        QCOMPARE(record.value("Manufacturer").toString(), QStringLiteral("Belvarinth"));
        QVERIFY(!record.value("Product").toString().isEmpty());
        QVERIFY(record.contains("SerialNumber"));
        QCOMPARE(record.value("Interface").toString(), interfaceNumber);
        QCOMPARE(record.value("BusType").toString(), busType);
        QCOMPARE(record.value("BusTypeName").toString(), connection);
        QCOMPARE(record.value("current_MCU_UUID").toString(), uuidText(d.bus->firmwareState().uuid));
        // The ordinary mouse interface was skipped, and the members name the vendor interface.
        QCOMPARE(d.bus->ordinaryInterfaceWrites(device), 0);
        QCOMPARE(d.mouse->vendor_id, uint16_t(0x2DBF));
        QCOMPARE(QStringLiteral("%1").arg(d.mouse->product_id, 4, 16, QLatin1Char('0')).toUpper(), productId);
        QCOMPARE(d.mouse->usage_page, uint16_t(0xFF00));
        QVERIFY(d.bus->exitCalls() > 0);
        QCOMPARE(d.bus->openHandles(), 0);
    }

    void twoVendorInterfacesGiveTwoRecords()
    {
        Discovery d;
        d.bus->attach(SimLink::Receiver);
        d.bus->attach(SimLink::Cable);
        const QVariantMap list = d.run();
        QCOMPARE(list.value("mouseNum").toInt(), 2);
        QCOMPARE(list.value("MOUSE0").toMap().value("Product_ID").toString(), QStringLiteral("5036"));
        QCOMPARE(list.value("MOUSE1").toMap().value("Product_ID").toString(), QStringLiteral("5038"));
        QCOMPARE(d.mouse->product_id, uint16_t(0x5038));
    }

    void nameDecodedThroughTheCharacterTable()
    {
        Discovery d;
        d.bus->attach(SimLink::Receiver);
        d.bus->modifyFirmware([](SimFirmwareState& s) {
            s.modelName = QByteArray("RM\0\x01", 4);
            s.colourCode = 2;
        });
        const QVariantMap record = d.run().value("MOUSE0").toMap();
        QCOMPARE(record.value("name").toString(), QStringLiteral("RM"));
        QCOMPARE(record.value("mouse_color").toString(), QStringLiteral("White"));
    }

    void missingUuidLeavesTheKeyOut()
    {
        // The second mouse never gives a valid UUID; it is listed without one, and does not
        // inherit the first mouse's.
        Discovery d;
        d.bus->attach(SimLink::Receiver, 0);
        const int other = d.bus->attach(SimLink::Cable, d.bus->addMouse());
        d.bus->queueAnswerFault(other, SimAnswerFault::None);
        d.bus->queueAnswerFault(other, SimAnswerFault::WrongEcho, 30);
        const QVariantMap list = d.run();
        QCOMPARE(list.value("mouseNum").toInt(), 2);
        QVERIFY(list.value("MOUSE0").toMap().contains("current_MCU_UUID"));
        QVERIFY(!list.value("MOUSE1").toMap().contains("current_MCU_UUID"));
        QCOMPARE(list.value("MOUSE1").toMap().value("BusTypeName").toString(), QStringLiteral("USB"));
    }

    void unusableBatteryFileGivesNoThresholds()
    {
        QVERIFY(saveJsonList({QVariantMap{{"BatteryLevel_First", 0}, {"BatteryLevel_Second", 50}}}, batteryFile()));
        const QByteArray before = [&] {
            QFile f(batteryFile());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        Discovery d;
        const QVariantMap list = d.run();
        QVERIFY(!list.contains("BatteryLevel_First"));
        QVERIFY(!list.contains("BatteryLevel_Second"));
        QFile f(batteryFile());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);

        QFile broken(batteryFile());
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("{ not json");
        broken.close();
        QVERIFY(!d.run().contains("BatteryLevel_First"));
    }

    void modelNameGetsTwoChances()
    {
        Discovery once;
        const int device = once.bus->attach(SimLink::Receiver);
        once.bus->queueAnswerFault(device, SimAnswerFault::BusyMarker);
        QCOMPARE(once.run().value("mouseNum").toInt(), 1);

        Discovery twice;
        const int refused = twice.bus->attach(SimLink::Receiver);
        twice.bus->queueAnswerFault(refused, SimAnswerFault::BusyMarker, 2);
        QCOMPARE(twice.run().value("mouseNum").toInt(), 0);
    }

    // The node is there but the user may not open it (no udev rule yet): the mouse is listed
    // apart, with the command that installs the rule; a node that is merely gone is not.
    void mouseThatCannotBeOpenedIsFoundButNotAccessible()
    {
        Discovery d;
        const int device = d.bus->attach(SimLink::Receiver);
        d.bus->failNextOpens(device, 100);
        LogCapture log;
        const QVariantMap list = d.run();
        QCOMPARE(list.value("mouseNum").toInt(), 0);
        QCOMPARE(list.value("inaccessibleNum").toInt(), 1);
        const QVariantMap record = list.value("INACCESSIBLE0").toMap();
        QCOMPARE(record.value("Path").toString(), QString::fromStdString(d.bus->vendorPath(device)));
        QCOMPARE(record.value("Vendor_ID").toString(), QString("2DBF"));
        QCOMPARE(record.value("BusTypeName").toString(), QString("2.4G"));
        QVERIFY(log.contains("Mouse found but not accessible:"));
        const QString command = list.value("accessFixCommand").toString();
        QVERIFY2(command.contains(R"('SUBSYSTEM=="hidraw", ATTRS{idVendor}=="2dbf", TAG+="uaccess"')"), qPrintable(command));
        QVERIFY(command.contains("| sudo tee /etc/udev/rules.d/70-talvorin-mouse.rules"));
        QVERIFY(command.endsWith("sudo udevadm control --reload && sudo udevadm trigger"));
        QVERIFY2(!command.contains("# "), "no comment lines of the rule file");

        // A receiver that opens but whose mouse does not answer is no access problem.
        Discovery silent;
        silent.bus->setMouseLinked(silent.bus->attach(SimLink::Receiver), false);
        QVERIFY(!silent.run().contains("inaccessibleNum"));
    }

    void receiverWithoutItsMouseIsNotListed()
    {
        Discovery d;
        const int device = d.bus->attach(SimLink::Receiver);
        d.bus->setMouseLinked(device, false);
        QCOMPARE(d.run().value("mouseNum").toInt(), 0);
        QCOMPARE(int(d.bus->writes(device).size()), 2);
    }

    void updateModesAreNeverSentACommand()
    {
        Discovery d;
        const int dongle = d.bus->attach(SimLink::UpdateDongle);
        const int mouse = d.bus->attach(SimLink::UpdateMouse);
        LogCapture log;
        const QVariantMap list = d.run();
        QCOMPARE(list.value("mouseNum").toInt(), 0);
        QVERIFY(d.bus->writes(dongle).empty());
        QVERIFY(d.bus->writes(mouse).empty());
        QVERIFY(log.contains("[Get_Model_Name] Unknown product_id = 33"));
        // The members describe the last interface of the maker enumerated.
        QCOMPARE(d.mouse->vendor_id, uint16_t(0x1FC9));
        QCOMPARE(d.mouse->product_id, uint16_t(0x0021));
    }

    void anotherMakersVendorInterfaceIsNeverWritten()
    {
        Discovery d;
        d.bus->attach(SimLink::Receiver);
        const int cable = d.bus->attach(SimLink::Cable);
        const int other = d.bus->attachForeign(0x046D, 0x5036);
        const QVariantMap list = d.run();
        QCOMPARE(list.value("mouseNum").toInt(), 2);
        QVERIFY(d.bus->writes(other).empty());
        QVERIFY(!d.bus->writes(cable).empty());
        QCOMPARE(d.mouse->vendor_id, uint16_t(0x2DBF));
    }

    void aFailedInitDoesNotStopTheScan()
    {
        Discovery d;
        d.bus->attach(SimLink::Bluetooth);
        d.bus->setInitFails(true);
        QCOMPARE(d.run().value("mouseNum").toInt(), 1);
    }

    void aRescanStartsFromNothing()
    {
        Discovery d;
        const int device = d.bus->attach(SimLink::Receiver);
        QCOMPARE(d.run().value("mouseNum").toInt(), 1);
        d.mouse->Set_SelectProfile(2, d.bus->vendorPath(device).c_str());
        d.bus->unplug(device);
        const QVariantMap list = d.run();
        QCOMPARE(list.value("mouseNum").toInt(), 0);
        QVERIFY(!list.contains("MOUSE0"));
        QVERIFY(!list.contains("checkResult"));
    }
};

QTEST_GUILESS_MAIN(TestMouseDiscovery)
#include "test_mouse_discovery.moc"
