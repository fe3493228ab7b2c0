#pragma once
// The virtual HID bus of the mouse: the simulated mouse behind its 2.4 GHz receiver, its
// cable or its Bluetooth link, and the two firmware-update modes, each device with an
// ordinary mouse interface and a vendor interface (usage page 0xFF00) that takes commands.
//
// Like hidraw, every open handle of an interface receives its own copy of each input report
// the device sends, answers included; a report that arrives while no handle is open waits
// for the next one. Faults are injected per device and hit the next requests in order.
// Thread-safe: the worker and the listener may use it at the same time.
#include "devices/mouse/hid_backend.h"
#include "sim/mouse/mouse_firmware.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

enum class SimLink { Receiver, Cable, Bluetooth, UpdateDongle, UpdateMouse, Foreign };

enum class SimAnswerFault {
    None,          // this request is answered as usual (to aim a fault at a later one)
    NoAnswer,      // the request is taken, nothing comes back
    ShortAnswer,   // only the first bytes of the answer come back
    WrongEcho,     // byte 1 of the answer no longer echoes the command
    BusyMarker,    // 0xFA at answer byte 5
    NoMouseMarker, // 0xFF at answer byte 4
    ReadError,     // the read that should fetch the answer fails
};

class SimHidBackend : public HidBackend {
public:
    SimHidBackend();
    ~SimHidBackend() override;

    // Mice and the links they are reached through. Mouse 0 exists from the start.
    int addMouse(SimFirmwareState state = factoryFirmwareState());
    int attach(SimLink link, int mouse = 0);
    // Another maker's device with a vendor page of its own: it never answers our frames.
    int attachForeign(uint16_t vendorId, uint16_t productId);
    void unplug(int device);
    void replug(int device);
    // The receiver with its mouse out of range (or off): it answers every request itself,
    // with 0xFF at byte 4 and 0xFA at byte 5.
    void setMouseLinked(int device, bool linked);
    std::string vendorPath(int device) const;
    std::string mousePath(int device) const;

    SimFirmwareState firmwareState(int mouse = 0) const;
    void modifyFirmware(const std::function<void(SimFirmwareState&)>& change, int mouse = 0);
    void powerCycle(int mouse = 0);

    // Faults.
    void queueAnswerFault(int device, SimAnswerFault fault, int count = 1, int shortLength = 20);
    void failNextOpens(int device, int count = 1);
    void failNextWrites(int device, int count = 1);
    // The device disappears when the handle of its n-th exchange from now is closed.
    void unplugAfterExchanges(int device, int exchanges);
    void setAnswerDelay(int milliseconds);
    void setInitFails(bool fails);

    // Input reports the device sends on its own.
    void queueInputReport(int device, const std::vector<uint8_t>& report);
    // Leftovers of earlier exchanges, waiting for whoever opens the vendor interface next.
    void queueStaleReports(int device, int count);
    void sendBatteryNotification(int device, uint8_t percent, uint8_t charging);
    void sendButtonEvent(int device, int position, uint8_t code);
    void sendErrorReport(int device);
    // A press of button 1..9 of the mouse behind the device: true when it sent an event.
    bool pressButton(int device, int button);

    // What the host did.
    std::vector<std::vector<uint8_t>> writes(int device) const;
    int ordinaryInterfaceWrites(int device) const;
    void clearWrites();
    int openHandles() const;
    int exitCalls() const;

    int init() override;
    std::vector<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidDevice* open(const char* path) override;
    int write(HidDevice* device, const uint8_t* data, size_t length) override;
    int readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds) override;
    int read(HidDevice* device, uint8_t* data, size_t length) override;
    int readUntilWoken(HidDevice* device, uint8_t* data, size_t length, const platform::WakeSignal& wake) override;
    QString error(HidDevice* device) override;
    void close(HidDevice* device) override;
    int exit() override;

private:
    struct PendingFault {
        SimAnswerFault fault;
        int shortLength;
    };
    struct Device {
        SimLink link;
        int mouse = 0;
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        int busType = 1;
        int firstInterfaceNumber = 0;
        QString manufacturer;
        QString product;
        QString serial;
        std::string mousePath;
        std::string vendorPath;
        bool plugged = true;
        bool mouseLinked = true;
        std::deque<PendingFault> faults;
        int failOpens = 0;
        int failWrites = 0;
        int unplugAfter = 0;
        bool unplugPending = false;
        std::deque<std::vector<uint8_t>> held;
        std::vector<std::vector<uint8_t>> writes;
        int ordinaryWrites = 0;
    };
    class Handle;
    using Clock = std::chrono::steady_clock;

    int addDevice(Device device);
    Device& deviceAt(int device);
    const Device& deviceAt(int device) const;
    std::optional<SimReport> answerFor(Device& device, const uint8_t* data, size_t length);
    void applyFault(Device& device, Handle& writer, std::optional<SimReport>& answer, std::vector<uint8_t>& bytes);
    // Gives a report to every open handle of the device's vendor interface; with none open
    // and `holdIfUnheard`, keeps it for the next one.
    void deliver(int device, const std::vector<uint8_t>& report, bool holdIfUnheard);
    int readUntil(HidDevice* device, uint8_t* data, size_t length, std::optional<Clock::time_point> deadline);
    // With the lock held: a report that is due (bytes), a failure (-1), or 0 with the time the
    // next queued report becomes due left in `nextVisible` (unchanged when none is queued).
    int takeReport(Handle& handle, uint8_t* data, size_t length, Clock::time_point* nextVisible);
    // With the lock held: wakes every read that sleeps on a handle.
    void raiseArrivals();

    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<MouseFirmware> m_mice;
    std::vector<Device> m_devices;
    std::vector<Handle*> m_open;
    int m_nextNode = 0;
    int m_answerDelayMs = 0;
    bool m_initFails = false;
    bool m_closing = false;
    int m_exitCalls = 0;
    QString m_lastError;
};
