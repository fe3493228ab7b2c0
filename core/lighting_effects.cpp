#include "core/lighting_effects.h"

#include <QStringList>

const QVector<SharedLightingEffect>& lightingEffects()
{
    // The cards number their effects in the GPU page's order, the mouse in its firmware's.
    static const QVector<SharedLightingEffect> effects{
        {QStringLiteral("single-color"), QStringLiteral("Single Color"), 1, 1},
        {QStringLiteral("meteor"), QStringLiteral("Meteor"), 2, 3},
        {QStringLiteral("breathing"), QStringLiteral("Breathing"), 3, 2},
        {QStringLiteral("ripple"), QStringLiteral("Ripple"), 4, 4},
        {QStringLiteral("double-blink"), QStringLiteral("Double Blink"), 5, 6},
        {QStringLiteral("blink"), QStringLiteral("Blink"), 6, 5},
        {QStringLiteral("color-shift"), QStringLiteral("Color Shift"), 7, 7},
        {QStringLiteral("rainbow"), QStringLiteral("Rainbow"), 8, 8},
        {QStringLiteral("off"), QStringLiteral("Off"), -1, -1},
    };
    return effects;
}

const SharedLightingEffect* lightingEffectByKey(const QString& key)
{
    for (const SharedLightingEffect& effect : lightingEffects())
        if (effect.key == key)
            return &effect;
    return nullptr;
}

QString lightingEffectKeys()
{
    QStringList keys;
    for (const SharedLightingEffect& effect : lightingEffects())
        keys << effect.key;
    return keys.join(QStringLiteral(", "));
}
