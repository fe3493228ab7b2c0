#pragma once
// The lighting effects the graphics cards and the mouse share, under one name each: what the
// command line and the "All devices" panel offer, and the number each device family gives it.
#include <QString>
#include <QVector>

struct SharedLightingEffect {
    QString key;         // command-line name: "single-color", "breathing", ... "off"
    QString displayName; // "Single Color", ...
    int gpuMode;         // the GPU page's selectedMode; 0: the cards lack it; -1: lighting off
    int mouseMode;       // the mouse's ARGB_mode; 0: the mouse lacks it; -1: lighting off
};

// Every effect, "off" last.
const QVector<SharedLightingEffect>& lightingEffects();
// The effect of that command-line name, or nullptr.
const SharedLightingEffect* lightingEffectByKey(const QString& key);
// The keys joined with ", " for help and error texts.
QString lightingEffectKeys();
