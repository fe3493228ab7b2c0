import QtQuick 2.9
import QtQuick.Window 2.2
import QtQuick.Controls 2.2
import my.util 1.0
import "components"

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

    readonly property color colorBackground: "#070707"
    readonly property color colorText: "#FFFFFF"
    readonly property color colorTextDim: "#9C9C9C"
    readonly property color colorLine: "#313131"
    readonly property color colorPanel: "#121212"
    readonly property color colorLight: "#D9D9D9"
    readonly property color colorRed: "#A80000"
    readonly property color colorHover: "#7B0000"
    readonly property color colorDot: "#FF0000"

    // Command maps, reused for every send so that keys of earlier commands stay in them.
    property var dictDataforWorker: ({ "Control": -1 })
    property var dictDataforMouseWorker: ({ "Control": -1, "runFunction": -1 })
    property var dictDataforHeadphoneWorker: ({ "Control": -1, "runFunction": -1, "volumeSlider": 0.0 })
    property var dictDataforBackgroundWorker: ({ "Control": -1, "runFunction": -1 })

    property string appVersion: ""
    property bool updateAvailable: false
    property bool updating: false
    property int downloadProgress: 0
    property var supportLinks: ({})
    property bool keyboardHookActive: false

    function sendToWorker(values) {
        for (var key in values)
            dictDataforWorker[key] = values[key]
        talvorin_worker.receiveDataFromQML(dictDataforWorker)
    }

    function showMainWindow() {
        mainWindow.show()
        mainWindow.raise()
        mainWindow.requestActivate()
    }

    function quitProgram() {
        systemTray.onExit()
        mainWindow.hide()
        background_listen.stopThread()
        talvorin_worker.stopThread()
        Qt.quit()
    }

    function handleDiscovery(data) {
        console.log("Discovery answer received")
        appVersion = data["appVersion"] !== undefined ? String(data["appVersion"]) : ""
        var showAtStart = parseInt(data["firstrStartAppShowGUI"]) === 1
        infoPanel.showWindowAtStart = showAtStart
        infoPanel.autoLaunch = parseInt(data["StartwithWindows"]) === 1
        updateAvailable = parseInt(data["updateApp"]) === 1
        if (showAtStart || launchOptions.showWindow || !systemTray.available)
            showMainWindow()
        if (launchOptions.startPage === "info")
            infoPanel.open()
        sendToWorker({ "Control": 11 })
    }

    function handleServerInformation(data) {
        updateAvailable = parseInt(data["updateApp"]) === 1
        if (data["appVersion"] !== undefined)
            appVersion = String(data["appVersion"])
        var links = {}
        var names = ["HomePage-FAQ", "HomePage-ReleaseNote", "HomePage-ContactUs", "GPU-Support",
                     "Headset-UserManual", "Mouse-UserManual", "Mouse-ReleaseNote"]
        for (var i = 0; i < names.length; ++i) {
            var key = names[i] + "-Link"
            if (data[key] !== undefined)
                links[names[i]] = String(data[key])
        }
        supportLinks = links
        sendToWorker({ "Control": 5 })
    }

    function handleUpdateProgress(data) {
        if (parseInt(data["InstallApp"]) === 1) {
            updating = false
            updateAvailable = false
            mainWindow.hide()
            return
        }
        updating = parseInt(data["downloadFile"]) === 1
        if (data["progress"] !== undefined)
            downloadProgress = parseInt(data["progress"])
    }

    function handleWorkerAnswer(data) {
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
        case 12:
        case 13: infoPanel.autoLaunch = parseInt(data["StartwithWindows"]) === 1; break
        }
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

    onClosing: {
        if (!systemTray.available) {
            // Without a notification area a hidden window could never come back.
            close.accepted = true
            quitProgram()
            return
        }
        close.accepted = false
        mainWindow.hide()
        systemTray.showMessage("BELVARINTH TALVORIN", "The program is still running in the background.")
        keyboardHookActive = false
        sendToWorker({ "Control": 5 })
    }

    Component.onCompleted: {
        sendToWorker({ "Control": 0 })
        mainWindow.hide()
    }

    SystemTrayIcon {
        id: systemTray
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

    HomeHeader {
        id: header
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        ratio_w: mainWindow.ratio_w
        ratio_h: mainWindow.ratio_h
        showUpdateDot: mainWindow.updateAvailable
        dragTarget: mainWindow
        onInfoClicked: infoPanel.open()
    }

    SoftwareInfoPanel {
        id: infoPanel
        ratio_w: mainWindow.ratio_w
        ratio_h: mainWindow.ratio_h
        appVersion: mainWindow.appVersion
        updateAvailable: mainWindow.updateAvailable
        updating: mainWindow.updating
        downloadProgress: mainWindow.downloadProgress
        supportLinks: mainWindow.supportLinks
        onUpdateRequested: {
            mainWindow.updating = true
            mainWindow.downloadProgress = 0
            mainWindow.sendToWorker({ "Control": 7 })
        }
        onAutoLaunchToggled: mainWindow.sendToWorker({ "Control": enabled ? 12 : 13 })
        onShowWindowAtStartToggled: talvorin_worker.runWithOrWithoutGUI(enabled ? "1" : "0")
    }
}
