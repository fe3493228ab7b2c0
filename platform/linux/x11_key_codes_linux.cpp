#include "platform/linux/x11_key_codes.h"

#include <X11/keysym.h>

#include <iterator>

namespace platform {

namespace {

struct KeysymPair {
    unsigned long keysym;
    int virtualKey;
};

// Keys outside the letter, digit and function-key runs. Where two keysyms share a code, the
// first is the one pressed for it.
const KeysymPair kNamedKeys[] = {
    {XK_BackSpace, 0x08}, {XK_Tab, 0x09}, {XK_ISO_Left_Tab, 0x09}, {XK_Return, 0x0D},
    {XK_KP_Enter, 0x0D}, {XK_Pause, 0x13}, {XK_Caps_Lock, 0x14}, {XK_Escape, 0x1B},
    {XK_space, 0x20}, {XK_Prior, 0x21}, {XK_Next, 0x22}, {XK_End, 0x23}, {XK_Home, 0x24},
    {XK_Left, 0x25}, {XK_Up, 0x26}, {XK_Right, 0x27}, {XK_Down, 0x28}, {XK_Print, 0x2C},
    {XK_Insert, 0x2D}, {XK_Delete, 0x2E}, {XK_Super_L, 0x5B}, {XK_Super_R, 0x5C},
    {XK_Menu, 0x5D}, {XK_KP_Multiply, 0x6A}, {XK_KP_Add, 0x6B}, {XK_KP_Subtract, 0x6D},
    {XK_KP_Decimal, 0x6E}, {XK_KP_Divide, 0x6F}, {XK_Num_Lock, 0x90}, {XK_Scroll_Lock, 0x91},
    {XK_Shift_L, 0xA0}, {XK_Shift_R, 0xA1}, {XK_Control_L, 0xA2}, {XK_Control_R, 0xA3},
    {XK_Alt_L, 0xA4}, {XK_Alt_R, 0xA5}, {XK_ISO_Level3_Shift, 0xA5}, {XK_semicolon, 0xBA},
    {XK_equal, 0xBB}, {XK_comma, 0xBC}, {XK_minus, 0xBD}, {XK_period, 0xBE},
    {XK_slash, 0xBF}, {XK_grave, 0xC0}, {XK_bracketleft, 0xDB}, {XK_backslash, 0xDC},
    {XK_bracketright, 0xDD}, {XK_apostrophe, 0xDE}, {XK_less, 0xE2},
    // The side-neutral codes, pressed as the left key.
    {XK_Shift_L, 0x10}, {XK_Control_L, 0x11}, {XK_Alt_L, 0x12},
};

// Linux input codes of the 0xE0-prefixed keys and their set-1 codes without the prefix.
const int kExtendedScanCodes[][2] = {
    {96, 28},  {97, 29},  {98, 53},  {99, 55},  {100, 56}, {102, 71}, {103, 72},
    {104, 73}, {105, 75}, {106, 77}, {107, 79}, {108, 80}, {109, 81}, {110, 82},
    {111, 83}, {125, 91}, {126, 92}, {127, 93},
};

int virtualKeyFromKeysym(unsigned long keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return 0x41 + int(keysym - XK_a);
    if (keysym >= XK_A && keysym <= XK_Z)
        return 0x41 + int(keysym - XK_A);
    if (keysym >= XK_0 && keysym <= XK_9)
        return 0x30 + int(keysym - XK_0);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return 0x60 + int(keysym - XK_KP_0);
    if (keysym >= XK_F1 && keysym <= XK_F24)
        return 0x70 + int(keysym - XK_F1);
    for (const KeysymPair& pair : kNamedKeys) {
        if (pair.keysym == keysym)
            return pair.virtualKey;
    }
    return 0;
}

bool isNumberPadDigit(unsigned long keysym)
{
    return (keysym >= XK_KP_0 && keysym <= XK_KP_9) || keysym == XK_KP_Decimal;
}

} // namespace

int virtualKeyFromKeysyms(unsigned long level0, unsigned long level1)
{
    // Number-pad keys are taken with Num Lock on, as their digits.
    if (isNumberPadDigit(level1))
        return virtualKeyFromKeysym(level1);
    return virtualKeyFromKeysym(level0);
}

unsigned long keysymFromVirtualKey(int virtualKey)
{
    if (virtualKey >= 0x41 && virtualKey <= 0x5A)
        return XK_a + unsigned(virtualKey - 0x41);
    if (virtualKey >= 0x30 && virtualKey <= 0x39)
        return XK_0 + unsigned(virtualKey - 0x30);
    if (virtualKey >= 0x60 && virtualKey <= 0x69)
        return XK_KP_0 + unsigned(virtualKey - 0x60);
    if (virtualKey >= 0x70 && virtualKey <= 0x87)
        return XK_F1 + unsigned(virtualKey - 0x70);
    for (const KeysymPair& pair : kNamedKeys) {
        if (pair.virtualKey == virtualKey)
            return pair.keysym;
    }
    return 0;
}

int scanCodeFromX11Keycode(int keycode)
{
    const int inputCode = keycode - 8;
    for (const auto& pair : kExtendedScanCodes) {
        if (pair[0] == inputCode)
            return pair[1];
    }
    return inputCode;
}

} // namespace platform
