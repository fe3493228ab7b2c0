.pragma library
.import "numbers.js" as Numbers
// Values of the mouse page: what the mouse's answers mean for the page, and the command maps
// the page sends for each setting.

var PROFILE_COUNT = 5
var STAGE_COUNT = 5
var DPI_MIN = 100
var DPI_MAX = 26000
var DPI_STEP = 50
var BRIGHTNESS_MAX = 8
var SPEED_MIN = 1
var SPEED_MAX = 4

// Function byte of a button record.
var FN_DISABLE = 0
var FN_LAST_MACRO_KEY = 40
var FN_REDEFINED = 64
var FN_PROFILE_CYCLE = 65
var FN_DPI_CYCLE = 66
var FN_DEFAULT = 255
// Target of a re-defined key.
var TARGET_MOUSE = 0
var TARGET_KEYBOARD = 1
var TARGET_HOST = 2
// Launch kinds, as stored for the listener.
var LAUNCH_SOFTWARE = 2
var LAUNCH_WEBSITE = 3
var LAUNCH_KEY = 4

// The mouse's macro keys 31 to 40 are the page's macro numbers (macro_F) 0 to 9.
var MACRO_KEY_OFFSET = 31
var MACRO_SLOTS = 10
// What one macro can hold: steps, and the pause before a keystroke (ms, one byte).
var MACRO_MAX_STEPS = 198
var MACRO_MAX_DELAY = 255
var MACRO_DEFAULT_DELAY = 100

// Every function a button can be given, in the order of the list.
var FUNCTIONS = [
    { name: "Left Click", kind: "mouse", value: 1 },
    { name: "Right Click", kind: "mouse", value: 2 },
    { name: "Middle", kind: "mouse", value: 3 },
    { name: "Forward", kind: "mouse", value: 4 },
    { name: "Backward", kind: "mouse", value: 5 },
    { name: "Scroll Up", kind: "mouse", value: 6 },
    { name: "Scroll Down", kind: "mouse", value: 7 },
    { name: "DPI Cycle", kind: "dpi", value: 0 },
    { name: "Keyboard Shortcut", kind: "shortcut", value: 0 },
    { name: "Launch Software", kind: "software", value: 0 },
    { name: "Launch Website", kind: "website", value: 0 },
    { name: "Macro Commands", kind: "macro", value: 0 },
    { name: "Disable", kind: "disable", value: 0 }
]

// The buttons of the mouse, by the numbers the firmware gives them.
var BUTTONS = [
    { number: 1, name: "Left Button", defaultFunction: "Left Click" },
    { number: 2, name: "Right Button", defaultFunction: "Right Click" },
    { number: 3, name: "Wheel Button", defaultFunction: "Middle" },
    { number: 4, name: "Forward Button", defaultFunction: "Forward" },
    { number: 5, name: "Backward Button", defaultFunction: "Backward" },
    { number: 6, name: "DPI Button", defaultFunction: "DPI Cycle" }
]

var EFFECTS = ["Single Color", "Breathing", "Meteor", "Ripple", "Blink", "Double Blink", "Color Shift", "Rainbow"]
var EFFECT_METEOR = 3
var EFFECT_RIPPLE = 4
var EFFECT_COLOR_SHIFT = 7
var EFFECT_RAINBOW = 8

// Report rates per connection, with the codes the mouse takes.
var USB_RATES = [8000, 4000, 2000, 1000, 500, 250]
var USB_RATE_CODES = [1, 2, 4, 8, 16, 32]
var RF_RATES = [1000, 500, 250]
var RF_RATE_CODES = [8, 16, 32]
var DEFAULT_RATE_CODE = 8

var LOD_CHOICES = [{ name: "1 mm", value: 2 }, { name: "2 mm", value: 3 }]

// ECO mode entries: the mouse takes the entry's position + 2, which is also what is shown.
var ECO_FIRST = 2
var ECO_ENTRIES = 9
var SLEEP_MINUTES = [1, 2, 3, 5, 10, 15, 20, 30]

var BATTERY_GAP = 10

