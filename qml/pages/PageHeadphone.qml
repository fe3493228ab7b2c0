import QtQuick 2.9
import ".."
import "../components"
import "../components/headset"
import "../js/headset.js" as Headset

// The headset page: DTS on/off, sound modes, the ten-band equaliser, dialogue and bass,
// the microphone and the firmware update.
DevicePage {
    id: page
    objectName: "pageHeadphone"

    property bool connected: intOf(deviceInfo["headphoneNum"], 0) > 0
    property bool dtsOn: true
    property int option: 1
    property var modeNames: Headset.modeNames(deviceInfo)
    // The gains the headset was last confirmed to use, and the ones being edited.
    property var bands: Headset.flatBands()
    property var editBands: Headset.flatBands()
    property bool dialogOn: false
    property bool bassOn: false
    // A preset read from a file, shown on the bands until it is saved or the headset answers.
    property var importedPreset: null
    property string firmwareName: deviceInfo["HeadphoneFW"] !== undefined ? String(deviceInfo["HeadphoneFW"]) : ""
    // The firmware version the update server offers ("" when none is known).
    property string firmwareOffered: ""
    readonly property string firmwareUpdateNote: {
        if (firmwareOffered.length > 0)
            return "Update installs version " + firmwareOffered
        if (updateCheckError.length > 0)
            return updateCheckError
        return "No firmware offered for the headset"
    }
    // What was asked last, for reading the answer; and the command that follows its answer.
    property int pendingFunction: 0
    property int pendingOption: 0
    property string pendingName: ""
    property var nextCommand: null
    // Firmware update: the image being flashed (1 main, 2 microphone) and the count-downs.
    property int firmwareSwitch: Headset.FW_MAIN
    readonly property int powerWindowSeconds: 30
    readonly property int retryWaitSeconds: 35

    readonly property bool isCustom: Headset.isCustom(option)
    readonly property bool controlsEnabled: connected && dtsOn
    // Why the dialogue and bass switches cannot be changed, when they cannot.
    readonly property string switchesNote: {
        if (!connected)
            return ""
        if (!dtsOn)
            return "DTS is off: dialogue and bass enhancement are off too."
        if (!isCustom)
            return "Set by the " + modeNames[option - 1] + " mode; choose a custom mode to change them."
        return ""
    }
    readonly property bool edited: {
        for (var i = 0; i < Headset.BAND_COUNT; ++i)
            if (editBands[i] !== bands[i])
                return true
        return false
    }

    function bandKeys(values, gains) {
        for (var i = 0; i < Headset.BAND_COUNT; ++i)
            values["GEQ_Band" + i] = gains[i]
        return values
    }

    function request(runFunction, values, chosenOption) {
        pendingFunction = runFunction
        pendingOption = chosenOption === undefined ? option : chosenOption
        values["Control"] = 3
        values["runFunction"] = runFunction
        send(values)
    }

    function selectCommand(newOption, resetGEQ) {
        return {
            "Control": 3,
            "runFunction": 5,
            "selectDtsOption": newOption,
            "lastAction": option,
            "beforeOFF": newOption === Headset.DTS_OFF ? option : newOption,
            "indexGEQ": -1,
            "resetGEQ": resetGEQ ? 1 : 0
        }
    }

    function selectOption(newOption) {
        request(5, selectCommand(newOption, false), newOption)
    }

    function setDts(on) {
        // Off is the option that makes the processing mode "off"; on brings back the mode
        // that was active before.
        if (on)
            selectOption(option)
        else
            request(5, selectCommand(Headset.DTS_OFF, false), Headset.DTS_OFF)
    }

    // The switches that go with the gains being edited: an imported preset brings its own.
    function editedDialogue() {
        return importedPreset ? Headset.switchOn(importedPreset["dialogEnhance"]) : dialogOn
    }
    function editedBass() {
        return importedPreset ? Headset.switchOn(importedPreset["bassControl"]) : bassOn
    }

    function presetToExport() {
        return slotRecord(option, modeNames[option - 1], editBands, editedDialogue(), editedBass())
    }

    function takeImportedPreset(preset) {
        importedPreset = preset
        editBands = Headset.bandsFromAnswer(preset, editBands)
        for (var i = 0; i < bandRepeater.count; ++i)
            bandRepeater.itemAt(i).sync()
        saveDialog.openFor(isCustom ? option - 4 : 1, String(preset["ModeName"]))
    }

    function slotRecord(slot, name, gains, dialogue, bass) {
        return bandKeys({
            "selectDtsOption": slot,
            "ModeName": name,
            "dialogEnhance": Headset.switchValue(dialogue),
            "bassControl": Headset.switchValue(bass),
            "indexGEQ": -1
        }, gains)
    }

    // A custom slot keeps its gains in the settings file; selecting it again writes them.
    function applyEqualizer() {
        if (!isCustom)
            return
        pendingName = modeNames[option - 1]
        nextCommand = selectCommand(option, true)
        request(8, slotRecord(option, pendingName, editBands, editedDialogue(), editedBass()))
    }

    function saveAs(slot, name) {
        pendingName = name
        nextCommand = selectCommand(slot, true)
        request(8, slotRecord(slot, name, editBands, editedDialogue(), editedBass()), slot)
    }

    function backToDefault() {
        if (isCustom) {
            pendingName = modeNames[option - 1]
            nextCommand = selectCommand(option, true)
            request(8, slotRecord(option, pendingName, Headset.flatBands(), false, false))
        } else {
            request(5, selectCommand(option, true), option)
        }
    }

    function setSwitches(dialogue, bass) {
        if (!isCustom)
            return
        request(9, slotRecord(option, modeNames[option - 1], bands, dialogue, bass))
    }

    function moveBand(index, value) {
        var copy = editBands.slice()
        copy[index] = Headset.clampBand(value)
        editBands = copy
    }

    function showBands(newBands) {
        importedPreset = null
        bands = newBands
        editBands = newBands.slice()
        for (var i = 0; i < bandRepeater.count; ++i)
            bandRepeater.itemAt(i).sync()
    }

    function takeSwitches(answer) {
        if (answer["dialogEnhance"] !== undefined)
            dialogOn = Headset.switchOn(answer["dialogEnhance"])
        if (answer["bassControl"] !== undefined)
            bassOn = Headset.switchOn(answer["bassControl"])
    }

    function takeOpeningAnswer(answer) {
        connected = intOf(answer["headphoneNum"], 0) > 0
        if (!connected) {
            failureNotice.openWith(answer, "The headset is not connected")
            return
        }
        modeNames = Headset.modeNames(answer)
        var start = Headset.startState(answer)
        dtsOn = start.dtsOn
        option = start.option
        showBands(Headset.bandsFromAnswer(answer, bands))
        takeSwitches(answer)
        if (answer["HeadphoneFW"] !== undefined)
            firmwareName = String(answer["HeadphoneFW"])
        if (answer["HeadphoneFW_Offered"] !== undefined)
            firmwareOffered = String(answer["HeadphoneFW_Offered"])
    }

    function takeSelectAnswer(answer) {
        if (pendingOption === Headset.DTS_OFF) {
            dtsOn = false
            return
        }
        dtsOn = true
        option = pendingOption
        showBands(Headset.bandsFromAnswer(answer, bands))
        takeSwitches(answer)
    }

    function takeSaveAnswer() {
        if (Headset.isCustom(pendingOption) && pendingName.length > 0) {
            var names = modeNames.slice()
            names[pendingOption - 1] = pendingName
            modeNames = names
        }
    }

    function handleAnswer(answer) {
        var done = pendingFunction
        pendingFunction = 0
        if (intOf(answer["RESULTS"], 0) === -1) {
            nextCommand = null
            showBands(bands)
            failureNotice.openWith(answer)
            return
        }
        switch (done) {
        case 1: takeOpeningAnswer(answer); break
        case 5: takeSelectAnswer(answer); break
        case 8: takeSaveAnswer(); break
        case 9: takeSwitches(answer); break
        }
        if (nextCommand !== null) {
            var command = nextCommand
            nextCommand = null
            request(5, command, command["selectDtsOption"])
        }
    }

    // Firmware: download both images, flash the main one, then the microphone one.
    function startFirmwareUpdate() {
        firmwareSwitch = Headset.FW_MAIN
        firmwareDialog.stage = 2
        send({ "Control": 8, "runStep": 1 })
    }

    function flashFirmware(which) {
        firmwareSwitch = which
        firmwareDialog.stage = 3
        firmwareDialog.toolMessage = ""
        firmwareDialog.progress = 0
        send({ "Control": 8, "runStep": 2, "FwSwitch": which })
    }

    function handleFirmwareAnswer(answer) {
        var dialog = firmwareDialog
        if (dialog.stage === 2) {
            if (intOf(answer["runStep"], 0) === 1) {
                flashFirmware(Headset.FW_MAIN)
            } else {
                dialog.close()
                failureNotice.openWith(answer, "The firmware could not be downloaded")
            }
            return
        }
        if (dialog.stage < 3 || dialog.stage === 7)
            return
        switch (intOf(answer["Status"], 0)) {
        case Headset.FW_READ_OK:
            dialog.toolMessage = answer["Info"] !== undefined ? String(answer["Info"]) : ""
            break
        case Headset.FW_READ_FAIL:
            powerTimer.stop()
            dialog.close()
            failureNotice.openWith(answer, answer["Info"] !== undefined ? String(answer["Info"]) : "")
            break
        case Headset.FW_HOLD_POWER:
            dialog.countdown = powerWindowSeconds
            dialog.stage = 4
            powerTimer.restart()
            break
        case Headset.FW_PROGRESS:
            powerTimer.stop()
            dialog.stage = 5
            var percent = Headset.progressFromText(answer["Info"])
            if (percent >= 0)
                dialog.progress = percent
            break
        case Headset.FW_SUCCESS:
            powerTimer.stop()
            if (firmwareSwitch === Headset.FW_MAIN) {
                flashFirmware(Headset.FW_MICROPHONE)
            } else {
                dialog.progress = 100
                dialog.stage = 7
            }
            break
        case Headset.FW_POWER_TIMEOUT:
            powerTimer.stop()
            dialog.stage = 6
            dialog.retryWait = retryWaitSeconds
            retryTimer.restart()
            break
        }
    }

    Component.onCompleted: request(1, {}, option)

    Connections {
        target: talvorin_worker
        function onDataChanged(data) {
            var control = page.intOf(data["Control"], -1)
            if (control === 3)
                page.handleAnswer(data)
            else if (control === 8)
                page.handleFirmwareAnswer(data)
        }
    }

    Timer {
        id: powerTimer
        interval: 1000
        repeat: true
        onTriggered: {
            if (firmwareDialog.countdown > 0)
                firmwareDialog.countdown -= 1
            if (firmwareDialog.countdown === 0)
                stop()
        }
    }

    Timer {
        id: retryTimer
        interval: 1000
        repeat: true
        onTriggered: {
            if (firmwareDialog.retryWait > 0)
                firmwareDialog.retryWait -= 1
            if (firmwareDialog.retryWait === 0)
                stop()
        }
    }

    // Left: the headset, its microphone and its firmware.
    Item {
        id: deviceSide
        x: 40 * page.ratio_w
        y: 24 * page.ratio_h
        width: 460 * page.ratio_w
        height: page.height - 48 * page.ratio_h

        Image {
            id: picture
            anchors.horizontalCenter: parent.horizontalCenter
            width: 280 * page.ratio_h
            height: width
            source: ConfigData.devicePictures[2]
            sourceSize.width: Math.ceil(width)
            sourceSize.height: Math.ceil(height)
            opacity: page.connected ? 1 : 0.4
        }

        Column {
            id: nameColumn
            anchors.top: picture.bottom
            anchors.topMargin: 16 * page.ratio_h
            width: parent.width
            spacing: 4 * page.ratio_h
            Text {
                text: "ORVENA Gaming Headset"
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.capitalization: Font.AllUppercase
                font.pixelSize: 15 * page.ratio_h
            }
            Text {
                objectName: "headsetName"
                text: page.deviceInfo["headphoneName"] !== undefined ? page.deviceInfo["headphoneName"] : "Belvarinth ORVENA RH20"
                color: Palette.text
                font.family: Palette.fontFamily
                font.weight: Font.Medium
                font.pixelSize: 26 * page.ratio_h
            }
            Text {
                visible: !page.connected
                text: "Headset not connected"
                color: "#FF6060"
                font.family: Palette.fontFamily
                font.pixelSize: 16 * page.ratio_h
            }
        }

        Rectangle {
            id: micBox
            anchors.top: nameColumn.bottom
            anchors.topMargin: 24 * page.ratio_h
            width: parent.width
            height: 90 * page.ratio_h
            radius: 6
            color: Palette.panel
            border.color: Palette.line
            Image {
                id: micIcon
                anchors.left: parent.left
                anchors.leftMargin: 18 * page.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                width: 34 * page.ratio_h
                height: width
                source: ConfigData.headsetIcons[1]
                sourceSize.width: 68
                sourceSize.height: 68
            }
            Column {
                anchors.left: micIcon.right
                anchors.leftMargin: 16 * page.ratio_w
                anchors.right: parent.right
                anchors.rightMargin: 16 * page.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4 * page.ratio_h
                Text {
                    text: "Microphone"
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 18 * page.ratio_h
                }
                Text {
                    width: parent.width
                    wrapMode: Text.WordWrap
                    text: "Enhances microphone performance for better voice clarity."
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.weight: Font.Light
                    font.pixelSize: 15 * page.ratio_h
                }
            }
        }

        Rectangle {
            anchors.top: micBox.bottom
            anchors.topMargin: 14 * page.ratio_h
            width: parent.width
            height: 90 * page.ratio_h
            radius: 6
            color: Palette.panel
            border.color: Palette.line
            Image {
                id: fwIcon
                anchors.left: parent.left
                anchors.leftMargin: 18 * page.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                width: 34 * page.ratio_h
                height: width
                source: ConfigData.headsetIcons[2]
                sourceSize.width: 68
                sourceSize.height: 68
            }
            Column {
                anchors.left: fwIcon.right
                anchors.leftMargin: 16 * page.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4 * page.ratio_h
                Text {
                    text: "Firmware"
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 18 * page.ratio_h
                }
                Text {
                    objectName: "firmwareName"
                    text: page.firmwareName.length > 0 ? "Installed: " + page.firmwareName : "Installed version unknown"
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.weight: Font.Light
                    font.pixelSize: 15 * page.ratio_h
                }
                Text {
                    objectName: "firmwareUpdateNote"
                    width: fwButton.x - fwIcon.x - fwIcon.width - 24 * page.ratio_w
                    elide: Text.ElideRight
                    text: page.firmwareUpdateNote
                    color: page.firmwareOffered.length > 0 ? Palette.textDim : "#FF8080"
                    font.family: Palette.fontFamily
                    font.weight: Font.Light
                    font.pixelSize: 14 * page.ratio_h
                }
            }
            TextButton {
                id: fwButton
                objectName: "firmwareUpdateButton"
                anchors.right: parent.right
                anchors.rightMargin: 16 * page.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                text: "Update"
                enabled: page.connected && page.firmwareOffered.length > 0
                ratio_w: page.ratio_w
                ratio_h: page.ratio_h
                onClicked: {
                    firmwareDialog.stage = 1
                    firmwareDialog.open()
                }
            }
        }
    }

    Rectangle {
        x: 540 * page.ratio_w
        y: 24 * page.ratio_h
        width: 1
        height: page.height - 48 * page.ratio_h
        color: Palette.line
    }

    // Right: DTS, the modes and the equaliser.
    Column {
        x: 580 * page.ratio_w
        y: 24 * page.ratio_h
        width: 820 * page.ratio_w
        spacing: 16 * page.ratio_h

        Row {
            spacing: 16 * page.ratio_w
            Image {
                anchors.verticalCenter: parent.verticalCenter
                width: 34 * page.ratio_h
                height: width
                source: ConfigData.headsetIcons[0]
                sourceSize.width: 68
                sourceSize.height: 68
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "DTS® Headphone:X®"
                color: Palette.text
                font.family: Palette.fontFamily
                font.weight: Font.Medium
                font.pixelSize: 22 * page.ratio_h
            }
            ToggleSwitch {
                objectName: "dtsToggle"
                anchors.verticalCenter: parent.verticalCenter
                checked: page.dtsOn
                enabled: page.connected
                ratio_h: page.ratio_h
                onToggled: page.setDts(checked)
            }
        }

        Row {
            spacing: 10 * page.ratio_w
            Repeater {
                model: Headset.modeLabels(page.modeNames)
                Rectangle {
                    objectName: "mode_" + (index + 1)
                    readonly property string label: modelData
                    readonly property bool chosen: page.dtsOn && page.option === index + 1
                    width: 108 * page.ratio_w
                    height: 52 * page.ratio_h
                    radius: 6
                    enabled: page.controlsEnabled
                    opacity: enabled ? 1 : 0.4
                    color: chosen ? Palette.red : (modeMouse.containsMouse ? Palette.hover : Palette.panelRaised)
                    border.color: chosen ? "#FF3030" : Palette.line
                    Text {
                        anchors.centerIn: parent
                        width: parent.width - 10
                        horizontalAlignment: Text.AlignHCenter
                        elide: Text.ElideRight
                        text: modelData
                        color: Palette.text
                        font.family: Palette.fontFamily
                        font.pixelSize: 16 * page.ratio_h
                    }
                    MouseArea {
                        id: modeMouse
                        anchors.fill: parent
                        hoverEnabled: true
                        enabled: parent.enabled
                        cursorShape: Qt.PointingHandCursor
                        onClicked: page.selectOption(index + 1)
                    }
                }
            }
        }

        Rectangle {
            width: parent.width
            height: 360 * page.ratio_h
            radius: 8
            color: Palette.panel
            border.color: Palette.line

            Text {
                id: eqTitle
                x: 24 * page.ratio_w
                y: 18 * page.ratio_h
                text: "Equalizer"
                color: Palette.text
                font.family: Palette.fontFamily
                font.weight: Font.Medium
                font.pixelSize: 20 * page.ratio_h
            }
            Text {
                anchors.left: eqTitle.right
                anchors.leftMargin: 16 * page.ratio_w
                anchors.baseline: eqTitle.baseline
                text: page.isCustom ? "dB" : "Save to a custom mode to keep your own gains"
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.weight: Font.Light
                font.pixelSize: 14 * page.ratio_h
            }

            EqualizerScale {
                x: 24 * page.ratio_w
                y: 60 * page.ratio_h
                band: bandRepeater.count > 0 ? bandRepeater.itemAt(0) : null
                labelWidth: 34 * page.ratio_w
                linesWidth: bandRow.width
                ratio_h: page.ratio_h
            }

            Row {
                id: bandRow
                x: 58 * page.ratio_w
                y: 60 * page.ratio_h
                spacing: 6 * page.ratio_w
                Repeater {
                    id: bandRepeater
                    model: Headset.BAND_COUNT
                    EqualizerBand {
                        objectName: "band_" + index
                        width: 52 * page.ratio_w
                        height: 270 * page.ratio_h
                        value: page.editBands[index]
                        frequency: Headset.BAND_LABELS[index]
                        enabled: page.controlsEnabled
                        ratio_h: page.ratio_h
                        onMoved: page.moveBand(index, value)
                    }
                }
            }

            Column {
                anchors.right: parent.right
                anchors.rightMargin: 24 * page.ratio_w
                y: 70 * page.ratio_h
                spacing: 14 * page.ratio_h
                TextButton {
                    objectName: "applyButton"
                    width: 170 * page.ratio_w
                    text: "Apply"
                    primary: true
                    enabled: page.controlsEnabled && page.isCustom && page.edited
                    ratio_w: page.ratio_w
                    ratio_h: page.ratio_h
                    onClicked: page.applyEqualizer()
                }
                TextButton {
                    objectName: "saveButton"
                    width: 170 * page.ratio_w
                    text: "Save"
                    enabled: page.controlsEnabled
                    ratio_w: page.ratio_w
                    ratio_h: page.ratio_h
                    onClicked: saveDialog.openFor(page.isCustom ? page.option - 4 : 1)
                }
                TextButton {
                    objectName: "defaultButton"
                    width: 170 * page.ratio_w
                    text: "Back to Default"
                    enabled: page.controlsEnabled
                    ratio_w: page.ratio_w
                    ratio_h: page.ratio_h
                    onClicked: page.backToDefault()
                }
                Row {
                    spacing: 10 * page.ratio_w
                    TextButton {
                        objectName: "exportPresetButton"
                        width: 80 * page.ratio_w
                        fontSize: 14
                        text: "Export"
                        enabled: page.controlsEnabled && page.isCustom
                        ratio_w: page.ratio_w
                        ratio_h: page.ratio_h
                        onClicked: {
                            presetFiles.preset = page.presetToExport()
                            presetFiles.chooseExport()
                        }
                    }
                    TextButton {
                        objectName: "importPresetButton"
                        width: 80 * page.ratio_w
                        fontSize: 14
                        text: "Import"
                        enabled: page.controlsEnabled
                        ratio_w: page.ratio_w
                        ratio_h: page.ratio_h
                        onClicked: presetFiles.chooseImport()
                    }
                }
                Text {
                    objectName: "presetMessage"
                    width: 170 * page.ratio_w
                    wrapMode: Text.WordWrap
                    text: presetFiles.message
                    color: presetFiles.failed ? "#FF6060" : Palette.textDim
                    font.family: Palette.fontFamily
                    font.pixelSize: 12 * page.ratio_h
                }
            }
        }

        EqualizerCurve {
            objectName: "responseCurve"
            width: parent.width
            height: 140 * page.ratio_h
            gains: page.editBands
            dialogue: page.editedDialogue()
            bass: page.editedBass()
            opacity: page.controlsEnabled ? 1 : 0.4
            ratio_w: page.ratio_w
            ratio_h: page.ratio_h
        }

        Row {
            spacing: 50 * page.ratio_w
            Row {
                spacing: 14 * page.ratio_w
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Dialogue Enhancement"
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 18 * page.ratio_h
                }
                ToggleSwitch {
                    objectName: "dialogToggle"
                    anchors.verticalCenter: parent.verticalCenter
                    // With DTS off nothing is enhanced, whatever the mode holds.
                    checked: page.dtsOn && page.dialogOn
                    enabled: page.controlsEnabled && page.isCustom
                    ratio_h: page.ratio_h
                    onToggled: page.setSwitches(checked, page.bassOn)
                }
                Text {
                    objectName: "dialogState"
                    anchors.verticalCenter: parent.verticalCenter
                    text: page.dtsOn && page.dialogOn ? "ON" : "OFF"
                    color: page.dtsOn && page.dialogOn ? Palette.text : Palette.textDim
                    font.family: Palette.fontFamily
                    font.weight: Font.Medium
                    font.pixelSize: 15 * page.ratio_h
                }
            }
            Row {
                spacing: 14 * page.ratio_w
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Bass Enhancement"
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 18 * page.ratio_h
                }
                ToggleSwitch {
                    objectName: "bassToggle"
                    anchors.verticalCenter: parent.verticalCenter
                    // With DTS off nothing is enhanced, whatever the mode holds.
                    checked: page.dtsOn && page.bassOn
                    enabled: page.controlsEnabled && page.isCustom
                    ratio_h: page.ratio_h
                    onToggled: page.setSwitches(page.dialogOn, checked)
                }
                Text {
                    objectName: "bassState"
                    anchors.verticalCenter: parent.verticalCenter
                    text: page.dtsOn && page.bassOn ? "ON" : "OFF"
                    color: page.dtsOn && page.bassOn ? Palette.text : Palette.textDim
                    font.family: Palette.fontFamily
                    font.weight: Font.Medium
                    font.pixelSize: 15 * page.ratio_h
                }
            }
        }

        Text {
            objectName: "switchesNote"
            text: page.switchesNote
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.weight: Font.Light
            font.pixelSize: 14 * page.ratio_h
        }
    }

    HeadsetPresetFiles {
        id: presetFiles
        objectName: "presetFiles"
        onImported: page.takeImportedPreset(preset)
    }

    HeadsetSaveDialog {
        id: saveDialog
        objectName: "saveDialog"
        slotNames: Headset.modeLabels(page.modeNames).slice(4, 7)
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
        onSaveRequested: page.saveAs(slot + 4, name)
    }

    HeadsetFirmwareDialog {
        id: firmwareDialog
        objectName: "firmwareDialog"
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
        onStartRequested: page.startFirmwareUpdate()
        onRetryRequested: page.flashFirmware(page.firmwareSwitch)
    }

    FailureNotice {
        id: failureNotice
        objectName: "failureNotice"
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
    }
}
