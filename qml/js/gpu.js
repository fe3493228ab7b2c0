.pragma library
.import "numbers.js" as Numbers
// Values and conversions of the graphics card page.

var MODE_NAMES = ["Single Color", "Meteor", "Breathing", "Ripple", "Double Blink", "Blink", "Color Shift", "Rainbow"]
var MODE_SINGLE = 1
var MODE_COLOR_SHIFT = 7
var MODE_RAINBOW = 8
var SYNC_ON = 9
var SYNC_OFF = 10
var GET_INFO = 11
var ADD_FAVORITE = 13
var REMOVE_FAVORITE = 14
var GET_FAVORITES = 15
var MAX_FAVORITES = 7
var BRIGHTNESS_MAX = 255
var SPEED_MAX = 80

function toInt(value, fallback) {
    return Numbers.toInt(value, fallback)
}

function clamp(value, low, high) {
    return Math.max(low, Math.min(high, value))
}

function defaultState() {
    return { mode: MODE_SINGLE, r: 255, g: 0, b: 0, brightness: BRIGHTNESS_MAX, speed: SPEED_MAX, on: true, sync: false }
}

function isLightingMode(mode) {
    return mode >= 1 && mode <= 8
}

// The page's state from the last saved lighting command; red, full brightness, speed 80 and
// single colour when nothing was saved or it belongs to another card.
function restoreState(lastAction, gpuIndex) {
    var state = defaultState()
    if (!lastAction || typeof lastAction !== "object")
        return state
    var savedIndex = toInt(lastAction["gpuIndex"], -1)
    if (savedIndex >= 0 && savedIndex !== gpuIndex)
        return state
    var selected = toInt(lastAction["selectedMode"], 0)
    var kept = toInt(lastAction["mode"], 0)
    if (isLightingMode(selected))
        state.mode = selected
    else if (isLightingMode(kept))
        state.mode = kept
    state.sync = selected === SYNC_ON
    state.r = clamp(toInt(lastAction["r_color"], state.r), 0, 255)
    state.g = clamp(toInt(lastAction["g_color"], state.g), 0, 255)
    state.b = clamp(toInt(lastAction["b_color"], state.b), 0, 255)
    state.brightness = clamp(toInt(lastAction["brightness_value"], state.brightness), 0, BRIGHTNESS_MAX)
    state.speed = clamp(toInt(lastAction["speed_value"], state.speed), 0, SPEED_MAX)
    state.on = toInt(lastAction["on_off"], 1) !== 0
    return state
}

// The state a lighting answer stands for, starting from the page's current state.
function stateFromAnswer(answer, current) {
    var state = {}
    for (var key in current)
        state[key] = current[key]
    var selected = toInt(answer["selectedMode"], 0)
    if (toInt(answer["on_off"], 1) === 0) {
        state.on = false
    } else if (isLightingMode(selected)) {
        state.on = true
        state.mode = selected
    }
    if (selected === SYNC_ON)
        state.sync = true
    else if (selected === SYNC_OFF)
        state.sync = false
    if (isLightingMode(selected) || toInt(answer["on_off"], 1) === 0) {
        state.r = clamp(toInt(answer["r_color"], state.r), 0, 255)
        state.g = clamp(toInt(answer["g_color"], state.g), 0, 255)
        state.b = clamp(toInt(answer["b_color"], state.b), 0, 255)
        state.brightness = clamp(toInt(answer["brightness_value"], state.brightness), 0, BRIGHTNESS_MAX)
        state.speed = clamp(toInt(answer["speed_value"], state.speed), 0, SPEED_MAX)
    }
    return state
}

function twoHex(n) {
    var text = clamp(n, 0, 255).toString(16).toUpperCase()
    return text.length < 2 ? "0" + text : text
}

function toHex(r, g, b) {
    return "#" + twoHex(r) + twoHex(g) + twoHex(b)
}

// "FF8000", "#ff8000" -> {r, g, b}; anything else -> null.
function parseHex(text) {
    var match = /^#?([0-9a-fA-F]{6})$/.exec(String(text).trim())
    if (!match)
        return null
    var value = parseInt(match[1], 16)
    return { r: (value >> 16) & 255, g: (value >> 8) & 255, b: value & 255 }
}

// A metric range "min_max"; the fallback when it is missing or broken.
function parseRange(text, fallbackMax) {
    var parts = String(text === undefined ? "" : text).split("_")
    var low = parts.length === 2 ? parseInt(parts[0]) : NaN
    var high = parts.length === 2 ? parseInt(parts[1]) : NaN
    if (isNaN(low) || isNaN(high) || high <= low)
        return { min: 0, max: fallbackMax }
    return { min: low, max: high }
}

function gaugeFraction(value, range) {
    var v = parseFloat(value)
    if (isNaN(v))
        return 0
    return clamp((v - range.min) / (range.max - range.min), 0, 1)
}

function usesColor(mode) {
    return mode !== MODE_COLOR_SHIFT && mode !== MODE_RAINBOW
}

function usesSpeed(mode) {
    return mode !== MODE_SINGLE
}

// Its list number, a space and the mode's display name.
function favoriteName(position, mode) {
    return position + " " + MODE_NAMES[clamp(mode, 1, 8) - 1]
}

function favoriteFromState(state, position, gpuIndex, iconSource) {
    return {
        "Control": 1,
        "selectedMode": ADD_FAVORITE,
        "mode": state.mode,
        "name": favoriteName(position, state.mode),
        "gpuIndex": gpuIndex,
        "iconSource": iconSource,
        "brightness": state.brightness,
        "speed": state.speed,
        "r_color": state.r,
        "g_color": state.g,
        "b_color": state.b,
        "hexColor": toHex(state.r, state.g, state.b),
        "on_off": 1
    }
}

function stateFromFavorite(favorite, current) {
    var state = {}
    for (var key in current)
        state[key] = current[key]
    state.mode = clamp(toInt(favorite["mode"], MODE_SINGLE), 1, 8)
    state.r = clamp(toInt(favorite["r_color"], 255), 0, 255)
    state.g = clamp(toInt(favorite["g_color"], 0), 0, 255)
    state.b = clamp(toInt(favorite["b_color"], 0), 0, 255)
    state.brightness = clamp(toInt(favorite["brightness"], BRIGHTNESS_MAX), 0, BRIGHTNESS_MAX)
    state.speed = clamp(toInt(favorite["speed"], SPEED_MAX), 0, SPEED_MAX)
    state.on = true
    return state
}

// Hue (0..1), saturation and value of an RGB colour, for placing the picker's markers.
function rgbToHsv(r, g, b) {
    var rn = r / 255, gn = g / 255, bn = b / 255
    var max = Math.max(rn, gn, bn), min = Math.min(rn, gn, bn)
    var d = max - min
    var h = 0
    if (d > 0) {
        if (max === rn) h = ((gn - bn) / d) % 6
        else if (max === gn) h = (bn - rn) / d + 2
        else h = (rn - gn) / d + 4
        h /= 6
        if (h < 0) h += 1
    }
    return { h: h, s: max === 0 ? 0 : d / max, v: max }
}

function hsvToRgb(h, s, v) {
    var i = Math.floor(h * 6) % 6
    var f = h * 6 - Math.floor(h * 6)
    var p = v * (1 - s), q = v * (1 - f * s), t = v * (1 - (1 - f) * s)
    var rgb = [[v, t, p], [q, v, p], [p, v, t], [p, q, v], [t, p, v], [v, p, q]][i]
    return { r: Math.round(rgb[0] * 255), g: Math.round(rgb[1] * 255), b: Math.round(rgb[2] * 255) }
}