// Keys: virtual-key code (as the keyboard hook names them), HID usage id (as the mouse takes
// them) and the name shown.
var KEYS = (function() {
    var keys = [
        [0x08, 42, "Backspace"], [0x09, 43, "Tab"], [0x0D, 40, "Enter"], [0x13, 72, "Pause"],
        [0x14, 57, "CapsLock"], [0x1B, 41, "Esc"], [0x20, 44, "Space"], [0x21, 75, "PageUp"],
        [0x22, 78, "PageDown"], [0x23, 77, "End"], [0x24, 74, "Home"], [0x25, 80, "Left"],
        [0x26, 82, "Up"], [0x27, 79, "Right"], [0x28, 81, "Down"], [0x2C, 70, "PrintScreen"],
        [0x2D, 73, "Insert"], [0x2E, 76, "Delete"], [0x30, 39, "0"],
        [0x60, 98, "Num0"], [0x6A, 85, "Num*"], [0x6B, 87, "Num+"], [0x6D, 86, "Num-"],
        [0x6E, 99, "Num."], [0x6F, 84, "Num/"], [0x90, 83, "NumLock"], [0x91, 71, "ScrollLock"],
        [0xBA, 51, ";"], [0xBB, 46, "="], [0xBC, 54, ","], [0xBD, 45, "-"], [0xBE, 55, "."],
        [0xBF, 56, "/"], [0xC0, 53, "`"], [0xDB, 47, "["], [0xDC, 49, "\\"], [0xDD, 48, "]"],
        [0xDE, 52, "'"]
    ]
    for (var d = 1; d <= 9; ++d) {
        keys.push([0x30 + d, 29 + d, String(d)])
        keys.push([0x60 + d, 88 + d, "Num" + d])
    }
    for (var c = 0; c < 26; ++c)
        keys.push([0x41 + c, 4 + c, String.fromCharCode(0x41 + c)])
    for (var f = 1; f <= 12; ++f)
        keys.push([0x6F + f, 57 + f, "F" + f])
    return keys
})()

var MODIFIERS = [{ name: "Ctrl", bit: 0x01 }, { name: "Shift", bit: 0x02 }, { name: "Alt", bit: 0x04 }, { name: "Win", bit: 0x08 }]

function toInt(value, fallback) {
    return Numbers.toInt(value, fallback)
}

function clamp(value, low, high) {
    return Math.max(low, Math.min(high, value))
}

function keyBy(column, value) {
    for (var i = 0; i < KEYS.length; ++i)
        if (KEYS[i][column] === value)
            return KEYS[i]
    return null
}

function keyNameOfUsage(usage) {
    var key = keyBy(1, usage)
    return key ? key[2] : ""
}

// The shortcut text the keyboard hook captures ("Ctrl+C", "F5", "A"; the key after a prefix
// is its name or its virtual-key code as one character) as the modifier bits and key usage of
// a keyboard re-definition; null when the mouse cannot send it.
function parseShortcut(text) {
    if (text === undefined || text === null)
        return null
    text = String(text)
    var modifier = 0
    var plus = text.indexOf("+")
    if (plus > 0 && plus < text.length - 1) {
        var prefix = text.substring(0, plus)
        var bit = 0
        for (var m = 0; m < MODIFIERS.length; ++m)
            if (MODIFIERS[m].name === prefix)
                bit = MODIFIERS[m].bit
        if (bit === 0)
            return null
        modifier = bit
        text = text.substring(plus + 1)
    }
    // One character is always a virtual-key code, never a name: the arrow right (0x27) comes
    // as "'", Delete (0x2E) as "." and numeric-pad 0 (0x60) as "`".
    var key = text.length === 1 ? keyBy(0, text.charCodeAt(0)) : keyBy(2, text)
    if (key === null)
        return null
    return { modifier: modifier, usage: key[1], text: shortcutText(modifier, key[1]) }
}

function shortcutText(modifier, usage) {
    var parts = []
    for (var m = 0; m < MODIFIERS.length; ++m)
        if (modifier & MODIFIERS[m].bit)
            parts.push(MODIFIERS[m].name)
    var name = keyNameOfUsage(usage)
    parts.push(name.length > 0 ? name : "Key " + usage)
    return parts.join("+")
}

