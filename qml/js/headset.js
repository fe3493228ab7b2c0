.pragma library
.import "numbers.js" as Numbers
// Values of the headset page.

var PRESET_NAMES = ["Gaming", "Music", "Theater", "Voice"]
var FIRST_CUSTOM = 5
var LAST_CUSTOM = 7
var DTS_OFF = 8
var BAND_COUNT = 10
var BAND_MIN = -10
var BAND_MAX = 10
var BAND_LABELS = ["32", "64", "125", "250", "500", "1K", "2K", "4K", "8K", "16K"]

// Firmware tool answers ("Status").
var FW_READ_OK = 1
var FW_READ_FAIL = 2
var FW_HOLD_POWER = 3
var FW_PROGRESS = 4
var FW_SUCCESS = 5
var FW_POWER_TIMEOUT = 6
var FW_MAIN = 1
var FW_MICROPHONE = 2

function toInt(value, fallback) {
    return Numbers.toInt(value, fallback)
}

function isCustom(option) {
    return option >= FIRST_CUSTOM && option <= LAST_CUSTOM
}

function isOption(option) {
    return option >= 1 && option <= LAST_CUSTOM
}

// The seven names shown on the mode buttons; custom slots keep "Custom" until named.
function modeNames(answer) {
    var names = PRESET_NAMES.slice()
    for (var slot = 1; slot <= 3; ++slot) {
        var name = answer ? answer["custom" + slot + "_Name"] : undefined
        names.push(name !== undefined && String(name).length > 0 ? String(name) : "Custom")
    }
    return names
}

// The names as the buttons show them: slots still called "Custom" are told apart by number.
function modeLabels(names) {
    var labels = names.slice()
    for (var i = FIRST_CUSTOM - 1; i < labels.length; ++i)
        if (labels[i] === "Custom")
            labels[i] = "Custom " + (i - FIRST_CUSTOM + 2)
    return labels
}

function clampBand(value) {
    return Math.max(BAND_MIN, Math.min(BAND_MAX, toInt(value, 0)))
}

// The ten band gains of an answer; bands it does not carry keep their current value.
function bandsFromAnswer(answer, current) {
    var bands = []
    for (var i = 0; i < BAND_COUNT; ++i) {
        var value = answer["GEQ_Band" + i]
        bands.push(value === undefined ? current[i] : clampBand(value))
    }
    return bands
}

function flatBands() {
    var bands = []
    for (var i = 0; i < BAND_COUNT; ++i)
        bands.push(0)
    return bands
}

// Switch values as the device reports them (1 on, 0 or -1 off) and as the page sends them.
function switchOn(value) {
    return toInt(value, 0) > 0
}

function switchValue(on) {
    return on ? 1 : -1
}

// The option shown and whether DTS is on, from the opening answer.
function startState(answer) {
    var last = toInt(answer["getlastAction"], 0)
    var before = toInt(answer["beforeOFF"], 0)
    if (last === DTS_OFF)
        return { dtsOn: false, option: isOption(before) ? before : 1 }
    return { dtsOn: true, option: isOption(last) ? last : 1 }
}

// The percentage in a line of the flashing tool ("... 42% ..."); -1 when there is none.
function progressFromText(text) {
    var matches = String(text === undefined ? "" : text).match(/(\d{1,3})(?:\.\d+)?\s*%/g)
    if (!matches)
        return -1
    var value = parseInt(matches[matches.length - 1])
    return value >= 0 && value <= 100 ? value : -1
}
