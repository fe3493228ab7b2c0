// One exchange with the mouse: drains, retries, padding, the transaction lock, passive reads.
#include "devices/mouse/hid_transport.h"
#include "devices/mouse/mouse_frames.h"
#include "log_capture.h"
#include "sim_mouse_fixture.h"

#include <QtTest>
#include <atomic>
#include <thread>

using namespace mouse;

namespace {

bool transactionLockIsFree()
{
    if (!hidTransactionLock().try_lock())
        return false;
    hidTransactionLock().unlock();
    return true;
}

} // namespace

class TestMouseTransport : public QObject {
    Q_OBJECT
private slots:
    void shortAnswerIsZeroPaddedTo64Bytes()
    {
        SimMouseFixture sim;
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ShortAnswer, 1, 20);
        HidTransport transport(sim.bus);
        const HidAnswer answer = transport.transact(0x2DBF, 0x5036, 0xFF00, 1, sim.devpath(),
                                                    buildGetRequest(Framing::ReportId, 0x82), "Get_MCU_UUID");
        QCOMPARE(answer.length, 20);
        QCOMPARE(answer.bytes.size(), 64);
        QCOMPARE(uint8_t(answer.bytes.at(1)), uint8_t(0x82));
        QCOMPARE(uint8_t(answer.bytes.at(19)), sim.state().uuid[15]);
        QCOMPARE(answer.bytes.mid(20), QByteArray(44, '\0'));
    }

    void threeTimeoutsGiveZerosAndAnError()
    {
        SimMouseFixture sim;
        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::NoAnswer);
        LogCapture log;
        QVERIFY(!sim.mouse->Set_SelectProfile(2, sim.devpath()));
        QCOMPARE(log.count("HID waiting"), 3);
        QVERIFY(log.contains("[Set_SelectProfile] Check results: ERROR"));
        QCOMPARE(sim.mouse->getData().value("checkResult").toString(), QStringLiteral("ERROR"));
        // The request reached the mouse all the same.
        QCOMPARE(sim.state().live.mouse.profile, uint8_t(2));

        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::NoAnswer);
        const QByteArray raw = sim.mouse->Run_Command_Line(0x2DBF, 0x5036, 0xFF00, 1, sim.devpath(),
                                                           buildGetRequest(Framing::ReportId, 0x0A), "Read_BTL_Percent");
        QCOMPARE(raw, QByteArray(64, '\0'));
    }

    void exchangeIsLoggedAsHex()
    {
        SimMouseFixture sim;
        LogCapture log;
        QVERIFY(sim.mouse->Set_SelectProfile(3, sim.devpath()));
        QVERIFY(log.contains("00 40 03 01 00 03 00 00"));
        const QStringList lines = log.lines();
        const int header = lines.indexOf(QRegularExpression("^=============== return:  64 bytes =============== Set_SelectProfile$"));
        QVERIFY2(header >= 0, qPrintable(lines.join('\n')));
        QCOMPARE(lines.at(header + 1), QStringLiteral("40 03 01 00 00 AC 00 00 00 00 00 00 00 00 00 00"));
        QCOMPARE(lines.at(header + 4), QStringLiteral("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    }

    void staleReportsAreDrainedBeforeTheRequest()
    {
        SimMouseFixture sim;
        sim.bus->modifyFirmware([](SimFirmwareState& s) { s.batteryPercent = 77; });
        sim.bus->queueStaleReports(sim.device, 5);
        const QByteArray battery = sim.mouse->Read_BTL_Percent(sim.devpath());
        QCOMPARE(uint8_t(battery.at(5)), uint8_t(77));
    }

    void transactionLockIsReleasedOnEveryPath()
    {
        SimMouseFixture sim;
        LogCapture log;
        sim.bus->failNextOpens(sim.device);
        QVERIFY(!sim.mouse->Set_LOD_Level(3, sim.devpath()));
        QVERIFY(log.contains("Error: could not open device"));
        QVERIFY(transactionLockIsFree());

        sim.bus->failNextWrites(sim.device);
        QVERIFY(!sim.mouse->Set_LOD_Level(3, sim.devpath()));
        QVERIFY(log.contains("hid_write failed"));
        QVERIFY(transactionLockIsFree());

        sim.bus->queueAnswerFault(sim.device, SimAnswerFault::ReadError);
        QVERIFY(!sim.mouse->Set_LOD_Level(3, sim.devpath()));
        QVERIFY(log.contains("hid_read error"));
        QVERIFY(transactionLockIsFree());
        QCOMPARE(sim.bus->openHandles(), 0);

        QVERIFY(!sim.mouse->Set_LOD_Level(3, ""));
        QVERIFY(log.contains("[Set_LOD_Level] devpath is empty!"));
        HidTransport transport(sim.bus);
        QCOMPARE(transport.transact(0, 0, 0, 0, nullptr, HidReport{}, "x").bytes, QByteArray(64, '\0'));
        QVERIFY(log.contains("Error: devpath empty."));

        // After every failure the next exchange goes through.
        QVERIFY(sim.mouse->Set_LOD_Level(3, sim.devpath()));
        QCOMPARE(sim.state().live.mouse.liftOff, uint8_t(3));
    }

    void exchangesOfTwoThreadsNeverInterleave()
    {
        // Every handle of the interface sees every answer (as with hidraw), so without the
        // lock one thread would read the other's answer.
        SimMouseFixture sim;
        sim.bus->setAnswerDelay(1);
        DeviceSetup setup;
        setup.hid = sim.bus;
        DEV_MOUSE second(setup);
        second.product_id = 0x5036;
        sim.bus->modifyFirmware([](SimFirmwareState& s) {
            s.live.mouse.ecoMinutes = 11;
            s.live.mouse.ledOffMinutes = 22;
        });
        std::atomic<int> wrong{0};
        std::thread other([&] {
            for (int i = 0; i < 25; ++i)
                wrong += second.Read_LED_OFF_Delay_Time(sim.devpath()) != 22;
        });
        for (int i = 0; i < 25; ++i)
            wrong += sim.mouse->Read_ECO_Mode(sim.devpath()) != 11;
        other.join();
        QCOMPARE(wrong.load(), 0);
    }

    void passiveReadWaitsForOneReport()
    {
        SimMouseFixture sim;
        LogCapture log;
        sim.bus->sendBatteryNotification(sim.device, 42, 1);
        const QByteArray report = sim.mouse->OnlyReadOutput(sim.devpath());
        QCOMPARE(report.size(), 64);
        QCOMPARE(uint8_t(report.at(1)), uint8_t(0x0A));
        QCOMPARE(uint8_t(report.at(5)), uint8_t(42));
        QCOMPARE(uint8_t(report.at(6)), uint8_t(1));
        QVERIFY(log.contains("[OnlyReadOutput] Data read completed"));
        QVERIFY(sim.bus->exitCalls() > 0);

        QVERIFY(sim.mouse->OnlyReadOutput("").isEmpty());
        QVERIFY(log.contains("[OnlyReadOutput] devpath is empty!"));
        QVERIFY(sim.mouse->OnlyReadOutput("sim-no-such-node").isEmpty());
        QVERIFY(log.contains("[OnlyReadOutput] Failed to open device!"));
        QVERIFY(transactionLockIsFree());
    }

    void passiveReadEndsWhenTheDeviceGoes()
    {
        SimMouseFixture sim;
        LogCapture log;
        std::thread unplug([&] {
            QThread::msleep(50);
            sim.bus->unplug(sim.device);
        });
        const QByteArray report = sim.mouse->OnlyReadOutput(sim.devpath());
        unplug.join();
        QCOMPARE(report, QByteArray(64, '\0'));
        QVERIFY(log.contains("[OnlyReadOutput] Read error:"));
        QVERIFY(log.contains("Device disconnected"));
        QCOMPARE(sim.bus->openHandles(), 0);
    }

    void passiveReadDoesNotHoldTheTransactionLock()
    {
        SimMouseFixture sim;
        std::thread listener([&] { sim.mouse->OnlyReadOutput(sim.devpath()); });
        QThread::msleep(30);
        // While the listener waits, the worker's commands still go through.
        DeviceSetup setup;
        setup.hid = sim.bus;
        DEV_MOUSE worker(setup);
        worker.product_id = 0x5036;
        QVERIFY(worker.Set_ECO_Mode(9, sim.devpath()));
        listener.join(); // the listener's handle saw the worker's answer and returned
        QCOMPARE(sim.state().live.mouse.ecoMinutes, uint8_t(9));
    }
};

QTEST_GUILESS_MAIN(TestMouseTransport)
#include "test_mouse_transport.moc"
