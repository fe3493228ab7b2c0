import QtQuick 2.9
import QtQuick.Controls 2.3
import "../.."
import ".."

// The three steps of a headset firmware update, as the page reports them.
Popup {
    id: dialog
    // 1 ready, 2 downloading, 3 flashing (waiting for the device), 4 waiting for the power
    // button, 5 writing, 6 the device was not turned on in time, 7 finished.
    property int stage: 1
    property int countdown: 0
    property int retryWait: 0
    property int progress: 0
    property string toolMessage: ""
    property real ratio_w: 1
    property real ratio_h: 1
    readonly property int step: stage <= 3 ? 1 : (stage === 4 || stage === 6 ? 2 : 3)
    readonly property bool working: stage >= 2 && stage <= 5
    signal startRequested()
    signal retryRequested()

    modal: true
    closePolicy: working ? Popup.NoAutoClose : (Popup.CloseOnEscape | Popup.CloseOnPressOutside)
    parent: Overlay.overlay
    x: parent ? (parent.width - width) / 2 : 0
    y: parent ? (parent.height - height) / 2 : 0
    width: 640 * ratio_w
    height: 470 * ratio_h
    padding: 32 * ratio_h

    background: Rectangle {
        color: Palette.panel
        border.color: Palette.line
        radius: 10
    }

    Column {
        anchors.fill: parent
        spacing: 14 * dialog.ratio_h

        Text {
            text: "Firmware Update"
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 24 * dialog.ratio_h
        }
        Text {
            text: "Update process takes about 1 minute."
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.weight: Font.Light
            font.pixelSize: 16 * dialog.ratio_h
        }

        Repeater {
            model: ["Step 1 : Device On and Connect dongle", "Step 2 : Turn On Device ", "Step 3 : Updating"]
            Row {
                spacing: 14 * dialog.ratio_w
                Rectangle {
                    width: 28 * dialog.ratio_h
                    height: width
                    radius: width / 2
                    color: index + 1 < dialog.step || dialog.stage === 7 ? Palette.red
                                                                         : (index + 1 === dialog.step ? Palette.hover : Palette.line)
                    Text {
                        anchors.centerIn: parent
                        text: index + 1 < dialog.step || dialog.stage === 7 ? "✓" : String(index + 1)
                        color: Palette.text
                        font.pixelSize: 14 * dialog.ratio_h
                    }
                }
                Text {
                    objectName: "stepText_" + (index + 1)
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData
                    color: index + 1 === dialog.step && dialog.stage !== 7 ? Palette.text : Palette.textDim
                    font.family: Palette.fontFamily
                    font.pixelSize: 18 * dialog.ratio_h
                }
            }
        }

        Item { width: 1; height: 6 * dialog.ratio_h }

        Text {
            objectName: "firmwareStatus"
            width: parent.width
            wrapMode: Text.WordWrap
            color: dialog.stage === 6 ? "#FF6060" : Palette.light
            font.family: Palette.fontFamily
            font.pixelSize: 17 * dialog.ratio_h
            text: {
                switch (dialog.stage) {
                case 1: return "Turn the headset on and connect the dongle, then start."
                case 2: return "Downloading firmware..."
                case 3: return dialog.toolMessage.length > 0 ? dialog.toolMessage : "Connecting to the device..."
                case 4: return "Turn on device within " + dialog.countdown + " s"
                case 5: return "Updating... " + dialog.progress + "%"
                case 6: return "The device wasn’t turned on in time. Please wait 35 seconds before turning on the device"
                case 7: return "The firmware update is complete."
                }
                return ""
            }
        }

        ProgressBar {
            id: bar
            visible: dialog.stage === 5
            width: parent.width
            from: 0
            to: 100
            value: dialog.progress
            background: Rectangle {
                implicitHeight: 8 * dialog.ratio_h
                radius: height / 2
                color: Palette.line
            }
            contentItem: Item {
                Rectangle {
                    width: bar.visualPosition * parent.width
                    height: parent.height
                    radius: height / 2
                    color: Palette.red
                }
            }
        }
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        spacing: 12 * dialog.ratio_w
        TextButton {
            objectName: "firmwareStartButton"
            visible: dialog.stage === 1
            text: "Start"
            primary: true
            ratio_w: dialog.ratio_w
            ratio_h: dialog.ratio_h
            onClicked: dialog.startRequested()
        }
        TextButton {
            objectName: "firmwareRetryButton"
            visible: dialog.stage === 6
            enabled: dialog.retryWait === 0
            // The wait counts down here; the sentence above keeps its fixed 35 seconds.
            text: dialog.retryWait > 0 ? "Try Again (" + dialog.retryWait + " s)" : "Try Again"
            primary: true
            ratio_w: dialog.ratio_w
            ratio_h: dialog.ratio_h
            onClicked: dialog.retryRequested()
        }
        TextButton {
            objectName: "firmwareCloseButton"
            visible: !dialog.working
            text: "Close"
            ratio_w: dialog.ratio_w
            ratio_h: dialog.ratio_h
            onClicked: dialog.close()
        }
    }
}
