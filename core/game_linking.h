#pragma once
// Which mouse profile a program in the foreground asks for.
#include "core/game_info.h"

#include <optional>

// Profiles the mouse has on board.
constexpr int kFirstProfile = 1;
constexpr int kLastProfile = 5;

// The first linked record (in app-id order) whose install folder occurs in the cleaned
// executable path, compared without regard to case. Records that are not linked to a real
// profile (0 for a scanned or added program never linked) and records without an install
// folder take no part, so a match never asks the mouse for an invalid profile.
const GameInfo* findLinkedGame(const GameMap& games, const QString& executablePath);

// The profile-switch command for a launch, or nothing when the current profile already fits.
std::optional<int> profileSwitchFor(const GameMap& games, const QString& executablePath, int currentProfile);
