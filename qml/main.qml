import QtQuick 2.9
import QtQuick.Window 2.2
import QtQuick.Controls 2.2
import my.util 1.0
import "components"
import "js/devices.js" as Devices
import "js/mouse.js" as Mouse

ApplicationWindow {
    id: mainWindow
    width: 1440
    height: 810
    minimumWidth: 1365
    minimumHeight: 768
    visible: false
    color: colorBackground
    title: "Belvarinth"

    // Every design value is scaled by these two ratios.
    property real ratio_w: width / 1440
    property real ratio_h: height / 810

    readonly property color colorBackground: Palette.background
    readonly property color colorText: Palette.text
    readonly property color colorTextDim: Palette.textDim
    readonly property color colorLine: Palette.line
    readonly property color colorPanel: Palette.panel
    readonly property color colorLight: Palette.light
    readonly property color colorRed: Palette.red
    readonly property color colorHover: Palette.hover
    readonly property color colorDot: Palette.dot

    // Command maps, reused for every send so that keys of earlier commands stay in them.
    property var dictDataforWorker: ({ "Control": -1 })
    property var dictDataforMouseWorker: ({ "Control": -1, "runFunction": -1 })
    property var dictDataforHeadphoneWorker: ({ "Control": -1, "runFunction": -1, "volumeSlider": 0.0 })
    property var dictDataforBackgroundWorker: ({ "Control": -1, "runFunction": -1 })
    // The home page's own commands ("All devices" lighting, the settings file).
    property var dictDataforHomeWorker: ({ "Control": -1 })

    property string appVersion: ""
    property string newVersion: ""
    property bool updateAvailable: false
    property bool updating: false
    property int downloadProgress: 0
    property var supportLinks: ({})
    // How the last look at the update server went: 0 not yet, 1 answered, -1 failed (with
    // its cause); and why the last update download failed.
    property int updateCheck: 0
    property string updateCheckError: ""
    property string updateDownloadError: ""

    // The device picture of the last discovery: one answer map per device, and the carousel cards.
    property var devices_Info: []
    property var deviceEntries: []
    property bool discovered: false
    property bool startPageApplied: false
    // What the graphics card page starts from: the last lighting command and the favourites,
    // which the worker hands out only once per discovery.
    property var gpuLastedAction: ""
    property var gpuFavorites: null
    // The games and programs that mouse profiles can be linked to, and whether the server has
    // newer receiver firmware.
    property var mouseGames: []
    property bool dongleFirmwareUpdate: false
    property var openEntry: null
    // "Control" of the last page command not answered yet (-1: none), and what waits for it.
    property int pageCommandPending: -1
    property var deferredCommand: null
    // Counts the commands handed to the worker, the pages' ones too.
    property int commandsSent: 0
    property bool introFinished: launchOptions.startPage.length > 0 || launchOptions.screenshotMode
    property bool updateNoticePending: false
    // The start options the information panel shows, kept here for when it is made.
    property bool showWindowAtStart: false
    property bool autoLaunch: false
    property string autoLaunchError: ""

    // The window's first frame is its background alone (the intro starts from nothing
    // visible): the fonts, the intro and what it covers (the header, the home screen, the
    // panels, the tray icon) are made once that frame is out, so that the window appears as
    // soon as it can. A start without the intro makes them at once; one that waits in the tray,
    // right after start-up.
    property bool fontsLoaded: introFinished
    property bool contentReady: introFinished

    function makeContent() {
        // The fonts first: a text made before its font is known would keep another one.
        fontsLoaded = true
        contentReady = true
    }

    // Emitted on this thread once per frame, just before the frame is drawn; the content is made
    // in the next turn of the event loop, after that frame.
    onAfterAnimating: if (!contentReady) Qt.callLater(makeContent)

    // Bound rather than made by a loader: a start without the intro sets them while this file
    // is being made, before any loader makes a text.
    FontLoader { source: mainWindow.fontsLoaded ? ConfigData.fontList[0] : "" }
    FontLoader { source: mainWindow.fontsLoaded ? ConfigData.fontList[1] : "" }
    FontLoader { source: mainWindow.fontsLoaded ? ConfigData.fontList[2] : "" }

    function sendToWorker(values, map) {
        var command = map === undefined ? dictDataforWorker : map
        for (var key in values)
            command[key] = values[key]
        commandsSent += 1
        talvorin_worker.receiveDataFromQML(command)
    }

    // The worker keeps only the newest command. The window's own follow-up commands (server
    // information, the standing hand-off request) wait until a page's command has been
    // answered, so that they never replace it before the worker has taken it.
    function sendWhenFree(values, map) {
        if (pageCommandPending < 0) {
            sendToWorker(values, map)
            return
        }
        deferredCommand = { values: values, map: map }
        deferredTimer.restart()
    }

    function sendDeferred() {
        if (deferredCommand === null || pageCommandPending >= 0)
            return
        deferredTimer.stop()
        var deferred = deferredCommand
        deferredCommand = null
        sendToWorker(deferred.values, deferred.map)
    }

    // Where the window was when it went to the tray: a window manager may place a window
    // that is mapped again somewhere else (or shifted by its frame), so it is put back.
    property point trayPosition: Qt.point(-1, -1)

    function showMainWindow() {
        mainWindow.show()
        if (trayPosition.x >= 0 && !launchOptions.screenshotMode) {
            mainWindow.x = trayPosition.x
            mainWindow.y = trayPosition.y
        }
        mainWindow.raise()
        mainWindow.requestActivate()
    }

    function quitProgram() {
        if (systemTray.item)
            systemTray.item.onExit()
        mainWindow.hide()
        background_listen.stopThread()
        talvorin_worker.stopThread()
        Qt.quit()
    }

    function skipIntro() {
        introFinished = true
    }

    function commandMapFor(deviceType) {
        if (deviceType === Devices.TYPE_MOUSE)
            return dictDataforMouseWorker
        if (deviceType === Devices.TYPE_HEADSET)
            return dictDataforHeadphoneWorker
        return dictDataforWorker
    }

    function openDevice(index) {
        var entry = deviceEntries[index]
        if (!entry)
            return
        // A device that cannot be opened has no page: its card says what to do, and a click
        // looks for the devices again once that is done.
        if (entry.inaccessible) {
            sendToWorker({ "Control": 0 })
            return
        }
        openEntry = entry
        pageLoader.setSource(Devices.PAGE_URLS[entry.deviceType], {
            "ratio_w": ratio_w,
            "ratio_h": ratio_h,
            "deviceInfo": entry.info,
            "commandMap": commandMapFor(entry.deviceType),
            "listenerMap": dictDataforBackgroundWorker,
            "supportLinks": supportLinks,
            "updateCheckError": updateCheckError,
            "lastAction": gpuLastedAction,
            "favorites": gpuFavorites,
            "gameList": mouseGames,
            "dongleUpdate": dongleFirmwareUpdate
        })
        // The opening command went out while the page was being created.
        if (pageLoader.item && pageLoader.item.lastSentControl >= 0)
            pageCommandPending = pageLoader.item.lastSentControl
    }

    function closeDevicePage() {
        pageLoader.source = ""
        openEntry = null
        resumeMouseListener()
    }

    // The GPU page's hardware monitor borrows the one background listener (and switches its
    // map to metrics). When it lets go, the mouse's notifications are listened to again, so
    // launch buttons and profile cycling keep working without reopening the mouse page.
    function resumeMouseListener() {
        if (!dictDataforBackgroundWorker["currentHID_Path"])
            return
        dictDataforBackgroundWorker["Control"] = 2
        listenerRestart.restart()
    }

    function openStartPage() {
        var page = launchOptions.startPage
        if (page === "info") {
            openInfoPanel()
            return
        }
        var type = Devices.PAGE_NAMES[page]
        if (type === undefined)
            return
        var index = Devices.firstIndexOfType(deviceEntries, type)
        if (index >= 0)
            openDevice(index)
    }

    // The mouse's identity goes to the listener so that its notifications can be read later.
    function primeListener(data) {
        var mice = data["mouseDevice"]
        var first = mice && typeof mice === "object" ? mice["MOUSE0"] : undefined
        dictDataforBackgroundWorker["Control"] = 2
        dictDataforBackgroundWorker["mouseNum"] = Devices.toInt(data["mouseNum"], 0)
        dictDataforBackgroundWorker["qStr_MCU_UUID"] = first && first["current_MCU_UUID"] ? String(first["current_MCU_UUID"]) : ""
        dictDataforBackgroundWorker["currentHID_Path"] = first && first["Path"] ? String(first["Path"]) : ""
        dictDataforBackgroundWorker["vendor_id"] = first && first["Vendor_ID"] ? String(first["Vendor_ID"]) : ""
        dictDataforBackgroundWorker["product_id"] = first && first["Product_ID"] ? String(first["Product_ID"]) : ""
        if (dictDataforBackgroundWorker["mouseProfile"] === undefined)
            dictDataforBackgroundWorker["mouseProfile"] = 1
        background_listen.receiveDataFromQML(dictDataforBackgroundWorker)
    }

    function handleDiscovery(data) {
        console.log("Discovery answer received")
        appVersion = data["appVersion"] !== undefined ? String(data["appVersion"]) : ""
        gpuLastedAction = data["gpuLastedAction"] !== undefined ? data["gpuLastedAction"] : ""
        gpuFavorites = null
        var entries = Devices.buildDeviceList(data)
        var infos = []
        for (var i = 0; i < entries.length; ++i)
            infos.push(entries[i].info)
        devices_Info = infos
        deviceEntries = entries
        mouseGames = Mouse.gamesFromDiscovery(data)
        discovered = true
        primeListener(data)

        var showAtStart = parseInt(data["firstrStartAppShowGUI"]) === 1
        showWindowAtStart = showAtStart
        autoLaunch = parseInt(data["StartwithWindows"]) === 1
        setUpdateAvailable(parseInt(data["updateApp"]) === 1)
        takeUpdateCheck(data)
        if (showAtStart || launchOptions.showWindow || !trayAvailable())
            showMainWindow()
        if (!startPageApplied) {
            startPageApplied = true
            openStartPage()
        }
        sendWhenFree({ "Control": 11 })
    }

    function takeUpdateCheck(data) {
        if (data["updateCheck"] === undefined)
            return
        updateCheck = parseInt(data["updateCheck"]) === 1 ? 1 : -1
        updateCheckError = updateCheck === 1 ? "" : String(data["updateCheckError"] || "Could not reach the update server")
        if (pageLoader.item && pageLoader.item.updateCheckError !== undefined)
            pageLoader.item.updateCheckError = updateCheckError
    }

    function checkServerAgain() {
        updateCheck = 0
        sendToWorker({ "Control": 11 })
    }

    function setUpdateAvailable(available) {
        if (available && !updateAvailable)
            updateNoticePending = true
        updateAvailable = available
        showPendingNotice()
    }

    // The notice waits for the intro, or nobody would see it fade.
    function showPendingNotice() {
        if (updateNoticePending && introFinished && updateNotice.item) {
            updateNoticePending = false
            updateNotice.item.fade()
        }
    }

    onIntroFinishedChanged: showPendingNotice()

    function handleServerInformation(data) {
        setUpdateAvailable(parseInt(data["updateApp"]) === 1)
        takeUpdateCheck(data)
        if (data["appVersion"] !== undefined)
            appVersion = String(data["appVersion"])
        var links = {}
        var names = ["HomePage-FAQ", "HomePage-ReleaseNote", "HomePage-ContactUs", "GPU-Support",
                     "Headset-UserManual", "Mouse-UserManual", "Mouse-ReleaseNote"]
        for (var i = 0; i < names.length; ++i) {
            var key = names[i] + "-Link"
            if (data[key] !== undefined && String(data[key]).length > 0)
                links[names[i]] = String(data[key])
        }
        supportLinks = links
        if (pageLoader.item && pageLoader.item.supportLinks !== undefined)
            pageLoader.item.supportLinks = links
        dongleFirmwareUpdate = parseInt(data["dongle_fw_update"]) === 1
        if (pageLoader.item && pageLoader.item.dongleUpdate !== undefined)
            pageLoader.item.dongleUpdate = dongleFirmwareUpdate
        sendWhenFree({ "Control": 5 })
    }

    function takeStartOptions(data) {
        autoLaunch = parseInt(data["StartwithWindows"]) === 1
        autoLaunchError = data["StartwithWindowsError"] !== undefined ? String(data["StartwithWindowsError"]) : ""
        if (data["firstrStartAppShowGUI"] !== undefined && parseInt(data["Control"]) === 14)
            showWindowAtStart = parseInt(data["firstrStartAppShowGUI"]) === 1
    }

    function handleUpdateProgress(data) {
        if (data["new_version"] !== undefined)
            newVersion = String(data["new_version"])
        if (parseInt(data["InstallApp"]) === 1) {
            updating = false
            updateAvailable = false
            mainWindow.hide()
            return
        }
        updating = parseInt(data["downloadFile"]) === 1
        takeUpdateCheck(data)
        if (data["downloadError"] !== undefined)
            updateDownloadError = String(data["downloadError"])
        if (data["progress"] !== undefined)
            downloadProgress = parseInt(data["progress"])
    }

    // The mouse install (Control 10) reports under Control 9 with FwSwitch 1; its last report
    // (Status 1 or -1) is the answer to the command.
    function answersPageCommand(data) {
        // The worker's own commands (a game launch's profile switch, the command line, the
        // settings file) answer with the pages' Control values too.
        if (parseInt(data["privateCommand"]) === 1)
            return false
        var control = parseInt(data["Control"])
        if (pageCommandPending === 10 && control === 9 && parseInt(data["FwSwitch"]) === 1)
            return parseInt(data["Status"]) === 1 || parseInt(data["Status"]) === -1
        return pageCommandPending >= 0 && control === pageCommandPending
    }

    function handleWorkerAnswer(data) {
        if (answersPageCommand(data)) {
            pageCommandPending = -1
            // After every handler of this answer has run: a page may send its next step first.
            Qt.callLater(sendDeferred)
        }
        switch (parseInt(data["Control"])) {
        case 0: handleDiscovery(data); break
        case 5:
            if (parseInt(data["startGUI"]) === 1) {
                console.log("Window requested by another start")
                showMainWindow()
            }
            break
        case 7: handleUpdateProgress(data); break
        case 11: handleServerInformation(data); break
        case 20:
        case 21:
            if (homeScreen.item)
                homeScreen.item.showActionAnswer(data)
            break
        case 22: handleAllDevicesLighting(data); break
        case 12:
        case 13:
        case 14: takeStartOptions(data); break
        case 2: followMouseProfile(data); break
        }
        var control = parseInt(data["Control"])
        if (control !== 0 && control !== 5 && control !== 11) {
            var sentBefore = commandsSent
            // Only when this answer's handlers sent nothing further themselves.
            Qt.callLater(function() {
                if (mainWindow.commandsSent === sentBefore)
                    mainWindow.keepHandOffRequest()
            })
        }
    }

    // The cards' new last command is what the GPU page starts from next time it opens.
    function handleAllDevicesLighting(data) {
        if (data["gpuLastedAction"] !== undefined)
            gpuLastedAction = data["gpuLastedAction"]
        if (allDevicesPanel.item)
            allDevicesPanel.item.showAnswer(data)
    }

    function mousePageOpen() {
        return pageLoader.item !== null && pageLoader.item.objectName === "pageMouse"
    }

    // While the mouse page is closed the window keeps the mouse listener going: a profile
    // cycle or DPI change ends its loop, and the profile it reports is where launch actions
    // are looked up.
    function keepMouseListener(data) {
        if (parseInt(data["Control"]) !== 2 || mousePageOpen())
            return
        var fn = data["function"] !== undefined ? String(data["function"]) : ""
        if (fn === "Profile_Cycle")
            sendWhenFree({ "Control": 2, "runFunction": 13 }, dictDataforMouseWorker)
        if (fn === "Profile_Cycle" || fn === "DPI_Change")
            listenerRestart.restart()
    }

    function followMouseProfile(data) {
        var profile = parseInt(data["ProfileNo"])
        if (mousePageOpen() || parseInt(data["runFunction"]) !== 13 || !(profile >= 1 && profile <= 5))
            return
        dictDataforBackgroundWorker["mouseProfile"] = profile
        background_listen.receiveDataFromQML(dictDataforBackgroundWorker)
    }

    Connections {
        target: talvorin_worker
        function onDataChanged(data) {
            try {
                mainWindow.handleWorkerAnswer(data)
            } catch (e) {
                console.log("Caught exception:", e)
            }
        }
    }

    Connections {
        target: background_listen
        function onDataChanged(data) { mainWindow.keepMouseListener(data) }
    }

    Timer {
        id: listenerRestart
        interval: 150
        onTriggered: {
            background_listen.start()
            background_listen.receiveDataFromQML(mainWindow.dictDataforBackgroundWorker)
        }
    }

    // What the open page reports back for the next time it is opened.
    Connections {
        target: pageLoader.item
        ignoreUnknownSignals: true
        function onFavoritesUpdated(list) { mainWindow.gpuFavorites = list }
        function onGamesUpdated(list) { mainWindow.mouseGames = list }
        function onBatteryWarning(title, message) {
            mainWindow.makeContent()
            systemTray.item.showMessageMouseBtl(title, message)
        }
        function onLightingApplied(answer) { mainWindow.gpuLastedAction = answer }
        function onListenerReleased() { mainWindow.resumeMouseListener() }
        function onServerCheckRequested() { mainWindow.checkServerAgain() }
        function onCommandSent(control) {
            mainWindow.pageCommandPending = control
            mainWindow.commandsSent += 1
        }
    }

    onVisibleChanged: {
        if (visible && introLoader.item && !introLoader.item.running)
            introLoader.item.start()
    }

    // The window goes to the tray; the open page stays as it is for the next time, except
    // that no key reaches a hidden macro recorder or shortcut box.
    function closeToTray() {
        trayPosition = Qt.point(mainWindow.x, mainWindow.y)
        mainWindow.hide()
        makeContent()
        systemTray.item.showMessage("BELVARINTH TALVORIN", "The program is still running in the background.")
        if (pageLoader.item && typeof pageLoader.item.stopKeyInput === "function")
            pageLoader.item.stopKeyInput()
        sendWhenFree({ "Control": 5 })
    }

    // While the window is in the tray the worker must hold the request that lets a second
    // start show it; any command sent meanwhile (a profile read after a mouse notification)
    // takes its place, so it is asked for again once that command has been answered. A
    // command of the window still waiting goes first; its own answer brings the request back.
    function keepHandOffRequest() {
        if (!mainWindow.visible && deferredCommand === null)
            sendWhenFree({ "Control": 5 })
    }

    onClosing: {
        if (!trayAvailable()) {
            // Without a notification area a hidden window could never come back.
            close.accepted = true
            quitProgram()
            return
        }
        close.accepted = false
        closeToTray()
    }

    Component.onCompleted: {
        sendToWorker({ "Control": 0 })
        // A start that will show the window shows it now: the intro plays while the devices
        // are discovered. Otherwise the window waits in the tray.
        if (launchOptions.showWindow) {
            showMainWindow()
        } else {
            mainWindow.hide()
            Qt.callLater(makeContent)
        }
    }

    // A page command that is never answered must not hold the window's commands for good.
    Timer {
        id: deferredTimer
        interval: 20000
        onTriggered: {
            mainWindow.pageCommandPending = -1
            mainWindow.sendDeferred()
        }
    }

    // The tray icon comes with the rest of the content, a moment after the window.
    Loader {
        id: systemTray
        active: mainWindow.contentReady
        sourceComponent: SystemTrayIcon {
            visible: true
            icon: "qrc:/icon/BV_LOGO_256.ico"
            toolTip: "Belvarinth Talvorin"
            menu: trayMenu
            onTrigger: mainWindow.showMainWindow()

            MyMenu {
                id: trayMenu
                MyAction {
                    icon: "qrc:/icon/BV_LOGO_256.ico"
                    text: "Exit"
                    onTriggered: mainWindow.quitProgram()
                }
            }
        }
    }

    function trayAvailable() {
        makeContent()
        return systemTray.item.available
    }

    // Made once the content is ready (see contentReady); the panels open from here.
    function openInfoPanel() {
        makeContent()
        infoPanel.item.open()
    }

    Loader {
        id: header
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        active: mainWindow.contentReady
        visible: mainWindow.introFinished
        sourceComponent: HomeHeader {
            objectName: "homeHeader"
            ratio_w: mainWindow.ratio_w
            ratio_h: mainWindow.ratio_h
            showUpdateDot: mainWindow.updateAvailable
            showBack: mainWindow.openEntry !== null
            caption: mainWindow.openEntry ? mainWindow.openEntry.model : "Your Devices"
            dragTarget: mainWindow
            onInfoClicked: mainWindow.openInfoPanel()
            onBackClicked: mainWindow.closeDevicePage()
        }
    }

    Loader {
        id: homeScreen
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        active: mainWindow.contentReady
        visible: mainWindow.introFinished && pageLoader.status === Loader.Null
        // Named by its address so that what it uses (the file dialogs and their module) is
        // loaded only when it is made, not with this file.
        source: "components/HomeScreen.qml"
        onLoaded: {
            item.ratio_w = Qt.binding(function() { return mainWindow.ratio_w })
            item.ratio_h = Qt.binding(function() { return mainWindow.ratio_h })
            item.entries = Qt.binding(function() { return mainWindow.deviceEntries })
            item.discovered = Qt.binding(function() { return mainWindow.discovered })
        }
    }

    Connections {
        target: homeScreen.item
        function onOpenDevice(index) { mainWindow.openDevice(index) }
        function onAllDevicesClicked() { allDevicesPanel.item.open() }
        function onExportRequested(fileUrl) {
            mainWindow.sendToWorker({ "Control": 20, "filePath": fileUrl }, mainWindow.dictDataforHomeWorker)
        }
        function onImportRequested(fileUrl) {
            mainWindow.sendToWorker({ "Control": 21, "filePath": fileUrl }, mainWindow.dictDataforHomeWorker)
        }
        function onRefresh() { mainWindow.sendToWorker({ "Control": 0 }) }
    }

    Loader {
        id: pageLoader
        objectName: "pageLoader"
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        onLoaded: {
            item.ratio_w = Qt.binding(function() { return mainWindow.ratio_w })
            item.ratio_h = Qt.binding(function() { return mainWindow.ratio_h })
        }
    }

    Loader {
        id: introLoader
        anchors.centerIn: parent
        active: !mainWindow.introFinished && mainWindow.contentReady
        sourceComponent: IntroAnimation {
            ratio_w: mainWindow.ratio_w
            ratio_h: mainWindow.ratio_h
            onFinished: mainWindow.introFinished = true
        }
        onLoaded: if (mainWindow.visible) item.start()
    }

    Loader {
        id: updateNotice
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 24 * mainWindow.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        active: mainWindow.contentReady
        onLoaded: mainWindow.showPendingNotice()
        sourceComponent: Rectangle {
            id: notice
            objectName: "updateNotice"
            width: noticeText.implicitWidth + 40 * mainWindow.ratio_w
            height: 40 * mainWindow.ratio_h
            radius: 6
            color: Palette.panel
            border.color: Palette.red
            opacity: 0
            visible: opacity > 0

            function fade() {
                noticeFade.restart()
            }

            Text {
                id: noticeText
                anchors.centerIn: parent
                text: "Software update available"
                color: Palette.text
                font.family: Palette.fontFamily
                font.pixelSize: 16 * mainWindow.ratio_h
            }
            NumberAnimation {
                id: noticeFade
                target: notice
                property: "opacity"
                from: 1
                to: 0
                duration: 3000
                easing.type: Easing.InQuad
            }
        }
    }

    // The panels are popups: the loaders fill the window so that they open in its middle.
    Loader {
        id: infoPanel
        objectName: "infoPanelLoader"
        anchors.fill: parent
        active: mainWindow.contentReady
        sourceComponent: SoftwareInfoPanel {
            objectName: "infoPanel"
            ratio_w: mainWindow.ratio_w
            ratio_h: mainWindow.ratio_h
            appVersion: mainWindow.appVersion
            newVersion: mainWindow.newVersion
            updateAvailable: mainWindow.updateAvailable
            updating: mainWindow.updating
            downloadProgress: mainWindow.downloadProgress
            supportLinks: mainWindow.supportLinks
            updateCheck: mainWindow.updateCheck
            updateCheckError: mainWindow.updateCheckError
            downloadError: mainWindow.updateDownloadError
            autoLaunch: mainWindow.autoLaunch
            autoLaunchError: mainWindow.autoLaunchError
            showWindowAtStart: mainWindow.showWindowAtStart
            onCheckAgainRequested: mainWindow.checkServerAgain()
            onUpdateRequested: {
                mainWindow.updateDownloadError = ""
                mainWindow.updating = true
                mainWindow.downloadProgress = 0
                mainWindow.sendToWorker({ "Control": 7 })
            }
            onAutoLaunchToggled: mainWindow.sendToWorker({ "Control": enabled ? 12 : 13 })
            onStartOptionsRequested: mainWindow.sendWhenFree({ "Control": 14 })
            onShowWindowAtStartToggled: {
                talvorin_worker.runWithOrWithoutGUI(enabled ? "1" : "0")
                mainWindow.showWindowAtStart = enabled
            }
        }
    }

    Loader {
        id: allDevicesPanel
        objectName: "allDevicesPanelLoader"
        anchors.fill: parent
        active: mainWindow.contentReady
        sourceComponent: AllDevicesPanel {
            objectName: "allDevicesPanel"
            ratio_w: mainWindow.ratio_w
            ratio_h: mainWindow.ratio_h
            onApplyRequested: mainWindow.sendToWorker(command, mainWindow.dictDataforHomeWorker)
        }
    }

    Loader {
        id: loadingMask
        anchors.fill: parent
        z: 100
        active: mainWindow.contentReady
        sourceComponent: Loading {
            objectName: "loadingMask"
            ratio_h: mainWindow.ratio_h
            visible: pageLoader.item ? pageLoader.item.busy === true : false
        }
    }
}
