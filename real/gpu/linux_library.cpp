#include "real/gpu/linux_library.h"

#include "devices/sysfs_root.h"
#include "real/gpu/linux_objects.h"

AdlxLibraryBackend& adlxLibraryBackend()
{
    return LinuxLibrary::instance();
}

LinuxLibrary& LinuxLibrary::instance()
{
    static LinuxLibrary library;
    return library;
}

// The table has a few thousand lines: read once per process and path, not once per sample.
const AmdgpuIds& LinuxLibrary::idsAt(const QString& path)
{
    if (!m_idsLoaded || path != m_idsPath) {
        m_ids = AmdgpuIds::load(path);
        m_idsPath = path;
        m_idsLoaded = true;
    }
    return m_ids;
}

ADLX_RESULT LinuxLibrary::initialize(const char*, adlx_uint64, IADLXSystem** system)
{
    if (!system)
        return ADLX_FAIL;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_openSessions == 0) {
        const QString idsOverride = qEnvironmentVariable("TALVORIN_AMDGPU_IDS");
        auto machine = std::make_shared<LinuxMachine>();
        machine->sysfsRoot = sysfsRootFromEnvironment();
        machine->deviceNodes = deviceNodeRoot(machine->sysfsRoot);
        const AmdgpuIds& ids = idsAt(idsOverride.isEmpty() ? AmdgpuIds::defaultPath() : idsOverride);
        for (const AmdgpuCard& card : findAmdgpuCards(machine->sysfsRoot, ids))
            machine->cards.push_back(std::make_shared<const AmdgpuCard>(card));
        m_machine = machine;
    }
    ++m_openSessions;
    *system = linuxSystem();
    return m_openSessions > 1 ? ADLX_ALREADY_INITIALIZED : ADLX_OK;
}

ADLX_RESULT LinuxLibrary::terminate()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_openSessions > 0 && --m_openSessions == 0)
        m_machine.reset();
    return ADLX_OK;
}

std::shared_ptr<const LinuxMachine> LinuxLibrary::machine()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_machine;
}
