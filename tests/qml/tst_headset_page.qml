import QtQuick 2.9
import QtTest 1.2
import "fixtures.js" as Fixtures

TestCase {
    id: testCase
    name: "HeadsetPage"
    width: 1440
    height: 810
    when: windowShown
    visible: true

    property var pageComponent: Qt.createComponent("qrc:/pages/PageHeadphone.qml")

    function init() {
        talvorin_worker.reset()
    }

    // Popups keep their items in the window's overlay, not under the page.
    function child(page, name) {
        var item = findChild(page, name)
        var popups = ["firmwareDialog", "saveDialog", "failureNotice"]
        for (var i = 0; item === null && i < popups.length; ++i)
            item = findChild(findChild(page, popups[i]).contentItem, name)
        verify(item !== null, "no item named " + name)
        return item
    }

    // A page that has had its opening answer.
    function openPage(opening) {
        verify(pageComponent.status === Component.Ready, pageComponent.errorString())
        var page = createTemporaryObject(pageComponent, testCase, {
            width: 1440, height: 763,
            deviceInfo: { "headphoneNum": 1, "headphoneName": "Belvarinth ORVENA RH20" },
            commandMap: { "Control": -1, "runFunction": -1, "volumeSlider": 0.0 }
        })
        verify(page !== null)
        var sent = talvorin_worker.lastSent()
        compare(sent["Control"], 3)
        compare(sent["runFunction"], 1)
        talvorin_worker.answer(Fixtures.headsetOpening(opening))
        tryCompare(page, "pendingFunction", 0)
        waitForRendering(page)
        return page
    }

    function answerAndWait(page, answer) {
        talvorin_worker.answer(answer)
        tryCompare(page, "pendingFunction", 0)
    }

    function test_opening_answer_sets_the_page() {
        var values = [3, -2, 0, 10, -10, 1, 0, 0, 4, -4]
        var opening = Fixtures.bands(values)
        opening["getlastAction"] = 5
        opening["dialogEnhance"] = 1
        opening["bassControl"] = 0
        var page = openPage(opening)
        compare(page.option, 5)
        verify(page.dtsOn)
        verify(child(page, "mode_5").chosen)
        compare(page.modeNames, ["Gaming", "Music", "Theater", "Voice", "Arena", "Custom", "Night"])
        for (var i = 0; i < 10; ++i)
            compare(child(page, "band_" + i).shownValue, values[i])
        verify(child(page, "dialogToggle").checked)
        verify(!child(page, "bassToggle").checked)
        compare(child(page, "firmwareName").text, "Installed: Headset-MP")
    }

    // Unnamed custom slots are told apart on their buttons; what is stored keeps its name.
    function test_custom_buttons_have_names_of_their_own() {
        var page = openPage({ "custom1_Name": "Custom", "custom2_Name": "Custom", "custom3_Name": "Night" })
        compare(child(page, "mode_5").label, "Custom 1")
        compare(child(page, "mode_6").label, "Custom 2")
        compare(child(page, "mode_7").label, "Night")
        compare(page.modeNames[4], "Custom")
    }

    // The switches show what is in effect: the preset's values (and why they cannot be
    // changed), and off while DTS is off.
    function test_dialogue_and_bass_switches_show_what_is_in_effect() {
        var page = openPage({ "getlastAction": 2, "dialogEnhance": 1, "bassControl": 1 })
        verify(child(page, "dialogToggle").checked)
        verify(!child(page, "dialogToggle").enabled)
        compare(child(page, "dialogState").text, "ON")
        compare(child(page, "switchesNote").text, "Set by the Music mode; choose a custom mode to change them.")

        mouseClick(child(page, "dtsToggle"))
        answerAndWait(page, Fixtures.headsetAnswer(5, {}))
        verify(!page.dtsOn)
        verify(!child(page, "dialogToggle").checked)
        verify(!child(page, "bassToggle").checked)
        compare(child(page, "bassState").text, "OFF")
        compare(child(page, "switchesNote").text, "DTS is off: dialogue and bass enhancement are off too.")

        page.option = 5
        page.dtsOn = true
        compare(child(page, "switchesNote").text, "")
        verify(child(page, "bassToggle").enabled)
    }

    function test_dts_off_at_start_comes_back_on_the_mode_before() {
        var page = openPage({ "getlastAction": 8, "beforeOFF": 3 })
        verify(!page.dtsOn)
        compare(page.option, 3)
        verify(!child(page, "mode_3").enabled, "modes wait for DTS")
        mouseClick(child(page, "dtsToggle"))
        var sent = talvorin_worker.lastSent()
        compare(sent["runFunction"], 5)
        compare(sent["selectDtsOption"], 3)
        compare(sent["beforeOFF"], 3)
        compare(sent["resetGEQ"], 0)
        answerAndWait(page, Fixtures.headsetAnswer(5, Fixtures.bands([0, 0, 0, 0, 0, 0, 0, 0, 0, 0])))
        verify(page.dtsOn)
        verify(child(page, "mode_3").chosen)
    }

    function test_switching_dts_off_keeps_the_mode() {
        var page = openPage({ "getlastAction": 4 })
        mouseClick(child(page, "dtsToggle"))
        var sent = talvorin_worker.lastSent()
        compare(sent["runFunction"], 5)
        compare(sent["selectDtsOption"], 8)
        compare(sent["beforeOFF"], 4)
        compare(sent["lastAction"], 4)
        verify(page.dtsOn, "the switch waits for the answer")
        answerAndWait(page, Fixtures.headsetAnswer(5, {}))
        verify(!page.dtsOn)
        compare(page.option, 4)
        verify(!child(page, "applyButton").enabled)
    }

    function test_each_mode_sends_its_option_data() {
        return [
            { tag: "Gaming", option: 1 }, { tag: "Music", option: 2 }, { tag: "Theater", option: 3 },
            { tag: "Voice", option: 4 }, { tag: "custom 1", option: 5 }, { tag: "custom 2", option: 6 },
            { tag: "custom 3", option: 7 }
        ]
    }

    function test_each_mode_sends_its_option(data) {
        var page = openPage({ "getlastAction": data.option === 2 ? 1 : 2 })
        var previous = page.option
        mouseClick(child(page, "mode_" + data.option))
        var sent = talvorin_worker.lastSent()
        compare(sent["Control"], 3)
        compare(sent["runFunction"], 5)
        compare(sent["selectDtsOption"], data.option)
        compare(sent["lastAction"], previous)
        compare(sent["beforeOFF"], data.option)
        compare(sent["resetGEQ"], 0)
        var gains = [1, 2, 3, 4, 5, -1, -2, -3, -4, -5]
        var answer = Fixtures.headsetAnswer(5, Fixtures.bands(gains))
        answer["dialogEnhance"] = 1
        answer["bassControl"] = 1
        answerAndWait(page, answer)
        compare(page.option, data.option)
        verify(child(page, "mode_" + data.option).chosen)
        compare(child(page, "band_9").shownValue, -5)
        verify(child(page, "dialogToggle").checked)
        compare(child(page, "dialogToggle").enabled, data.option >= 5, "switches belong to custom modes")
    }

    function test_apply_saves_the_custom_slot_then_selects_it() {
        var page = openPage({ "getlastAction": 5 })
        var apply = child(page, "applyButton")
        verify(!apply.enabled, "nothing to apply yet")
        page.moveBand(2, 6)
        page.moveBand(9, -12)
        verify(apply.enabled)
        mouseClick(apply)
        var save = talvorin_worker.lastSent()
        compare(save["runFunction"], 8)
        compare(save["selectDtsOption"], 5)
        compare(save["ModeName"], "Arena")
        compare(save["GEQ_Band2"], 6)
        compare(save["GEQ_Band9"], -10)
        compare(save["GEQ_Band0"], 0)
        compare(save["dialogEnhance"], -1)
        compare(save["bassControl"], -1)
        var before = talvorin_worker.sentCount()
        talvorin_worker.answer(Fixtures.headsetAnswer(8, {}))
        tryVerify(function() { return talvorin_worker.sentCount() === before + 1 })
        var select = talvorin_worker.lastSent()
        compare(select["runFunction"], 5)
        compare(select["selectDtsOption"], 5)
        compare(select["resetGEQ"], 1)
        answerAndWait(page, Fixtures.headsetAnswer(5, Fixtures.bands([0, 0, 6, 0, 0, 0, 0, 0, 0, -10])))
        compare(page.bands[2], 6)
        verify(!apply.enabled, "applied gains are the device's now")
    }

    function test_apply_only_for_custom_modes() {
        var page = openPage({ "getlastAction": 2 })
        page.moveBand(0, 4)
        verify(!child(page, "applyButton").enabled)
        var before = talvorin_worker.sentCount()
        page.applyEqualizer()
        compare(talvorin_worker.sentCount(), before)
    }

    function test_save_names_a_custom_slot() {
        var page = openPage({ "getlastAction": 1 })
        page.moveBand(4, -3)
        mouseClick(child(page, "saveButton"))
        var dialog = child(page, "saveDialog")
        tryVerify(function() { return dialog.opened })
        mouseClick(child(page, "saveSlot_2"))
        var field = child(page, "customNameField")
        field.text = "Footsteps"
        mouseClick(child(page, "saveConfirmButton"))
        var save = talvorin_worker.lastSent()
        compare(save["runFunction"], 8)
        compare(save["selectDtsOption"], 6)
        compare(save["ModeName"], "Footsteps")
        compare(save["GEQ_Band4"], -3)
        talvorin_worker.answer(Fixtures.headsetAnswer(8, {}))
        tryVerify(function() { return page.modeNames[5] === "Footsteps" })
        tryVerify(function() { return talvorin_worker.lastSent()["runFunction"] === 5 })
        compare(talvorin_worker.lastSent()["selectDtsOption"], 6)
        answerAndWait(page, Fixtures.headsetAnswer(5, Fixtures.bands([0, 0, 0, 0, -3, 0, 0, 0, 0, 0])))
        compare(page.option, 6)
    }

    function test_curve_follows_the_bands_and_switches() {
        var page = openPage({ "getlastAction": 5 })
        var curve = child(page, "responseCurve")
        fuzzyCompare(curve.gainAt(1000), 0, 0.01)
        page.moveBand(5, 8)
        // The nearest drawn point to 1 kHz lies within a few per cent of it.
        fuzzyCompare(curve.gainAt(1000), 8, 0.3)
        verify(Math.abs(curve.gainAt(32)) < 0.1)
        verify(curve.reach >= 12)
        page.bassOn = true
        verify(curve.gainAt(20) > 5, "the bass shelf lifts the lowest frequencies")
        // A band at its limit with the bass shelf on top goes past 12 dB: the scale grows.
        page.moveBand(0, 10)
        verify(curve.reach >= 18)
    }

    function test_imported_preset_is_saved_to_a_slot_with_its_switches() {
        var page = openPage({ "getlastAction": 6, "dialogEnhance": -1, "bassControl": -1 })
        var preset = Fixtures.bands([1, 2, 3, 4, 5, -1, -2, -3, -4, -5])
        preset["ModeName"] = "Traded"
        preset["dialogEnhance"] = 1
        preset["bassControl"] = -1
        page.takeImportedPreset(preset)
        var dialog = child(page, "saveDialog")
        tryVerify(function() { return dialog.opened })
        compare(dialog.chosenSlot, 2)
        compare(child(page, "customNameField").text, "Traded")
        compare(child(page, "band_4").shownValue, 5)
        verify(child(page, "responseCurve").dialogue, "the curve shows the preset's dialogue switch")
        mouseClick(child(page, "saveConfirmButton"))
        var save = talvorin_worker.lastSent()
        compare(save["runFunction"], 8)
        compare(save["selectDtsOption"], 6)
        compare(save["ModeName"], "Traded")
        compare(save["GEQ_Band9"], -5)
        compare(save["dialogEnhance"], 1)
        compare(save["bassControl"], -1)
    }

    function test_preset_file_refusals_are_shown() {
        var page = openPage({ "getlastAction": 5 })
        var files = child(page, "presetFiles")
        files.importFrom("file:///nonexistent-talvorin-folder/preset.json")
        compare(child(page, "presetMessage").text.indexOf("Not imported: "), 0)
        verify(files.failed)
        compare(page.importedPreset, null)
        compare(page.editBands, page.bands)
        files.preset = page.presetToExport()
        files.exportTo("file:///nonexistent-talvorin-folder/preset.json")
        verify(child(page, "presetMessage").text.indexOf("Could not write") === 0)
        verify(child(page, "exportPresetButton").enabled)
    }

    function test_back_to_default_data() {
        return [
            { tag: "custom slot", last: 7, first: 8 },
            { tag: "preset", last: 3, first: 5 }
        ]
    }

    function test_back_to_default(data) {
        var page = openPage(Fixtures.bands([5, 5, 5, 5, 5, 5, 5, 5, 5, 5]))
        page.option = data.last
        mouseClick(child(page, "defaultButton"))
        var sent = talvorin_worker.lastSent()
        compare(sent["runFunction"], data.first)
        compare(sent["selectDtsOption"], data.last)
        if (data.first === 8) {
            for (var i = 0; i < 10; ++i)
                compare(sent["GEQ_Band" + i], 0)
            compare(sent["dialogEnhance"], -1)
            compare(sent["bassControl"], -1)
            compare(sent["ModeName"], "Night")
            talvorin_worker.answer(Fixtures.headsetAnswer(8, {}))
            tryVerify(function() { return talvorin_worker.lastSent()["runFunction"] === 5 })
            sent = talvorin_worker.lastSent()
        }
        compare(sent["resetGEQ"], 1)
        answerAndWait(page, Fixtures.headsetAnswer(5, Fixtures.bands([0, 0, 0, 0, 0, 0, 0, 0, 0, 0])))
        compare(child(page, "band_0").shownValue, 0)
    }

    function test_dialogue_and_bass_switches_of_a_custom_slot() {
        var page = openPage(Fixtures.bands([1, 0, 0, 0, 0, 0, 0, 0, 0, 2]))
        page.option = 6
        mouseClick(child(page, "dialogToggle"))
        var sent = talvorin_worker.lastSent()
        compare(sent["runFunction"], 9)
        compare(sent["selectDtsOption"], 6)
        compare(sent["ModeName"], "Custom")
        compare(sent["dialogEnhance"], 1)
        compare(sent["bassControl"], -1)
        compare(sent["GEQ_Band0"], 1)
        compare(sent["GEQ_Band9"], 2)
        answerAndWait(page, Fixtures.headsetAnswer(9, { "dialogEnhance": 1, "bassControl": 0 }))
        verify(child(page, "dialogToggle").checked)

        mouseClick(child(page, "bassToggle"))
        sent = talvorin_worker.lastSent()
        compare(sent["dialogEnhance"], 1)
        compare(sent["bassControl"], 1)
    }

    function test_failure_answer_shows_notice_and_drops_edits() {
        var page = openPage({ "getlastAction": 5 })
        page.moveBand(3, 7)
        page.applyEqualizer()
        var before = talvorin_worker.sentCount()
        answerAndWait(page, { "Control": 3, "RESULTS": -1 })
        var notice = child(page, "failureNotice")
        tryVerify(function() { return notice.visible })
        compare(notice.title, "Unable to Complete Action")
        compare(child(page, "band_3").shownValue, 0)
        wait(20)
        compare(talvorin_worker.sentCount(), before, "no follow-up after a failure")
    }

    function test_missing_headset() {
        var page = openPage({ "headphoneNum": 0 })
        verify(!page.connected)
        tryVerify(function() { return child(page, "failureNotice").visible })
        verify(!child(page, "dtsToggle").enabled)
        verify(!child(page, "firmwareUpdateButton").enabled)
    }

    function firmwareAnswer(values) {
        values["Control"] = 8
        return values
    }

    // The card says what an update would install; without anything on offer it is disabled,
    // with the reason, whatever the installed version is.
    function test_firmware_card_says_what_the_update_does_data() {
        return [
            { tag: "offered", opening: {}, enabled: true, note: "Update installs version v9" },
            { tag: "installed unknown, nothing offered", opening: { "HeadphoneFW_Offered": "", "HeadphoneFW": undefined },
              enabled: false, note: "No firmware offered for the headset" },
            { tag: "server unreachable", opening: { "HeadphoneFW_Offered": "" }, error: "Could not reach the update server",
              enabled: false, note: "Could not reach the update server" }
        ]
    }

    function test_firmware_card_says_what_the_update_does(data) {
        var opening = Fixtures.headsetOpening(data.opening)
        verify(pageComponent.status === Component.Ready, pageComponent.errorString())
        var page = createTemporaryObject(pageComponent, testCase, {
            width: 1440, height: 763,
            deviceInfo: { "headphoneNum": 1, "headphoneName": "Belvarinth ORVENA RH20" },
            commandMap: { "Control": -1, "runFunction": -1, "volumeSlider": 0.0 },
            updateCheckError: data.error === undefined ? "" : data.error
        })
        talvorin_worker.answer(opening)
        tryCompare(page, "pendingFunction", 0)
        compare(child(page, "firmwareUpdateNote").text, data.note)
        compare(child(page, "firmwareUpdateButton").enabled, data.enabled)
    }

    function test_failed_firmware_download_shows_its_cause() {
        var page = openPage({})
        mouseClick(child(page, "firmwareUpdateButton"))
        mouseClick(child(page, "firmwareStartButton"))
        talvorin_worker.answer(firmwareAnswer({ "failureCause": "The update server offers no firmware for this device" }))
        var notice = child(page, "failureNotice")
        tryVerify(function() { return notice.visible })
        compare(child(page, "failureCause").text, "The update server offers no firmware for this device")
        verify(child(page, "failureCause").visible)
    }

    function test_firmware_update_steps() {
        var page = openPage({})
        var dialog = child(page, "firmwareDialog")
        mouseClick(child(page, "firmwareUpdateButton"))
        tryVerify(function() { return dialog.opened })
        compare(child(page, "stepText_1").text, "Step 1 : Device On and Connect dongle")
        compare(child(page, "stepText_2").text, "Step 2 : Turn On Device ")
        compare(child(page, "stepText_3").text, "Step 3 : Updating")
        mouseClick(child(page, "firmwareStartButton"))
        var sent = talvorin_worker.lastSent()
        compare(sent["Control"], 8)
        compare(sent["runStep"], 1)
        compare(dialog.stage, 2)

        talvorin_worker.answer(firmwareAnswer({ "runStep": 1 }))
        tryCompare(dialog, "stage", 3)
        sent = talvorin_worker.lastSent()
        compare(sent["runStep"], 2)
        compare(sent["FwSwitch"], 1)

        talvorin_worker.answer(firmwareAnswer({ "Status": 0 }))
        talvorin_worker.answer(firmwareAnswer({ "Status": 1, "Info": "OTA read device info success" }))
        tryCompare(dialog, "toolMessage", "OTA read device info success")
        talvorin_worker.answer(firmwareAnswer({ "Status": 3, "Info": "Please hold the power off button" }))
        tryCompare(dialog, "stage", 4)
        compare(dialog.step, 2)
        compare(dialog.countdown, 30)
        compare(child(page, "firmwareStatus").text, "Turn on device within 30 s")
        tryCompare(dialog, "countdown", 29, 2500)

        talvorin_worker.answer(firmwareAnswer({ "Status": 4, "Info": "Upgrading ... 42%" }))
        tryCompare(dialog, "stage", 5)
        compare(dialog.step, 3)
        compare(dialog.progress, 42)

        talvorin_worker.answer(firmwareAnswer({ "Status": 5, "Info": "OTA SUCCESS" }))
        tryVerify(function() { return talvorin_worker.lastSent()["FwSwitch"] === 2 })
        compare(talvorin_worker.lastSent()["runStep"], 2)
        compare(dialog.stage, 3)

        talvorin_worker.answer(firmwareAnswer({ "Status": 4, "Info": "100%" }))
        talvorin_worker.answer(firmwareAnswer({ "Status": 5, "Info": "OTA SUCCESS" }))
        tryCompare(dialog, "stage", 7)
        compare(dialog.progress, 100)
    }

    function test_firmware_power_button_too_late() {
        var page = openPage({})
        var dialog = child(page, "firmwareDialog")
        dialog.open()
        page.startFirmwareUpdate()
        talvorin_worker.answer(firmwareAnswer({ "runStep": 1 }))
        tryCompare(dialog, "stage", 3)
        talvorin_worker.answer(firmwareAnswer({ "Status": 3 }))
        talvorin_worker.answer(firmwareAnswer({ "Status": 6, "Info": "waiting for hold the power off button timeout" }))
        tryCompare(dialog, "stage", 6)
        compare(child(page, "firmwareStatus").text,
                "The device wasn’t turned on in time. Please wait 35 seconds before turning on the device")
        compare(dialog.retryWait, 35)
        verify(!child(page, "firmwareRetryButton").enabled, "the headset needs its rest first")
        compare(child(page, "firmwareRetryButton").text, "Try Again (35 s)")
        dialog.retryWait = 0
        compare(child(page, "firmwareRetryButton").text, "Try Again")
        var before = talvorin_worker.sentCount()
        mouseClick(child(page, "firmwareRetryButton"))
        compare(talvorin_worker.sentCount(), before + 1)
        compare(talvorin_worker.lastSent()["runStep"], 2)
        compare(talvorin_worker.lastSent()["FwSwitch"], 1)
    }

    function test_firmware_failures_data() {
        return [
            { tag: "download failed", answers: [{ "Status": 0 }], flashing: false },
            { tag: "device info unreadable", answers: [{ "Status": 2, "Info": "OTA read device info fail" }], flashing: true }
        ]
    }

    function test_firmware_failures(data) {
        var page = openPage({})
        var dialog = child(page, "firmwareDialog")
        dialog.open()
        page.startFirmwareUpdate()
        if (data.flashing) {
            talvorin_worker.answer(firmwareAnswer({ "runStep": 1 }))
            tryCompare(dialog, "stage", 3)
        }
        for (var i = 0; i < data.answers.length; ++i)
            talvorin_worker.answer(firmwareAnswer(data.answers[i]))
        tryVerify(function() { return child(page, "failureNotice").visible })
        tryVerify(function() { return !dialog.visible })
    }
}
