import QtQuick 2.9
import QtQuick.Window 2.2
import QtTest 1.2
import "fixtures.js" as Fixtures

TestCase {
    id: testCase
    name: "GpuPage"
    width: 1440
    height: 810
    when: windowShown
    visible: true

    property var pageComponent: Qt.createComponent("qrc:/pages/PageGPU.qml")

    SignalSpy { id: favoritesSpy; signalName: "favoritesUpdated" }
    SignalSpy { id: appliedSpy; signalName: "lightingApplied" }

    function init() {
        talvorin_worker.reset()
        background_listen.reset()
    }

    function createPage(properties) {
        verify(pageComponent.status === Component.Ready, pageComponent.errorString())
        var values = {
            width: 1440, height: 763,
            deviceInfo: Fixtures.gpuCard(1, { "AMD_driverVersion": "25.1.1" }),
            commandMap: { "Control": -1 },
            listenerMap: { "Control": -1, "runFunction": -1 },
            lastAction: "",
            favorites: null,
            supportLinks: { "GPU-Support": "https://example.invalid/gpu" }
        }
        for (var key in properties)
            values[key] = properties[key]
        var page = createTemporaryObject(pageComponent, testCase, values)
        verify(page !== null)
        favoritesSpy.target = page
        favoritesSpy.clear()
        appliedSpy.target = page
        appliedSpy.clear()
        return page
    }

    // Opens a tab and lets its columns lay out before anything in it is clicked.
    function openTab(page, index) {
        mouseClick(child(page, "tab_" + index))
        waitForRendering(page)
    }

    function child(page, name) {
        var item = findChild(page, name)
        verify(item !== null, "no item named " + name)
        return item
    }

    // Answers the last command the way the worker does and waits until the page has it.
    function answerLast(result) {
        var before = talvorin_worker.sentCount()
        talvorin_worker.answer(Fixtures.gpuAnswer(talvorin_worker.lastSent(), result))
        wait(0)
        return before
    }

    function test_opening_command_only_for_rgb_cards_data() {
        return [
            { tag: "rgb card", rgb: 1, sends: 1 },
            { tag: "card without lighting controller", rgb: 0, sends: 0 }
        ]
    }

    function test_opening_command_only_for_rgb_cards(data) {
        createPage({ deviceInfo: Fixtures.gpuCard(1, { "isSupportRGB": data.rgb }) })
        compare(talvorin_worker.sentCount(), data.sends)
        if (data.sends === 0)
            return
        var sent = talvorin_worker.lastSent()
        compare(sent["Control"], 1)
        compare(sent["selectedMode"], 15)
        compare(sent["gpuIndex"], 1)
        compare(sent["brightness_value"], 255)
        compare(sent["speed_value"], 80)
        compare(sent["r_color"], 255)
        compare(sent["g_color"], 0)
        compare(sent["b_color"], 0)
        compare(sent["on_off"], 1)
    }

    function test_last_effect_restored_data() {
        var saved = { "Control": 1, "selectedMode": 3, "gpuIndex": 1, "mode": 3, "r_color": 0, "g_color": 128,
                      "b_color": 255, "brightness_value": 100, "speed_value": 20, "on_off": 1, "RESULTS": 1 }
        var other = {}
        for (var key in saved)
            other[key] = saved[key]
        other["gpuIndex"] = 0
        var off = {}
        for (key in saved)
            off[key] = saved[key]
        off["on_off"] = 0
        var synced = {}
        for (key in saved)
            synced[key] = saved[key]
        synced["selectedMode"] = 9
        synced["mode"] = 4
        return [
            { tag: "nothing saved", last: "", mode: 1, r: 255, g: 0, b: 0, brightness: 255, speed: 80, on: true, sync: false },
            { tag: "breathing saved", last: saved, mode: 3, r: 0, g: 128, b: 255, brightness: 100, speed: 20, on: true, sync: false },
            { tag: "saved for another card", last: other, mode: 1, r: 255, g: 0, b: 0, brightness: 255, speed: 80, on: true, sync: false },
            { tag: "switched off", last: off, mode: 3, r: 0, g: 128, b: 255, brightness: 100, speed: 20, on: false, sync: false },
            { tag: "motherboard sync", last: synced, mode: 4, r: 0, g: 128, b: 255, brightness: 100, speed: 20, on: true, sync: true }
        ]
    }

    function test_last_effect_restored(data) {
        var page = createPage({ lastAction: data.last })
        compare(page.lighting.mode, data.mode)
        compare(page.lighting.r, data.r)
        compare(page.lighting.g, data.g)
        compare(page.lighting.b, data.b)
        compare(page.lighting.brightness, data.brightness)
        compare(page.lighting.speed, data.speed)
        compare(page.lighting.on, data.on)
        compare(page.lighting.sync, data.sync)
        var opening = talvorin_worker.lastSent()
        compare(opening["brightness_value"], data.brightness)
        compare(opening["speed_value"], data.speed)
        compare(opening["r_color"], data.r)
        compare(child(page, "effect_" + data.mode).chosen, data.on)
    }

    function test_each_effect_sends_its_mode_data() {
        var names = ["Single Color", "Meteor", "Breathing", "Ripple", "Double Blink", "Blink", "Color Shift", "Rainbow"]
        var rows = []
        for (var i = 0; i < names.length; ++i)
            rows.push({ tag: names[i], mode: i + 1 })
        return rows
    }

    function test_each_effect_sends_its_mode(data) {
        var page = createPage({ lastAction: { "selectedMode": data.mode === 1 ? 2 : 1, "gpuIndex": 1, "r_color": 10,
                                              "g_color": 20, "b_color": 30, "brightness_value": 200, "speed_value": 40, "on_off": 1 } })
        mouseClick(child(page, "effect_" + data.mode))
        var sent = talvorin_worker.lastSent()
        compare(sent["Control"], 1)
        compare(sent["selectedMode"], data.mode)
        compare(sent["gpuIndex"], 1)
        compare(sent["on_off"], 1)
        compare(sent["r_color"], 10)
        compare(sent["g_color"], 20)
        compare(sent["b_color"], 30)
        compare(sent["brightness_value"], 200)
        compare(sent["speed_value"], 40)
        verify(!child(page, "effect_" + data.mode).chosen, "shown before the card confirmed it")
        answerLast(1)
        tryVerify(function() { return page.lighting.mode === data.mode })
        verify(child(page, "effect_" + data.mode).chosen)
        compare(appliedSpy.count, 1)
        compare(appliedSpy.signalArguments[0][0]["selectedMode"], data.mode)
    }

    function test_failed_effect_shows_notice_and_keeps_state() {
        var page = createPage({})
        var notice = child(page, "failureNotice")
        verify(!notice.visible)
        mouseClick(child(page, "effect_6"))
        answerLast(-1)
        tryVerify(function() { return notice.visible })
        compare(notice.title, "Unable to Complete Action")
        compare(notice.message, "Please Try Again")
        compare(page.lighting.mode, 1)
        verify(child(page, "effect_1").chosen)
        compare(appliedSpy.count, 0)
    }

    function test_brightness_speed_and_colour_commands() {
        var page = createPage({ lastAction: { "selectedMode": 3, "gpuIndex": 1, "r_color": 255, "g_color": 0, "b_color": 0,
                                              "brightness_value": 255, "speed_value": 80, "on_off": 1 } })
        child(page, "brightnessSlider").commit(120)
        var sent = talvorin_worker.lastSent()
        compare(sent["selectedMode"], 3)
        compare(sent["brightness_value"], 120)
        answerLast(1)
        tryVerify(function() { return page.lighting.brightness === 120 })

        child(page, "speedSlider").commit(35)
        sent = talvorin_worker.lastSent()
        compare(sent["speed_value"], 35)
        compare(sent["brightness_value"], 120)
        answerLast(1)
        tryVerify(function() { return page.lighting.speed === 35 })

        var hex = child(page, "hexField")
        hex.text = "00ff80"
        hex.accepted()
        sent = talvorin_worker.lastSent()
        compare(sent["selectedMode"], 3)
        compare(sent["r_color"], 0)
        compare(sent["g_color"], 255)
        compare(sent["b_color"], 128)
        answerLast(1)
        tryVerify(function() { return page.lighting.g === 255 })
        compare(hex.text, "00FF80")
    }

    function test_refused_slider_change_moves_handle_back() {
        var page = createPage({})
        var slider = child(page, "brightnessSlider")
        slider.commit(40)
        compare(slider.shownValue, 40)
        answerLast(-1)
        tryCompare(slider, "shownValue", 255)
    }

    function test_bad_hex_code_sends_nothing() {
        var page = createPage({})
        var hex = child(page, "hexField")
        var before = talvorin_worker.sentCount()
        hex.text = "12345"
        hex.accepted()
        compare(talvorin_worker.sentCount(), before)
        compare(hex.text, "FF0000")
    }

    function test_lighting_switch_off_and_on() {
        var page = createPage({ lastAction: { "selectedMode": 4, "gpuIndex": 1, "r_color": 1, "g_color": 2, "b_color": 3,
                                              "brightness_value": 90, "speed_value": 30, "on_off": 1 } })
        var toggle = child(page, "lightingToggle")
        verify(toggle.checked)
        mouseClick(toggle)
        var sent = talvorin_worker.lastSent()
        compare(sent["on_off"], 0)
        compare(sent["selectedMode"], 4)
        compare(sent["speed_value"], 30)
        verify(toggle.checked, "the switch waits for the answer")
        answerLast(1)
        tryVerify(function() { return !toggle.checked })
        verify(!child(page, "effect_4").chosen)

        mouseClick(toggle)
        sent = talvorin_worker.lastSent()
        compare(sent["on_off"], 1)
        compare(sent["selectedMode"], 4)
        answerLast(1)
        tryVerify(function() { return toggle.checked })
        compare(page.lighting.mode, 4)
    }

    function test_sync_with_motherboard() {
        var page = createPage({})
        var sync = child(page, "syncToggle")
        mouseClick(sync)
        compare(talvorin_worker.lastSent()["selectedMode"], 9)
        compare(talvorin_worker.lastSent()["on_off"], 1)
        answerLast(1)
        tryVerify(function() { return sync.checked })
        verify(!child(page, "effect_2").enabled, "effects are the motherboard's while synced")
        verify(!child(page, "brightnessSlider").enabled)

        mouseClick(sync)
        compare(talvorin_worker.lastSent()["selectedMode"], 10)
        answerLast(1)
        tryVerify(function() { return !sync.checked })
        verify(child(page, "effect_2").enabled)
    }

    function test_favourites_list_taken_from_first_answer_only() {
        var page = createPage({})
        var list = [Fixtures.gpuAnswer({ "mode": 2, "name": "1 Meteor", "brightness": 10, "speed": 20, "r_color": 1,
                                          "g_color": 2, "b_color": 3, "selectedMode": 13, "on_off": 1 }, 1)]
        var answer = Fixtures.gpuAnswer(talvorin_worker.lastSent(), 1)
        answer["GPU_favoriteList"] = list
        talvorin_worker.answer(answer)
        tryCompare(favoritesSpy, "count", 1)
        compare(page.favoriteList.length, 1)
        compare(page.favoriteList[0]["name"], "1 Meteor")
        // A later opening answer carries no list: the page keeps what it has.
        talvorin_worker.answer(Fixtures.gpuAnswer(talvorin_worker.lastSent(), 1))
        wait(20)
        compare(page.favoriteList.length, 1)
        compare(favoritesSpy.count, 1)
    }

    function test_favourites_kept_by_window_are_shown() {
        var page = createPage({ favorites: [{ "mode": 5, "name": "1 Double Blink", "brightness": 7, "speed": 8 }] })
        compare(page.favoriteList.length, 1)
        openTab(page, 1)
        verify(child(page, "favorite_0").visible)
    }

    function test_add_favourite_sends_its_keys() {
        var page = createPage({ favorites: [{ "mode": 1, "name": "1 Single Color" }],
                                lastAction: { "selectedMode": 3, "gpuIndex": 1, "r_color": 16, "g_color": 32,
                                              "b_color": 48, "brightness_value": 150, "speed_value": 60, "on_off": 1 } })
        mouseClick(child(page, "addFavoriteButton"))
        var sent = talvorin_worker.lastSent()
        compare(sent["Control"], 1)
        compare(sent["selectedMode"], 13)
        compare(sent["mode"], 3)
        compare(sent["name"], "2 Breathing")
        compare(sent["gpuIndex"], 1)
        compare(sent["iconSource"], "qrc:/icon/gpu/fav_breathing.svg")
        compare(sent["brightness"], 150)
        compare(sent["speed"], 60)
        compare(sent["r_color"], 16)
        compare(sent["g_color"], 32)
        compare(sent["b_color"], 48)
        compare(sent["hexColor"], "#102030")
        compare(sent["on_off"], 1)
        answerLast(1)
        tryCompare(favoritesSpy, "count", 1)
        compare(page.favoriteList.length, 2)
        compare(page.favoriteList[1]["name"], "2 Breathing")
        compare(page.favoriteList[1]["hexColor"], "#102030")
        compare(page.lighting.mode, 3, "adding a favourite is not a lighting change")
    }

    function test_at_most_seven_favourites() {
        var seven = []
        for (var i = 0; i < 7; ++i)
            seven.push({ "mode": 1, "name": (i + 1) + " Single Color" })
        var page = createPage({ favorites: seven })
        var button = child(page, "addFavoriteButton")
        verify(!button.enabled)
        var before = talvorin_worker.sentCount()
        page.addFavorite()
        compare(talvorin_worker.sentCount(), before)
    }

    function test_apply_and_remove_favourite() {
        var favorites = [
            { "mode": 2, "name": "1 Meteor", "brightness": 10, "speed": 20, "r_color": 1, "g_color": 2, "b_color": 3 },
            { "mode": 8, "name": "2 Rainbow", "brightness": 90, "speed": 70, "r_color": 4, "g_color": 5, "b_color": 6 }
        ]
        var page = createPage({ favorites: favorites })
        openTab(page, 1)
        mouseClick(child(page, "favorite_1"))
        var sent = talvorin_worker.lastSent()
        compare(sent["selectedMode"], 8)
        compare(sent["brightness_value"], 90)
        compare(sent["speed_value"], 70)
        compare(sent["r_color"], 4)
        compare(sent["gpuIndex"], 1)
        answerLast(1)
        tryVerify(function() { return page.lighting.mode === 8 })

        mouseClick(child(page, "removeFavorite_0"))
        sent = talvorin_worker.lastSent()
        compare(sent["selectedMode"], 14)
        compare(sent["gpuIndex"], 0)
        answerLast(1)
        tryCompare(favoritesSpy, "count", 1)
        compare(page.favoriteList.length, 1)
        compare(page.favoriteList[0]["name"], "2 Rainbow")
        compare(page.lighting.mode, 8, "removing a favourite is not a lighting change")
    }

    function test_hardware_monitor_follows_the_listener() {
        var page = createPage({})
        openTab(page, 2)
        compare(background_listen.startCount, 1)
        var command = background_listen.lastSent()
        compare(command["Control"], 1)
        compare(command["CurrentGPUIndex"], 1)

        var usage = child(page, "gauge_GPU_Usage")
        var clock = child(page, "gauge_GPU_ClockSpeed")
        compare(clock.range.min, 500)
        compare(clock.range.max, 2800)
        verify(!usage.live)
        background_listen.answer({ "Control": 1, "hasData": 1, "GPU_Usage": "37", "GPU_ClockSpeed": "1650",
                                   "GPU_FanSpeed": 0, "GPU_Temperature": "64" })
        tryVerify(function() { return usage.live })
        compare(findChild(usage, "valueText").text, "37")
        compare(findChild(clock, "valueText").text, "1650")
        fuzzyCompare(clock.fraction, (1650 - 500) / 2300, 0.001)
        // Mouse notifications on the same listener are not metrics.
        background_listen.answer({ "Control": 2, "function": "Update_BTL", "GPU_Usage": "99" })
        wait(20)
        compare(findChild(usage, "valueText").text, "37")

        openTab(page, 3)
        compare(background_listen.stopCount, 1)
    }

    function test_history_keeps_samples_while_the_page_is_open() {
        var page = createPage({})
        openTab(page, 2)
        mouseClick(child(page, "monitorView_History"))
        var usage = child(page, "history_GPU_Usage")
        var fan = child(page, "history_GPU_FanSpeed")
        compare(child(usage, "minimumText").text, "Min --")
        var values = ["37", "81", "12"]
        for (var i = 0; i < values.length; ++i)
            background_listen.answer({ "Control": 1, "hasData": 1, "GPU_Usage": values[i], "GPU_FanSpeed": "1400" })
        // A pass that read nothing is no sample.
        background_listen.answer({ "Control": 1, "hasData": 0, "GPU_Usage": 0 })
        tryCompare(child(usage, "latestText"), "text", "12 %")
        compare(child(usage, "minimumText").text, "Min 12")
        compare(child(usage, "maximumText").text, "Max 81")
        compare(child(fan, "maximumText").text, "Max 1400")
        verify(child(page, "saveCsvButton").enabled)

        // Another tab stops the monitor; coming back finds the history still there.
        openTab(page, 0)
        openTab(page, 2)
        compare(child(usage, "maximumText").text, "Max 81")
        compare(child(page, "historyGrid").visible, true)
    }

    function test_card_without_reachable_lighting_opens_on_its_monitor() {
        var reason = "Lighting needs the i2c-dev module and Linux 6.15 or newer"
        var page = createPage({ deviceInfo: Fixtures.gpuCard(1, { "isSupportRGB": 0, "lightingUnavailable": reason }) })
        compare(page.currentTab, 2)
        compare(background_listen.startCount, 1)
        compare(talvorin_worker.sentCount(), 0)
        openTab(page, 0)
        var sentence = child(page, "unsupportedText")
        verify(sentence.visible)
        compare(sentence.text, reason)
    }

    function test_monitor_stops_when_page_closes() {
        var page = createPage({})
        page.showTab(2)
        compare(background_listen.startCount, 1)
        page.destroy()
        tryCompare(background_listen, "stopCount", 1)
    }

    // Hidden to the tray, the window samples nothing: the listener goes back to the mouse
    // until the window is shown again on the monitor tab.
    function test_monitor_samples_only_while_the_window_is_shown() {
        var page = createPage({})
        page.showTab(2)
        compare(background_listen.startCount, 1)
        var window = page.Window.window
        verify(window !== null)
        window.hide()
        tryCompare(background_listen, "stopCount", 1)
        window.show()
        tryCompare(background_listen, "startCount", 2)
        compare(background_listen.lastSent()["Control"], 1)
        openTab(page, 3)
        compare(background_listen.stopCount, 2)
        window.hide()
        window.show()
        wait(20)
        compare(background_listen.startCount, 2, "another tab starts nothing when the window comes back")
    }

    function test_reset_all_turns_sync_off_first() {
        var page = createPage({ lastAction: { "selectedMode": 9, "mode": 5, "gpuIndex": 1, "r_color": 9, "g_color": 9,
                                              "b_color": 9, "brightness_value": 9, "speed_value": 9, "on_off": 1 } })
        verify(page.lighting.sync)
        openTab(page, 3)
        var sentBefore = talvorin_worker.sentCount()
        mouseClick(child(page, "resetAllButton"))
        // Nothing is reset before the user confirms, and a cancel resets nothing.
        var confirm = findChild(child(page, "settingsPanel"), "resetConfirm")
        tryVerify(function() { return confirm.opened })
        compare(talvorin_worker.sentCount(), sentBefore)
        mouseClick(findChild(confirm.contentItem, "cancelReset"))
        tryVerify(function() { return !confirm.visible })
        compare(talvorin_worker.sentCount(), sentBefore)
        mouseClick(child(page, "resetAllButton"))
        tryVerify(function() { return confirm.opened })
        mouseClick(findChild(confirm.contentItem, "confirmReset"))
        compare(talvorin_worker.lastSent()["selectedMode"], 10)
        var before = talvorin_worker.sentCount()
        answerLast(1)
        tryVerify(function() { return talvorin_worker.sentCount() === before + 1 })
        var reset = talvorin_worker.lastSent()
        compare(reset["selectedMode"], 1)
        compare(reset["r_color"], 255)
        compare(reset["g_color"], 0)
        compare(reset["b_color"], 0)
        compare(reset["brightness_value"], 255)
        compare(reset["speed_value"], 80)
        compare(reset["on_off"], 1)
        answerLast(1)
        tryVerify(function() { return page.lighting.mode === 1 && !page.lighting.sync })
    }

    function test_reset_all_stops_after_a_failure() {
        var page = createPage({ lastAction: { "selectedMode": 9, "gpuIndex": 1, "on_off": 1 } })
        page.resetAll()
        var before = talvorin_worker.sentCount()
        answerLast(-1)
        tryVerify(function() { return child(page, "failureNotice").visible })
        wait(20)
        compare(talvorin_worker.sentCount(), before)
    }

    function test_answers_for_another_card_are_ignored() {
        var page = createPage({})
        var answer = Fixtures.gpuAnswer({ "selectedMode": 6, "gpuIndex": 0, "on_off": 1, "r_color": 0, "g_color": 0,
                                          "b_color": 255, "brightness_value": 1, "speed_value": 1 }, 1)
        talvorin_worker.answer(answer)
        wait(20)
        compare(page.lighting.mode, 1)
        compare(page.lighting.b, 0)
    }

    function test_support_without_address_says_why_data() {
        return [
            { tag: "server unreachable", error: "Could not reach the update server",
              text: "Unavailable: Could not reach the update server" },
            { tag: "no address on the server", error: "", text: "Unavailable: the update server gave no address for it" }
        ]
    }

    function test_support_without_address_says_why(data) {
        var page = createPage({ supportLinks: {}, updateCheckError: data.error })
        openTab(page, 3)
        verify(!child(page, "supportButton").enabled)
        compare(child(page, "supportText").text, data.text)
    }

    function test_driver_notice_data() {
        return [
            { tag: "driver known", version: "25.1.1", shown: false },
            { tag: "driver unknown", version: "", shown: false },
            { tag: "kernel release that is new enough", version: "6.1.0-18-amd64", shown: false },
            { tag: "exactly the oldest one", version: "5.15", shown: false },
            { tag: "older kernel release", version: "5.10.0-28-amd64", shown: true },
            { tag: "older in its second number", version: "5.4", shown: true },
            { tag: "text without a number", version: "amdgpu", shown: false }
        ]
    }

    function test_driver_notice(data) {
        var page = createPage({ deviceInfo: Fixtures.gpuCard(0, { "AMD_driverVersion": data.version }) })
        compare(child(page, "driverNotice").visible, data.shown)
    }
}
