#pragma once
// The mouse of the demo (TALVORIN_DEVICES=virtual): the simulated mouse behind its receiver.
#include "devices/mouse/hid_backend.h"

#include <memory>

std::shared_ptr<HidBackend> makeDemoMouseBackend();
