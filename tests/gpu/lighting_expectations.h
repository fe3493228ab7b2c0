#pragma once
// The register writes each lighting effect must cause, shared by the tests of both GPU
// libraries: the stand-in's trace and the Linux library's recorded I2C messages are each
// compared with these, so both are held to the same bytes.
#include "devices/gpu/dev_gpu.h"

#include <QList>
#include <QString>
#include <functional>

using Effect = std::function<int(DEV_GPU&, int gpu)>;

struct ExpectedWrite {
    int reg;
    QString bytes; // "C8 12 34" as upper-case hexadecimal
};

struct EffectCase {
    const char* name;
    Effect run; // brightness 200 (C8), speed slider 30, colour 12 34 56
    int modeCode;
    int wireSpeed;
    int stateMode;
};

inline QString hexByte(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

inline Effect effectOf(int (DEV_GPU::*method)(int, int, int, int, int, int))
{
    return [method](DEV_GPU& gpu, int index) { return (gpu.*method)(index, 200, 30, 0x12, 0x34, 0x56); };
}

inline QList<EffectCase> everyModeEffect()
{
    return {{"single colour", effectOf(&DEV_GPU::click_singleColor), 0x01, 70, 1},
            {"breathing", effectOf(&DEV_GPU::click_breathing), 0x02, 50, 2},
            {"blink", effectOf(&DEV_GPU::click_blink), 0x04, 70, 3},
            {"colour shift", effectOf(&DEV_GPU::click_colorShift), 0x06, 70, 5},
            {"meteor", effectOf(&DEV_GPU::click_meteor), 0x07, 70, 6},
            {"ripple", effectOf(&DEV_GPU::click_ripple), 0x08, 70, 7},
            {"seven colours", effectOf(&DEV_GPU::click_sevenColors), 0x09, 70, 8}};
}

// Mode reset, mode, both colour registers.
inline QList<ExpectedWrite> fourRegisterWrites(int colourA, int colourB, int modeCode, int brightness, int wireSpeed,
                                               const QString& colour)
{
    return {{0x04, QStringLiteral("00 00 00")},
            {0x01, hexByte(modeCode) + QLatin1Char(' ') + hexByte(brightness) + QLatin1Char(' ') + hexByte(wireSpeed)},
            {colourA, colour},
            {colourB, colour}};
}

// The colour registers of the two controller types.
constexpr int kType0ColourA = 0x30;
constexpr int kType0ColourB = 0x31;
constexpr int kType1ColourA = 0x0E;
constexpr int kType1ColourB = 0x0F;
