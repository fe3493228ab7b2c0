#pragma once
// The cards whose lighting we drive, and how the GPU page groups them. A board key is the PCI
// device id, "_", the PCI revision id, as upper-case hex texts ("744C_CE").
#include <map>
#include <string>

// Board key -> lighting protocol type (which registers the lighting controller uses).
std::map<std::string, int> buildProtocolTable();

std::string boardKey(const std::string& deviceId, const std::string& revisionId);

// The card class the page shows for a board key: the first class list that holds the key;
// `fallback` for a key in none of them.
int gpuClassFor(const std::string& key, int fallback = 3);
