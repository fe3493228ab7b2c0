#include "devices/gpu/board_table.h"

#include <array>
#include <vector>

namespace {

// Class lists, checked in order 0 to 4. They are not the same set as the protocol table:
// some keys have a class but no protocol entry, and the other way round.
const std::array<std::vector<std::string>, 5> kClassLists = {{
    {"731F_CA", "731F_C4", "731F_C1"},
    {"73FF_C1", "73EF_C1"},
    {"73DF_C0", "73DF_C5", "73DF_C1", "73A5_C0", "73AF_C0", "73BF_C3", "73BF_C1", "73BF_C0"},
    {"744C_C8", "744C_CC", "73BF_D6", "73F0_F6", "747E_C8", "747E_FF"},
    {"746F_F0", "7550_C0", "7550_C3", "7550_C2"},
}};

} // namespace

std::map<std::string, int> buildProtocolTable()
{
    return {
        {"731F_CA", 1}, {"731F_C4", 1}, {"731F_C1", 1}, {"744C_C8", 0}, {"744C_CC", 0}, {"744C_CE", 0},
        {"73F0_F6", 0}, {"73BF_C0", 1}, {"73BF_C1", 1}, {"73BF_C3", 1}, {"73AF_C0", 1}, {"73A5_C0", 1},
        {"73DF_C1", 1}, {"74DF_C5", 1}, {"73DF_C0", 1}, {"73FF_C1", 1}, {"73EF_C1", 1}, {"747E_C8", 0},
        {"747E_FF", 0}, {"746F_F0", 0}, {"7550_C0", 0}, {"7550_C3", 0}, {"7550_C2", 0},
    };
}

std::string boardKey(const std::string& deviceId, const std::string& revisionId)
{
    return deviceId + "_" + revisionId;
}

int gpuClassFor(const std::string& key, int fallback)
{
    for (size_t i = 0; i < kClassLists.size(); ++i) {
        for (const std::string& listed : kClassLists[i]) {
            if (listed == key)
                return int(i);
        }
    }
    return fallback;
}
