#pragma once
// The HID backend of real hardware: hidapi's hidraw backend (Debian's libhidapi-hidraw).
#include "devices/mouse/hid_backend.h"

#include <mutex>

class HidapiBackend : public HidBackend {
public:
    HidapiBackend() = default;
    ~HidapiBackend() override;

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
    // hidapi's library-wide state (its initialisation and its last global error) is not
    // thread-safe: every call that touches it holds this lock. Reads and writes on a handle
    // do not, so the listener's blocking read never holds up the worker.
    std::mutex m_libraryLock;
    // Open handles of all threads. hid_exit is put off while any is open, so the discovery
    // of one thread never shuts the library down under another thread's handle.
    int m_openHandles = 0;
    bool m_exitPending = false;
    // Loads hidapi on first use (lock held); false when it cannot be loaded.
    bool useLibrary();

    // Whether hidapi has been used, so that there is library state to shut down.
    bool m_used = false;
};
