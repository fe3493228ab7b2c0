import QtQuick 2.9
import QtTest 1.2
import "fixtures.js" as Fixtures
import "qrc:/js/mouse.js" as Mouse

TestCase {
    id: testCase
    name: "MousePage"
    width: 1440
    height: 810
    when: windowShown
    visible: true

    property var pageComponent: Qt.createComponent("qrc:/pages/PageMouse.qml")

    SignalSpy { id: warningSpy; signalName: "batteryWarning" }
    Component { id: signalSpyComponent; SignalSpy {} }
    SignalSpy { id: gamesSpy; signalName: "gamesUpdated" }

    function init() {
        talvorin_worker.reset()
        background_listen.reset()
        keyboardHook.reset()
        warningSpy.clear()
        gamesSpy.clear()
    }

    // Popups keep their items in the window's overlay, not under the page.
    function child(page, name) {
        var item = findChild(page, name)
        var popups = ["macroEditor", "appDialog", "firmwareDialog", "failureNotice"]
        for (var i = 0; item === null && i < popups.length; ++i)
            item = findChild(findChild(page, popups[i]).contentItem, name)
        if (item === null)
            item = findChild(findChild(findChild(page, "performancePanel"), "stageColorPopup").contentItem, name)
        if (item === null)
            item = findChild(findChild(findChild(page, "settingsPanel"), "resetConfirm").contentItem, name)
        verify(item !== null, "no item named " + name)
        return item
    }

    function createPage(games) {
        verify(pageComponent.status === Component.Ready, pageComponent.errorString())
        var page = createTemporaryObject(pageComponent, testCase, {
            width: 1440, height: 763,
            deviceInfo: Fixtures.mouseRecord(0),
            commandMap: { "Control": -1, "runFunction": -1 },
            listenerMap: { "Control": -1, "runFunction": -1 },
            gameList: games === undefined ? [] : games
        })
        verify(page !== null)
        warningSpy.target = page
        gamesSpy.target = page
        return page
    }

    // A page that has had its opening answer.
    function openPage(extra, games) {
        var page = createPage(games)
        talvorin_worker.answer(Fixtures.mouseOpening(extra === undefined ? {} : extra))
        tryVerify(function() { return page.infoRead && !page.busy })
        waitForRendering(page)
        return page
    }

    // Answers the page's last command with success (and the given keys).
    function reply(page, extra) {
        var sent = talvorin_worker.lastSent()
        var before = talvorin_worker.sentCount()
        talvorin_worker.answer(Fixtures.mouseAnswer(sent["runFunction"], extra === undefined ? {} : extra))
        tryVerify(function() { return page.pending === null || talvorin_worker.sentCount() > before })
    }

    function lastCommand(runFunction) {
        var sent = talvorin_worker.lastSent()
        compare(sent["Control"], 2)
        compare(sent["runFunction"], runFunction)
        return sent
    }

    function buttonText(page, number) {
        return child(page, "buttonFunction_" + number).text
    }

    // ---- opening

    function test_opening_reads_the_mouse_and_starts_the_listener() {
        var page = createPage()
        verify(page.busy, "the window is covered until the mouse answers")
        var open = lastCommand(6)
        compare(open["currentHID_Path"], "/dev/hidraw3")
        compare(open["Vendor_ID"], "2DBF")
        compare(open["Usage_Page"], "FF00")
        compare(background_listen.startCount, 0, "the listener waits for the mouse")

        talvorin_worker.answer(Fixtures.mouseOpening({ "product_id": 0x5038, "BusTypeName": "USB" }))
        tryVerify(function() { return !page.busy })
        compare(background_listen.startCount, 1)
        var identity = background_listen.lastSent()
        compare(identity["Control"], 2)
        compare(identity["currentHID_Path"], "/dev/hidraw3")
        compare(identity["vendor_id"], "2DBF")
        compare(identity["product_id"], "5038", "the connection the mouse answered on")
        compare(identity["qStr_MCU_UUID"], "00112233445566778899AABBCCDDEEFF")
        compare(identity["mouseProfile"], 2)
        compare(child(page, "batteryText").text, "80%")
        compare(child(page, "connectionText").text, "USB Mode")
        compare(child(page, "profileLabel_2").text, "Arena")
        compare(child(page, "profileLabel_3").text, "Profile 3")
        verify(child(page, "profile_2").current)
    }

    function test_firmware_versions_missing_from_the_opening_are_read_again() {
        var page = createPage()
        var opening = Fixtures.mouseOpening({})
        delete opening["NXP_FW_L"]
        delete opening["RF_FW_L"]
        talvorin_worker.answer(opening)
        tryVerify(function() { return talvorin_worker.lastSent()["runFunction"] === 45 })
        reply(page, { "NXP_FW_L": 7, "RF_FW_L": 3, "Mouse_FW_Update": 0 })
        compare(page.controllerVersion, 7)
        verify(!page.mouseUpdate)
    }

    function test_opening_answer_shows_each_button_function() {
        var keys = {}
        for (var k = 0; k < 27; ++k)
            keys["ReDefinedKEY_DATA" + k] = 0
        keys["CurrentProfileButtons_DATA1"] = 64
        keys["ReDefinedKEY_DATA3"] = 1          // button 2: keyboard
        keys["ReDefinedKEY_DATA4"] = 0x01       // Ctrl
        keys["ReDefinedKEY_DATA5"] = 6          // C
        keys["CurrentProfileButtons_DATA2"] = 31 // button 3: macro key 31
        keys["CurrentProfileButtons_DATA3"] = 64
        keys["ReDefinedKEY_DATA9"] = 2          // button 4: launch, web address
        keys["ReDefinedKEY_DATA10"] = 3
        keys["CurrentProfileButtons_DATA4"] = 0 // button 5: disabled
        keys["LaunchData"] = [{ "currentButton": 4, "launch": 3, "webside_path": "example.com" }]
        var page = openPage(keys)
        compare(buttonText(page, 1), "Left Click")
        compare(buttonText(page, 2), "Keyboard Shortcut : Ctrl+C")
        compare(buttonText(page, 3), "Macro Commands : Reload")
        compare(buttonText(page, 4), "Launch Website : example.com")
        compare(buttonText(page, 5), "Disable")
        compare(buttonText(page, 6), "DPI Cycle")
    }

    // ---- the listener's notifications

    function test_listener_notifications_data() {
        return [
            { tag: "profile cycle", fn: "Profile_Cycle", command: 6, restarts: true },
            { tag: "DPI change", fn: "DPI_Change", command: 13, restarts: true },
            { tag: "battery", fn: "Update_BTL", command: -1, restarts: false }
        ]
    }

    function test_listener_notifications(data) {
        var page = openPage()
        var sentBefore = talvorin_worker.sentCount()
        var identityBefore = background_listen.sentCount()
        background_listen.answer({ "Control": 2, "function": data.fn, "ErrorOpenDevice": 0, "Delay": -1,
                                   "btl_percent": 64, "check_charging": 1 })
        if (data.command > 0) {
            tryVerify(function() { return talvorin_worker.sentCount() === sentBefore + 1 })
            compare(talvorin_worker.lastSent()["runFunction"], data.command)
        }
        if (data.restarts) {
            tryCompare(background_listen, "startCount", 2)
            compare(background_listen.lastSent()["currentHID_Path"], "/dev/hidraw3")
        } else {
            tryVerify(function() { return background_listen.sentCount() > identityBefore }, 1000, "identity sent again")
            wait(300)
            compare(background_listen.startCount, 1, "a battery update does not end the loop")
            compare(child(page, "batteryText").text, "64% (charging)")
            compare(talvorin_worker.sentCount(), sentBefore)
        }
    }

    function test_dpi_change_answer_moves_the_current_stage() {
        var page = openPage()
        background_listen.answer({ "Control": 2, "function": "DPI_Change" })
        tryVerify(function() { return talvorin_worker.lastSent()["runFunction"] === 13 })
        reply(page, { "DPI_Quantity": 4, "DPI_Level": 3, "DPI4_X": 3200, "DPI4_Y": 3200 })
        compare(page.dpi.level, 3)
        verify(findChild(page, "stage_4").current)
    }

    function test_device_error_shows_the_mouse_gone_and_tries_again() {
        var page = openPage()
        background_listen.answer({ "Control": 2, "ErrorOpenDevice": 1, "function": "" })
        tryVerify(function() { return child(page, "disconnectedText").visible })
        wait(500)
        compare(background_listen.startCount, 1, "not straight away")
        tryCompare(background_listen, "startCount", 2, 4000)
        background_listen.answer({ "Control": 2, "ErrorOpenDevice": 0, "function": "Update_BTL", "btl_percent": 70 })
        tryVerify(function() { return !child(page, "disconnectedText").visible })
    }

    function test_low_battery_balloon_at_each_level() {
        var page = openPage()
        var readings = [[60, 0, 0], [45, 0, 1], [40, 0, 1], [19, 0, 2], [15, 0, 2], [15, 1, 2], [90, 0, 2], [48, 0, 3]]
        for (var i = 0; i < readings.length; ++i) {
            background_listen.answer({ "Control": 2, "function": "Update_BTL", "btl_percent": readings[i][0],
                                       "check_charging": readings[i][1] })
            tryCompare(page, "battery", readings[i][0])
            compare(warningSpy.count, readings[i][2], "after " + readings[i][0] + "%")
        }
        compare(warningSpy.signalArguments[0][0], "Low Battery")
        compare(warningSpy.signalArguments[0][1], "Mouse battery is running low (45%)")
        compare(warningSpy.signalArguments[1][1], "Mouse battery is running low (19%)")
    }

    // ---- profiles

    function test_switching_profile_moves_the_listener_too() {
        var page = openPage()
        mouseClick(child(page, "profile_4"))
        compare(lastCommand(1)["profileNo"], 4)
        verify(child(page, "profile_2").current, "shown once the mouse has switched")
        reply(page, Fixtures.mouseOpening({ "runFunction": 1, "ProfileNo": 4,
                                            "userData": [{}, {}, {}, { "profileName": "Raid" }, {}] }))
        verify(child(page, "profile_4").current)
        compare(child(page, "profileLabel_4").text, "Raid")
        compare(background_listen.lastSent()["mouseProfile"], 4)
        compare(background_listen.startCount, 1, "the running listener reads the new profile")
    }

    function test_rename_profile() {
        var page = openPage()
        var side = findChild(page, "sidePanel")
        side.startRename(3)
        var field = child(page, "profileNameField")
        verify(field.visible)
        // It starts from the name shown, selected, with the keyboard focus (and the caret).
        compare(field.text, "Profile 3")
        tryVerify(function() { return field.activeFocus })
        compare(field.selectedText, "Profile 3")
        field.text = "  Sniper  "
        field.accepted()
        var sent = lastCommand(41)
        compare(sent["profileName"], ["Office", "Arena", "Sniper", "", ""])
        compare(sent["currentProfileName"], "Arena")
        compare(sent["AppIDList"], [])
        reply(page, { "userData": [{ "profileName": "Office" }, { "profileName": "Arena" }, { "profileName": "Sniper" }, {}, {}] })
        compare(child(page, "profileLabel_3").text, "Sniper")
    }

    // ---- linked applications

    function test_link_applications_to_the_current_profile() {
        var games = [Fixtures.game("730", "Zeta Strike", 0), Fixtures.game("570", "alpha Arena", 1),
                     Fixtures.game("a1b2", "Blender", 2)]
        var page = openPage({}, games)
        page.showTab(4)
        verify(findChild(page, "linked_a1b2") !== null)
        mouseClick(child(page, "chooseApplications"))
        var dialog = findChild(page, "appDialog")
        tryVerify(function() { return dialog.opened })
        compare(dialog.shown[0].GameName, "Zeta Strike")
        mouseClick(child(page, "sortAZ"))
        compare([dialog.shown[0].GameName, dialog.shown[1].GameName, dialog.shown[2].GameName],
                ["alpha Arena", "Blender", "Zeta Strike"])
        dialog.setLinked("730", true)
        dialog.setLinked("a1b2", false)
        mouseClick(child(page, "saveLinks"))
        var sent = lastCommand(41)
        compare(sent["AppIDList"], ["730", "a1b2"])
        compare(sent["730"], ["730", "Zeta Strike", "/opt/Zeta Strike", "", "", 2, true, false])
        compare(sent["a1b2"][5], 0)
        compare(sent["a1b2"][6], false)
        compare(sent["profileName"], ["Office", "Arena", "", "", ""], "the names stay as they are")
        reply(page, {})
        tryVerify(function() { return !dialog.visible })
        compare(gamesSpy.count, 1)
        verify(findChild(page, "linked_730") !== null)
        verify(findChild(page, "linked_a1b2") === null)
    }

    function test_linked_program_whose_file_is_gone_is_marked() {
        var gone = Fixtures.game("a1b2", "Blender", 2)
        gone["FileMissing"] = true
        var page = openPage({}, [Fixtures.game("730", "Zeta Strike", 2), Mouse.gameRecord(gone)])
        page.showTab(4)
        waitForRendering(page)
        verify(child(page, "missing_a1b2").visible)
        compare(child(page, "missing_a1b2").text, "Missing: file not found")
        verify(!child(page, "missing_730").visible)
    }

    function test_chooser_explains_an_empty_list() {
        var page = openPage({}, [])
        page.showTab(4)
        mouseClick(child(page, "chooseApplications"))
        var dialog = findChild(page, "appDialog")
        tryVerify(function() { return dialog.opened })
        verify(child(page, "noApplicationsText").visible)
        verify(child(page, "noApplicationsText").text.indexOf("No games or programs were found") === 0)
        dialog.close()
        tryVerify(function() { return !dialog.visible })

        var full = openPage({}, [Fixtures.game("730", "Zeta Strike", 0)])
        full.showTab(4)
        mouseClick(child(full, "chooseApplications"))
        tryVerify(function() { return findChild(full, "appDialog").opened })
        verify(!child(full, "noApplicationsText").visible)
    }

    function test_add_application_by_hand() {
        var page = openPage({}, [Fixtures.game("730", "Zeta Strike", 0)])
        var dialog = findChild(page, "appDialog")
        dialog.openFor(2)
        page.addApplication("file:///opt/my%20game/run.sh")
        compare(lastCommand(47)["selectExePath"], "/opt/my game/run.sh")
        reply(page, { "newApp": 1, "AppInfo_appID": "f00d", "AppInfo_appName": "run", "AppInfo_iconPath": "/x/run.png",
                      "AppInfo_ExePath": "/opt/my game/run.sh" })
        compare(page.games.length, 2)
        compare(page.games[1].InstallDir, "/opt/my game/run.sh")
        verify(dialog.isLinked("f00d"), "a program added from the dialog is meant to be linked")

        page.addApplication("/opt/my game/run.sh")
        reply(page, { "newApp": 0, "AppInfo_appID": "f00d", "AppInfo_appName": "run" })
        compare(child(page, "chooserNotice").text, "This software has already been added.")
        compare(page.games.length, 2)
    }

    // ---- mouse functions

    function test_button_functions_data() {
        return [
            { tag: "Left Click", fn: "Left Click", record: [64, 0, 1, 0] },
            { tag: "Right Click", fn: "Right Click", record: [64, 0, 2, 0] },
            { tag: "Middle", fn: "Middle", record: [64, 0, 3, 0] },
            { tag: "Forward", fn: "Forward", record: [64, 0, 4, 0] },
            { tag: "Backward", fn: "Backward", record: [64, 0, 5, 0] },
            { tag: "Scroll Up", fn: "Scroll Up", record: [64, 0, 6, 0] },
            { tag: "Scroll Down", fn: "Scroll Down", record: [64, 0, 7, 0] },
            { tag: "DPI Cycle", fn: "DPI Cycle", record: [66, 0, 0, 0] },
            { tag: "Disable", fn: "Disable", record: [0, 0, 0, 0] }
        ]
    }

    function test_button_functions(data) {
        var page = openPage()
        mouseClick(child(page, "button_4"))
        mouseClick(child(page, "function_" + data.fn))
        var sent = lastCommand(2)
        compare([sent["profileButtonsData0"], sent["profileButtonsData1"], sent["profileButtonsData4"],
                 sent["profileButtonsData5"], sent["profileButtonsData6"]], [4].concat(data.record))
        reply(page, {})
        compare(buttonText(page, 4), data.fn)
    }

    function test_keyboard_shortcut_is_captured_by_the_hook() {
        var page = openPage({ "LaunchData": [{ "currentButton": 5, "launch": 2, "software_path": "/usr/bin/gimp" }] })
        mouseClick(child(page, "button_5"))
        mouseClick(child(page, "function_Keyboard Shortcut"))
        compare(keyboardHook.startCount, 1)
        compare(keyboardHook.lastSent()["Control"], 2)
        var apply = child(page, "applyShortcutButton")
        verify(!apply.enabled)
        keyboardHook.answer({ "Control": 2, "KeyFunction": "Tab+Q", "RESULTS": 1 })
        keyboardHook.answer({ "Control": 2, "KeyFunction": "Shift+F5", "RESULTS": 1 })
        tryCompare(child(page, "capturedShortcut"), "text", "Shift+F5")
        keyboardHook.answer({ "Control": 2, "KeyFunction": "Tab+Q", "RESULTS": 1 })
        wait(50)
        compare(child(page, "capturedShortcut").text, "Shift+F5", "a key the mouse cannot send is passed over")
        mouseClick(apply)
        compare(keyboardHook.stopCount, 1)
        var sent = lastCommand(3)
        compare([sent["profileButtonsData0"], sent["profileButtonsData1"], sent["profileButtonsData4"],
                 sent["profileButtonsData5"], sent["profileButtonsData6"]], [5, 64, 1, 0x02, 62])
        reply(page, {})
        compare(buttonText(page, 5), "Keyboard Shortcut : Shift+F5")
        compare(page.launches.length, 0, "the button's launch action is gone")
    }

    function test_launch_software_and_website_data() {
        return [
            { tag: "software", fn: "Launch Software", field: "softwareField", text: "/usr/bin/gimp", launch: 2,
              key: "software_path", shown: "Launch Software : gimp" },
            { tag: "website", fn: "Launch Website", field: "websiteField", text: " www.example.com ", launch: 3,
              key: "webside_path", shown: "Launch Website : www.example.com" }
        ]
    }

    function test_launch_software_and_website(data) {
        var page = openPage()
        mouseClick(child(page, "button_3"))
        mouseClick(child(page, "function_" + data.fn))
        compare(talvorin_worker.lastSent()["runFunction"], 6, "nothing sent before the target is given")
        child(page, data.field).text = data.text
        mouseClick(child(page, "applyLaunchButton"))
        var sent = lastCommand(40)
        compare(sent["currentButton"], 3)
        compare(sent["launch"], data.launch)
        compare(sent[data.key], data.text.trim())
        reply(page, { "LaunchData": [{ "currentButton": 3, "launch": data.launch, "launchName": data.launch === 2 ? "gimp" : "",
                                       "software_path": sent["software_path"], "webside_path": sent["webside_path"] }] })
        compare(buttonText(page, 3), data.shown)
    }

    // A function picked but never set up does not stay highlighted for a button that does
    // something else.
    function test_grid_shows_what_the_button_does() {
        var page = openPage()
        mouseClick(child(page, "button_5"))
        verify(child(page, "function_Backward").chosen)
        mouseClick(child(page, "function_Launch Website"))
        verify(child(page, "function_Launch Website").chosen, "chosen while it is being set up")
        page.showTab(1)
        page.showTab(0)
        verify(child(page, "function_Backward").chosen)
        verify(!child(page, "function_Launch Website").chosen)
    }

    // ---- macros

    function test_macro_dialog_sits_over_its_tab() {
        var page = openPage()
        var editor = findChild(page, "macroEditor")
        editor.openFor(2)
        tryVerify(function() { return editor.opened })
        var tabs = findChild(page, "mouseTabs")
        var tabsBottom = tabs.mapToItem(null, 0, tabs.height).y
        var top = editor.contentItem.mapToItem(null, 0, -editor.topPadding).y
        verify(top >= tabsBottom, "the tab titles stay visible: " + top + " < " + tabsBottom)
        var area = findChild(page, "functionsPanel")
        var areaCentre = area.mapToItem(null, area.width / 2, 0).x
        var centre = editor.contentItem.mapToItem(null, editor.contentItem.width / 2, 0).x
        verify(Math.abs(centre - areaCentre) < 2, "centred over the tab: " + centre + " vs " + areaCentre)
        editor.close()
    }

    function test_record_a_macro_and_give_it_to_a_button() {
        var page = openPage()
        mouseClick(child(page, "button_2"))
        mouseClick(child(page, "function_Macro Commands"))
        compare(lastCommand(5)["runFunction"], 5)
        reply(page, { "resultList": [0, 0, 31, 0, 0, 0, 0, 0, 0] })
        mouseClick(child(page, "recordMacroButton"))
        var editor = findChild(page, "macroEditor")
        tryVerify(function() { return editor.opened })
        mouseClick(child(page, "recordButton"))
        compare(keyboardHook.startCount, 1)
        compare(keyboardHook.lastSent()["Control"], 1)
        compare(child(page, "recordingText").text, "Macro Command is now recording!")
        keyboardHook.answer({ "Control": 1, "SendMacroKey": 1, "Action": "Hold", "Key": "Ctrl", "device": "KEYBOARD" })
        keyboardHook.answer({ "Control": 1, "SendMacroKey": 1, "Action": "Hold", "Key": "A", "device": "KEYBOARD" })
        keyboardHook.answer({ "Control": 1, "SendMacroKey": 1, "Action": "Release", "Key": "A", "device": "KEYBOARD" })
        keyboardHook.answer({ "Control": 1, "SendMacroKey": 1, "Action": "Hold", "Key": "F7", "device": "KEYBOARD" })
        keyboardHook.answer({ "StopMacro": 1 })
        tryVerify(function() { return !editor.recording })
        compare(editor.actions.length, 3)
        compare(editor.actions[2]["actionText"], "Release")
        verify(editor.actions[1]["delay"] >= 0)
        child(page, "macroNameField").text = "Select all"
        mouseClick(child(page, "saveMacroButton"))
        var sent = lastCommand(7)
        compare(sent["macroName"], "Select all")
        compare(sent["selectMacrokey"], 0)
        compare(sent["macro_F"], 1, "macro key 31 is taken by Reload")
        compare(sent["macroKey"], 32)
        compare(sent["profileButtonsData0"], 2)
        compare(sent["profileButtonsData1"], 32)
        compare(sent["b_length"], 60)
        compare(sent["Actions"].length, 3)
        compare(sent["Actions"][0]["deviceText"], "Keystroke")
        compare(sent["Actions"][0]["key"], "Ctrl")
        reply(page, { "mk_AllData": [{ "macroName": "Reload", "macroKey": 31 }, { "macroName": "Select all", "macroKey": 32 }] })
        tryVerify(function() { return !editor.visible })
        compare(buttonText(page, 2), "Macro Commands : Select all")
        compare(page.macros.length, 2)
    }

    // Records Ctrl down, A down, A up, and stops.
    function recordThreeSteps(page) {
        mouseClick(child(page, "button_2"))
        mouseClick(child(page, "function_Macro Commands"))
        reply(page, { "resultList": [0, 0, 31, 0, 0, 0, 0, 0, 0] })
        mouseClick(child(page, "recordMacroButton"))
        var editor = findChild(page, "macroEditor")
        tryVerify(function() { return editor.opened })
        mouseClick(child(page, "recordButton"))
        keyboardHook.answer({ "Control": 1, "SendMacroKey": 1, "Action": "Hold", "Key": "Ctrl", "device": "KEYBOARD" })
        keyboardHook.answer({ "Control": 1, "SendMacroKey": 1, "Action": "Hold", "Key": "A", "device": "KEYBOARD" })
        keyboardHook.answer({ "Control": 1, "SendMacroKey": 1, "Action": "Release", "Key": "A", "device": "KEYBOARD" })
        keyboardHook.answer({ "StopMacro": 1 })
        tryVerify(function() { return !editor.recording })
        compare(editor.actions.length, 3)
        return editor
    }

    function typeDelay(row, text) {
        var field = findChild(row, "delayField")
        verify(field !== null)
        mouseClick(field)
        field.selectAll()
        keyClick(Qt.Key_Backspace)
        for (var i = 0; i < text.length; ++i)
            keyClick(text.charAt(i))
        keyClick(Qt.Key_Return)
    }

    function test_macro_steps_edited_before_sending() {
        var page = openPage()
        var editor = recordThreeSteps(page)
        waitForRendering(child(page, "actionList"))
        typeDelay(child(page, "step_2"), "42")
        tryCompare(editor.actions[2], "delay", 42)
        // A delay the mouse cannot play is refused and the step keeps its own.
        var before = editor.actions[1]["delay"]
        typeDelay(child(page, "step_1"), "300")
        compare(editor.actions[1]["delay"], before)
        verify(child(page, "macroNotice").text.indexOf("Step 2:") === 0)
        // The Ctrl press goes.
        mouseClick(findChild(child(page, "step_0"), "removeStep"))
        compare(editor.actions.length, 2)
        compare(editor.actions[0]["key"], "A")
        child(page, "macroNameField").text = "Tap A"
        mouseClick(child(page, "saveMacroButton"))
        var sent = lastCommand(7)
        compare(sent["Actions"].length, 2)
        compare(sent["Actions"][0]["actionText"], "Hold")
        compare(sent["Actions"][1]["delay"], 42)
    }

    function test_macro_beyond_the_mouse_is_refused_before_sending() {
        var page = openPage()
        var editor = recordThreeSteps(page)
        var steps = []
        for (var i = 0; i < 199; ++i)
            steps.push({ "deviceText": "Keystroke", "actionText": i % 2 ? "Release" : "Hold", "key": "A", "delay": 10 })
        editor.actions = steps
        child(page, "macroNameField").text = "Too long"
        var before = talvorin_worker.sentCount()
        mouseClick(child(page, "saveMacroButton"))
        compare(talvorin_worker.sentCount(), before)
        verify(child(page, "macroNotice").text.indexOf("at most 198") > 0)
        // One step fewer fits.
        editor.removeStep(editor.actions.length - 1)
        compare(editor.actions.length, 198)
        mouseClick(child(page, "saveMacroButton"))
        compare(lastCommand(7)["Actions"].length, 198)
    }

    function test_stored_macro_edited_and_sent_again_under_its_key() {
        var steps = [{ "deviceText": "Keystroke", "actionText": "Hold", "key": "R", "delay": 0 },
                     { "deviceText": "Keystroke", "actionText": "Release", "key": "R", "delay": 120 },
                     { "deviceText": "Keystroke", "actionText": "Hold", "key": "E", "delay": 30 }]
        var page = openPage({ "mk_AllData": [{ "macroName": "Jump", "macroKey": 31, "mkAction": [] },
                                             { "macroName": "Reload", "macroKey": 33, "mkAction": steps }] })
        mouseClick(child(page, "button_3"))
        mouseClick(child(page, "function_Macro Commands"))
        reply(page, { "resultList": [0, 0, 0, 0, 0, 0, 0, 0, 0] })
        verify(!child(page, "editMacro_Jump").visible, "nothing to edit in a macro without steps")
        mouseClick(child(page, "editMacro_Reload"))
        var editor = findChild(page, "macroEditor")
        tryVerify(function() { return editor.opened })
        compare(child(page, "macroNameField").text, "Reload")
        compare(editor.actions.length, 3)
        waitForRendering(child(page, "actionList"))
        typeDelay(child(page, "step_1"), "7")
        mouseClick(child(page, "saveMacroButton"))
        var sent = lastCommand(7)
        compare(sent["macroName"], "Reload")
        compare(sent["macroKey"], 33, "the macro keeps its own key")
        compare(sent["profileButtonsData0"], 3)
        compare(sent["Actions"][1]["delay"], 7)
        compare(sent["Actions"][2]["delay"], 30)
        // The stored list was not changed behind the page's back.
        compare(page.macros[1]["mkAction"][1]["delay"], 120)
    }

    function test_assign_and_delete_macros() {
        var page = openPage({ "mk_AllData": [{ "macroName": "Reload", "macroKey": 31 }, { "macroName": "Jump", "macroKey": 33 }] })
        mouseClick(child(page, "button_1"))
        mouseClick(child(page, "function_Macro Commands"))
        reply(page, { "resultList": [0, 0, 0, 0, 0, 0, 0, 0, 0] })
        mouseClick(child(page, "assignMacro_Jump"))
        var assign = lastCommand(7)
        compare(assign["selectMacrokey"], 1)
        compare(assign["profileButtonsData0"], 1)
        compare(assign["profileButtonsData1"], 33)
        reply(page, {})
        compare(buttonText(page, 1), "Macro Commands : Jump")

        // Jump is played by button 1: deleting it gives the button its default back.
        mouseClick(child(page, "deleteMacro_Jump"))
        var remove = lastCommand(37)
        compare(remove["Item"], "Jump")
        compare(remove["setDefault"], true)
        compare(remove["profileButtonsData0"], 1)
        reply(page, { "mk_AllData": [{ "macroName": "Reload", "macroKey": 31 }] })
        compare(buttonText(page, 1), "Left Click")

        mouseClick(child(page, "deleteMacro_Reload"))
        compare(lastCommand(36)["macroName"], "Reload")
        reply(page, { "mk_AllData": [] })
        compare(page.macros.length, 0)
    }

    // ---- performance

    function test_dpi_stages() {
        var page = openPage()
        page.showTab(1)
        var x2 = child(page, "stageX_2")
        compare(x2.text, "800")
        x2.text = "1234"
        x2.editingFinished()
        var sent = lastCommand(10)
        compare(sent["DPI2_X"], 1250, "resolutions go in steps of 50")
        compare(sent["DPI2_Y"], 1250, "one value for both axes")
        compare(sent["DPI1_X"], 400)
        compare(sent["DPI_Quantity"], 4)
        compare(sent["DPI_Level"], 1)
        compare(sent["Update_DPI"], 1)
        reply(page, {})
        compare(page.dpi.stages[1].x, 1250)

        // The stage colour comes from the picker.
        page.setStageColor(2, 0, 128, 255)
        sent = lastCommand(10)
        compare([sent["DPI3_LED_R"], sent["DPI3_LED_G"], sent["DPI3_LED_B"]], [0, 128, 255])
        reply(page, {})
        compare(child(page, "stageColor_3").color, Qt.rgba(0, 128 / 255, 1, 1))

        mouseClick(child(page, "stageUse_5"))
        compare(lastCommand(10)["DPI_Quantity"], 5)
        reply(page, {})
        page.chooseDpiStage(4)
        sent = lastCommand(9)
        compare(sent["DPI_Level"], 4)
        reply(page, {})
        verify(findChild(page, "stage_5").current)
    }

    function test_stage_colour_can_be_cancelled_and_keeps_a_margin() {
        var page = openPage()
        page.showTab(1)
        var panel = findChild(page, "performancePanel")
        var popup = findChild(panel, "stageColorPopup")
        panel.openColor(1)
        tryVerify(function() { return popup.opened })
        var apply = child(page, "stageColorApply")
        var bottom = apply.mapToItem(popup.contentItem, 0, apply.height).y
        verify(popup.height - popup.topPadding - bottom >= popup.bottomPadding - 1, "a margin below the buttons")
        var before = talvorin_worker.sentCount()
        mouseClick(child(page, "stageColorCancel"))
        tryVerify(function() { return !popup.visible })
        compare(talvorin_worker.sentCount(), before, "cancel sends nothing")
    }

    // The X-Y choice is stored with the stage table and comes back with the page.
    function test_separate_axes_choice_is_kept() {
        var page = openPage({ "XY_DPI": 1 })
        page.showTab(1)
        var toggle = child(page, "xyToggle")
        verify(toggle.checked, "stored on, although every stage has X equal to Y")
        verify(child(page, "stageY_1").visible)
        mouseClick(toggle)
        var sent = lastCommand(10)
        compare(sent["XY_DPI"], 0)
        compare(sent["DPI1_X"], sent["DPI1_Y"])
        reply(page, {})
        verify(!toggle.checked)
        mouseClick(toggle)
        compare(lastCommand(10)["XY_DPI"], 1)
    }

    // The whole row of a stage makes it current, not only its "Stage N" text; the fields and
    // the colour in it keep their own clicks.
    function test_click_anywhere_on_a_stage_row_makes_it_current() {
        var page = openPage()
        page.showTab(1)
        waitForRendering(page)
        var row = child(page, "stage_3")
        verify(!row.current)
        mouseClick(row, row.width * 0.55, row.height / 2)
        compare(lastCommand(9)["DPI_Level"], 2)
        reply(page, {})
        tryVerify(function() { return row.current })

        var before = talvorin_worker.sentCount()
        mouseClick(child(page, "stageX_4"))
        compare(talvorin_worker.sentCount(), before, "a click into the field edits, it does not choose")
    }

    function test_commands_wait_for_the_answer_before() {
        var page = openPage()
        page.setStageResolution(0, 500, 500)
        var count = talvorin_worker.sentCount()
        page.setLiftOff(3)
        page.setStageResolution(0, 600, 600)
        page.setStageResolution(0, 700, 700)
        page.setStageColor(0, 1, 2, 3)
        page.setEffect(3)
        page.setLightColor(0, 0, 255)
        page.setUsbRate(250)
        page.setRfRate(250)
        compare(talvorin_worker.sentCount(), count, "the worker keeps only the newest command")
        reply(page, {})
        compare(lastCommand(12)["LOD"], 3)
        reply(page, {})
        var dpi = lastCommand(10)
        compare(dpi["DPI1_X"], 700, "a later change of the same setting replaces one waiting")
        compare(dpi["DPI1_LED_R"], 1, "and starts from it")
        reply(page, {})
        var light = lastCommand(32)
        compare([light["ARGB_mode"], light["ARGB_function"], light["B_Color"]], [3, 129, 255])
        reply(page, {})
        var rate = lastCommand(17)
        compare([rate["usb_typeID"], rate["wifi_typeID"]], [32, 32])
        reply(page, {})
        compare(talvorin_worker.sentCount(), count + 4)
    }

    function test_polling_rate_and_lift_off() {
        var page = openPage()
        page.showTab(1)
        verify(findChild(page, "rfRate_500").chosen)
        mouseClick(child(page, "usbRate_2000"))
        var sent = lastCommand(17)
        compare(sent["usb_typeID"], 4)
        compare(sent["wifi_typeID"], 16)
        reply(page, {})
        verify(findChild(page, "usbRate_2000").chosen)
        mouseClick(child(page, "rfRate_250"))
        sent = lastCommand(17)
        compare(sent["usb_typeID"], 4)
        compare(sent["wifi_typeID"], 32)
        reply(page, {})
        mouseClick(child(page, "liftOff_3"))
        compare(lastCommand(12)["LOD"], 3)
        reply(page, {})
        verify(findChild(page, "liftOff_3").chosen)
    }

    function test_calibration() {
        var page = openPage()
        page.showTab(1)
        var button = child(page, "calibrationButton")
        mouseClick(button)
        lastCommand(14)
        reply(page, {})
        compare(button.text, "Stop")
        mouseClick(button)
        compare(lastCommand(15)["LOD"], 2)
        reply(page, { "Calib_status": 0, "LOD": 3, "Snap": 0, "DPI_Level": 1 })
        compare(button.text, "Start")
        compare(child(page, "calibrationResult").text, "Calibration finished")
        compare(page.liftOff, 3)
    }

    // ---- lighting

    // The preview plays the effect: every hue along the bar for the rainbow, one hue after
    // another for the colour shift, blinking, and a dimmer light at a lower brightness.
    function test_lighting_preview_shows_the_effect() {
        var page = openPage()
        page.showTab(2)
        var bar = child(page, "lightBar")
        var lit = { mode: 1, brightness: 8, speed: 4, r: 0, g: 0, b: 255, on: true }
        page.lighting = lit
        compare(bar.colorAt(0.0), Qt.rgba(0, 0, 1, 1))
        verify(!bar.animating, "a single colour stands still")
        var bright = bar.shownOpacity

        page.lighting = { mode: 1, brightness: 2, speed: 4, r: 0, g: 0, b: 255, on: true }
        verify(bar.shownOpacity < bright - 0.3, "brightness shows")

        page.lighting = { mode: 8, brightness: 8, speed: 4, r: 0, g: 0, b: 255, on: true }
        verify(bar.animating)
        verify(!Qt.colorEqual(bar.colorAt(0.0), bar.colorAt(0.5)), "the rainbow is not one colour")
        verify(!Qt.colorEqual(bar.colorAt(0.0), Qt.rgba(0, 0, 1, 1)))

        page.lighting = { mode: 7, brightness: 8, speed: 4, r: 0, g: 0, b: 255, on: true }
        verify(bar.animating)
        compare(bar.colorAt(0.0), bar.colorAt(1.0))
        var first = bar.colorAt(0.0)
        tryVerify(function() { return !Qt.colorEqual(bar.colorAt(0.0), first) }, 3000, "the colour shifts")

        page.lighting = { mode: 5, brightness: 8, speed: 4, r: 0, g: 0, b: 255, on: true }
        var seen = {}
        tryVerify(function() { seen[bar.shownOpacity > 0.5 ? "on" : "off"] = true; return seen.on && seen.off },
                  5000, "blink goes on and off")
    }

    function test_lighting_tab() {
        var page = openPage()
        page.showTab(2)
        lastCommand(43)
        var argb = { "Get_ARGB_DATA0": 6, "Get_ARGB_DATA1": 2, "Get_ARGB_DATA2": 128, "Get_ARGB_DATA3": 3,
                     "Get_ARGB_DATA4": 0, "Get_ARGB_DATA5": 255, "Get_ARGB_DATA6": 64 }
        reply(page, argb)
        verify(findChild(page, "effect_2").chosen)
        compare(page.lighting.brightness, 6)
        compare(child(page, "lightsState").text, "ON")

        mouseClick(child(page, "effect_4"))
        var sent = lastCommand(32)
        compare([sent["ARGB_mode"], sent["ARGB_function"], sent["brightness"], sent["ARGB_cycleTime"]], [4, 129, 6, 3])
        compare([sent["R_Color"], sent["G_Color"], sent["B_Color"]], [0, 255, 64])
        compare([sent["mouse_F"], sent["lighting_F"], sent["button_F"], sent["macro_F"]], [1, 0, 0, 0])
        reply(page, {})
        verify(findChild(page, "effect_4").chosen)

        mouseClick(child(page, "lightsToggle"))
        sent = lastCommand(32)
        compare([sent["ARGB_mode"], sent["ARGB_function"], sent["R_Color"], sent["G_Color"], sent["B_Color"]], [1, 128, 0, 0, 0])
        reply(page, {})
        compare(child(page, "lightsState").text, "OFF")
        mouseClick(child(page, "lightsToggle"))
        sent = lastCommand(32)
        compare([sent["ARGB_mode"], sent["ARGB_function"], sent["G_Color"]], [4, 129, 255], "the remembered effect comes back")
        reply(page, {})

        // A read-back of black is the lights off.
        page.showTab(2)
        reply(page, { "Get_ARGB_DATA0": 8, "Get_ARGB_DATA1": 1, "Get_ARGB_DATA3": 4,
                      "Get_ARGB_DATA4": 0, "Get_ARGB_DATA5": 0, "Get_ARGB_DATA6": 0 })
        compare(child(page, "lightsState").text, "OFF")
    }

    // ---- power and battery levels

    function test_power_settings() {
        var page = openPage()
        page.showTab(3)
        lastCommand(44)
        reply(page, { "Read_ECO": 5, "Read_Sleep": 10 })
        verify(findChild(page, "eco_3").chosen)
        verify(findChild(page, "sleep_10").chosen)
        mouseClick(child(page, "eco_0"))
        var sent = lastCommand(28)
        compare(sent["parameter"], 2)
        compare(sent["Eco_Mode"], 2)
        reply(page, {})
        mouseClick(child(page, "sleep_3"))
        compare(lastCommand(26)["delay_minute"], 3)
        reply(page, {})
        verify(findChild(page, "sleep_3").chosen)
    }

    function test_battery_levels_keep_apart() {
        var page = openPage()
        page.showTab(3)
        reply(page, {})
        var power = findChild(page, "powerPanel")
        var save = child(page, "saveBatteryLevels")
        verify(!save.enabled)
        power.moveLevel("first", 45)
        compare([power.editFirst, power.editSecond], [45, 55])
        power.moveLevel("second", 30)
        compare([power.editFirst, power.editSecond], [20, 30])
        mouseClick(save)
        var sent = lastCommand(35)
        compare([sent["BatteryLevel_First"], sent["BatteryLevel_Second"]], [20, 30])
        reply(page, { "BatteryLevel_First": 20, "BatteryLevel_Second": 30 })
        compare(page.batterySecond, 30)
        verify(!save.enabled)
    }

    // ---- settings and firmware

    function test_mouse_firmware_update() {
        var page = openPage()
        page.showTab(5)
        lastCommand(20)
        reply(page, {})
        compare(child(page, "firmwareState_mouse").text, "Firmware update available")
        compare(child(page, "firmwareState_receiver").text, "Firmware is up to date")
        mouseClick(child(page, "settingButton_mouse"))
        var dialog = findChild(page, "firmwareDialog")
        tryVerify(function() { return dialog.opened })
        compare(child(page, "firmwareStatus").text, "The update will take about 2 minutes")
        mouseClick(child(page, "firmwareStartButton"))
        var sent = talvorin_worker.lastSent()
        compare([sent["Control"], sent["FwSwitch"]], [9, 0])
        talvorin_worker.answer({ "Control": 9, "download_completed": 1, "Status": 0, "Info": "" })
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 10 })
        compare(talvorin_worker.lastSent()["FwSwitch"], 1)
        talvorin_worker.answer({ "Control": 9, "FwSwitch": 1, "Status": 0, "Info": "" })
        talvorin_worker.answer({ "Control": 9, "FwSwitch": 1, "Status": 1, "Info": "All tasks completed." })
        tryCompare(page, "firmwareStage", page.fwDone)
        tryVerify(function() { return talvorin_worker.lastSent()["runFunction"] === 45 })
        reply(page, { "NXP_FW_L": 8, "RF_FW_L": 3, "Mouse_FW_Update": 0 })
        compare(child(page, "firmwareState_mouse").text, "Firmware is up to date")
    }

    // Without an answer from the update server neither card claims to be up to date; asking
    // again goes through the window, and once the server answers the offer is read again.
    function test_firmware_cards_when_the_server_cannot_be_reached() {
        var page = openPage({ "Mouse_FW_Update": 0, "firmware": [] })
        page.updateCheckError = "Could not reach the update server"
        page.showTab(5)
        reply(page, {})
        var checkSpy = createTemporaryObject(signalSpyComponent, testCase, { target: page, signalName: "serverCheckRequested" })
        for (var i = 0; i < 2; ++i) {
            var key = ["mouse", "receiver"][i]
            compare(child(page, "firmwareState_" + key).text, "Could not check for new firmware")
            var button = child(page, "settingButton_" + key)
            verify(button.enabled)
            compare(button.text, "Try Again")
        }
        mouseClick(child(page, "settingButton_receiver"))
        compare(checkSpy.count, 1)
        verify(!findChild(page, "firmwareDialog").opened, "no update is offered without the server")

        page.updateCheckError = ""
        tryVerify(function() { return talvorin_worker.lastSent()["runFunction"] === 45 })
        reply(page, { "NXP_FW_L": 8, "RF_FW_L": 3, "Mouse_FW_Update": 1 })
        compare(child(page, "firmwareState_mouse").text, "Firmware update available")
        compare(child(page, "settingButton_mouse").text, "Update")
    }

    function test_receiver_firmware_failures_data() {
        return [
            { tag: "download failed", answers: [{ "Control": 9, "download_completed": -1, "Status": 0 }] },
            { tag: "download failed after an earlier attempt",
              answers: [{ "Control": 9, "download_completed": -1, "Status": 0, "Info": "", "FwSwitch": 2 }] },
            { tag: "flashing failed", answers: [{ "Control": 9, "FwSwitch": 2, "Status": 0, "download_completed": 1 },
                                                { "Control": 9, "FwSwitch": 2, "Status": -1, "Info": "Fail...!" }] }
        ]
    }

    function test_receiver_firmware_failures(data) {
        var page = openPage()
        page.dongleUpdate = true
        page.showTab(5)
        reply(page, {})
        compare(child(page, "firmwareState_receiver").text, "Firmware update available")
        page.startFirmwareUpdate("receiver")
        var sent = talvorin_worker.lastSent()
        compare([sent["Control"], sent["FwSwitch"]], [9, 2])
        for (var i = 0; i < data.answers.length; ++i)
            talvorin_worker.answer(data.answers[i])
        tryCompare(page, "firmwareStage", page.fwFailed)
        verify(page.dongleUpdate, "still to be done")
    }

    function test_settings_actions() {
        var page = openPage()
        page.showTab(5)
        reply(page, {})
        mouseClick(child(page, "settingButton_system"))
        lastCommand(39)
        reply(page, {})

        mouseClick(child(page, "settingButton_profile"))
        mouseClick(child(page, "confirmReset"))
        compare(lastCommand(16)["profileNo"], 2)
        reply(page, { "profileNo": 2 })
        lastCommand(6)
        reply(page, Fixtures.mouseOpening({}))

        mouseClick(child(page, "settingButton_all"))
        mouseClick(child(page, "confirmReset"))
        lastCommand(999)
        verify(page.busy)
        reply(page, {})
        lastCommand(6)
        reply(page, Fixtures.mouseOpening({ "userData": [{}, {}, {}, {}, {}] }))
        verify(!page.busy)
        compare(child(page, "profileLabel_1").text, "Profile 1")
    }

    function test_failure_answer_shows_the_notice() {
        var page = openPage()
        page.setLiftOff(3)
        talvorin_worker.answer({ "Control": 2, "runFunction": 12, "RESULTS": -1, "checkResult": "ERROR" })
        var notice = child(page, "failureNotice")
        tryVerify(function() { return notice.visible })
        compare(notice.title, "Unable to Complete Action")
        compare(notice.message, "Please Try Again")
        compare(page.liftOff, 2, "the page keeps what the mouse has")
        verify(!child(page, "failureCause").visible, "no cause was given")
        notice.close()

        page.openSystemSettings()
        talvorin_worker.answer({ "Control": 2, "runFunction": 39, "RESULTS": -1, "checkResult": "ERROR",
                                 "failureCause": "No mouse settings program found" })
        tryVerify(function() { return notice.visible })
        compare(child(page, "failureCause").text, "No mouse settings program found")
        verify(child(page, "failureCause").visible)
    }
}
