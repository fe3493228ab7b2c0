#include "sim/mouse/demo_mouse.h"

#include "sim/mouse/sim_hid_backend.h"

std::shared_ptr<HidBackend> makeDemoMouseBackend()
{
    auto bus = std::make_shared<SimHidBackend>();
    bus->attach(SimLink::Receiver);
    // A receiver takes a few milliseconds to relay an answer from the mouse.
    bus->setAnswerDelay(2);
    return bus;
}
