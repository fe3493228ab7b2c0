import QtQuick 2.9
import QtQuick.Controls 2.3
import "../.."
import ".."

// The firmware update of the mouse or its receiver: a warning first, then the download and
// the flashing, then the outcome. The page tells the stage (0 idle, 2 downloading,
// 3 flashing, 5 done, 6 failed).
Popup {
    id: dialog
    property real ratio_w: 1
    property real ratio_h: 1
    property int stage: 0
    property string message: ""
    property string which: "mouse"
    readonly property bool running: stage === 2 || stage === 3
    signal startRequested(string which)

    modal: true
    closePolicy: running ? Popup.NoAutoClose : Popup.CloseOnEscape
    parent: Overlay.overlay
    x: parent ? (parent.width - width) / 2 : 0
    y: parent ? (parent.height - height) / 2 : 0
    width: 520 * ratio_w
    height: 300 * ratio_h
    padding: 24 * ratio_h

    function openFor(target) {
        which = target
        open()
    }

    background: Rectangle {
        color: Palette.panel
        border.color: Palette.red
        border.width: 2
        radius: 8
    }

    Column {
        anchors.centerIn: parent
        width: parent.width
        spacing: 16 * dialog.ratio_h

        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 44 * dialog.ratio_h
            height: width
            source: ConfigData.mouseIcons[dialog.which === "mouse" ? ConfigData.iconFirmware : ConfigData.iconReceiver]
            sourceSize.width: 88
            sourceSize.height: 88
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: (dialog.which === "mouse" ? "Mouse" : "Receiver") + ": Firmware update available"
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 20 * dialog.ratio_h
        }
        Text {
            objectName: "firmwareStatus"
            anchors.horizontalCenter: parent.horizontalCenter
            width: parent.width
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            text: {
                switch (dialog.stage) {
                case 2: return "Downloading the firmware..."
                case 3: return "Updating. Keep the mouse and the receiver connected." + (dialog.message.length > 0 ? "\n" + dialog.message : "")
                case 5: return "The update is complete: Firmware is up to date"
                case 6: return "Unable to Complete Action\nPlease Try Again" + (dialog.message.length > 0 ? "\n" + dialog.message : "")
                default: return "The update will take about 2 minutes"
                }
            }
            color: dialog.stage === 6 ? "#FF6060" : Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 16 * dialog.ratio_h
        }
        ProgressBar {
            anchors.horizontalCenter: parent.horizontalCenter
            width: parent.width * 0.8
            visible: dialog.running
            indeterminate: true
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 14 * dialog.ratio_w
            visible: !dialog.running
            TextButton {
                objectName: "firmwareStartButton"
                visible: dialog.stage === 0
                text: "Update"
                primary: true
                ratio_w: dialog.ratio_w
                ratio_h: dialog.ratio_h
                onClicked: dialog.startRequested(dialog.which)
            }
            TextButton {
                objectName: "firmwareCloseButton"
                text: dialog.stage === 0 ? "Cancel" : "Close"
                ratio_w: dialog.ratio_w
                ratio_h: dialog.ratio_h
                onClicked: dialog.close()
            }
        }
    }
}