function functionByName(name) {
    for (var i = 0; i < FUNCTIONS.length; ++i)
        if (FUNCTIONS[i].name === name)
            return FUNCTIONS[i]
    return null
}

function buttonByNumber(number) {
    for (var i = 0; i < BUTTONS.length; ++i)
        if (BUTTONS[i].number === number)
            return BUTTONS[i]
    return null
}

function macroByKey(macros, macroKey) {
    for (var i = 0; macros && i < macros.length; ++i)
        if (toInt(macros[i]["macroKey"], -1) === macroKey)
            return macros[i]
    return null
}

function launchOf(launches, number) {
    for (var i = 0; launches && i < launches.length; ++i)
        if (toInt(launches[i]["currentButton"], -1) === number)
            return launches[i]
    return null
}

// What a button does, from the button codes and re-defined keys of an information answer,
// the stored macros and the profile's launch data: { name, detail }.
function buttonFunction(answer, number, macros, launches) {
    var code = toInt(answer["CurrentProfileButtons_DATA" + (number - 1)], FN_DEFAULT)
    var target = toInt(answer["ReDefinedKEY_DATA" + (3 * (number - 1))], 0)
    var value = toInt(answer["ReDefinedKEY_DATA" + (3 * (number - 1) + 1)], 0)
    var key = toInt(answer["ReDefinedKEY_DATA" + (3 * (number - 1) + 2)], 0)
    if (code === FN_DEFAULT) {
        var button = buttonByNumber(number)
        return { name: button ? button.defaultFunction : "Default", detail: "" }
    }
    if (code === FN_DISABLE)
        return { name: "Disable", detail: "" }
    if (code <= FN_LAST_MACRO_KEY) {
        var macro = macroByKey(macros, code)
        return { name: "Macro Commands", detail: macro ? String(macro["macroName"]) : "" }
    }
    if (code === FN_DPI_CYCLE)
        return { name: "DPI Cycle", detail: "" }
    if (code === FN_PROFILE_CYCLE)
        return { name: "Profile Cycle", detail: "" }
    if (code !== FN_REDEFINED)
        return { name: "Unknown", detail: "" }
    if (target === TARGET_MOUSE) {
        for (var i = 0; i < FUNCTIONS.length; ++i)
            if (FUNCTIONS[i].kind === "mouse" && FUNCTIONS[i].value === value)
                return { name: FUNCTIONS[i].name, detail: "" }
        return { name: "Unknown", detail: "" }
    }
    if (target === TARGET_KEYBOARD)
        return { name: "Keyboard Shortcut", detail: shortcutText(value, key) }
    var launch = launchOf(launches, number)
    var launchName = launch && launch["launchName"] !== undefined ? String(launch["launchName"]) : ""
    if (value === LAUNCH_WEBSITE)
        return { name: "Launch Website", detail: launch ? String(launch["webside_path"]) : "" }
    if (value === LAUNCH_KEY)
        return { name: "Keyboard Shortcut", detail: launch ? String(launch["keyFunctionSingleKey"]) : "" }
    return { name: "Launch Software", detail: launchName }
}

function buttonRecord(number, fn, target, value, key) {
    return {
        "profileButtonsData0": number,
        "profileButtonsData1": fn,
        "profileButtonsData2": 0,
        "profileButtonsData3": 0,
        "profileButtonsData4": target,
        "profileButtonsData5": value,
        "profileButtonsData6": key
    }
}

// The command that gives a button a mouse function, the DPI cycle or disables it (code 2).
function buttonCommand(number, name) {
    var fn = functionByName(name)
    var record = null
    if (fn === null)
        return null
    if (fn.kind === "mouse")
        record = buttonRecord(number, FN_REDEFINED, TARGET_MOUSE, fn.value, 0)
    else if (fn.kind === "dpi")
        record = buttonRecord(number, FN_DPI_CYCLE, 0, 0, 0)
    else if (fn.kind === "disable")
        record = buttonRecord(number, FN_DISABLE, 0, 0, 0)
    if (record === null)
        return null
    record["runFunction"] = 2
    return record
}

