.pragma library
// How a lighting effect looks at a moment of its cycle, for the previews of the graphics card
// and the mouse. Effects are named by the card's mode numbers; phase runs from 0 to 1.

var SINGLE = 1
var METEOR = 2
var BREATHING = 3
var RIPPLE = 4
var DOUBLE_BLINK = 5
var BLINK = 6
var COLOR_SHIFT = 7
var RAINBOW = 8

// The mouse numbers its effects in another order ("Single Color", "Breathing", "Meteor",
// "Ripple", "Blink", "Double Blink", "Color Shift", "Rainbow").
var FROM_MOUSE = [0, SINGLE, BREATHING, METEOR, RIPPLE, BLINK, DOUBLE_BLINK, COLOR_SHIFT, RAINBOW]

function fromMouseEffect(mode) {
    return mode >= 1 && mode < FROM_MOUSE.length ? FROM_MOUSE[mode] : SINGLE
}

function cycles(effect) {
    return effect !== SINGLE
}

// Whether the effect shows the chosen colour (the others run through every hue).
function usesColor(effect) {
    return effect !== COLOR_SHIFT && effect !== RAINBOW
}

// How bright the light is, 0 to 1, at this moment of the effect.
function glow(effect, phase) {
    switch (effect) {
    case BREATHING: return 0.15 + 0.85 * Math.abs(Math.sin(phase * Math.PI))
    case DOUBLE_BLINK:
        var part = phase % 0.5
        return part < 0.12 ? 1 : (part < 0.24 ? 0.15 : (part < 0.36 ? 1 : 0.15))
    case BLINK: return phase < 0.5 ? 1 : 0.1
    default: return 1
    }
}

// Where along the light the colour is strongest, 0 to 1 (the meteor and the ripple travel).
function peakPosition(effect, phase) {
    return effect === METEOR || effect === RIPPLE ? Math.max(0.05, Math.min(0.95, phase)) : 0.5
}

// The hue shown at a point (0 to 1) along the light; -1 when the chosen colour is shown.
function hueAt(effect, phase, position) {
    if (effect === COLOR_SHIFT)
        return phase
    if (effect === RAINBOW)
        return (phase + position) % 1
    return -1
}
