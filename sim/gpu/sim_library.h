#pragma once
// The stand-in library's state, one per process: the cards of the description, each card's
// lighting controller and metric samples, the open sessions, and the optional logs.
//
// The state lives as long as the process (the library is linked so that unloading it does not
// unmap it), the way a card keeps its lighting while no program talks to it. Each initialise
// that starts from no open session reads the description again; an unchanged description keeps
// the cards as they are, a changed one replaces them.
//
// Environment:
//   TALVORIN_ADLX_SIM_CARDS  the description file (see sim_description.h); the built-in demo
//                            cards when unset
//   TALVORIN_ADLX_SIM_TRACE  file that gets one line per I2C transfer
//   TALVORIN_ADLX_SIM_CALLS  file that gets one line per entry-point call
#include "devices/gpu/adlx_interfaces.h"
#include "devices/gpu/library/library_backend.h"
#include "sim/gpu/lighting_controller.h"
#include "sim/gpu/sim_description.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <mutex>
#include <set>
#include <vector>

struct SimCardState {
    LightingController controller;
    uint64_t samples = 0;
    uint32_t noise = 0x9E3779B9u;
};

struct SimMetricSample {
    std::array<double, kSimMetricCount> values{};
};

class SimLibrary final : public AdlxLibraryBackend {
public:
    static SimLibrary& instance();

    // Entry points (each takes the lock itself).
    ADLX_RESULT initialize(const char* entry, adlx_uint64 version, IADLXSystem** system) override;
    ADLX_RESULT terminate() override;
    void logCall(const QString& line) override;

    // Everything below expects the caller to hold mutex().
    std::mutex& mutex() { return m_mutex; }
    // Objects belong to the session generation they were made in; after the last terminate
    // they answer ADLX_FAIL.
    bool alive(uint64_t generation) const { return m_openSessions > 0 && generation == m_generation; }
    uint64_t generation() const { return m_generation; }
    int cardCount() const { return int(m_description.cards.size()); }
    const SimCard& card(int index) const { return m_description.cards[size_t(index)]; }
    SimCardState& cardState(int index) { return m_cards[size_t(index)]; }
    // The code a method answers with: the card's own, else the library-wide one, else 0.
    int code(int cardIndex, const char* method) const;
    SimMetricSample takeSample(int cardIndex);
    void traceTransfer(const char* kind, int cardIndex, int line, int speed, int address, int reg,
                       const uint8_t* data, int size, int code);

    // Which card a GPU object stands for (-1 for a pointer that is not a live GPU object).
    void addGpuObject(const IADLXGPU* gpu, int cardIndex);
    void removeGpuObject(const IADLXGPU* gpu);
    int cardOf(const IADLXGPU* gpu) const;

private:
    SimLibrary() = default;
    bool loadDescription();

    std::mutex m_mutex;
    QByteArray m_descriptionBytes;
    SimDescription m_description;
    std::vector<SimCardState> m_cards;
    int m_openSessions = 0;
    uint64_t m_generation = 1;
    std::vector<std::pair<const IADLXGPU*, int>> m_gpuObjects;
};