// A keyboard re-definition (code 3) from a parsed shortcut.
function shortcutCommand(number, shortcut) {
    var record = buttonRecord(number, FN_REDEFINED, TARGET_KEYBOARD, shortcut.modifier, shortcut.usage)
    record["runFunction"] = 3
    record["SingleKey"] = shortcut.text
    return record
}

// A launch action (code 40): a program to start or an address to open.
function launchCommand(number, kind, target) {
    return {
        "runFunction": 40,
        "currentButton": number,
        "launch": kind,
        "software_path": kind === LAUNCH_SOFTWARE ? target : "",
        "webside_path": kind === LAUNCH_WEBSITE ? target : "",
        "keyFunctionSingleKey": "",
        "launchName": ""
    }
}

// A file dialog's answer ("file:///usr/bin/gimp") as a plain path.
function localPath(url) {
    var text = String(url === undefined || url === null ? "" : url)
    if (text.indexOf("file://") !== 0)
        return text
    return decodeURIComponent(text.substring(7))
}

// ---- DPI

function stagesFromAnswer(answer, current) {
    var result = {
        quantity: clamp(toInt(answer["DPI_Quantity"], current ? current.quantity : STAGE_COUNT), 1, STAGE_COUNT),
        level: toInt(answer["DPI_Level"], current ? current.level : 0),
        stages: []
    }
    result.level = clamp(result.level, 0, result.quantity - 1)
    for (var s = 1; s <= STAGE_COUNT; ++s) {
        var before = current ? current.stages[s - 1] : { x: 800, y: 800, r: 255, g: 255, b: 255 }
        var prefix = "DPI" + s + "_"
        result.stages.push({
            x: toInt(answer[prefix + "X"], before.x),
            y: toInt(answer[prefix + "Y"], before.y),
            r: clamp(toInt(answer[prefix + "LED_R"], before.r), 0, 255),
            g: clamp(toInt(answer[prefix + "LED_G"], before.g), 0, 255),
            b: clamp(toInt(answer[prefix + "LED_B"], before.b), 0, 255)
        })
    }
    return result
}

function snapDpi(value) {
    return clamp(Math.round(toInt(value, DPI_MIN) / DPI_STEP) * DPI_STEP, DPI_MIN, DPI_MAX)
}

function copyDpi(dpi) {
    var copy = { quantity: dpi.quantity, level: dpi.level, stages: [] }
    for (var s = 0; s < dpi.stages.length; ++s) {
        var stage = dpi.stages[s]
        copy.stages.push({ x: stage.x, y: stage.y, r: stage.r, g: stage.g, b: stage.b })
    }
    return copy
}

function axesApart(dpi) {
    for (var i = 0; i < dpi.stages.length; ++i)
        if (dpi.stages[i].x !== dpi.stages[i].y)
            return true
    return false
}

// The whole stage table (code 10).
function dpiCommand(dpi) {
    var command = {
        "runFunction": 10,
        "DPI_Quantity": dpi.quantity,
        "DPI_Level": clamp(dpi.level, 0, dpi.quantity - 1),
        "Update_DPI": 1
    }
    for (var s = 1; s <= STAGE_COUNT; ++s) {
        var stage = dpi.stages[s - 1]
        var prefix = "DPI" + s + "_"
        command[prefix + "X"] = snapDpi(stage.x)
        command[prefix + "Y"] = snapDpi(stage.y)
        command[prefix + "LED_R"] = stage.r
        command[prefix + "LED_G"] = stage.g
        command[prefix + "LED_B"] = stage.b
    }
    return command
}

// ---- report rate

function rateCode(rate, rates, codes) {
    var at = rates.indexOf(toInt(rate, 0))
    return at >= 0 ? codes[at] : DEFAULT_RATE_CODE
}

function rateOfCode(code, rates, codes) {
    var at = codes.indexOf(toInt(code, -1))
    return at >= 0 ? rates[at] : 0
}

