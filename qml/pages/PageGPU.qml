import QtQuick 2.9
import QtQuick.Window 2.2
import my.util 1.0
import ".."
import "../components"
import "../components/gpu"
import "../js/gpu.js" as Gpu
import "../js/devices.js" as Devices

// The graphics card page: lighting, favourites, hardware monitor and settings of one card.
DevicePage {
    id: page
    objectName: "pageGPU"

    readonly property int gpuIndex: intOf(deviceInfo["GPUindex"], 0)
    readonly property bool rgbSupported: intOf(deviceInfo["isSupportRGB"], 0) === 1
    // A card shown for its hardware monitor only: the sentence says why there are no effects.
    readonly property string lightingUnavailable: deviceInfo["lightingUnavailable"] !== undefined
                                                  ? String(deviceInfo["lightingUnavailable"]) : ""
    readonly property string driverVersion: deviceInfo["AMD_driverVersion"] !== undefined ? String(deviceInfo["AMD_driverVersion"]) : ""
    readonly property bool driverOutdated: Devices.driverOutdated(driverVersion)
    // The lighting the card was last confirmed to show.
    property var lighting: Gpu.restoreState(lastAction, gpuIndex)
    property var favoriteList: favorites ? favorites : []
    property int currentTab: 0
    property bool monitorRunning: false
    property var metrics: ({})
    // Sent when the answer to the command before it has arrived (the steps of "Reset All").
    property var nextCommand: null

    readonly property var tabTitles: ["RGB Effect", "Favorite Mode", "Hardware Monitor", "Settings"]
    readonly property int monitorTab: 2

    function lightingCommand(selectedMode, onOff, state) {
        return {
            "Control": 1,
            "selectedMode": selectedMode,
            "gpuIndex": gpuIndex,
            "mode": state.mode,
            "brightness_value": state.brightness,
            "speed_value": state.speed,
            "r_color": state.r,
            "g_color": state.g,
            "b_color": state.b,
            "on_off": onOff
        }
    }

    function withChange(key, value) {
        var state = {}
        for (var k in lighting)
            state[k] = lighting[k]
        state[key] = value
        return state
    }

    function chooseEffect(mode) {
        send(lightingCommand(mode, 1, withChange("mode", mode)))
    }

    function setBrightness(value) {
        send(lightingCommand(lighting.mode, 1, withChange("brightness", value)))
    }

    function setSpeed(value) {
        send(lightingCommand(lighting.mode, 1, withChange("speed", value)))
    }

    function setColor(r, g, b) {
        var state = withChange("r", r)
        state.g = g
        state.b = b
        send(lightingCommand(lighting.mode, 1, state))
    }

    function setLightingOn(on) {
        send(lightingCommand(lighting.mode, on ? 1 : 0, lighting))
    }

    function setSync(on) {
        send(lightingCommand(on ? Gpu.SYNC_ON : Gpu.SYNC_OFF, 1, lighting))
    }

    function addFavorite() {
        if (favoriteList.length >= Gpu.MAX_FAVORITES)
            return
        send(Gpu.favoriteFromState(lighting, favoriteList.length + 1, gpuIndex,
                                   ConfigData.favoriteModeIcons[lighting.mode - 1]))
    }

    function applyFavorite(index) {
        var favorite = favoriteList[index]
        if (!favorite)
            return
        var state = Gpu.stateFromFavorite(favorite, lighting)
        send(lightingCommand(state.mode, 1, state))
    }

    function removeFavorite(index) {
        if (index < 0 || index >= favoriteList.length)
            return
        // The worker takes the favourite's position from "gpuIndex".
        send({ "Control": 1, "selectedMode": Gpu.REMOVE_FAVORITE, "gpuIndex": index })
    }

    // Motherboard sync off first (when on), then red single colour at full brightness.
    function resetAll() {
        var defaults = Gpu.defaultState()
        var reset = lightingCommand(Gpu.MODE_SINGLE, 1, defaults)
        if (lighting.sync) {
            nextCommand = reset
            send(lightingCommand(Gpu.SYNC_OFF, 1, lighting))
        } else {
            send(reset)
        }
    }

    function setFavorites(list) {
        favoriteList = list
        favoritesUpdated(list)
    }

    function copyAnswer(answer) {
        var copy = {}
        for (var key in answer)
            copy[key] = answer[key]
        return copy
    }

    function handleAnswer(answer) {
        var selected = intOf(answer["selectedMode"], 0)
        if (selected <= 0)
            return
        if (intOf(answer["RESULTS"], 0) === -1) {
            nextCommand = null
            lightingPanel.syncControls()
            failureNotice.openWith(answer)
            return
        }
        if (selected === Gpu.ADD_FAVORITE) {
            var added = favoriteList.slice()
            var favorite = {}
            var keys = ["selectedMode", "mode", "name", "gpuIndex", "iconSource", "brightness", "speed",
                        "r_color", "g_color", "b_color", "hexColor", "Control", "on_off"]
            for (var i = 0; i < keys.length; ++i)
                favorite[keys[i]] = answer[keys[i]]
            added.push(favorite)
            setFavorites(added)
        } else if (selected === Gpu.REMOVE_FAVORITE) {
            var removed = favoriteList.slice()
            removed.splice(intOf(answer["gpuIndex"], -1), 1)
            setFavorites(removed)
        } else if (selected === Gpu.GET_FAVORITES) {
            if (answer["GPU_favoriteList"] !== undefined)
                setFavorites(answer["GPU_favoriteList"])
        } else if (selected <= Gpu.SYNC_OFF || intOf(answer["on_off"], 1) === 0) {
            if (intOf(answer["gpuIndex"], gpuIndex) !== gpuIndex)
                return
            lighting = Gpu.stateFromAnswer(answer, lighting)
            lightingPanel.syncControls()
            lightingApplied(copyAnswer(answer))
        }
        if (nextCommand !== null) {
            var command = nextCommand
            nextCommand = null
            send(command)
        }
    }

    function startMonitor() {
        if (monitorRunning)
            return
        listenerMap["Control"] = 1
        listenerMap["CurrentGPUIndex"] = gpuIndex
        background_listen.receiveDataFromQML(listenerMap)
        background_listen.start()
        monitorRunning = true
    }

    function stopMonitor() {
        if (!monitorRunning)
            return
        monitorRunning = false
        background_listen.stopThread()
        listenerReleased()
    }

    // The metrics are sampled only while the monitor tab can be seen: a window in the tray
    // hands the listener back to the mouse until it is shown again.
    readonly property bool windowShown: Window.window !== null && Window.window.visible
    onWindowShownChanged: followMonitorVisibility()

    function followMonitorVisibility() {
        if (currentTab === monitorTab && windowShown)
            startMonitor()
        else
            stopMonitor()
    }

    function showTab(index) {
        currentTab = index
        followMonitorVisibility()
    }

    Component.onCompleted: {
        // Only a card with a lighting controller is asked for anything; the answer brings
        // the favourites the first time after a discovery.
        if (rgbSupported)
            send(lightingCommand(Gpu.GET_FAVORITES, 1, lighting))
        else if (lightingUnavailable !== "")
            showTab(monitorTab)
    }
    Component.onDestruction: stopMonitor()

    Connections {
        target: talvorin_worker
        function onDataChanged(data) {
            if (page.intOf(data["Control"], -1) === 1)
                page.handleAnswer(data)
        }
    }

    Connections {
        target: background_listen
        function onDataChanged(data) {
            if (page.monitorRunning && page.intOf(data["Control"], -1) === 1) {
                page.metrics = data
                metricHistory.add(data)
            }
        }
    }

    // What the monitor showed while the page is open.
    MetricHistory {
        id: metricHistory
    }

    // Left: the card.
    Item {
        id: cardSide
        x: 40 * page.ratio_w
        y: 24 * page.ratio_h
        width: 560 * page.ratio_w
        height: page.height - 48 * page.ratio_h

        BoardPreview {
            id: preview
            objectName: "boardPreview"
            width: parent.width
            height: 250 * page.ratio_h
            picture: ConfigData.boardPictures[Devices.boardClass(page.deviceInfo)]
            lightColor: lightingPanel.previewColor
            mode: page.lighting.mode
            lightOn: page.rgbSupported && page.lighting.on
            synced: page.lighting.sync
            speed: page.lighting.speed
            ratio_w: page.ratio_w
            ratio_h: page.ratio_h
        }

        Column {
            anchors.top: preview.bottom
            anchors.topMargin: 24 * page.ratio_h
            width: parent.width
            spacing: 6 * page.ratio_h

            Text {
                text: "Scorvane Graphics Card"
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.capitalization: Font.AllUppercase
                font.pixelSize: 15 * page.ratio_h
            }
            Text {
                objectName: "cardName"
                width: parent.width
                text: page.deviceInfo["Name"] !== undefined ? page.deviceInfo["Name"] : "Graphics Card"
                elide: Text.ElideRight
                color: Palette.text
                font.family: Palette.fontFamily
                font.weight: Font.Medium
                font.pixelSize: 26 * page.ratio_h
            }
            Text {
                text: Devices.memoryText(page.deviceInfo)
                color: Palette.light
                font.family: Palette.fontFamily
                font.weight: Font.Light
                font.pixelSize: 18 * page.ratio_h
            }
            Text {
                visible: page.driverVersion.length > 0
                text: "Driver " + page.driverVersion
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.weight: Font.Light
                font.pixelSize: 15 * page.ratio_h
            }
        }

        Rectangle {
            objectName: "driverNotice"
            visible: page.driverOutdated
            anchors.bottom: note.top
            anchors.bottomMargin: 20 * page.ratio_h
            width: parent.width
            height: 96 * page.ratio_h
            radius: 6
            color: Palette.panel
            border.color: "#5A3A00"
            Image {
                id: attention
                anchors.left: parent.left
                anchors.leftMargin: 18 * page.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                width: 36 * page.ratio_h
                height: width
                source: ConfigData.gpuSettingBarIcons[ConfigData.iconAttention]
                sourceSize.width: 72
                sourceSize.height: 72
            }
            Column {
                anchors.left: attention.right
                anchors.leftMargin: 16 * page.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                spacing: 2 * page.ratio_h
                Text {
                    text: "Your Driver is out of date...."
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.weight: Font.Medium
                    font.pixelSize: 17 * page.ratio_h
                }
                Text {
                    text: "Please Update your Graphics Card Driver"
                    color: Palette.light
                    font.family: Palette.fontFamily
                    font.pixelSize: 15 * page.ratio_h
                }
                Text {
                    text: "for a better user experience!"
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.pixelSize: 15 * page.ratio_h
                }
            }
        }

        Text {
            id: note
            anchors.bottom: parent.bottom
            width: parent.width
            wrapMode: Text.WordWrap
            text: "Note : The colors and speed may differ from those of the actual product"
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.weight: Font.Light
            font.pixelSize: 14 * page.ratio_h
        }
    }

    Rectangle {
        x: 630 * page.ratio_w
        y: 24 * page.ratio_h
        width: 1
        height: page.height - 48 * page.ratio_h
        color: Palette.line
    }

    // Right: the four sections.
    Item {
        id: settingsSide
        x: 660 * page.ratio_w
        y: 18 * page.ratio_h
        width: 750 * page.ratio_w
        height: page.height - 36 * page.ratio_h

        TabHeader {
            id: tabs
            objectName: "gpuTabs"
            titles: page.tabTitles
            currentIndex: page.currentTab
            ratio_w: page.ratio_w
            ratio_h: page.ratio_h
            onSelected: page.showTab(index)
        }

        Item {
            anchors.top: tabs.bottom
            anchors.topMargin: 22 * page.ratio_h
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom

            GpuLightingPanel {
                id: lightingPanel
                objectName: "lightingPanel"
                anchors.fill: parent
                visible: page.currentTab === 0
                lighting: page.lighting
                rgbSupported: page.rgbSupported
                unavailableReason: page.lightingUnavailable
                favoriteCount: page.favoriteList.length
                ratio_w: page.ratio_w
                ratio_h: page.ratio_h
                onEffectChosen: page.chooseEffect(mode)
                onLightingToggled: page.setLightingOn(on)
                onSyncToggled: page.setSync(on)
                onBrightnessCommitted: page.setBrightness(value)
                onSpeedCommitted: page.setSpeed(value)
                onColorPicked: page.setColor(r, g, b)
                onAddFavorite: page.addFavorite()
            }

            GpuFavoritesPanel {
                id: favoritesPanel
                objectName: "favoritesPanel"
                anchors.fill: parent
                visible: page.currentTab === 1
                favorites: page.favoriteList
                enabledActions: page.rgbSupported && !page.lighting.sync
                ratio_w: page.ratio_w
                ratio_h: page.ratio_h
                onApplyFavorite: page.applyFavorite(index)
                onRemoveFavorite: page.removeFavorite(index)
            }

            GpuMonitorPanel {
                objectName: "monitorPanel"
                anchors.fill: parent
                visible: page.currentTab === page.monitorTab
                metrics: page.metrics
                history: metricHistory
                cardInfo: page.deviceInfo
                ratio_w: page.ratio_w
                ratio_h: page.ratio_h
            }

            GpuSettingsPanel {
                objectName: "settingsPanel"
                anchors.fill: parent
                visible: page.currentTab === 3
                cardInfo: page.deviceInfo
                supportLink: page.supportLinks["GPU-Support"] !== undefined ? page.supportLinks["GPU-Support"] : ""
                updateCheckError: page.updateCheckError
                resetEnabled: page.rgbSupported
                ratio_w: page.ratio_w
                ratio_h: page.ratio_h
                onResetAll: page.resetAll()
            }
        }
    }

    FailureNotice {
        id: failureNotice
        objectName: "failureNotice"
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
    }
}
