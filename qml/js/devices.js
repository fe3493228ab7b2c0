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
