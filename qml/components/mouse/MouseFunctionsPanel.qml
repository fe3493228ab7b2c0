import QtQuick 2.9
import QtQuick.Controls 2.2
import QtQuick.Dialogs 1.2
import "../.."
import ".."
import "../../js/mouse.js" as Mouse

// "Mouse Functions": what each button does, and the choice of a new function for one of them:
// a click, the DPI cycle, a keyboard shortcut (captured by the keyboard hook), a program or a
// web address to open, a macro, or nothing.
Item {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    property var buttonFunctions: []
    property var buttonCodes: []
    property var macros: []
    property var launches: []
    property int selectedButton: 1
    // The function being set up for the selected button (its current one until another is chosen).
    property string chosenFunction: ""
    property bool capturing: false
    property string capturedText: ""
    readonly property var captured: Mouse.parseShortcut(capturedText)
    property var hookMap: ({ "Control": 2 })
    signal functionChosen(int number, string name)
    signal shortcutChosen(int number, string text)
    signal launchChosen(int number, int kind, string target)
    signal macroAssigned(var macro, int number)
    signal macroDeleted(var macro)
    signal macroEditRequested(var macro, int number)
    signal recordRequested(int number)
    signal macroListShown()

    readonly property string shownFunction: chosenFunction.length > 0 ? chosenFunction : currentFunctionOf(selectedButton).name
    readonly property string shownKind: {
        var fn = Mouse.functionByName(shownFunction)
        return fn ? fn.kind : ""
    }

    // A function picked but not set up (a website without its address, say) is dropped when
    // the tab is left: the grid then shows the button's real function again.
    onVisibleChanged: if (!visible) chosenFunction = ""

    function currentFunctionOf(number) {
        for (var i = 0; i < Mouse.BUTTONS.length; ++i)
            if (Mouse.BUTTONS[i].number === number && buttonFunctions[i])
                return buttonFunctions[i]
        return { name: "", detail: "" }
    }

    function selectButton(number) {
        stopCapture()
        selectedButton = number
        chosenFunction = ""
        fillDetails()
    }

    // The fields of the detail area start from what the button does now.
    function fillDetails() {
        var launch = Mouse.launchOf(launches, selectedButton)
        softwareField.text = launch && launch["software_path"] ? String(launch["software_path"]) : ""
        websiteField.text = launch && launch["webside_path"] ? String(launch["webside_path"]) : ""
        capturedText = ""
    }

    function chooseFunction(name) {
        stopCapture()
        chosenFunction = name
        var fn = Mouse.functionByName(name)
        if (!fn)
            return
        if (fn.kind === "mouse" || fn.kind === "dpi" || fn.kind === "disable")
            functionChosen(selectedButton, name)
        else if (fn.kind === "macro")
            macroListShown()
        else if (fn.kind === "shortcut")
            startCapture()
    }

    function startCapture() {
        if (capturing)
            return
        capturedText = ""
        capturing = true
        keyboardHook.start()
        keyboardHook.receiveDataFromQML(hookMap)
    }

    function stopCapture() {
        if (!capturing)
            return
        capturing = false
        keyboardHook.stopThread()
    }

    function applyShortcut() {
        if (captured === null)
            return
        stopCapture()
        shortcutChosen(selectedButton, capturedText)
    }

    Connections {
        target: keyboardHook
        function onDataChanged(data) {
            if (!panel.capturing || parseInt(data["Control"]) !== 2 || data["KeyFunction"] === undefined)
                return
            var text = String(data["KeyFunction"])
            // Keys the mouse cannot send are passed over; the last usable one stays.
            if (Mouse.parseShortcut(text) !== null)
                panel.capturedText = text
        }
    }

    FileDialog {
        id: programDialog
        title: "Choose a program to launch"
        selectMultiple: false
        onAccepted: softwareField.text = Mouse.localPath(fileUrl)
    }

    // Left: the buttons.
    Column {
        id: buttonList
        width: 330 * panel.ratio_w
        spacing: 8 * panel.ratio_h

        SectionTitle {
            title: "Mouse Functions"
            note: "Choose a button, then what it does."
            ratio_h: panel.ratio_h
        }

        Repeater {
            model: Mouse.BUTTONS
            Rectangle {
                id: card
                objectName: "button_" + modelData.number
                readonly property bool selected: panel.selectedButton === modelData.number
                readonly property var current: panel.buttonFunctions[index] ? panel.buttonFunctions[index] : { name: "", detail: "" }
                width: buttonList.width
                height: 64 * panel.ratio_h
                radius: 5 * panel.ratio_h
                color: selected ? "#2A0505" : (cardMouse.containsMouse ? Palette.panelRaised : Palette.panel)
                border.color: selected ? Palette.red : Palette.line

                Rectangle {
                    x: 12 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    width: 30 * panel.ratio_h
                    height: width
                    radius: width / 2
                    color: card.selected ? Palette.red : Palette.line
                    Text {
                        anchors.centerIn: parent
                        text: modelData.number
                        color: Palette.text
                        font.family: Palette.fontFamily
                        font.pixelSize: 15 * panel.ratio_h
                    }
                }
                Column {
                    x: 56 * panel.ratio_w
                    width: parent.width - x - 10 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 2 * panel.ratio_h
                    Text {
                        text: modelData.name
                        color: Palette.textDim
                        font.family: Palette.fontFamily
                        font.pixelSize: 13 * panel.ratio_h
                    }
                    Text {
                        objectName: "buttonFunction_" + modelData.number
                        width: parent.width
                        elide: Text.ElideRight
                        text: card.current.name + (card.current.detail.length > 0 ? " : " + card.current.detail : "")
                        color: Palette.text
                        font.family: Palette.fontFamily
                        font.pixelSize: 16 * panel.ratio_h
                    }
                }
                MouseArea {
                    id: cardMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: panel.selectButton(modelData.number)
                }
            }
        }
    }

    // Right: the functions and what the chosen one needs.
    Item {
        id: chooser
        x: buttonList.width + 30 * panel.ratio_w
        width: panel.width - x
        height: panel.height

        Text {
            id: chooserTitle
            text: "Function of the " + (Mouse.buttonByNumber(panel.selectedButton) ? Mouse.buttonByNumber(panel.selectedButton).name : "")
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 19 * panel.ratio_h
        }

        Grid {
            id: functionGrid
            anchors.top: chooserTitle.bottom
            anchors.topMargin: 12 * panel.ratio_h
            columns: 4
            spacing: 8 * panel.ratio_h
            Repeater {
                model: Mouse.FUNCTIONS
                ChoiceButton {
                    objectName: "function_" + modelData.name
                    width: (chooser.width - 3 * 8 * panel.ratio_h) / 4
                    text: modelData.name
                    chosen: panel.shownFunction === modelData.name
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: panel.chooseFunction(modelData.name)
                }
            }
        }

        Rectangle {
            id: detailBox
            anchors.top: functionGrid.bottom
            anchors.topMargin: 18 * panel.ratio_h
            width: chooser.width
            height: chooser.height - y
            radius: 6 * panel.ratio_h
            color: Palette.panel
            border.color: Palette.line

            // Clicks, the DPI cycle and disabling take effect when chosen.
            Text {
                visible: ["mouse", "dpi", "disable"].indexOf(panel.shownKind) >= 0
                anchors.centerIn: parent
                width: parent.width - 40 * panel.ratio_w
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: panel.shownKind === "disable" ? "The button does nothing while it is disabled."
                                                    : "The button does this as soon as it is chosen."
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.pixelSize: 16 * panel.ratio_h
            }

            Column {
                visible: panel.shownKind === "shortcut"
                x: 24 * panel.ratio_w
                y: 20 * panel.ratio_h
                width: parent.width - 48 * panel.ratio_w
                spacing: 14 * panel.ratio_h
                Text {
                    width: parent.width
                    wrapMode: Text.WordWrap
                    text: panel.capturing ? "Press the key, or a modifier and a key together (F7 stops listening)."
                                          : "Listen for keys, then press the shortcut the button should send."
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.pixelSize: 15 * panel.ratio_h
                }
                Rectangle {
                    width: parent.width
                    height: 60 * panel.ratio_h
                    radius: 4
                    color: Palette.background
                    border.color: panel.capturing ? Palette.red : Palette.line
                    Text {
                        objectName: "capturedShortcut"
                        anchors.centerIn: parent
                        text: panel.captured !== null ? panel.captured.text
                                                       : (panel.capturing ? "Waiting for keys..." : panel.currentFunctionOf(panel.selectedButton).detail)
                        color: Palette.text
                        font.family: Palette.fontFamily
                        font.weight: Font.Medium
                        font.pixelSize: 24 * panel.ratio_h
                    }
                }
                Row {
                    spacing: 12 * panel.ratio_w
                    TextButton {
                        objectName: "captureButton"
                        text: panel.capturing ? "Stop Listening" : "Listen for Keys"
                        ratio_w: panel.ratio_w
                        ratio_h: panel.ratio_h
                        onClicked: panel.capturing ? panel.stopCapture() : panel.startCapture()
                    }
                    TextButton {
                        objectName: "applyShortcutButton"
                        text: "Apply"
                        primary: true
                        enabled: panel.captured !== null
                        ratio_w: panel.ratio_w
                        ratio_h: panel.ratio_h
                        onClicked: panel.applyShortcut()
                    }
                }
            }

            Column {
                visible: panel.shownKind === "software" || panel.shownKind === "website"
                x: 24 * panel.ratio_w
                y: 20 * panel.ratio_h
                width: parent.width - 48 * panel.ratio_w
                spacing: 14 * panel.ratio_h
                Text {
                    text: panel.shownKind === "software" ? "Program to start when the button is pressed"
                                                         : "Web address to open when the button is pressed"
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.pixelSize: 15 * panel.ratio_h
                }
                Row {
                    spacing: 12 * panel.ratio_w
                    TextField {
                        id: softwareField
                        objectName: "softwareField"
                        visible: panel.shownKind === "software"
                        width: 380 * panel.ratio_w
                        height: 40 * panel.ratio_h
                        placeholderText: "/usr/bin/program"
                        color: Palette.text
                        selectByMouse: true
                        font.family: Palette.fontFamily
                        font.pixelSize: 15 * panel.ratio_h
                        background: Rectangle { color: Palette.background; border.color: softwareField.activeFocus ? Palette.red : Palette.line; radius: 4 }
                    }
                    TextField {
                        id: websiteField
                        objectName: "websiteField"
                        visible: panel.shownKind === "website"
                        width: 380 * panel.ratio_w
                        height: 40 * panel.ratio_h
                        placeholderText: "www.example.com"
                        color: Palette.text
                        selectByMouse: true
                        font.family: Palette.fontFamily
                        font.pixelSize: 15 * panel.ratio_h
                        background: Rectangle { color: Palette.background; border.color: websiteField.activeFocus ? Palette.red : Palette.line; radius: 4 }
                    }
                    TextButton {
                        visible: panel.shownKind === "software"
                        text: "Browse..."
                        ratio_w: panel.ratio_w
                        ratio_h: panel.ratio_h
                        onClicked: programDialog.open()
                    }
                }
                TextButton {
                    objectName: "applyLaunchButton"
                    text: "Apply"
                    primary: true
                    enabled: (panel.shownKind === "software" ? softwareField.text : websiteField.text).trim().length > 0
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: {
                        if (panel.shownKind === "software")
                            panel.launchChosen(panel.selectedButton, Mouse.LAUNCH_SOFTWARE, softwareField.text.trim())
                        else
                            panel.launchChosen(panel.selectedButton, Mouse.LAUNCH_WEBSITE, websiteField.text.trim())
                    }
                }
            }

            Item {
                visible: panel.shownKind === "macro"
                anchors.fill: parent
                anchors.margins: 18 * panel.ratio_h

                Text {
                    id: macroTitle
                    text: panel.macros.length === 0 ? "No macro recorded yet." : "Choose the macro the button plays"
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.pixelSize: 15 * panel.ratio_h
                }
                TextButton {
                    objectName: "recordMacroButton"
                    anchors.right: parent.right
                    anchors.verticalCenter: macroTitle.verticalCenter
                    text: "Record New Macro"
                    primary: true
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: panel.recordRequested(panel.selectedButton)
                }
                ListView {
                    id: macroList
                    objectName: "macroList"
                    anchors.top: macroTitle.bottom
                    anchors.topMargin: 22 * panel.ratio_h
                    anchors.bottom: parent.bottom
                    width: parent.width
                    clip: true
                    spacing: 6 * panel.ratio_h
                    model: panel.macros
                    delegate: Rectangle {
                        objectName: "macro_" + modelData["macroName"]
                        readonly property int playedBy: Mouse.buttonOfMacro(panel.buttonCodes, modelData)
                        width: macroList.width
                        height: 48 * panel.ratio_h
                        radius: 4
                        color: Palette.panelRaised
                        border.color: playedBy === panel.selectedButton ? Palette.red : Palette.line
                        Text {
                            x: 14 * panel.ratio_w
                            anchors.verticalCenter: parent.verticalCenter
                            width: 220 * panel.ratio_w
                            elide: Text.ElideRight
                            text: modelData["macroName"]
                            color: Palette.text
                            font.family: Palette.fontFamily
                            font.pixelSize: 16 * panel.ratio_h
                        }
                        Text {
                            x: 245 * panel.ratio_w
                            anchors.verticalCenter: parent.verticalCenter
                            text: (modelData["mkAction"] ? modelData["mkAction"].length : 0) + " actions"
                                  + (playedBy > 0 ? "  ·  Button " + playedBy : "")
                            color: Palette.textDim
                            font.family: Palette.fontFamily
                            font.pixelSize: 14 * panel.ratio_h
                        }
                        Image {
                            objectName: "editMacro_" + modelData["macroName"]
                            anchors.right: assignButton.left
                            anchors.rightMargin: 14 * panel.ratio_w
                            anchors.verticalCenter: parent.verticalCenter
                            width: 24 * panel.ratio_h
                            height: width
                            visible: modelData["mkAction"] !== undefined && modelData["mkAction"].length > 0
                            source: ConfigData.mouseIcons[ConfigData.iconEdit]
                            sourceSize.width: 48
                            sourceSize.height: 48
                            MouseArea {
                                anchors.fill: parent
                                anchors.margins: -4
                                cursorShape: Qt.PointingHandCursor
                                onClicked: panel.macroEditRequested(modelData, panel.selectedButton)
                            }
                        }
                        TextButton {
                            id: assignButton
                            objectName: "assignMacro_" + modelData["macroName"]
                            anchors.right: deleteIcon.left
                            anchors.rightMargin: 12 * panel.ratio_w
                            anchors.verticalCenter: parent.verticalCenter
                            height: 34 * panel.ratio_h
                            text: "Assign"
                            ratio_w: panel.ratio_w
                            ratio_h: panel.ratio_h
                            onClicked: panel.macroAssigned(modelData, panel.selectedButton)
                        }
                        Image {
                            id: deleteIcon
                            objectName: "deleteMacro_" + modelData["macroName"]
                            anchors.right: parent.right
                            anchors.rightMargin: 12 * panel.ratio_w
                            anchors.verticalCenter: parent.verticalCenter
                            width: 26 * panel.ratio_h
                            height: width
                            source: ConfigData.mouseIcons[ConfigData.iconDelete]
                            sourceSize.width: 48
                            sourceSize.height: 48
                            MouseArea {
                                anchors.fill: parent
                                anchors.margins: -4
                                cursorShape: Qt.PointingHandCursor
                                onClicked: panel.macroDeleted(modelData)
                            }
                        }
                    }
                }
            }
        }
    }
}
