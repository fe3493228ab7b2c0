// The simulated mouse's own behaviour that the host code relies on: how it reads requests on
// each link, and the reports it sends by itself (the notification listener reads those).
#include "sim/mouse/sim_hid_backend.h"

#include <QtTest>

namespace {

std::vector<uint8_t> readOne(SimHidBackend& bus, HidDevice* handle, int timeoutMs = 50)
{
    std::vector<uint8_t> buffer(64, 0);
    const int n = bus.readTimeout(handle, buffer.data(), buffer.size(), timeoutMs);
    buffer.resize(size_t(std::max(n, 0)));
    return buffer;
}

std::vector<uint8_t> request(std::initializer_list<uint8_t> head)
{
    std::vector<uint8_t> report(65, 0);
    std::copy(head.begin(), head.end(), report.begin());
    return report;
}

} // namespace

class TestMouseSim : public QObject {
    Q_OBJECT
private slots:
    void framingOfEachLink()
    {
        SimHidBackend bus;
        const int receiver = bus.attach(SimLink::Receiver);
        const int bluetooth = bus.attach(SimLink::Bluetooth);
        HidDevice* r = bus.open(bus.vendorPath(receiver).c_str());
        HidDevice* b = bus.open(bus.vendorPath(bluetooth).c_str());

        const auto behindReportId = request({0x00, 0xC0, 0x12});
        QCOMPARE(bus.write(r, behindReportId.data(), behindReportId.size()), 65);
        std::vector<uint8_t> answer = readOne(bus, r);
        QCOMPARE(int(answer.size()), 64);
        QCOMPARE(answer[0], uint8_t(0xC0));
        QCOMPARE(answer[1], uint8_t(0x12));
        QCOMPARE(answer[4], bus.firmwareState().live.mouse.ecoMinutes);

        // The receiver reads nothing but report id 0; Bluetooth takes the frame from byte 0.
        const auto noReportId = request({0xC0, 0x12});
        bus.write(r, noReportId.data(), noReportId.size());
        QVERIFY(readOne(bus, r, 20).empty());
        bus.write(b, noReportId.data(), noReportId.size());
        QCOMPARE(readOne(bus, b)[1], uint8_t(0x12));

        // An all-zero report is no request at all.
        const std::vector<uint8_t> zeros(65, 0);
        bus.write(r, zeros.data(), zeros.size());
        QVERIFY(readOne(bus, r, 20).empty());
        bus.close(r);
        bus.close(b);
    }

    void ordinaryInterfaceTakesNoOutputReports()
    {
        SimHidBackend bus;
        const int device = bus.attach(SimLink::Cable);
        HidDevice* m = bus.open(bus.mousePath(device).c_str());
        QVERIFY(m);
        const auto frame = request({0x00, 0x40, 0x03, 0x01, 0x00, 0x02});
        QCOMPARE(bus.write(m, frame.data(), frame.size()), -1);
        QVERIFY(!bus.error(m).isEmpty());
        QCOMPARE(bus.ordinaryInterfaceWrites(device), 1);
        QCOMPARE(bus.firmwareState().live.mouse.profile, uint8_t(1));
        bus.close(m);
    }

    void enumerationListsBothInterfacesOfPluggedDevices()
    {
        SimHidBackend bus;
        const int receiver = bus.attach(SimLink::Receiver);
        bus.attach(SimLink::UpdateMouse);
        QCOMPARE(int(bus.enumerate(0, 0).size()), 4);
        const auto onlyReceiver = bus.enumerate(0x2DBF, 0x5036);
        QCOMPARE(int(onlyReceiver.size()), 2);
        QCOMPARE(onlyReceiver[0].usagePage, uint16_t(0x0001));
        QCOMPARE(onlyReceiver[1].usagePage, uint16_t(0xFF00));
        QCOMPARE(int(bus.enumerate(0x1FC9, 0).size()), 2);
        bus.unplug(receiver);
        QCOMPARE(int(bus.enumerate(0, 0).size()), 2);
        QVERIFY(!bus.open(bus.vendorPath(receiver).c_str()));
    }

