#pragma once
// The sound options of the headset page and the DTS operating modes they select.
#include <QString>
#include <optional>
#include <string>

struct HeadsetOption {
    int option = 0;
    std::wstring modeName; // matched by containment against the component's mode names
    QString displayName;   // "APO4-Operating Mode" of the answer; custom slots use their own name
};

// 1 Gaming, 2 Music, 3 Theater, 4 Voice, 5..7 the custom slots, 8 processing off.
std::optional<HeadsetOption> headsetOptionFor(int option);
bool isCustomSlot(int option);
// Slot 5, 6, 7 -> 1, 2, 3 (the number in "custom1_Name" ...).
int customSlotNumber(int option);
// The display name of the option whose mode name the component's mode name contains.
QString displayNameForMode(const std::wstring& componentModeName);

// Mode names used directly.
inline const std::wstring kModeOff = L"APO4-Off";
inline const std::wstring kModeCustom = L"APO4-Custom";
inline const std::wstring kModeMusic = L"music";
