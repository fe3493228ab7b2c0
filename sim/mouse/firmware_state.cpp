#include "sim/mouse/firmware_state.h"

#include <algorithm>

namespace {

const std::array<std::array<uint8_t, 3>, 5> kProfileColours = {{
    {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {160, 0, 255},
}};

const uint16_t kStageResolutions[5] = {400, 800, 1600, 3200, 6400};
const std::array<std::array<uint8_t, 3>, 5> kStageColours = {{
    {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {255, 0, 255},
}};

} // namespace

SimProfileButtons factoryButtons()
{
    SimProfileButtons buttons;
    buttons.codes.fill(255); // every button does what it does by default
    buttons.codes[5] = 66;   // button 6 cycles the DPI stage
    return buttons;
}

SimLighting factoryLighting(int profile)
{
    SimLighting lighting{};
    lighting[0] = 8;
    const auto& colour = kProfileColours[size_t((profile - 1) % 5)];
    for (int area = 0; area < 3; ++area) {
        const size_t at = size_t(1 + 6 * area);
        lighting[at] = 1;       // single colour
        lighting[at + 1] = 128; // on
        lighting[at + 2] = 4;
        lighting[at + 3] = colour[0];
        lighting[at + 4] = colour[1];
        lighting[at + 5] = colour[2];
    }
    return lighting;
}

SimFirmwareState factoryFirmwareState()
{
    SimFirmwareState state;
    SimSettings& settings = state.live;
    for (int s = 0; s < 5; ++s) {
        SimDpiStage& stage = settings.mouse.stages[size_t(s)];
        stage.x = stage.y = kStageResolutions[s];
        stage.red = kStageColours[size_t(s)][0];
        stage.green = kStageColours[size_t(s)][1];
        stage.blue = kStageColours[size_t(s)][2];
    }
    for (int p = 0; p < 5; ++p) {
        settings.buttons[size_t(p)] = factoryButtons();
        settings.lighting[size_t(p)] = factoryLighting(p + 1);
    }
    const uint8_t uuid[16] = {0x3A, 0x91, 0x0C, 0x5E, 0x77, 0x12, 0x4B, 0xD0,
                              0x8F, 0x26, 0xE1, 0x03, 0x9C, 0x44, 0xB7, 0x6A};
    std::copy(uuid, uuid + 16, state.uuid.begin());
    state.saved = state.live;
    return state;
}
