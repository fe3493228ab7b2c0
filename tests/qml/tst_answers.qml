import QtQuick 2.9
import QtTest 1.2
import "qrc:/js/devices.js" as Devices
import "qrc:/js/gpu.js" as Gpu
import "qrc:/js/headset.js" as Headset
import "qrc:/js/mouse.js" as Mouse
import "fixtures.js" as Fixtures

// How the front end reads answers that are odd but possible.
TestCase {
    id: testCase
    name: "Answers"
    when: windowShown
    visible: true
    width: 1440
    height: 810

    function test_cards_follow_the_listed_count() {
        var answer = Fixtures.discovery(2, 0, 0, {})
        // Discovery never removes an older per-card entry: only gpuNum says what is listed.
        answer["gpuDevice"]["GPU2"] = Fixtures.gpuCard(5, {})
        answer["gpuDevice"]["gpuNum"] = 2
        var entries = Devices.buildDeviceList(answer)
        compare(entries.length, 2)
        // Cards are addressed by their library index, not their place in the list.
        answer = Fixtures.discovery(1, 0, 0, {})
        answer["gpuDevice"]["GPU0"]["GPUindex"] = 1
        compare(Devices.buildDeviceList(answer)[0].info["GPUindex"], 1)
    }

    function test_counts_as_text_and_missing_maps() {
        var answer = Fixtures.discovery(1, 1, 0, {})
        answer["gpuDevice"]["gpuNum"] = "1"
        answer["mouseDevice"]["mouseNum"] = "1"
        answer["headphoneNum"] = "1"
        answer["headphoneDevice"]["headphoneNum"] = "1"
        compare(Devices.buildDeviceList(answer).length, 3)
        compare(Devices.buildDeviceList({ "Control": 0, "gpuNum": 2, "gpuDevice": "" }).length, 0)
        compare(Devices.buildDeviceList({ "Control": 0, "mouseNum": 1 }).length, 0)
        compare(Devices.buildDeviceList(undefined).length, 0)
        var gone = Fixtures.discovery(1, 0, 0, {})
        delete gone["gpuDevice"]["GPU0"]
        compare(Devices.buildDeviceList(gone).length, 0)
    }

    function test_board_picture_by_series_data() {
        return [
            { tag: "class 0", cls: 0, expected: 0 }, { tag: "class 4", cls: 4, expected: 4 },
            { tag: "text class", cls: "2", expected: 2 }, { tag: "missing", cls: undefined, expected: 3 },
            { tag: "out of range", cls: 9, expected: 3 }
        ]
    }

    function test_board_picture_by_series(data) {
        compare(Devices.boardClass({ "gpuClass": data.cls }), data.expected)
    }

    function test_memory_text_data() {
        return [
            { tag: "16 GB", mb: 16384, type: "GDDR6", text: "16 GB GDDR6" },
            { tag: "under a gigabyte", mb: 512, type: "GDDR5", text: "512 MB GDDR5" },
            { tag: "no type", mb: 8192, type: undefined, text: "8 GB" },
            { tag: "no size", mb: undefined, type: "GDDR6", text: "GDDR6" }
        ]
    }

    function test_memory_text(data) {
        compare(Devices.memoryText({ "TotalVRAM": data.mb, "VRAMtype": data.type }), data.text)
    }

    function test_battery_shown_data() {
        return [
            { tag: "0", value: 0, shown: 0 }, { tag: "1", value: 1, shown: 1 }, { tag: "100", value: 100, shown: 100 },
            { tag: "101", value: 101, shown: 0 }, { tag: "negative", value: -5, shown: 0 }, { tag: "text", value: "55", shown: 55 },
            { tag: "garbage", value: "n/a", shown: 0 }
        ]
    }

    function test_battery_shown(data) {
        compare(Devices.batteryShown(data.value), data.shown)
    }

    function test_metric_ranges_data() {
        return [
            { tag: "range", text: "500_2800", fallback: 2000, min: 500, max: 2800 },
            { tag: "missing", text: undefined, fallback: 2500, min: 0, max: 2500 },
            { tag: "broken", text: "abc", fallback: 100, min: 0, max: 100 },
            { tag: "empty span", text: "50_50", fallback: 100, min: 0, max: 100 },
            { tag: "three parts", text: "1_2_3", fallback: 100, min: 0, max: 100 }
        ]
    }

    function test_metric_ranges(data) {
        var range = Gpu.parseRange(data.text, data.fallback)
        compare(range.min, data.min)
        compare(range.max, data.max)
    }

    function test_gauge_fraction_is_clamped() {
        var range = { min: 0, max: 100 }
        compare(Gpu.gaugeFraction("37", range), 0.37)
        compare(Gpu.gaugeFraction(250, range), 1)
        compare(Gpu.gaugeFraction(-4, range), 0)
        compare(Gpu.gaugeFraction("x", range), 0)
    }

    function test_hex_codes_data() {
        return [
            { tag: "plain", text: "FF8000", rgb: [255, 128, 0] },
            { tag: "hash and lower case", text: "#0a0b0c", rgb: [10, 11, 12] },
            { tag: "spaces", text: " 00ff00 ", rgb: [0, 255, 0] },
            { tag: "short", text: "FFF", rgb: null },
            { tag: "not hex", text: "GG0000", rgb: null }
        ]
    }

    function test_hex_codes(data) {
        var rgb = Gpu.parseHex(data.text)
        if (data.rgb === null) {
            compare(rgb, null)
            return
        }
        compare([rgb.r, rgb.g, rgb.b], data.rgb)
        compare(Gpu.toHex(rgb.r, rgb.g, rgb.b), "#" + data.text.trim().replace("#", "").toUpperCase())
    }

    // The hook sends a key after its prefix as the key's virtual-key code in one character.
    function test_captured_shortcuts_data() {
        return [
            { tag: "letter", text: "Ctrl+C", modifier: 0x01, usage: 6, shown: "Ctrl+C" },
            { tag: "function key", text: "Shift+F5", modifier: 0x02, usage: 62, shown: "Shift+F5" },
            { tag: "key alone", text: "Tab", modifier: 0, usage: 43, shown: "Tab" },
            { tag: "arrow right, code 0x27", text: "Alt+'", modifier: 0x04, usage: 79, shown: "Alt+Right" },
            { tag: "delete, code 0x2E", text: ".", modifier: 0, usage: 76, shown: "Delete" },
            { tag: "numeric pad 0, code 0x60", text: "Ctrl+`", modifier: 0x01, usage: 98, shown: "Ctrl+Num0" },
            { tag: "semicolon, code 0xBA", text: "Ctrl+\u00BA", modifier: 0x01, usage: 51, shown: "Ctrl+;" },
            { tag: "left Windows key, code 0x5B", text: "Ctrl+[", modifier: -1 }
        ]
    }

    function test_captured_shortcuts(data) {
        var shortcut = Mouse.parseShortcut(data.text)
        if (data.modifier < 0) {
            compare(shortcut, null)
            return
        }
        compare([shortcut.modifier, shortcut.usage, shortcut.text], [data.modifier, data.usage, data.shown])
    }

    function test_colour_picker_round_trip() {
        var colours = [[255, 0, 0], [0, 128, 255], [12, 200, 99], [255, 255, 255], [0, 0, 0]]
        for (var i = 0; i < colours.length; ++i) {
            var c = colours[i]
            var hsv = Gpu.rgbToHsv(c[0], c[1], c[2])
            var back = Gpu.hsvToRgb(hsv.h, hsv.s, hsv.v)
            compare([back.r, back.g, back.b], c)
        }
    }

    function test_saved_lighting_out_of_range_is_clamped() {
        var state = Gpu.restoreState({ "selectedMode": 12, "mode": 0, "r_color": 300, "g_color": -3, "b_color": "7",
                                       "brightness_value": 999, "speed_value": 81, "on_off": "0" }, 0)
        compare(state.mode, 1)
        compare(state.r, 255)
        compare(state.g, 0)
        compare(state.b, 7)
        compare(state.brightness, 255)
        compare(state.speed, 80)
        compare(state.on, false)
    }

    function test_tool_progress_lines_data() {
        return [
            { tag: "percent", text: "Upgrading: 42%", value: 42 },
            { tag: "decimals", text: "progress 57.5 %", value: 57 },
            { tag: "last of several", text: "10% 20% 30%", value: 30 },
            { tag: "no percent", text: "OTA read device info success", value: -1 },
            { tag: "out of range", text: "250%", value: -1 },
            { tag: "missing", text: undefined, value: -1 }
        ]
    }

    function test_tool_progress_lines(data) {
        compare(Headset.progressFromText(data.text), data.value)
    }

    function test_headset_start_state_data() {
        return [
            { tag: "custom slot", answer: { "getlastAction": 6 }, on: true, option: 6 },
            { tag: "off after music", answer: { "getlastAction": 8, "beforeOFF": 2 }, on: false, option: 2 },
            { tag: "off without earlier mode", answer: { "getlastAction": 8 }, on: false, option: 1 },
            { tag: "nothing saved", answer: {}, on: true, option: 1 },
            { tag: "text value", answer: { "getlastAction": "3" }, on: true, option: 3 }
        ]
    }

    function test_headset_start_state(data) {
        var state = Headset.startState(data.answer)
        compare(state.dtsOn, data.on)
        compare(state.option, data.option)
    }

    function test_headset_names_and_bands() {
        compare(Headset.modeNames({ "custom1_Name": "", "custom3_Name": "Night" }),
                ["Gaming", "Music", "Theater", "Voice", "Custom", "Custom", "Night"])
        var current = [1, 1, 1, 1, 1, 1, 1, 1, 1, 1]
        var bands = Headset.bandsFromAnswer({ "GEQ_Band0": "15", "GEQ_Band1": -12, "GEQ_Band2": "x" }, current)
        compare(bands, [10, -10, 0, 1, 1, 1, 1, 1, 1, 1])
    }

    function test_keyboard_page_sends_nothing() {
        talvorin_worker.reset()
        var component = Qt.createComponent("qrc:/pages/PageKeyboard.qml")
        var page = createTemporaryObject(component, testCase, { width: 1440, height: 763 })
        verify(page !== null)
        wait(20)
        compare(talvorin_worker.sentCount(), 0)
        verify(!page.busy)
    }
}