function reportRateCommand(usbRate, rfRate) {
    return {
        "runFunction": 17,
        "usb_typeID": rateCode(usbRate, USB_RATES, USB_RATE_CODES),
        "wifi_typeID": rateCode(rfRate, RF_RATES, RF_RATE_CODES)
    }
}

// ---- lighting

function effectFunction(mode) {
    return mode === EFFECT_METEOR || mode === EFFECT_RIPPLE ? 129 : 128
}

function usesColor(mode) {
    return mode !== EFFECT_COLOR_SHIFT && mode !== EFFECT_RAINBOW
}

function defaultLighting() {
    return { mode: 1, brightness: BRIGHTNESS_MAX, speed: SPEED_MAX, r: 255, g: 0, b: 0, on: true }
}

// The lighting of the first area as read back ("Get_ARGB_DATA0" to 6); a colour of 0, 0, 0
// means the lights are off, and the colour shown is then the one remembered.
function lightingFromAnswer(answer, current) {
    var state = current ? { mode: current.mode, brightness: current.brightness, speed: current.speed,
                            r: current.r, g: current.g, b: current.b, on: current.on } : defaultLighting()
    if (answer["Get_ARGB_DATA1"] === undefined)
        return state
    var mode = toInt(answer["Get_ARGB_DATA1"], 0)
    var r = clamp(toInt(answer["Get_ARGB_DATA4"], 0), 0, 255)
    var g = clamp(toInt(answer["Get_ARGB_DATA5"], 0), 0, 255)
    var b = clamp(toInt(answer["Get_ARGB_DATA6"], 0), 0, 255)
    state.on = r !== 0 || g !== 0 || b !== 0
    state.brightness = clamp(toInt(answer["Get_ARGB_DATA0"], state.brightness), 0, BRIGHTNESS_MAX)
    var speed = toInt(answer["Get_ARGB_DATA3"], state.speed)
    state.speed = speed >= SPEED_MIN && speed <= SPEED_MAX ? speed : state.speed
    if (state.on) {
        if (mode >= 1 && mode <= EFFECTS.length)
            state.mode = mode
        state.r = r
        state.g = g
        state.b = b
    }
    return state
}

// The lighting a code-32 command asks for; off keeps the remembered effect and colour.
function lightingFromCommand(command, current) {
    var state = lightingFromAnswer({}, current)
    state.brightness = clamp(toInt(command["brightness"], state.brightness), 0, BRIGHTNESS_MAX)
    state.speed = toInt(command["ARGB_cycleTime"], state.speed)
    var r = toInt(command["R_Color"], 0), g = toInt(command["G_Color"], 0), b = toInt(command["B_Color"], 0)
    state.on = r !== 0 || g !== 0 || b !== 0
    if (state.on) {
        state.mode = toInt(command["ARGB_mode"], state.mode)
        state.r = r
        state.g = g
        state.b = b
    }
    return state
}

// Code 32 with the page's flags. Off is single colour black.
function lightingCommand(state) {
    var on = state.on
    var mode = on ? state.mode : 1
    return {
        "runFunction": 32,
        "brightness": state.brightness,
        "ARGB_mode": mode,
        "ARGB_function": effectFunction(mode),
        "ARGB_cycleTime": state.speed,
        "R_Color": on ? state.r : 0,
        "G_Color": on ? state.g : 0,
        "B_Color": on ? state.b : 0,
        "mouse_F": 1,
        "lighting_F": 0,
        "button_F": 0,
        "macro_F": 0
    }
}

// ---- power and battery

function ecoIndex(value) {
    var index = toInt(value, ECO_FIRST) - ECO_FIRST
    return index >= 0 && index < ECO_ENTRIES ? index : -1
}

function ecoText(index) {
    return (index + ECO_FIRST) + "%"
}

function ecoCommand(index) {
    return { "runFunction": 28, "parameter": index + ECO_FIRST, "Eco_Mode": index + ECO_FIRST }
}

// The lower warning level stays at least BATTERY_GAP below the higher one; moving one pushes
// the other.
function batteryLevels(first, second, moved) {
    first = clamp(toInt(first, 20), 1, 100 - BATTERY_GAP)
    second = clamp(toInt(second, 50), 1 + BATTERY_GAP, 100)
    if (second - first < BATTERY_GAP) {
        if (moved === "first")
            second = first + BATTERY_GAP
        else
            first = second - BATTERY_GAP
    }
    return { first: first, second: second }
}

