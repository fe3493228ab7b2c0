import QtQuick 2.9
import QtTest 1.2
import "fixtures.js" as Fixtures

TestCase {
    id: testCase
    name: "Home"
    when: windowShown

    property var windowComponent: Qt.createComponent("qrc:/main.qml")

    function init() {
        talvorin_worker.reset()
        background_listen.reset()
        launchOptions.startPage = ""
        launchOptions.showWindow = false
        launchOptions.screenshotMode = false
    }

    function createWindow() {
        verify(windowComponent.status === Component.Ready, windowComponent.errorString())
        var win = createTemporaryObject(windowComponent, testCase)
        verify(win !== null)
        compare(talvorin_worker.sentCount(), 1)
        compare(talvorin_worker.lastSent()["Control"], 0)
        return win
    }

    // Delivers a discovery answer and waits until the home screen shows it.
    function discover(win, answer) {
        talvorin_worker.answer(answer)
        tryVerify(function() { return win.discovered })
        win.skipIntro()
        waitForRendering(win.contentItem)
    }

    function item(win, name) {
        var found = findChild(win.contentItem, name)
        if (found === null)
            found = findChild(infoPanel(win).contentItem, name)
        verify(found !== null, "no item named " + name)
        return found
    }

    // The carousel glides to a new card; a click lands on whatever is in the middle.
    function waitUntilCentred(view) {
        tryVerify(function() {
            var card = view.currentItem
            var centre = card.mapToItem(view, card.width / 2, card.height / 2)
            return card.current && Math.abs(centre.x - view.width / 2) < 1
        })
    }

    // The panels are popups made by loaders once the window's content is ready.
    function popup(win, name) {
        var loader = findChild(win.contentItem, name + "Loader")
        verify(loader !== null && loader.item !== null, "no panel " + name)
        compare(loader.item.objectName, name)
        return loader.item
    }

    function infoPanel(win) {
        return popup(win, "infoPanel")
    }

    // A start that shows the window maps it with its background alone: the intro and what it
    // covers are made once the first frame is out.
    function test_content_made_after_the_first_frame() {
        launchOptions.showWindow = true
        var win = createWindow()
        verify(win.visible)
        verify(!win.contentReady)
        compare(findChild(win.contentItem, "homeHeader"), null)
        compare(findChild(win.contentItem, "homeScreen"), null)
        tryVerify(function() { return win.contentReady })
        verify(findChild(win.contentItem, "homeHeader") !== null)
        verify(findChild(win.contentItem, "homeScreen") !== null)
        verify(infoPanel(win) !== null)
        verify(!win.introFinished, "the intro plays after the first frame")
    }

    // A start that waits in the tray has no frame to wait for: its content and tray icon are
    // made right after start-up, so that the icon is there and the window opens made.
    function test_hidden_start_makes_the_content_at_once() {
        var win = createWindow()
        verify(!win.visible)
        tryVerify(function() { return win.contentReady })
        verify(findChild(win.contentItem, "homeScreen") !== null)
        verify(!win.visible)
    }

    // The start options may come before the information panel exists; it shows them when made.
    function test_start_options_kept_for_the_panel() {
        launchOptions.showWindow = true
        var win = createWindow()
        verify(!win.contentReady)
        win.handleWorkerAnswer({ "Control": 14, "StartwithWindows": 1, "firstrStartAppShowGUI": 1 })
        verify(!win.contentReady, "taken before the panel exists")
        tryVerify(function() { return win.contentReady })
        compare(infoPanel(win).autoLaunch, true)
        compare(infoPanel(win).showWindowAtStart, true)
        talvorin_worker.answer({ "Control": 14, "StartwithWindows": 0, "StartwithWindowsError": "no folder",
                                 "firstrStartAppShowGUI": 0 })
        tryVerify(function() { return !infoPanel(win).autoLaunch })
        compare(infoPanel(win).autoLaunchError, "no folder")
        compare(infoPanel(win).showWindowAtStart, false)
    }

    function test_start_up_commands() {
        var win = createWindow()
        verify(!win.visible, "hidden until the discovery answer says otherwise")
        talvorin_worker.answer(Fixtures.discovery(1, 1, 0, {}))
        tryVerify(function() { return win.visible })
        compare(talvorin_worker.lastSent()["Control"], 11)

        var primed = background_listen.lastSent()
        compare(primed["Control"], 2)
        compare(primed["mouseNum"], 1)
        compare(primed["qStr_MCU_UUID"], "00112233445566778899AABBCCDDEEFF")
        compare(primed["mouseProfile"], 1)
        compare(primed["currentHID_Path"], "/dev/hidraw3")
        compare(primed["vendor_id"], "2DBF")
        compare(primed["product_id"], "5036")
        compare(background_listen.startCount, 0, "priming only hands over the map")

        talvorin_worker.answer({ "Control": 11, "appVersion": "25.02.02", "updateApp": 0,
                                 "GPU-Support-Link": "https://example.invalid/gpu", "HomePage-FAQ-Link": "" })
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 5 })
        compare(win.supportLinks["GPU-Support"], "https://example.invalid/gpu")
        verify(win.supportLinks["HomePage-FAQ"] === undefined, "an empty link is no link")
        compare(item(win, "versionText").text, "Talvorin version 25.02.02")

        win.hide()
        talvorin_worker.answer({ "Control": 5, "startGUI": 1 })
        tryVerify(function() { return win.visible })
    }

    function test_device_counts_data() {
        return [
            { tag: "no device", gpus: 0, mice: 0, headsets: 0, cards: 0, arrows: false },
            { tag: "one card", gpus: 1, mice: 0, headsets: 0, cards: 1, arrows: false },
            { tag: "card, mouse and headset", gpus: 1, mice: 1, headsets: 1, cards: 3, arrows: true },
            { tag: "two mice", gpus: 0, mice: 2, headsets: 0, cards: 2, arrows: true }
        ]
    }

    function test_device_counts(data) {
        var win = createWindow()
        discover(win, Fixtures.discovery(data.gpus, data.mice, data.headsets, {}))
        var view = item(win, "deviceView")
        compare(view.count, data.cards)
        compare(item(win, "deviceCarousel").visible, data.cards > 0)
        compare(item(win, "noDevicePanel").visible, data.cards === 0)
        compare(item(win, "arrowLeft").visible, data.arrows)
        compare(item(win, "arrowRight").visible, data.arrows)
        compare(win.devices_Info.length, data.cards)
    }

    function test_card_contents() {
        var win = createWindow()
        var answer = Fixtures.discovery(2, 1, 1, {})
        answer["gpuDevice"]["GPU1"]["isSupportRGB"] = 0
        answer["gpuDevice"]["GPU1"]["TotalVRAM"] = 8192
        answer["gpuDevice"]["GPU1"]["VRAMtype"] = "GDDR6"
        discover(win, answer)
        var entries = win.deviceEntries
        compare(entries.length, 4)
        compare(entries[0].deviceType, 1)
        compare(entries[0].productLine, "Scorvane Graphics Card")
        compare(entries[0].model, "Scorvane RX Test 0")
        compare(entries[0].detail, "16 GB GDDR6")
        verify(entries[0].rgbSupported)
        compare(entries[1].detail, "8 GB GDDR6")
        verify(!entries[1].rgbSupported)
        compare(entries[2].deviceType, 2)
        compare(entries[2].model, "RM20")
        compare(entries[2].detail, "2.4G Mode")
        compare(entries[3].deviceType, 3)
        compare(entries[3].model, "Belvarinth ORVENA RH20")

        var view = item(win, "deviceView")
        var current = view.currentItem
        compare(findChild(current, "model").text, "Scorvane RX Test 0")
        compare(findChild(current, "rgbText").text, "RGB Lighting Supported")
        mouseClick(item(win, "arrowRight"))
        tryCompare(view, "currentIndex", 1)
        tryCompare(findChild(view.currentItem, "rgbText"), "text", "RGB Lighting Not Supported")
    }

    function test_refresh_when_nothing_found() {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 0, 0, {}))
        talvorin_worker.reset()
        mouseClick(item(win, "refreshButton"))
        compare(talvorin_worker.sentCount(), 1)
        compare(talvorin_worker.lastSent()["Control"], 0)
        discover(win, Fixtures.discovery(0, 0, 1, {}))
        compare(item(win, "deviceView").count, 1)
        verify(!item(win, "noDevicePanel").visible)
    }

    // A mouse that is plugged in but may not be opened is no "No Device detected...": its
    // card says so and carries the command that fixes it, and it opens no page.
    function test_mouse_found_but_not_accessible() {
        var win = createWindow()
        var command = "printf '%s\\n' 'SUBSYSTEM==\"hidraw\"' | sudo tee /etc/udev/rules.d/70-talvorin-mouse.rules"
        discover(win, Fixtures.discovery(0, 0, 0, { "mouseDevice": {
            "mouseNum": 0, "inaccessibleNum": 1, "accessFixCommand": command,
            "INACCESSIBLE0": { "Path": "/dev/hidraw5", "Vendor_ID": "2DBF", "Product_ID": "5036", "BusTypeName": "2.4G" } } }))
        verify(!item(win, "noDevicePanel").visible)
        var view = item(win, "deviceView")
        compare(view.count, 1)
        waitUntilCentred(view)
        compare(findChild(view.currentItem, "detail").text, "Found but not accessible (2.4G Mode)")
        compare(findChild(view.currentItem, "fixCommand").text, command)
        verify(findChild(view.currentItem, "copyFixCommand").visible)
        var before = talvorin_worker.sentCount()
        mouseClick(view.currentItem, view.currentItem.width / 2, 40)
        wait(50)
        compare(String(item(win, "pageLoader").source), "")
        compare(talvorin_worker.sentCount(), before + 1, "a click looks for the devices again")
        compare(talvorin_worker.lastSent()["Control"], 0)
    }

    function test_open_page_and_back() {
        var win = createWindow()
        discover(win, Fixtures.discovery(1, 1, 1, {}))
        var view = item(win, "deviceView")
        var loader = item(win, "pageLoader")
        mouseClick(view.currentItem)
        tryCompare(loader, "status", Loader.Ready)
        compare(String(loader.source), "qrc:/pages/PageGPU.qml")
        verify(!item(win, "homeScreen").visible)
        verify(item(win, "backButton").visible)
        compare(item(win, "captionText").text, "Scorvane RX Test 0")
        compare(loader.item.gpuIndex, 0)
        compare(talvorin_worker.lastSent()["selectedMode"], 15)

        // A side card is brought to the centre first, opened on the second click.
        mouseClick(item(win, "backButton"))
        tryCompare(loader, "status", Loader.Null)
        verify(item(win, "homeScreen").visible)
        compare(item(win, "captionText").text, "Your Devices")
        mouseClick(item(win, "arrowRight"))
        tryCompare(view, "currentIndex", 1)
        waitUntilCentred(view)
        mouseClick(view.currentItem)
        tryCompare(loader, "status", Loader.Ready)
        compare(String(loader.source), "qrc:/pages/PageMouse.qml")
    }

    function test_mouse_page_covers_window_until_answer_data() {
        return [
            { tag: "battery read", percent: 64, shown: "64%", failure: false },
            { tag: "battery above 100", percent: 150, shown: "0%", failure: false },
            { tag: "battery 0", percent: 0, shown: "0%", failure: false },
            { tag: "read failed", percent: 50, shown: "", failure: true }
        ]
    }

    function test_mouse_page_covers_window_until_answer(data) {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 1, 0, {}))
        talvorin_worker.reset()
        win.openDevice(0)
        var loader = item(win, "pageLoader")
        tryCompare(loader, "status", Loader.Ready)
        var sent = talvorin_worker.lastSent()
        compare(sent["Control"], 2)
        compare(sent["runFunction"], 6)
        compare(sent["currentHID_Path"], "/dev/hidraw3")
        compare(sent["Vendor_ID"], "2DBF")
        compare(sent["Product_ID"], "5036")
        compare(sent["Usage_Page"], "FF00")
        compare(sent["Usage"], "0001")
        var mask = item(win, "loadingMask")
        verify(mask.visible)
        var answer = { "Control": 2, "runFunction": 6, "BTL_Percent": data.percent, "charging_STA": 0,
                       "BusTypeName": "2.4G", "ProfileNo": 2 }
        if (data.failure)
            answer["RESULTS"] = -1
        talvorin_worker.answer(answer)
        tryVerify(function() { return !mask.visible })
        if (data.failure) {
            tryVerify(function() { return findChild(loader.item, "failureNotice").visible })
        } else {
            compare(findChild(loader.item, "batteryText").text, data.shown)
        }
    }

    function test_mouse_listener_kept_while_the_mouse_page_is_closed() {
        var extra = { "gameIDList": ["730"], "730": Fixtures.game("730", "Zeta Strike", 3) }
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 1, 0, extra))
        talvorin_worker.answer({ "Control": 11, "dongle_fw_update": 1 })
        tryVerify(function() { return win.dongleFirmwareUpdate })
        var before = talvorin_worker.sentCount()
        background_listen.answer({ "Control": 2, "function": "Profile_Cycle", "Delay": 1 })
        tryVerify(function() { return talvorin_worker.sentCount() === before + 1 })
        compare(talvorin_worker.lastSent()["Control"], 2)
        compare(talvorin_worker.lastSent()["runFunction"], 13)
        tryCompare(background_listen, "startCount", 1)
        talvorin_worker.answer({ "Control": 2, "runFunction": 13, "RESULTS": 1, "ProfileNo": 4 })
        tryVerify(function() { return background_listen.lastSent()["mouseProfile"] === 4 })

        // The page gets the games and the receiver's update, and then looks after the listener.
        win.openDevice(0)
        var page = item(win, "pageLoader").item
        compare(page.games.length, 1)
        compare(page.games[0].ProfileNum, 3)
        verify(page.dongleUpdate)
        before = talvorin_worker.sentCount()
        background_listen.answer({ "Control": 2, "function": "Profile_Cycle", "Delay": 1 })
        wait(400)
        compare(talvorin_worker.sentCount(), before, "the page reads the mouse once its opening read is answered")
    }

    function test_mouse_listener_resumes_after_the_hardware_monitor() {
        var win = createWindow()
        discover(win, Fixtures.discovery(1, 1, 0, {}))
        win.openDevice(0)
        var page = item(win, "pageLoader").item
        page.showTab(2)
        compare(background_listen.lastSent()["Control"], 1)
        var starts = background_listen.startCount
        page.showTab(3)
        tryCompare(background_listen, "startCount", starts + 1)
        compare(background_listen.lastSent()["Control"], 2)
        verify(String(background_listen.lastSent()["currentHID_Path"]).length > 0)

        // Leaving the page while the monitor runs hands the listener back as well.
        page.showTab(2)
        compare(background_listen.lastSent()["Control"], 1)
        starts = background_listen.startCount
        mouseClick(item(win, "backButton"))
        tryCompare(background_listen, "startCount", starts + 1)
        compare(background_listen.lastSent()["Control"], 2)
    }

    // A second start can show the window only while the worker holds the hand-off request.
    function test_hand_off_request_kept_while_in_the_tray() {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 1, 0, {}))
        talvorin_worker.answer({ "Control": 11 })
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 5 })
        win.closeToTray()
        verify(!win.visible)
        background_listen.answer({ "Control": 2, "function": "Profile_Cycle", "Delay": 1 })
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 2 })
        talvorin_worker.answer({ "Control": 2, "runFunction": 13, "RESULTS": 1, "ProfileNo": 4 })
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 5 })
        talvorin_worker.answer({ "Control": 5, "startGUI": 1 })
        tryVerify(function() { return win.visible })

        // A command of the window that waited for a page's answer is not replaced by the request.
        win.openDevice(0)
        var page = item(win, "pageLoader").item
        talvorin_worker.answer(Fixtures.mouseOpening({}))
        tryVerify(function() { return page.infoRead })
        win.closeToTray()
        page.setLiftOff(3)
        win.closeDevicePage()
        background_listen.answer({ "Control": 2, "function": "Profile_Cycle", "Delay": 1 })
        wait(50)
        compare(talvorin_worker.lastSent()["runFunction"], 12, "the profile read waits for the page's answer")
        talvorin_worker.answer({ "Control": 2, "runFunction": 12, "RESULTS": 1 })
        tryVerify(function() { return talvorin_worker.lastSent()["runFunction"] === 13 })
        wait(50)
        compare(talvorin_worker.lastSent()["Control"], 2)
        talvorin_worker.answer({ "Control": 2, "runFunction": 13, "RESULTS": 1, "ProfileNo": 2 })
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 5 })
    }

    // Back from the tray the window stands where it was, whatever the system did with it.
    function test_window_comes_back_where_it_was() {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 0, 0, { "firstrStartAppShowGUI": 1 }))
        tryVerify(function() { return win.visible })
        win.x = 120
        win.y = 90
        tryCompare(win, "x", 120)
        win.closeToTray()
        verify(!win.visible)
        win.x = 148 // a window manager's frame offset
        win.y = 127
        win.showMainWindow()
        tryVerify(function() { return win.visible })
        compare(win.x, 120)
        compare(win.y, 90)
    }

    function test_closing_to_tray_stops_key_input_data() {
        return [ { tag: "macro recording", recorder: "macroEditor" }, { tag: "shortcut box", recorder: "functionsPanel" } ]
    }

    function test_closing_to_tray_stops_key_input(data) {
        keyboardHook.reset()
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 1, 0, {}))
        win.openDevice(0)
        var loader = item(win, "pageLoader")
        tryCompare(loader, "status", Loader.Ready)
        talvorin_worker.answer(Fixtures.mouseOpening({}))
        tryVerify(function() { return loader.item.infoRead })
        var recorder = findChild(loader.item, data.recorder)
        if (data.recorder === "macroEditor")
            recorder.startRecording()
        else
            recorder.startCapture()
        compare(keyboardHook.startCount, 1)

        win.closeToTray()
        verify(!win.visible)
        compare(keyboardHook.stopCount, 1, "no key reaches a hidden page")
        verify(!(recorder.recording || recorder.capturing))
        compare(String(loader.source), "qrc:/pages/PageMouse.qml", "the page is kept for the tray click")
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 5 })
    }

    function test_start_page_data() {
        return [
            { tag: "gpu", page: "gpu", devices: [1, 1, 1], source: "qrc:/pages/PageGPU.qml", info: false },
            { tag: "headset", page: "headset", devices: [1, 0, 1], source: "qrc:/pages/PageHeadphone.qml", info: false },
            { tag: "mouse", page: "mouse", devices: [0, 1, 0], source: "qrc:/pages/PageMouse.qml", info: false },
            { tag: "headset missing", page: "headset", devices: [1, 0, 0], source: "", info: false },
            { tag: "info", page: "info", devices: [0, 0, 0], source: "", info: true },
            { tag: "home", page: "home", devices: [1, 1, 1], source: "", info: false }
        ]
    }

    function test_start_page(data) {
        launchOptions.startPage = data.page
        var win = createWindow()
        verify(win.introFinished, "a requested page skips the intro")
        discover(win, Fixtures.discovery(data.devices[0], data.devices[1], data.devices[2], {}))
        compare(String(item(win, "pageLoader").source), data.source)
        compare(infoPanel(win).opened || infoPanel(win).visible, data.info)
        // Only the first discovery opens the page.
        if (data.source !== "") {
            win.closeDevicePage()
            discover(win, Fixtures.discovery(data.devices[0], data.devices[1], data.devices[2], {}))
            compare(String(item(win, "pageLoader").source), "")
        }
    }

    function test_update_available() {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 0, 0, { "updateApp": 1 }))
        verify(item(win, "updateDot").visible)
        var notice = item(win, "updateNotice")
        verify(notice.opacity > 0.5, "the notice shows at once")
        tryCompare(notice, "opacity", 0, 4000)

        infoPanel(win).open()
        tryVerify(function() { return infoPanel(win).opened })
        verify(item(win, "panelUpdateDot").visible)
        var button = item(win, "updateButton")
        verify(button.enabled)
        compare(button.color, "#880000")
        mouseClick(button)
        compare(talvorin_worker.lastSent()["Control"], 7)
        verify(!button.enabled, "no second update while one runs")

        talvorin_worker.answer({ "Control": 7, "downloadFile": 1, "InstallApp": 0, "new_version": "25.03.01", "progress": 40 })
        tryCompare(win, "downloadProgress", 40)
        compare(item(win, "updateStatusText").text, "Talvorin new version 25.03.01")
        verify(item(win, "downloadProgress").visible)
        talvorin_worker.answer({ "Control": 7, "InstallApp": 1, "updateApp": 0 })
        tryVerify(function() { return !win.visible })
    }

    function test_up_to_date() {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 0, 0, { "updateApp": 0 }))
        verify(!item(win, "updateDot").visible)
        compare(item(win, "updateNotice").opacity, 0)
        verify(!item(win, "updateButton").enabled)
        verify(item(win, "updateStatusText").text.indexOf("You’re up to date! Check ") === 0)
    }

    // An unreachable server is a failed check, never "up to date"; the links it would have
    // given are greyed with the reason, and the check can be tried again.
    function test_failed_update_check() {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 0, 0, { "updateCheck": -1, "updateCheckError": "Could not reach the update server" }))
        infoPanel(win).open()
        tryVerify(function() { return infoPanel(win).opened })
        var status = item(win, "updateStatusText")
        compare(status.text, "Check failed: Could not reach the update server")
        verify(!item(win, "updateButton").enabled)
        var faq = item(win, "support_HomePage-FAQ")
        verify(!faq.enabled)
        verify(faq.text.indexOf("<a") < 0, "no link without an address")
        verify(item(win, "supportNote").text.indexOf("Could not reach the update server") >= 0)

        var again = item(win, "checkAgainButton")
        verify(again.visible)
        mouseClick(again)
        compare(talvorin_worker.lastSent()["Control"], 11)
        compare(status.text, "Checking for updates...")
        talvorin_worker.answer({ "Control": 11, "updateApp": 0, "updateCheck": 1, "updateCheckError": "",
                                 "HomePage-FAQ-Link": "https://help.invalid/faq" })
        tryCompare(status, "text", "You’re up to date! Check release note")
        verify(!again.visible)
        verify(faq.enabled)
        verify(faq.text.indexOf("https://help.invalid/faq") > 0)
        compare(item(win, "supportNote").text, "Greyed entries have no address on the update server.")
    }

    function test_failed_download_is_said() {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 0, 0, { "updateApp": 1 }))
        infoPanel(win).open()
        tryVerify(function() { return infoPanel(win).opened })
        mouseClick(item(win, "updateButton"))
        talvorin_worker.answer({ "Control": 7, "downloadFile": 0, "InstallApp": 0, "updateCheck": 1,
                                 "downloadError": "The update could not be downloaded" })
        tryCompare(item(win, "updateStatusText"), "text", "The update could not be downloaded. Press Update to try again.")
        verify(item(win, "updateButton").enabled)
    }

    function test_start_options() {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 0, 0, { "StartwithWindows": 1, "firstrStartAppShowGUI": 1 }))
        infoPanel(win).open()
        tryVerify(function() { return infoPanel(win).opened })
        waitForRendering(win.contentItem)
        var toggle = item(win, "autoLaunchSwitch")
        verify(toggle.checked)
        compare(item(win, "autoLaunchText").text, "When enabled Talvorin will automatically launched on startup")
        mouseClick(toggle)
        compare(talvorin_worker.lastSent()["Control"], 13)
        // The answer carries what is stored; a refused change leaves the switch where it was.
        talvorin_worker.answer({ "Control": 13, "StartwithWindows": 1 })
        wait(20)
        verify(toggle.checked)
        mouseClick(toggle)
        talvorin_worker.answer({ "Control": 13, "StartwithWindows": 0 })
        tryVerify(function() { return !toggle.checked })
        compare(item(win, "autoLaunchText").text, "Disabling automatic launch will affect some features of the devices")
        mouseClick(toggle)
        compare(talvorin_worker.lastSent()["Control"], 12)

        var box = item(win, "showWindowAtStartBox")
        verify(box.checked)
        mouseClick(box)
        compare(talvorin_worker.guiCalls, ["0"])
        mouseClick(box)
        compare(talvorin_worker.guiCalls, ["0", "1"])
    }

    // The panel asks what exists each time it opens; a refused change is said, and the
    // switch stays where the entry is.
    function test_start_options_read_when_the_panel_opens() {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 0, 0, { "StartwithWindows": 1, "firstrStartAppShowGUI": 1 }))
        infoPanel(win).open()
        tryVerify(function() { return infoPanel(win).opened })
        compare(talvorin_worker.lastSent()["Control"], 14)
        talvorin_worker.answer({ "Control": 14, "StartwithWindows": 0, "StartwithWindowsError": "", "firstrStartAppShowGUI": 0 })
        var toggle = item(win, "autoLaunchSwitch")
        tryVerify(function() { return !toggle.checked })
        verify(!item(win, "showWindowAtStartBox").checked)
        verify(!item(win, "autoLaunchError").visible)

        mouseClick(toggle)
        compare(talvorin_worker.lastSent()["Control"], 12)
        talvorin_worker.answer({ "Control": 12, "StartwithWindows": 0,
                                 "StartwithWindowsError": "Could not add the start-at-login entry: Permission denied" })
        tryVerify(function() { return item(win, "autoLaunchError").visible })
        compare(item(win, "autoLaunchError").text, "Could not add the start-at-login entry: Permission denied")
        verify(!toggle.checked)

        // A click on the box flips it; the next reading wins over it.
        mouseClick(item(win, "showWindowAtStartBox"))
        verify(item(win, "showWindowAtStartBox").checked)
        infoPanel(win).close()
        tryVerify(function() { return !infoPanel(win).visible })
        infoPanel(win).open()
        talvorin_worker.answer({ "Control": 14, "StartwithWindows": 1, "StartwithWindowsError": "", "firstrStartAppShowGUI": 0 })
        tryVerify(function() { return toggle.checked })
        verify(!item(win, "showWindowAtStartBox").checked)
        verify(!item(win, "autoLaunchError").visible)
    }

    function test_gpu_page_starts_from_what_it_did_last() {
        var win = createWindow()
        discover(win, Fixtures.discovery(1, 0, 0, {}))
        win.openDevice(0)
        var loader = item(win, "pageLoader")
        tryCompare(loader, "status", Loader.Ready)
        var opening = Fixtures.gpuAnswer(talvorin_worker.lastSent(), 1)
        opening["GPU_favoriteList"] = [{ "mode": 4, "name": "1 Ripple" }]
        talvorin_worker.answer(opening)
        tryVerify(function() { return loader.item.favoriteList.length === 1 })
        loader.item.chooseEffect(6)
        talvorin_worker.answer(Fixtures.gpuAnswer(talvorin_worker.lastSent(), 1))
        tryVerify(function() { return loader.item.lighting.mode === 6 })

        win.closeDevicePage()
        win.openDevice(0)
        tryCompare(loader, "status", Loader.Ready)
        compare(loader.item.lighting.mode, 6)
        compare(loader.item.favoriteList.length, 1)
        compare(talvorin_worker.lastSent()["selectedMode"], 15)
        compare(talvorin_worker.lastSent()["r_color"], 255)
    }

    function test_window_commands_wait_for_the_page_answer() {
        launchOptions.startPage = "gpu"
        var win = createWindow()
        talvorin_worker.answer(Fixtures.discovery(1, 0, 0, {}))
        tryVerify(function() { return win.discovered })
        // The page's opening command must not be replaced by the server information request.
        var opening = talvorin_worker.lastSent()
        compare(opening["Control"], 1)
        compare(opening["selectedMode"], 15)
        wait(20)
        compare(talvorin_worker.lastSent()["selectedMode"], 15)
        talvorin_worker.answer(Fixtures.gpuAnswer(opening, 1))
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 11 })

        // A lighting change before the server answers: the hand-off request waits for it.
        var page = item(win, "pageLoader").item
        page.chooseEffect(2)
        var effect = talvorin_worker.lastSent()
        compare(effect["selectedMode"], 2)
        talvorin_worker.answer({ "Control": 11, "appVersion": "25.02.02", "updateApp": 0 })
        wait(20)
        compare(talvorin_worker.lastSent()["selectedMode"], 2)
        talvorin_worker.answer(Fixtures.gpuAnswer(effect, 1))
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 5 })
    }

    function test_mouse_install_is_answered_by_its_last_report() {
        var win = createWindow()
        discover(win, Fixtures.discovery(0, 1, 0, {}))
        win.pageCommandPending = 10
        var before = talvorin_worker.sentCount()
        win.sendWhenFree({ "Control": 5 })
        compare(talvorin_worker.sentCount(), before, "the request waits for the flash")
        talvorin_worker.answer({ "Control": 9, "FwSwitch": 1, "Status": 0, "Info": "" })
        wait(30)
        compare(talvorin_worker.sentCount(), before, "a progress report is not the end")
        talvorin_worker.answer({ "Control": 9, "FwSwitch": 1, "Status": 1, "Info": "All tasks completed." })
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 5 })
    }

    function test_page_steps_go_before_the_waiting_command() {
        var win = createWindow()
        discover(win, Fixtures.discovery(1, 0, 0, { "gpuLastedAction": { "selectedMode": 9, "gpuIndex": 0, "on_off": 1 } }))
        talvorin_worker.answer({ "Control": 11 })
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 5 })
        win.openDevice(0)
        var page = item(win, "pageLoader").item
        talvorin_worker.answer(Fixtures.gpuAnswer(talvorin_worker.lastSent(), 1))
        wait(20)
        // Closing the window asks for the hand-off again, but only after the page's commands.
        page.resetAll()
        win.sendWhenFree({ "Control": 5 })
        compare(talvorin_worker.lastSent()["selectedMode"], 10)
        talvorin_worker.answer(Fixtures.gpuAnswer(talvorin_worker.lastSent(), 1))
        tryVerify(function() { return talvorin_worker.lastSent()["selectedMode"] === 1 })
        compare(talvorin_worker.lastSent()["Control"], 1, "the reset's second step went first")
        talvorin_worker.answer(Fixtures.gpuAnswer(talvorin_worker.lastSent(), 1))
        tryVerify(function() { return talvorin_worker.lastSent()["Control"] === 5 })
    }

    // "All devices": the chosen effect and colour go out as one command of their own map, and
    // the answer names what each device did, the skipped ones with the reason.
    function test_all_devices_lighting() {
        var win = createWindow()
        discover(win, Fixtures.discovery(1, 1, 1, {}))
        mouseClick(item(win, "allDevicesButton"))
        var panel = popup(win, "allDevicesPanel")
        tryVerify(function() { return panel.opened })
        mouseClick(findChild(panel.contentItem, "effect_ripple"))
        panel.r = 16
        panel.g = 224
        panel.b = 160
        mouseClick(findChild(panel.contentItem, "applyAllDevices"))
        var sent = talvorin_worker.lastSent()
        compare(sent["Control"], 22)
        compare(sent["effect"], "ripple")
        compare([sent["r_color"], sent["g_color"], sent["b_color"]], [16, 224, 160])
        compare(sent["brightness_value"], 255)
        verify(win.dictDataforWorker["effect"] === undefined, "the GPU page's map stays its own")

        talvorin_worker.answer({ "Control": 22, "RESULTS": 1, "effect": "ripple",
                                 "gpuLastedAction": { "Control": 1, "selectedMode": 4, "gpuIndex": 0 },
                                 "devices": [{ "device": "GPU 0 Scorvane RX 7900 XTX", "result": "set", "reason": "" },
                                             { "device": "GPU 1 Scorvane RX 7600", "result": "skipped",
                                               "reason": "no RGB lighting" }] })
        tryCompare(panel, "applying", false)
        compare(panel.results.length, 2)
        compare(panel.resultText(panel.results[1]), "GPU 1 Scorvane RX 7600: skipped, no RGB lighting")
        compare(win.gpuLastedAction["selectedMode"], 4)
    }

    function test_settings_file_answer_is_shown() {
        var win = createWindow()
        discover(win, Fixtures.discovery(1, 1, 1, {}))
        var actions = findChild(win.contentItem, "homeActions")
        actions.importRequested("file:///tmp/settings.json")
        compare(talvorin_worker.lastSent()["Control"], 21)
        compare(talvorin_worker.lastSent()["filePath"], "file:///tmp/settings.json")
        verify(actions.busy)
        talvorin_worker.answer({ "Control": 21, "RESULTS": -1,
                                 "message": "Settings not imported: the file is damaged. Nothing was changed." })
        tryCompare(actions, "busy", false)
        compare(item(win, "settingsFileMessage").text, "Settings not imported: the file is damaged. Nothing was changed.")
        verify(actions.messageIsError)
    }

    // An answer to a command the worker ran for itself does not release the page's command.
    function test_private_answers_do_not_answer_the_page() {
        var win = createWindow()
        discover(win, Fixtures.discovery(1, 1, 1, {}))
        win.pageCommandPending = 2
        talvorin_worker.answer({ "Control": 2, "runFunction": 1, "RESULTS": 1, "privateCommand": 1 })
        wait(50)
        compare(win.pageCommandPending, 2)
        talvorin_worker.answer({ "Control": 2, "runFunction": 9, "RESULTS": 1 })
        tryCompare(win, "pageCommandPending", -1)
    }
}
