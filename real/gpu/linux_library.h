#pragma once
// Our GPU library for Linux: the interfaces the device code uses, over the machine's own
// interfaces -- the cards and their metrics from amdgpu's sysfs files, lighting over i2c-dev on
// the card's OEM bus. One per process; each initialise reads the cards afresh.
//
// Environment (read at each initialise that opens the first session):
//   TALVORIN_SYSFS_ROOT  the sysfs tree (devices/sysfs_root.h); device nodes beside it
//   TALVORIN_AMDGPU_IDS  the chip name table instead of libdrm's amdgpu.ids
#include "devices/gpu/library/library_backend.h"
#include "real/gpu/amdgpu_cards.h"

#include <QString>
#include <memory>
#include <mutex>
#include <vector>

struct LinuxMachine {
    QString sysfsRoot;
    QString deviceNodes; // where /dev/i2c-N are
    std::vector<std::shared_ptr<const AmdgpuCard>> cards;
};

class LinuxLibrary final : public AdlxLibraryBackend {
public:
    static LinuxLibrary& instance();

    ADLX_RESULT initialize(const char* entry, adlx_uint64 version, IADLXSystem** system) override;
    ADLX_RESULT terminate() override;
    void logCall(const QString&) override {}

    // The machine as the current session read it.
    std::shared_ptr<const LinuxMachine> machine();

private:
    LinuxLibrary() = default;
    const AmdgpuIds& idsAt(const QString& path);

    std::mutex m_mutex;
    int m_openSessions = 0;
    std::shared_ptr<const LinuxMachine> m_machine;
    QString m_idsPath;
    AmdgpuIds m_ids;
    bool m_idsLoaded = false;
};