// The warning level a battery reading has reached (the lower one first), 0 for none.
function batteryWarningLevel(percent, first, second) {
    if (percent < 1 || percent > 100)
        return 0
    if (percent <= first)
        return first
    if (percent <= second)
        return second
    return 0
}

// ---- profiles

function profileNames(answer, current) {
    var names = current ? current.slice() : ["", "", "", "", ""]
    var userData = answer["userData"]
    if (userData && userData.length !== undefined) {
        for (var i = 0; i < PROFILE_COUNT && i < userData.length; ++i) {
            var entry = userData[i]
            names[i] = entry && entry["profileName"] !== undefined ? String(entry["profileName"]) : ""
        }
    }
    return names
}

function profileLabel(names, profile) {
    var name = names[profile - 1]
    return name && name.length > 0 ? name : "Profile " + profile
}

// ---- linked applications

var GAME_KEYS = ["AppID", "GameName", "InstallDir", "ACFPath", "IconPath", "ProfileNum", "Checked", "OpacityVisible"]

function gameRecord(map) {
    return {
        AppID: String(map["AppID"]),
        GameName: map["GameName"] !== undefined ? String(map["GameName"]) : "",
        InstallDir: map["InstallDir"] !== undefined ? String(map["InstallDir"]) : "",
        ACFPath: map["ACFPath"] !== undefined ? String(map["ACFPath"]) : "",
        IconPath: map["IconPath"] !== undefined ? String(map["IconPath"]) : "",
        ProfileNum: toInt(map["ProfileNum"], 0),
        Checked: map["Checked"] === true || toInt(map["Checked"], 0) === 1,
        OpacityVisible: map["OpacityVisible"] === true || toInt(map["OpacityVisible"], 0) === 1,
        FileMissing: map["FileMissing"] === true
    }
}

// The games and programs of the discovery answer, in the order of its "gameIDList".
function gamesFromDiscovery(answer) {
    var games = []
    var ids = answer ? answer["gameIDList"] : undefined
    if (!ids || ids.length === undefined)
        return games
    for (var i = 0; i < ids.length; ++i) {
        var map = answer[String(ids[i])]
        if (map && typeof map === "object" && map["AppID"] !== undefined)
            games.push(gameRecord(map))
    }
    return games
}

function gameValues(game) {
    return [game.AppID, game.GameName, game.InstallDir, game.ACFPath, game.IconPath, game.ProfileNum,
            game.Checked, game.OpacityVisible]
}

function indexOfGame(games, appId) {
    for (var i = 0; i < games.length; ++i)
        if (games[i].AppID === appId)
            return i
    return -1
}

function sortedByName(games) {
    var copy = games.slice()
    copy.sort(function(a, b) {
        var x = a.GameName.toLowerCase()
        var y = b.GameName.toLowerCase()
        return x < y ? -1 : (x > y ? 1 : 0)
    })
    return copy
}

// The records of the linked-application command (code 41): each changed game as its eight
// values under its id, with the profile names kept as they are.
function linkCommand(changed, names, currentProfile) {
    var command = { "runFunction": 41, "AppIDList": [], "CheckBoxChanged": 1,
                    "profileName": names.slice(), "currentProfileName": names[currentProfile - 1] || "" }
    for (var i = 0; i < changed.length; ++i) {
        command["AppIDList"].push(changed[i].AppID)
        command[changed[i].AppID] = gameValues(changed[i])
    }
    return command
}

function renameCommand(names, profile, name, currentProfile) {
    var updated = names.slice()
    updated[profile - 1] = String(name).trim()
    return { "runFunction": 41, "AppIDList": [], "CheckBoxChanged": 0,
             "profileName": updated, "currentProfileName": updated[currentProfile - 1] || "" }
}

// ---- macros

