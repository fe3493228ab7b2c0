import QtQuick 2.9
import QtQuick.Controls 2.3
import "../.."
import ".."
import "../../js/mouse.js" as Mouse

// Records a keyboard macro through the keyboard hook: every key press and release becomes a
// line, with the time since the line before. Each line's delay can be changed and each line
// removed; saving gives the macro to the chosen button, if the mouse can hold it.
Popup {
    id: editor
    property real ratio_w: 1
    property real ratio_h: 1
    property int button: 1
    property bool recording: false
    property var actions: []
    property string notice: ""
    property double lastEventAt: 0
    property var hookMap: ({ "Control": 1 })
    signal saveRequested(string name, var actions, int button)

    modal: true
    closePolicy: Popup.CloseOnEscape
    parent: Overlay.overlay
    x: parent ? (parent.width - width) / 2 : 0
    y: parent ? (parent.height - height) / 2 : 0
    width: 640 * ratio_w
    height: 600 * ratio_h
    padding: 24 * ratio_h

    function openFor(number) {
        button = number
        actions = []
        notice = ""
        nameField.text = ""
        open()
    }

    // A stored macro's steps, to change and send again under its name (and macro key).
    function openWith(number, macro) {
        openFor(number)
        actions = macro["mkAction"] ? macro["mkAction"].slice() : []
        nameField.text = String(macro["macroName"])
    }

    function startRecording() {
        if (recording)
            return
        actions = []
        notice = ""
        lastEventAt = Date.now()
        recording = true
        // The keys being recorded are for the recording only: nothing in the dialog types them.
        keySink.forceActiveFocus()
        keyboardHook.start()
        keyboardHook.receiveDataFromQML(hookMap)
    }

    function stopRecording() {
        if (!recording)
            return
        recording = false
        keyboardHook.stopThread()
    }

    function addEvent(event) {
        var now = Date.now()
        var list = actions.slice()
        list.push(Mouse.macroAction(event, list.length === 0 ? 0 : now - lastEventAt))
        lastEventAt = now
        actions = list
    }

    // The new list replaces the row that called this: nothing of the row is used after it.
    function setDelay(index, text) {
        var delay = Mouse.delayFromText(text)
        if (index < 0 || index >= actions.length)
            return false
        if (delay < 0) {
            notice = "Step " + (index + 1) + ": the delay is a whole number of 0 to " + Mouse.MACRO_MAX_DELAY + " ms."
            return false
        }
        notice = ""
        // A new list rebuilds the rows: keep the one being edited in view.
        var top = actionList.contentY
        actions = Mouse.withDelay(actions, index, delay)
        actionList.contentY = top
        return true
    }

    function removeStep(index) {
        if (recording || index < 0 || index >= actions.length)
            return
        var top = actionList.contentY
        actions = Mouse.withoutStep(actions, index)
        actionList.contentY = top
    }

    // Refused here, before anything is sent, when the mouse could not hold it.
    function save() {
        var problem = Mouse.macroProblem(actions)
        if (problem.length > 0) {
            notice = problem
            return
        }
        notice = ""
        saveRequested(nameField.text.trim(), actions, button)
    }

    function dropStopKey() {
        var last = actions.length > 0 ? actions[actions.length - 1] : null
        if (last && last["key"] === "F7" && last["actionText"] === "Hold")
            actions = actions.slice(0, actions.length - 1)
    }

    onClosed: stopRecording()

    Connections {
        target: keyboardHook
        function onDataChanged(data) {
            if (!editor.recording)
                return
            // The end-of-recording notice carries only StopMacro.
            if (parseInt(data["StopMacro"]) === 1) {
                // F7 ended the recording in the hook; the stop key is no part of the macro.
                editor.recording = false
                editor.dropStopKey()
                return
            }
            if (parseInt(data["Control"]) === 1 && parseInt(data["SendMacroKey"]) === 1 && data["Key"] !== undefined)
                editor.addEvent(data)
        }
    }

    background: Rectangle {
        color: Palette.panel
        border.color: Palette.red
        border.width: 2
        radius: 8
    }

    // Holds the keyboard focus while recording and swallows what the window is sent; the
    // keyboard hook sees the keys on its own.
    Item {
        id: keySink
        objectName: "macroKeySink"
        Keys.onPressed: event.accepted = true
        Keys.onReleased: event.accepted = true
        Keys.onShortcutOverride: event.accepted = true
    }

    Column {
        anchors.fill: parent
        spacing: 14 * editor.ratio_h

        Text {
            text: "Macro Commands"
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 22 * editor.ratio_h
        }

        Row {
            spacing: 12 * editor.ratio_w
            TextField {
                id: nameField
                objectName: "macroNameField"
                width: 330 * editor.ratio_w
                height: 40 * editor.ratio_h
                placeholderText: "Macro name"
                maximumLength: 40
                readOnly: editor.recording
                activeFocusOnPress: !editor.recording
                color: Palette.text
                selectByMouse: true
                font.family: Palette.fontFamily
                font.pixelSize: 15 * editor.ratio_h
                background: Rectangle { color: Palette.background; border.color: nameField.activeFocus ? Palette.red : Palette.line; radius: 4 }
            }
            TextButton {
                objectName: "recordButton"
                text: editor.recording ? "Stop" : "Record"
                primary: !editor.recording
                ratio_w: editor.ratio_w
                ratio_h: editor.ratio_h
                onClicked: editor.recording ? editor.stopRecording() : editor.startRecording()
            }
        }

        Row {
            spacing: 10 * editor.ratio_w
            height: 28 * editor.ratio_h
            Image {
                anchors.verticalCenter: parent.verticalCenter
                width: 24 * editor.ratio_h
                height: width
                visible: editor.recording
                source: ConfigData.mouseIcons[ConfigData.iconRecord]
                sourceSize.width: 48
                sourceSize.height: 48
            }
            Text {
                objectName: "recordingText"
                anchors.verticalCenter: parent.verticalCenter
                text: editor.recording ? "Macro Command is now recording!" : (editor.actions.length + " actions recorded")
                color: editor.recording ? "#FF6060" : Palette.textDim
                font.family: Palette.fontFamily
                font.pixelSize: 16 * editor.ratio_h
            }
        }

        Rectangle {
            width: parent.width
            height: 330 * editor.ratio_h
            color: Palette.background
            border.color: Palette.line
            radius: 4

            Row {
                id: header
                x: 12 * editor.ratio_w
                y: 8 * editor.ratio_h
                Repeater {
                    model: ["#", "Key", "Action", "Delay (0–" + Mouse.MACRO_MAX_DELAY + " ms)"]
                    Text {
                        width: [50, 180, 130, 200][index] * editor.ratio_w
                        text: modelData
                        color: Palette.textDim
                        font.family: Palette.fontFamily
                        font.pixelSize: 14 * editor.ratio_h
                    }
                }
            }
            ListView {
                id: actionList
                objectName: "actionList"
                anchors.top: header.bottom
                anchors.topMargin: 6 * editor.ratio_h
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 6 * editor.ratio_h
                x: 12 * editor.ratio_w
                width: parent.width - 24 * editor.ratio_w
                clip: true
                model: editor.actions
                onCountChanged: if (editor.recording) positionViewAtEnd()
                delegate: MacroStepRow {
                    objectName: "step_" + index
                    number: index + 1
                    step: modelData
                    editable: !editor.recording
                    ratio_w: editor.ratio_w
                    ratio_h: editor.ratio_h
                    onDelayEdited: editor.setDelay(index, text)
                    onRemoveRequested: editor.removeStep(index)
                }
            }
        }

        Text {
            objectName: "macroNotice"
            visible: editor.notice.length > 0
            text: editor.notice
            color: "#FF6060"
            font.family: Palette.fontFamily
            font.pixelSize: 14 * editor.ratio_h
        }

        Row {
            spacing: 12 * editor.ratio_w
            TextButton {
                objectName: "saveMacroButton"
                text: "Save"
                primary: true
                enabled: !editor.recording && editor.actions.length > 0 && nameField.text.trim().length > 0
                ratio_w: editor.ratio_w
                ratio_h: editor.ratio_h
                onClicked: editor.save()
            }
            TextButton {
                text: "Clear"
                enabled: !editor.recording && editor.actions.length > 0
                ratio_w: editor.ratio_w
                ratio_h: editor.ratio_h
                onClicked: editor.actions = []
            }
            TextButton {
                text: "Cancel"
                ratio_w: editor.ratio_w
                ratio_h: editor.ratio_h
                onClicked: editor.close()
            }
        }
    }
}