    void notificationsReachEveryOpenHandle()
    {
        SimHidBackend bus;
        const int device = bus.attach(SimLink::Receiver);
        HidDevice* listener = bus.open(bus.vendorPath(device).c_str());
        HidDevice* other = bus.open(bus.vendorPath(device).c_str());
        bus.sendBatteryNotification(device, 15, 1);
        for (HidDevice* handle : {listener, other}) {
            const std::vector<uint8_t> report = readOne(bus, handle);
            QCOMPARE(report[0], uint8_t(0xC0));
            QCOMPARE(report[1], uint8_t(0x0A));
            QCOMPARE(report[2], uint8_t(0x09));
            QCOMPARE(report[5], uint8_t(15));
            QCOMPARE(report[6], uint8_t(1));
        }
        QCOMPARE(bus.firmwareState().batteryPercent, uint8_t(15));
        bus.sendErrorReport(device);
        const std::vector<uint8_t> error = readOne(bus, listener);
        QCOMPARE((std::vector<uint8_t>(error.begin(), error.begin() + 5)), (std::vector<uint8_t>{0xC0, 0x09, 0x01, 0x00, 0xDD}));
        bus.close(listener);
        bus.close(other);

        // Sent while nobody listened: waits for the next handle.
        bus.sendButtonEvent(device, 12, 0xB0);
        HidDevice* later = bus.open(bus.vendorPath(device).c_str());
        const std::vector<uint8_t> event = readOne(bus, later);
        QCOMPARE(event[1], uint8_t(0x07));
        QCOMPARE(event[12], uint8_t(0xB0));
        bus.close(later);
    }

    void buttonPressesReportWhatTheFirmwareDid()
    {
        SimHidBackend bus;
        const int device = bus.attach(SimLink::Bluetooth);
        bus.modifyFirmware([](SimFirmwareState& s) {
            SimProfileButtons& b = s.live.buttons[0];
            b.codes[0] = 65;        // button 1 cycles the profile
            b.codes[6] = 64;        // button 7 is re-defined ...
            b.redefined[18] = 2;    // ... as a launch button
        });
        HidDevice* listener = bus.open(bus.vendorPath(device).c_str());

        QVERIFY(bus.pressButton(device, 6)); // factory: DPI cycle
        std::vector<uint8_t> report = readOne(bus, listener);
        QCOMPARE(report[10], uint8_t(0x47));
        QCOMPARE(bus.firmwareState().live.mouse.dpiStage, uint8_t(2));

        QVERIFY(bus.pressButton(device, 7));
        QCOMPARE(readOne(bus, listener)[11], uint8_t(0xB0));

        QVERIFY(bus.pressButton(device, 1));
        report = readOne(bus, listener);
        QCOMPARE(report[4], uint8_t(0x41));
        QCOMPARE(bus.firmwareState().live.mouse.profile, uint8_t(2));

        QVERIFY(!bus.pressButton(device, 2)); // a plain button reports nothing here
        QVERIFY(readOne(bus, listener, 10).empty());
        bus.close(listener);
    }

    void answersArriveAfterTheDelay()
    {
        SimHidBackend bus;
        const int device = bus.attach(SimLink::Cable);
        bus.setAnswerDelay(40);
        HidDevice* h = bus.open(bus.vendorPath(device).c_str());
        const auto frame = request({0x00, 0xC0, 0x0A});
        bus.write(h, frame.data(), frame.size());
        QVERIFY(readOne(bus, h, 5).empty());
        QCOMPARE(readOne(bus, h, 200)[1], uint8_t(0x0A));
        bus.close(h);
    }

    void refusedRequestsLeaveTheStateAlone()
    {
        SimHidBackend bus;
        const int device = bus.attach(SimLink::Cable);
        HidDevice* h = bus.open(bus.vendorPath(device).c_str());
        const SimFirmwareState before = bus.firmwareState();
        // A save without its 0x40 0x38 prefix, a reset without the confirmation, a DPI table
        // with a zero resolution in a stage in use.
        for (const auto& frame : {request({0x00, 0x40, 0x60, 0x07, 0x00, 0x41, 0x38, 1}),
                                  request({0x00, 0x40, 0x62, 0x08, 0x01, 1, 2, 3, 4, 5, 6, 7, 8}),
                                  request({0x00, 0x40, 0x06, 0x25, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x90, 0x01})}) {
            bus.write(h, frame.data(), frame.size());
            QCOMPARE(readOne(bus, h)[5], uint8_t(0xFA));
        }
        QCOMPARE(bus.firmwareState().saveCount, before.saveCount);
        QCOMPARE(bus.firmwareState().live.mouse.dpiQuantity, before.live.mouse.dpiQuantity);
        bus.close(h);
    }
};

QTEST_GUILESS_MAIN(TestMouseSim)
#include "test_mouse_sim.moc"
