import QtQuick 2.9
import ".."
import "../components"
import "../components/mouse"
import "../js/devices.js" as Devices
import "../js/mouse.js" as Mouse

// The mouse page: profiles and their linked applications, button functions and macros, DPI,
// report rate, lift-off, calibration, power, lighting, battery warnings and firmware.
DevicePage {
    id: page
    objectName: "pageMouse"

    property bool infoRead: false
    property bool connected: true
    property string mouseName: deviceInfo["name"] !== undefined ? String(deviceInfo["name"]) : "RM20"
    property string mouseColor: deviceInfo["mouse_color"] !== undefined ? String(deviceInfo["mouse_color"]) : ""
    property string connection: deviceInfo["BusTypeName"] !== undefined ? String(deviceInfo["BusTypeName"]) : ""
    property string uuid: deviceInfo["current_MCU_UUID"] !== undefined ? String(deviceInfo["current_MCU_UUID"]) : ""
    property string vendorHex: deviceInfo["Vendor_ID"] !== undefined ? String(deviceInfo["Vendor_ID"]) : ""
    property string productHex: deviceInfo["Product_ID"] !== undefined ? String(deviceInfo["Product_ID"]) : ""
    property int battery: 0
    property bool charging: false
    property int profile: 0
    property var profileNames: ["", "", "", "", ""]

    // Buttons: the nine function codes, what each button of the page does, macros and launches.
    property var buttonCodes: [255, 255, 255, 255, 255, 255, 255, 255, 255]
    property var buttonFunctions: defaultFunctions()
    property var macros: []
    property var launches: []

    property var dpi: Mouse.stagesFromAnswer({}, null)
    // X and Y set apart: as stored, and on whenever a stage has them apart.
    property bool separateAxes: false
    onDpiChanged: if (Mouse.axesApart(dpi)) separateAxes = true
    property int usbRate: 1000
    property int rfRate: 1000
    property int liftOff: 2
    property bool calibrating: false
    property int calibrationStatus: -1
    property var lighting: Mouse.defaultLighting()
    property int ecoIndex: 0
    property int sleepMinutes: 3
    property int batteryFirst: 20
    property int batterySecond: 50
    property int warnedLevel: 0

    // Firmware: the versions the mouse reports, what the server offers, and the update's stage.
    property int controllerVersion: -1
    property int radioVersion: -1
    property var serverFirmware: []
    property bool mouseUpdate: false
    property string firmwareTarget: "mouse"
    property int firmwareStage: 0
    property string firmwareMessage: ""
    readonly property int fwIdle: 0
    readonly property int fwDownloading: 2
    readonly property int fwFlashing: 3
    readonly property int fwDone: 5
    readonly property int fwFailed: 6

    property var games: gameList ? gameList : []
    property int currentTab: 0
    readonly property var tabTitles: ["Mouse Functions", "Performance", "Mouse RGB", "Power", "Linked Application", "Settings"]

    // Commands wait for the answer to the one before: the worker keeps only the newest.
    property var queue: []
    property var pending: null
    property bool listening: false
    readonly property int answerTimeoutMs: 20000
    readonly property int firmwareTimeoutMs: 600000

    // Once the server has answered after all, the firmware it offers is compared again.
    onUpdateCheckErrorChanged: if (updateCheckError.length === 0 && infoRead) request({ "runFunction": 45 })

    function defaultFunctions() {
        var list = []
        for (var i = 0; i < Mouse.BUTTONS.length; ++i)
            list.push({ name: Mouse.BUTTONS[i].defaultFunction, detail: "" })
        return list
    }

    // ---- commands

    // Queues a command. A later change of the same setting replaces one still waiting, so a
    // dragged slider sends its last value rather than every step.
    function request(values, answerControl, timeoutMs) {
        if (values["Control"] === undefined)
            values["Control"] = 2
        var entry = {
            values: values,
            runFunction: intOf(values["runFunction"], -1),
            answerControl: answerControl === undefined ? 2 : answerControl,
            timeout: timeoutMs === undefined ? answerTimeoutMs : timeoutMs
        }
        var waiting = queue.slice()
        var replaced = false
        for (var i = 0; i < waiting.length; ++i) {
            if (entry.answerControl === 2 && waiting[i].runFunction === entry.runFunction && replaceable(entry.runFunction)) {
                waiting[i] = entry
                replaced = true
            }
        }
        if (!replaced)
            waiting.push(entry)
        queue = waiting
        if (pending === null)
            sendNext()
    }

    function replaceable(runFunction) {
        return [9, 10, 12, 17, 26, 28, 32, 35].indexOf(runFunction) >= 0
    }

    // The newest command of a code that has not been answered yet: the state a further change
    // of the same setting starts from.
    function unansweredCommand(runFunction) {
        for (var i = queue.length - 1; i >= 0; --i)
            if (queue[i].answerControl === 2 && queue[i].runFunction === runFunction)
                return queue[i].values
        if (pending !== null && pending.answerControl === 2 && pending.runFunction === runFunction)
            return pending.values
        return null
    }

    function sendNext() {
        if (pending !== null || queue.length === 0)
            return
        var waiting = queue.slice()
        pending = waiting.shift()
        queue = waiting
        send(pending.values)
        answerTimer.interval = pending.timeout
        answerTimer.restart()
    }

    function answersPending(data) {
        if (pending === null || intOf(data["Control"], -1) !== pending.answerControl)
            return false
        return pending.answerControl !== 2 || intOf(data["runFunction"], -1) === pending.runFunction
    }

    function failed(answer) {
        if (intOf(answer["RESULTS"], 0) === -1)
            return true
        return answer["checkResult"] !== undefined && String(answer["checkResult"]) !== "SUCCESS"
    }

    function handleWorkerAnswer(data) {
        var control = intOf(data["Control"], -1)
        var done = null
        if (answersPending(data)) {
            done = pending
            pending = null
            answerTimer.stop()
        }
        if (control === 2)
            handleMouseAnswer(data, done)
        else if (control === 9)
            handleFirmwareAnswer(data)
        if (done !== null)
            sendNext()
    }

    function openMouse() {
        busy = true
        request({
            "runFunction": 6,
            "currentHID_Path": deviceInfo["Path"] !== undefined ? String(deviceInfo["Path"]) : "",
            "Vendor_ID": vendorHex,
            "Product_ID": productHex,
            "Usage_Page": deviceInfo["Usage_Page"] !== undefined ? String(deviceInfo["Usage_Page"]) : "",
            "Usage": deviceInfo["Usage"] !== undefined ? String(deviceInfo["Usage"]) : "",
            "qStr_MCU_UUID": uuid
        })
    }

    // ---- answers

    function handleMouseAnswer(answer, done) {
        var code = intOf(answer["runFunction"], -1)
        var sent = done !== null ? done.values : null
        if (failed(answer)) {
            if (code === 6 || code === 999)
                busy = false
            if (done !== null)
                failureNotice.openWith(answer)
            if (code === 15 || code === 14)
                calibrating = false
            return
        }
        switch (code) {
        case 1: takeInformation(answer); break
        case 6:
            busy = false
            takeInformation(answer)
            // The firmware versions come from a read of their own, which may miss once.
            if (answer["NXP_FW_L"] === undefined && done !== null)
                request({ "runFunction": 45 })
            break
        case 2:
        case 3: if (sent) takeButtonCommand(sent); break
        case 5: takeMacroKeyInfo(answer); break
        case 7: takeMacroAnswer(answer, sent); break
        case 9: if (sent) setDpiLevel(intOf(sent["DPI_Level"], dpi.level)); break
        case 10: if (sent) dpi = Mouse.stagesFromAnswer(sent, dpi); break
        case 12: if (sent) liftOff = intOf(sent["LOD"], liftOff); break
        case 13: dpi = Mouse.stagesFromAnswer(answer, dpi); break
        case 14: calibrating = true; break
        case 15: takeCalibration(answer); break
        case 16: request({ "runFunction": 6 }); break
        case 17: if (sent) takeReportRate(sent); break
        case 20: takeModelName(answer); break
        case 26: if (sent) sleepMinutes = intOf(sent["delay_minute"], sleepMinutes); break
        case 28: if (sent) ecoIndex = Mouse.ecoIndex(sent["parameter"]); break
        case 32: if (sent) takeLightingCommand(sent); break
        case 43: lighting = Mouse.lightingFromAnswer(answer, lighting); break
        case 35: takeBatteryLevels(answer); break
        case 36:
        case 37: takeMacroList(answer); if (sent) takeMacroRemoval(sent); break
        case 40: takeLaunchAnswer(answer, sent); break
        case 41: takeProfileNames(answer, sent); break
        case 44: takePowerSettings(answer); break
        case 45: takeFirmwareVersions(answer); break
        case 47: takeAddedApplication(answer); break
        case 999: request({ "runFunction": 6 }); break
        }
    }

    // The full information read (codes 6 and 1).
    function takeInformation(answer) {
        infoRead = true
        connected = true
        if (answer["BusTypeName"] !== undefined)
            connection = String(answer["BusTypeName"])
        if (answer["qStr_MCU_UUID"] !== undefined && String(answer["qStr_MCU_UUID"]).length > 0)
            uuid = String(answer["qStr_MCU_UUID"])
        if (answer["mouse_color"] !== undefined)
            mouseColor = String(answer["mouse_color"])
        if (answer["vendor_id"] !== undefined)
            vendorHex = Mouse.hex4(answer["vendor_id"]) || vendorHex
        if (answer["product_id"] !== undefined)
            productHex = Mouse.hex4(answer["product_id"]) || productHex
        if (answer["BTL_Percent"] !== undefined)
            takeBattery(answer["BTL_Percent"], answer["charging_STA"])
        var reported = intOf(answer["ProfileNo"], intOf(answer["mouseProfile"], profile))
        if (reported >= 1 && reported <= Mouse.PROFILE_COUNT)
            profile = reported
        profileNames = Mouse.profileNames(answer, profileNames)
        if (answer["mk_AllData"] !== undefined)
            macros = answer["mk_AllData"] ? answer["mk_AllData"] : []
        if (answer["LaunchData"] !== undefined)
            launches = answer["LaunchData"] ? answer["LaunchData"] : []
        takeButtonCodes(answer)
        if (answer["XY_DPI"] !== undefined)
            separateAxes = intOf(answer["XY_DPI"], 0) === 1
        if (answer["DPI_Quantity"] !== undefined)
            dpi = Mouse.stagesFromAnswer(answer, dpi)
        if (answer["ReportRate_wired"] !== undefined && intOf(answer["ReportRate_wired"], 0) > 0)
            usbRate = intOf(answer["ReportRate_wired"], usbRate)
        if (answer["ReportRate_RF"] !== undefined && intOf(answer["ReportRate_RF"], 0) > 0)
            rfRate = intOf(answer["ReportRate_RF"], rfRate)
        if (answer["LOD"] !== undefined)
            liftOff = intOf(answer["LOD"], liftOff)
        lighting = Mouse.lightingFromAnswer(answer, lighting)
        if (answer["BatteryLevel_First"] !== undefined)
            takeBatteryLevels(answer)
        takeFirmwareVersions(answer)
        updateListener()
    }

    function takeButtonCodes(answer) {
        if (answer["CurrentProfileButtons_DATA0"] === undefined)
            return
        var codes = []
        for (var i = 0; i < 9; ++i)
            codes.push(intOf(answer["CurrentProfileButtons_DATA" + i], 255))
        buttonCodes = codes
        var functions = []
        for (var b = 0; b < Mouse.BUTTONS.length; ++b)
            functions.push(Mouse.buttonFunction(answer, Mouse.BUTTONS[b].number, macros, launches))
        buttonFunctions = functions
    }

    function setButtonState(number, code, fn) {
        var codes = buttonCodes.slice()
        codes[number - 1] = code
        buttonCodes = codes
        var functions = buttonFunctions.slice()
        for (var b = 0; b < Mouse.BUTTONS.length; ++b)
            if (Mouse.BUTTONS[b].number === number)
                functions[b] = fn
        buttonFunctions = functions
    }

    // A button that gets another function loses its launch action.
    function dropLaunch(number) {
        var kept = []
        for (var i = 0; i < launches.length; ++i)
            if (intOf(launches[i]["currentButton"], -1) !== number)
                kept.push(launches[i])
        launches = kept
    }

    function takeButtonCommand(sent) {
        var number = intOf(sent["profileButtonsData0"], 0)
        var answer = {}
        answer["CurrentProfileButtons_DATA" + (number - 1)] = sent["profileButtonsData1"]
        answer["ReDefinedKEY_DATA" + (3 * (number - 1))] = sent["profileButtonsData4"]
        answer["ReDefinedKEY_DATA" + (3 * (number - 1) + 1)] = sent["profileButtonsData5"]
        answer["ReDefinedKEY_DATA" + (3 * (number - 1) + 2)] = sent["profileButtonsData6"]
        dropLaunch(number)
        setButtonState(number, intOf(sent["profileButtonsData1"], 255), Mouse.buttonFunction(answer, number, macros, launches))
    }

    function takeMacroKeyInfo(answer) {
        var list = answer["resultList"]
        if (!list || list.length === undefined)
            return
        var codes = buttonCodes.slice()
        for (var i = 0; i < list.length && i < codes.length; ++i) {
            var key = intOf(list[i], 0)
            if (key >= 1 && key <= Mouse.FN_LAST_MACRO_KEY)
                codes[i] = key
        }
        buttonCodes = codes
    }

    function takeMacroList(answer) {
        if (answer["mk_AllData"] !== undefined)
            macros = answer["mk_AllData"] ? answer["mk_AllData"] : []
    }

    function takeMacroAnswer(answer, sent) {
        takeMacroList(answer)
        if (!sent)
            return
        var number = intOf(sent["profileButtonsData0"], 0)
        dropLaunch(number)
        setButtonState(number, intOf(sent["profileButtonsData1"], 0), { name: "Macro Commands", detail: String(sent["macroName"]) })
        macroEditor.close()
    }

    function takeMacroRemoval(sent) {
        if (intOf(sent["runFunction"], 0) !== 37 || sent["setDefault"] !== true)
            return
        var number = intOf(sent["profileButtonsData0"], 0)
        var button = Mouse.buttonByNumber(number)
        setButtonState(number, Mouse.FN_DEFAULT, { name: button ? button.defaultFunction : "Default", detail: "" })
    }

    function takeLaunchAnswer(answer, sent) {
        if (answer["LaunchData"] !== undefined)
            launches = answer["LaunchData"] ? answer["LaunchData"] : []
        if (!sent)
            return
        var number = intOf(sent["currentButton"], 0)
        var kind = intOf(sent["launch"], 0)
        var fake = {}
        fake["CurrentProfileButtons_DATA" + (number - 1)] = Mouse.FN_REDEFINED
        fake["ReDefinedKEY_DATA" + (3 * (number - 1))] = Mouse.TARGET_HOST
        fake["ReDefinedKEY_DATA" + (3 * (number - 1) + 1)] = kind
        setButtonState(number, Mouse.FN_REDEFINED, Mouse.buttonFunction(fake, number, macros, launches))
    }

    function takeCalibration(answer) {
        calibrating = false
        calibrationStatus = intOf(answer["Calib_status"], -1)
        if (answer["LOD"] !== undefined)
            liftOff = intOf(answer["LOD"], liftOff)
    }

    function takeReportRate(sent) {
        var usb = Mouse.USB_RATE_CODES.indexOf(intOf(sent["usb_typeID"], 8))
        var rf = Mouse.RF_RATE_CODES.indexOf(intOf(sent["wifi_typeID"], 8))
        if (usb >= 0)
            usbRate = Mouse.USB_RATES[usb]
        if (rf >= 0)
            rfRate = Mouse.RF_RATES[rf]
    }

    function takeModelName(answer) {
        if (answer["mouse_color"] !== undefined)
            mouseColor = String(answer["mouse_color"])
    }

    function takeLightingCommand(sent) {
        lighting = Mouse.lightingFromCommand(sent, lighting)
    }

    function takeBatteryLevels(answer) {
        var levels = Mouse.batteryLevels(answer["BatteryLevel_First"], answer["BatteryLevel_Second"], "first")
        batteryFirst = levels.first
        batterySecond = levels.second
    }

    function takePowerSettings(answer) {
        var eco = Mouse.ecoIndex(answer["Read_ECO"])
        if (eco >= 0)
            ecoIndex = eco
        var sleep = intOf(answer["Read_Sleep"], 0)
        if (sleep > 0)
            sleepMinutes = sleep
    }

    function takeFirmwareVersions(answer) {
        if (answer["NXP_FW_L"] !== undefined)
            controllerVersion = intOf(answer["NXP_FW_L"], -1)
        if (answer["RF_FW_L"] !== undefined)
            radioVersion = intOf(answer["RF_FW_L"], -1)
        if (answer["firmware"] !== undefined)
            serverFirmware = answer["firmware"] ? answer["firmware"] : []
        if (answer["Mouse_FW_Update"] !== undefined)
            mouseUpdate = intOf(answer["Mouse_FW_Update"], 0) === 1
    }

    function takeProfileNames(answer, sent) {
        profileNames = Mouse.profileNames(answer, profileNames)
        if (!sent || !sent["AppIDList"] || sent["AppIDList"].length === 0)
            return
        var updated = games.slice()
        for (var i = 0; i < sent["AppIDList"].length; ++i) {
            var id = String(sent["AppIDList"][i])
            var values = sent[id]
            var at = Mouse.indexOfGame(updated, id)
            if (at >= 0 && values)
                updated[at] = Mouse.gameRecord({ AppID: values[0], GameName: values[1], InstallDir: values[2], ACFPath: values[3],
                                                  IconPath: values[4], ProfileNum: values[5], Checked: values[6],
                                                  OpacityVisible: values[7] })
        }
        setGames(updated)
        appDialog.saved()
    }

    function takeAddedApplication(answer) {
        var id = answer["AppInfo_appID"] !== undefined ? String(answer["AppInfo_appID"]) : ""
        if (id.length === 0) {
            failureNotice.openWith(answer)
            return
        }
        if (intOf(answer["newApp"], 0) !== 1 || Mouse.indexOfGame(games, id) >= 0) {
            appDialog.notice = "This software has already been added."
            return
        }
        var updated = games.slice()
        updated.push(Mouse.gameRecord({ AppID: id, GameName: answer["AppInfo_appName"], InstallDir: answer["AppInfo_ExePath"],
                                        ACFPath: "", IconPath: answer["AppInfo_iconPath"], ProfileNum: 0,
                                        Checked: false, OpacityVisible: false }))
        setGames(updated)
        appDialog.notice = ""
        appDialog.markLinked(id)
    }

    function setGames(list) {
        games = list
        gamesUpdated(list)
    }

    // ---- battery

    function takeBattery(percent, chargingState) {
        battery = Devices.batteryShown(percent)
        charging = intOf(chargingState, 0) === 1
        checkBattery()
    }

    // One balloon per level reached; a charge above the levels arms them again.
    function checkBattery() {
        var level = Mouse.batteryWarningLevel(battery, batteryFirst, batterySecond)
        if (charging || battery === 0 || level === 0) {
            if (battery > batterySecond)
                warnedLevel = 0
            return
        }
        if (warnedLevel !== 0 && level >= warnedLevel)
            return
        warnedLevel = level
        batteryWarning("Low Battery", "Mouse battery is running low (" + battery + "%)")
    }

    // ---- the listener

    function listenerIdentity() {
        listenerMap["Control"] = 2
        listenerMap["mouseNum"] = 1
        listenerMap["qStr_MCU_UUID"] = uuid
        listenerMap["mouseProfile"] = profile > 0 ? profile : 1
        listenerMap["currentHID_Path"] = deviceInfo["Path"] !== undefined ? String(deviceInfo["Path"]) : ""
        listenerMap["vendor_id"] = vendorHex
        listenerMap["product_id"] = productHex
    }

    function startListener() {
        listenerIdentity()
        background_listen.start()
        background_listen.receiveDataFromQML(listenerMap)
        listening = true
    }

    // The listener reads its command on every pass: a new profile reaches it without a restart.
    function updateListener() {
        if (!listening) {
            startListener()
            return
        }
        listenerIdentity()
        background_listen.receiveDataFromQML(listenerMap)
    }

    function handleListenerAnswer(data) {
        if (intOf(data["Control"], -1) !== 2)
            return
        if (intOf(data["ErrorOpenDevice"], 0) === 1) {
            connected = false
            listenerRestart.interval = 2000
            listenerRestart.restart()
            return
        }
        connected = true
        var fn = data["function"] !== undefined ? String(data["function"]) : ""
        if (fn === "Update_BTL") {
            takeBattery(data["btl_percent"], data["check_charging"])
            updateListener()
        } else if (fn === "Profile_Cycle") {
            request({ "runFunction": 6 })
            restartListenerSoon()
        } else if (fn === "DPI_Change") {
            request({ "runFunction": 13 })
            restartListenerSoon()
        }
    }

    // The loop has ended when its last answer arrives; a moment later it can start again.
    function restartListenerSoon() {
        listenerRestart.interval = 150
        listenerRestart.restart()
    }

    // ---- actions of the tabs

    function selectProfile(number) {
        if (number < 1 || number > Mouse.PROFILE_COUNT)
            return
        request({ "runFunction": 1, "profileNo": number })
    }

    function renameProfile(number, name) {
        request(Mouse.renameCommand(profileNames, number, name, profile))
    }

    function setButtonFunction(number, name) {
        var command = Mouse.buttonCommand(number, name)
        if (command !== null)
            request(command)
    }

    function setShortcut(number, text) {
        var shortcut = Mouse.parseShortcut(text)
        if (shortcut === null)
            return false
        request(Mouse.shortcutCommand(number, shortcut))
        return true
    }

    function setLaunch(number, kind, target) {
        var value = kind === Mouse.LAUNCH_SOFTWARE ? Mouse.localPath(target) : String(target).trim()
        if (value.length === 0)
            return
        request(Mouse.launchCommand(number, kind, value))
    }

    function saveMacro(name, actions, number) {
        var slot = Mouse.macroSlotFor(macros, name)
        if (slot < 0 || String(name).trim().length === 0 || actions.length === 0)
            return false
        request(Mouse.macroCommand(String(name).trim(), actions, slot, number))
        return true
    }

    function assignMacro(macro, number) {
        request(Mouse.assignMacroCommand(macro, number))
    }

    // A macro that a button plays gives the button its default back as it goes.
    function deleteMacro(macro) {
        var button = Mouse.buttonOfMacro(buttonCodes, macro)
        if (button > 0)
            request({ "runFunction": 37, "Item": String(macro["macroName"]), "setDefault": true, "profileButtonsData0": button })
        else
            request({ "runFunction": 36, "macroName": String(macro["macroName"]), "setDefault": false })
    }

    function readMacroKeys() {
        request({ "runFunction": 5 })
    }

    function setDpiLevel(level) {
        var copy = Mouse.copyDpi(dpi)
        copy.level = Math.max(0, Math.min(level, copy.quantity - 1))
        dpi = copy
    }

    function chooseDpiStage(level) {
        if (level < 0 || level >= dpi.quantity)
            return
        request({ "runFunction": 9, "DPI_Quantity": dpi.quantity, "DPI_Level": level })
    }

    function changeDpi(change) {
        var waiting = unansweredCommand(10)
        var copy = waiting !== null ? Mouse.stagesFromAnswer(waiting, dpi) : Mouse.copyDpi(dpi)
        change(copy)
        copy.level = Math.max(0, Math.min(copy.level, copy.quantity - 1))
        var command = Mouse.dpiCommand(copy)
        // Kept with the stage table, so the page opens the way it was left.
        command["XY_DPI"] = separateAxes ? 1 : 0
        request(command)
    }

    function setSeparateAxes(on) {
        if (on === separateAxes)
            return
        separateAxes = on
        changeDpi(function(table) {})
    }

    function setStageResolution(index, x, y) {
        changeDpi(function(table) {
            table.stages[index].x = Mouse.snapDpi(x)
            table.stages[index].y = Mouse.snapDpi(y)
        })
    }

    function setStageColor(index, r, g, b) {
        changeDpi(function(table) {
            table.stages[index].r = r
            table.stages[index].g = g
            table.stages[index].b = b
        })
    }

    function setStageCount(count) {
        changeDpi(function(table) { table.quantity = Math.max(1, Math.min(Mouse.STAGE_COUNT, count)) })
    }

    function setReportRate(usb, rf) {
        request(Mouse.reportRateCommand(usb, rf))
    }

    // One connection's rate; the other stays as last asked for.
    function setUsbRate(rate) {
        var waiting = unansweredCommand(17)
        setReportRate(rate, waiting !== null ? Mouse.rateOfCode(waiting["wifi_typeID"], Mouse.RF_RATES, Mouse.RF_RATE_CODES) : rfRate)
    }

    function setRfRate(rate) {
        var waiting = unansweredCommand(17)
        setReportRate(waiting !== null ? Mouse.rateOfCode(waiting["usb_typeID"], Mouse.USB_RATES, Mouse.USB_RATE_CODES) : usbRate, rate)
    }

    function setLiftOff(value) {
        request({ "runFunction": 12, "LOD": value })
    }

    function startCalibration() {
        calibrationStatus = -1
        request({ "runFunction": 14 })
    }

    function stopCalibration() {
        request({ "runFunction": 15, "LOD": liftOff })
    }

    function changeLighting(change) {
        var waiting = unansweredCommand(32)
        var state = waiting !== null ? Mouse.lightingFromCommand(waiting, lighting) : Mouse.lightingFromAnswer({}, lighting)
        change(state)
        request(Mouse.lightingCommand(state))
    }

    function setEffect(mode) { changeLighting(function(s) { s.mode = mode; s.on = true }) }
    function setBrightness(value) { changeLighting(function(s) { s.brightness = value }) }
    function setSpeed(value) { changeLighting(function(s) { s.speed = value }) }
    function setLightColor(r, g, b) {
        if (r === 0 && g === 0 && b === 0)
            return
        changeLighting(function(s) { s.r = r; s.g = g; s.b = b; s.on = true })
    }
    function setLightsOn(on) { changeLighting(function(s) { s.on = on }) }

    function setEco(index) {
        request(Mouse.ecoCommand(index))
    }

    function setSleep(minutes) {
        request({ "runFunction": 26, "delay_minute": minutes })
    }

    function saveBatteryLevels(first, second) {
        var levels = Mouse.batteryLevels(first, second, "first")
        request({ "runFunction": 35, "BatteryLevel_First": levels.first, "BatteryLevel_Second": levels.second })
    }

    function saveLinks(changed) {
        if (changed.length > 0)
            request(Mouse.linkCommand(changed, profileNames, profile))
    }

    function addApplication(path) {
        var exe = Mouse.localPath(path)
        if (exe.length > 0)
            request({ "runFunction": 47, "selectExePath": exe })
    }

    function openSystemSettings() {
        request({ "runFunction": 39 })
    }

    function resetProfile() {
        if (profile >= 1)
            request({ "runFunction": 16, "profileNo": profile })
    }

    function resetAll() {
        busy = true
        request({ "runFunction": 999 })
    }

    // ---- firmware

    function startFirmwareUpdate(target) {
        firmwareTarget = target
        firmwareStage = fwDownloading
        firmwareMessage = ""
        request({ "Control": 9, "FwSwitch": target === "mouse" ? 0 : 2 }, 9, firmwareTimeoutMs)
    }

    function endFirmware(success) {
        firmwareStage = success ? fwDone : fwFailed
        if (!success)
            return
        if (firmwareTarget === "receiver")
            dongleUpdate = false
        else
            request({ "runFunction": 45 })
    }

    function handleFirmwareAnswer(answer) {
        var status = intOf(answer["Status"], 0)
        if (answer["Info"] !== undefined && String(answer["Info"]).length > 0)
            firmwareMessage = String(answer["Info"])
        if (firmwareStage === fwDownloading && intOf(answer["download_completed"], -1) !== 1
                && answer["failureCause"] !== undefined && String(answer["failureCause"]).length > 0)
            firmwareMessage = String(answer["failureCause"])
        if (firmwareStage === fwDownloading && firmwareTarget === "mouse") {
            if (intOf(answer["download_completed"], -1) === 1) {
                firmwareStage = fwFlashing
                request({ "Control": 10, "FwSwitch": 1 }, 9, firmwareTimeoutMs)
            } else {
                endFirmware(false)
            }
            return
        }
        if (firmwareStage === fwDownloading) {
            // The receiver: downloading and flashing are one command, and the flashing answers
            // follow a finished download. "FwSwitch" says nothing here: it can be left in the
            // answer from an earlier attempt.
            if (intOf(answer["download_completed"], -1) !== 1) {
                endFirmware(false)
                return
            }
            firmwareStage = fwFlashing
        }
        if (firmwareStage !== fwFlashing)
            return
        if (status === 1)
            endFirmware(true)
        else if (status === -1)
            endFirmware(false)
    }

    // ---- tabs

    function showTab(index) {
        stopKeyCapture()
        currentTab = index
        if (!infoRead)
            return
        if (index === 2)
            request({ "runFunction": 43 })
        else if (index === 3)
            request({ "runFunction": 44 })
        else if (index === 5)
            request({ "runFunction": 20 })
    }

    function stopKeyCapture() {
        if (functionsPanel.capturing)
            functionsPanel.stopCapture()
    }

    // The window is going to the tray: the keyboard hook stops with it.
    function stopKeyInput() {
        stopKeyCapture()
        macroEditor.stopRecording()
    }

    Component.onCompleted: openMouse()
    Component.onDestruction: {
        if (functionsPanel.capturing || macroEditor.recording)
            keyboardHook.stopThread()
    }

    Connections {
        target: talvorin_worker
        function onDataChanged(data) { page.handleWorkerAnswer(data) }
    }

    Connections {
        target: background_listen
        function onDataChanged(data) { page.handleListenerAnswer(data) }
    }

    // A command that is never answered must not hold the others, nor the window covered.
    Timer {
        id: answerTimer
        interval: page.answerTimeoutMs
        onTriggered: {
            var lost = page.pending
            page.pending = null
            page.busy = false
            if (lost && lost.answerControl === 9)
                page.endFirmware(false)
            failureNotice.openWith(null, "The mouse did not answer")
            page.sendNext()
        }
    }

    Timer {
        id: listenerRestart
        interval: 150
        onTriggered: page.startListener()
    }

    MouseSidePanel {
        id: sidePanel
        objectName: "sidePanel"
        x: 30 * page.ratio_w
        y: 16 * page.ratio_h
        width: 330 * page.ratio_w
        height: page.height - 32 * page.ratio_h
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
        mouseName: page.mouseName
        connection: page.connection
        connected: page.connected
        battery: page.battery
        charging: page.charging
        infoRead: page.infoRead
        profile: page.profile
        profileNames: page.profileNames
        onProfileChosen: page.selectProfile(number)
        onRenameRequested: page.renameProfile(number, name)
    }

    Rectangle {
        x: 380 * page.ratio_w
        y: 16 * page.ratio_h
        width: 1
        height: page.height - 32 * page.ratio_h
        color: Palette.line
    }

    TabHeader {
        id: tabs
        objectName: "mouseTabs"
        x: 410 * page.ratio_w
        y: 12 * page.ratio_h
        titles: page.tabTitles
        currentIndex: page.currentTab
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
        onSelected: page.showTab(index)
    }

    Item {
        id: tabArea
        x: 410 * page.ratio_w
        y: tabs.y + tabs.height + 18 * page.ratio_h
        width: 1000 * page.ratio_w
        height: page.height - y - 16 * page.ratio_h

        MouseFunctionsPanel {
            id: functionsPanel
            objectName: "functionsPanel"
            anchors.fill: parent
            visible: page.currentTab === 0
            ratio_w: page.ratio_w
            ratio_h: page.ratio_h
            buttonFunctions: page.buttonFunctions
            buttonCodes: page.buttonCodes
            macros: page.macros
            launches: page.launches
            onFunctionChosen: page.setButtonFunction(number, name)
            onShortcutChosen: page.setShortcut(number, text)
            onLaunchChosen: page.setLaunch(number, kind, target)
            onMacroAssigned: page.assignMacro(macro, number)
            onMacroDeleted: page.deleteMacro(macro)
            onRecordRequested: macroEditor.openFor(number)
            onMacroEditRequested: macroEditor.openWith(number, macro)
            onMacroListShown: page.readMacroKeys()
        }

        MousePerformancePanel {
            id: performancePanel
            objectName: "performancePanel"
            anchors.fill: parent
            visible: page.currentTab === 1
            ratio_w: page.ratio_w
            ratio_h: page.ratio_h
            dpi: page.dpi
            separateAxes: page.separateAxes
            onSeparateAxesToggled: page.setSeparateAxes(on)
            connection: page.connection
            usbRate: page.usbRate
            rfRate: page.rfRate
            liftOff: page.liftOff
            calibrating: page.calibrating
            calibrationStatus: page.calibrationStatus
            onStageChosen: page.chooseDpiStage(index)
            onStageResolutionSet: page.setStageResolution(index, x, y)
            onStageColorSet: page.setStageColor(index, r, g, b)
            onStageCountSet: page.setStageCount(count)
            onUsbRateChosen: page.setUsbRate(rate)
            onRfRateChosen: page.setRfRate(rate)
            onLiftOffChosen: page.setLiftOff(value)
            onCalibrationStarted: page.startCalibration()
            onCalibrationStopped: page.stopCalibration()
        }

        MouseLightingPanel {
            id: lightingPanel
            objectName: "lightingPanel"
            anchors.fill: parent
            visible: page.currentTab === 2
            ratio_w: page.ratio_w
            ratio_h: page.ratio_h
            lighting: page.lighting
            onEffectChosen: page.setEffect(mode)
            onBrightnessChosen: page.setBrightness(value)
            onSpeedChosen: page.setSpeed(value)
            onColorChosen: page.setLightColor(r, g, b)
            onLightsToggled: page.setLightsOn(on)
        }

        MousePowerPanel {
            id: powerPanel
            objectName: "powerPanel"
            anchors.fill: parent
            visible: page.currentTab === 3
            ratio_w: page.ratio_w
            ratio_h: page.ratio_h
            ecoIndex: page.ecoIndex
            sleepMinutes: page.sleepMinutes
            batteryFirst: page.batteryFirst
            batterySecond: page.batterySecond
            onEcoChosen: page.setEco(index)
            onSleepChosen: page.setSleep(minutes)
            onBatteryLevelsSaved: page.saveBatteryLevels(first, second)
        }

        LinkedAppsPanel {
            id: appsPanel
            objectName: "appsPanel"
            anchors.fill: parent
            visible: page.currentTab === 4
            ratio_w: page.ratio_w
            ratio_h: page.ratio_h
            games: page.games
            profile: page.profile
            profileLabel: Mouse.profileLabel(page.profileNames, Math.max(1, page.profile))
            onChooseRequested: appDialog.openFor(page.profile)
            onUnlinkRequested: page.saveLinks([game])
        }

        MouseSettingsPanel {
            id: settingsPanel
            objectName: "settingsPanel"
            anchors.fill: parent
            visible: page.currentTab === 5
            ratio_w: page.ratio_w
            ratio_h: page.ratio_h
            mouseName: page.mouseName
            mouseColor: page.mouseColor
            controllerVersion: page.controllerVersion
            radioVersion: page.radioVersion
            serverFirmware: page.serverFirmware
            mouseUpdate: page.mouseUpdate
            dongleUpdate: page.dongleUpdate
            updateCheckError: page.updateCheckError
            onServerCheckRequested: page.serverCheckRequested()
            profileLabel: Mouse.profileLabel(page.profileNames, Math.max(1, page.profile))
            onSystemSettingsRequested: page.openSystemSettings()
            onFirmwareRequested: firmwareDialog.openFor(target)
            onProfileResetRequested: page.resetProfile()
            onResetAllRequested: page.resetAll()
        }
    }

    MacroEditor {
        id: macroEditor
        objectName: "macroEditor"
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
        // Centred over the tab it belongs to, below the tab titles rather than over them.
        onAboutToShow: {
            var area = tabArea.mapToItem(null, 0, 0)
            x = area.x + (tabArea.width - width) / 2
            y = area.y + Math.max(0, (tabArea.height - height) / 2)
        }
        onSaveRequested: {
            if (!page.saveMacro(name, actions, button))
                macroEditor.notice = page.macros.length >= Mouse.MACRO_SLOTS && Mouse.macroSlotFor(page.macros, name) < 0
                        ? "All ten macro keys are in use: delete a macro first." : "Give the macro a name and record at least one key."
        }
    }

    ApplicationChooser {
        id: appDialog
        objectName: "appDialog"
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
        games: page.games
        onSaveRequested: page.saveLinks(changed)
        onAddRequested: page.addApplication(path)
    }

    MouseFirmwareDialog {
        id: firmwareDialog
        objectName: "firmwareDialog"
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
        stage: page.firmwareStage
        message: page.firmwareMessage
        onStartRequested: page.startFirmwareUpdate(which)
        onClosed: if (page.firmwareStage === page.fwDone || page.firmwareStage === page.fwFailed) page.firmwareStage = page.fwIdle
    }

    FailureNotice {
        id: failureNotice
        objectName: "failureNotice"
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
    }
}