// The first macro number no stored macro uses; the macro of the same name keeps its own.
function macroSlotFor(macros, name) {
    var used = {}
    for (var i = 0; macros && i < macros.length; ++i) {
        var key = toInt(macros[i]["macroKey"], -1)
        if (String(macros[i]["macroName"]) === name && key >= MACRO_KEY_OFFSET)
            return key - MACRO_KEY_OFFSET
        used[key] = true
    }
    for (var slot = 0; slot < MACRO_SLOTS; ++slot)
        if (!used[slot + MACRO_KEY_OFFSET])
            return slot
    return -1
}

function macroCommand(name, actions, macroF, number) {
    var command = buttonRecord(number, macroF + MACRO_KEY_OFFSET, 0, 0, 0)
    command["runFunction"] = 7
    command["macroName"] = name
    command["macroKey"] = macroF + MACRO_KEY_OFFSET
    command["selectMacrokey"] = 0
    command["b_length"] = 60
    command["serial_No"] = 0
    command["mouse_F"] = 0
    command["lighting_F"] = 0
    command["button_F"] = 0
    command["macro_F"] = macroF
    command["Data_0"] = actions.length
    command["Data_1"] = 1
    command["Data_2"] = 0
    command["Data_3"] = 0
    command["Data_4"] = 0
    command["Data_5"] = 0
    command["setDefault"] = false
    command["Actions"] = actions
    return command
}

// Gives a button a macro the mouse already holds (code 7 without a new recording).
function assignMacroCommand(macro, number) {
    var key = toInt(macro["macroKey"], 0)
    var command = buttonRecord(number, key, 0, 0, 0)
    command["runFunction"] = 7
    command["macroName"] = String(macro["macroName"])
    command["selectMacrokey"] = 1
    command["macro_F"] = key - MACRO_KEY_OFFSET
    return command
}

// One recorded key event as a macro line; a longer pause than the mouse plays is kept as
// the longest it does.
function macroAction(event, delay) {
    return {
        "deviceText": "Keystroke",
        "actionText": String(event["Action"]) === "Release" ? "Release" : "Hold",
        "key": String(event["Key"]),
        "delay": Math.min(MACRO_MAX_DELAY, Math.max(0, Math.round(delay)))
    }
}

// A delay typed by the user: a whole number of 0 to MACRO_MAX_DELAY ms, else -1.
function delayFromText(text) {
    var trimmed = String(text).trim()
    if (!/^[0-9]+$/.test(trimmed))
        return -1
    var value = parseInt(trimmed, 10)
    return value <= MACRO_MAX_DELAY ? value : -1
}

function withDelay(actions, index, delay) {
    var list = actions.slice()
    var step = {}
    for (var key in list[index])
        step[key] = list[index][key]
    step["delay"] = delay
    list[index] = step
    return list
}

function withoutStep(actions, index) {
    var list = actions.slice()
    list.splice(index, 1)
    return list
}

// Why the steps cannot go to the mouse as one macro; "" when they can.
function macroProblem(actions) {
    if (actions.length > MACRO_MAX_STEPS)
        return "The macro has " + actions.length + " steps; the mouse holds at most " + MACRO_MAX_STEPS + "."
    for (var i = 0; i < actions.length; ++i) {
        var delay = actions[i]["delay"]
        if (delay !== undefined && delayFromText(delay) < 0)
            return "Step " + (i + 1) + ": a delay of " + delay + " ms is outside 0 to " + MACRO_MAX_DELAY + " ms."
    }
    return ""
}

// The button a macro is assigned to in the current profile (0 when none).
function buttonOfMacro(buttonCodes, macro) {
    var key = toInt(macro["macroKey"], -1)
    for (var i = 0; i < buttonCodes.length; ++i)
        if (buttonCodes[i] === key)
            return i + 1
    return 0
}

// ---- identity

function hex4(value) {
    var n = toInt(value, -1)
    if (n < 0 || n > 0xFFFF)
        return ""
    var text = n.toString(16).toUpperCase()
    while (text.length < 4)
        text = "0" + text
    return text
}

// Firmware versions the mouse reports, as shown ("7" -> "v7").
function versionText(value) {
    var n = toInt(value, -1)
    return n < 0 ? "—" : "v" + n
}
