.pragma library
.import "numbers.js" as Numbers
// Turns the discovery answer into the cards of the home carousel.

var TYPE_GPU = 1
var TYPE_MOUSE = 2
var TYPE_HEADSET = 3
var TYPE_KEYBOARD = 4

var PAGE_URLS = {
    1: "qrc:/pages/PageGPU.qml",
    2: "qrc:/pages/PageMouse.qml",
    3: "qrc:/pages/PageHeadphone.qml",
    4: "qrc:/pages/PageKeyboard.qml"
}

var PAGE_NAMES = { "gpu": TYPE_GPU, "mouse": TYPE_MOUSE, "headset": TYPE_HEADSET, "keyboard": TYPE_KEYBOARD }

// Answers may carry numbers as numbers or as numeric text.
function toInt(value, fallback) {
    return Numbers.toInt(value, fallback)
}

function copyMap(map) {
    var copy = {}
    if (!map)
        return copy
    for (var key in map)
        copy[key] = map[key]
    return copy
}

function memoryText(info) {
    var megabytes = toInt(info["TotalVRAM"], 0)
    var type = info["VRAMtype"] ? String(info["VRAMtype"]) : ""
    if (megabytes <= 0)
        return type
    var size = megabytes >= 1024 ? Math.round(megabytes / 1024) + " GB" : megabytes + " MB"
    return type.length > 0 ? size + " " + type : size
}

// The oldest graphics driver the lighting and metrics are known to work with: the kernel
// release that first drove every supported card series fully (or an amdgpu module of that
// number or newer).
var MIN_DRIVER_VERSION = "5.15"

// The leading numbers of a version text ("6.1.0-18-amd64" gives [6, 1, 0]); [] when it
// does not start with one.
function versionNumbers(text) {
    var match = /^\s*(\d+(?:\.\d+)*)/.exec(text === undefined || text === null ? "" : String(text))
    if (!match)
        return []
    return match[1].split(".").map(function(part) { return parseInt(part, 10) })
}

// True only when the version is known and lower than the minimum; an unknown version is
// not an old one.
function driverOutdated(version, minimum) {
    var have = versionNumbers(version)
    var need = versionNumbers(minimum === undefined ? MIN_DRIVER_VERSION : minimum)
    if (have.length === 0)
        return false
    for (var i = 0; i < need.length; ++i) {
        var part = i < have.length ? have[i] : 0
        if (part !== need[i])
            return part < need[i]
    }
    return false
}

function boardClass(info) {
    var cls = toInt(info["gpuClass"], 3)
    return cls >= 0 && cls <= 4 ? cls : 3
}

// One card per listed GPU ("GPU0", "GPU1", ... up to gpuNum) with the driver version of the pass.
function gpuEntries(answer) {
    var gpus = answer["gpuDevice"]
    var entries = []
    if (!gpus || typeof gpus !== "object")
        return entries
    var count = toInt(gpus["gpuNum"], toInt(answer["gpuNum"], 0))
    for (var i = 0; i < count; ++i) {
        var info = gpus["GPU" + i]
        if (!info || typeof info !== "object")
            continue
        var card = copyMap(info)
        card["AMD_driverVersion"] = gpus["AMD_driverVersion"] !== undefined ? String(gpus["AMD_driverVersion"]) : ""
        entries.push({
            deviceType: TYPE_GPU,
            key: "GPU" + i,
            productLine: "Scorvane Graphics Card",
            model: info["Name"] ? String(info["Name"]) : "Graphics Card",
            detail: memoryText(info),
            rgbSupported: toInt(info["isSupportRGB"], 0) === 1,
            pictureClass: boardClass(info),
            info: card
        })
    }
    return entries
}

function mouseEntries(answer) {
    var mice = answer["mouseDevice"]
    var entries = []
    if (!mice || typeof mice !== "object")
        return entries
    var count = toInt(mice["mouseNum"], toInt(answer["mouseNum"], 0))
    for (var i = 0; i < count; ++i) {
        var record = mice["MOUSE" + i]
        if (!record || typeof record !== "object")
            continue
        var connection = record["BusTypeName"] || record["BusType"] || ""
        entries.push({
            deviceType: TYPE_MOUSE,
            key: "MOUSE" + i,
            productLine: "ORVENA Gaming Mouse",
            model: record["name"] ? String(record["name"]) : "RM20",
            detail: connection ? String(connection) + " Mode" : "",
            rgbSupported: true,
            pictureClass: 0,
            info: copyMap(record)
        })
    }
    // Mice that are plugged in but may not be opened: shown with what fixes it.
    var blocked = toInt(mice["inaccessibleNum"], 0)
    for (var b = 0; b < blocked; ++b) {
        var node = mice["INACCESSIBLE" + b]
        if (!node || typeof node !== "object")
            continue
        var link = node["BusTypeName"] ? String(node["BusTypeName"]) + " Mode" : ""
        entries.push({
            deviceType: TYPE_MOUSE,
            key: "INACCESSIBLE" + b,
            productLine: "ORVENA Gaming Mouse",
            model: "RM20",
            detail: "Found but not accessible" + (link ? " (" + link + ")" : ""),
            inaccessible: true,
            fixCommand: mice["accessFixCommand"] ? String(mice["accessFixCommand"]) : "",
            rgbSupported: false,
            pictureClass: 0,
            info: copyMap(node)
        })
    }
    return entries
}

function headsetEntries(answer) {
    var headset = answer["headphoneDevice"]
    var count = toInt(answer["headphoneNum"], 0)
    if (headset && typeof headset === "object")
        count = Math.max(count, toInt(headset["headphoneNum"], 0))
    if (count < 1)
        return []
    var info = copyMap(headset)
    return [{
        deviceType: TYPE_HEADSET,
        key: "HEADSET0",
        productLine: "ORVENA Gaming Headset",
        model: info["headphoneName"] ? String(info["headphoneName"]) : "Belvarinth ORVENA RH20",
        detail: "DTS® Headphone:X®",
        rgbSupported: false,
        pictureClass: 0,
        info: info
    }]
}

// The whole carousel, graphics cards first, then mice, then the headset.
function buildDeviceList(answer) {
    if (!answer)
        return []
    return gpuEntries(answer).concat(mouseEntries(answer), headsetEntries(answer))
}

function countByType(entries, type) {
    var n = 0
    for (var i = 0; i < entries.length; ++i)
        if (entries[i].deviceType === type)
            ++n
    return n
}

// The arrows appear when the graphics cards, mice, keyboards and headsets add up to two or more.
function showArrows(entries) {
    return countByType(entries, TYPE_GPU) + countByType(entries, TYPE_MOUSE)
            + countByType(entries, TYPE_KEYBOARD) + countByType(entries, TYPE_HEADSET) >= 2
}

function firstIndexOfType(entries, type) {
    for (var i = 0; i < entries.length; ++i)
        if (entries[i].deviceType === type)
            return i
    return -1
}

// A battery reading outside 1 to 100 is not a reading.
function batteryShown(percent) {
    var n = toInt(percent, 0)
    return n >= 1 && n <= 100 ? n : 0
}
