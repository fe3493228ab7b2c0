import QtQuick 2.9
import QtQuick.Controls 2.3
import ".."

// What every page shows when the device refused or could not do what was asked.
Popup {
    id: notice
    property real ratio_w: 1
    property real ratio_h: 1
    readonly property string title: "Unable to Complete Action"
    readonly property string message: "Please Try Again"
    // What the worker knows about why (its answer's "failureCause"); "" when it gave none.
    property string cause: ""

    // Opens the notice with the cause the answer carries, or with the one given.
    function openWith(answer, fallbackCause) {
        var given = answer && answer["failureCause"] !== undefined ? String(answer["failureCause"]) : ""
        cause = given.length > 0 ? given : (fallbackCause === undefined ? "" : fallbackCause)
        open()
    }

    modal: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    parent: Overlay.overlay
    x: parent ? (parent.width - width) / 2 : 0
    y: parent ? (parent.height - height) / 2 : 0
    width: 440 * ratio_w
    height: (cause.length > 0 ? 262 : 220) * ratio_h
    padding: 24 * ratio_h

    background: Rectangle {
        color: Palette.panel
        border.color: Palette.red
        border.width: 2
        radius: 8
    }

    Column {
        anchors.centerIn: parent
        spacing: 14 * notice.ratio_h

        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: ConfigData.gpuSettingBarIcons[ConfigData.iconAttention]
            width: 40 * notice.ratio_h
            height: width
            sourceSize.width: 96
            sourceSize.height: 96
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: notice.title
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 22 * notice.ratio_h
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: notice.message
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 16 * notice.ratio_h
        }
        Text {
            objectName: "failureCause"
            anchors.horizontalCenter: parent.horizontalCenter
            width: notice.availableWidth
            visible: notice.cause.length > 0
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: notice.cause
            color: "#FF8080"
            font.family: Palette.fontFamily
            font.pixelSize: 15 * notice.ratio_h
        }
        TextButton {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "OK"
            primary: true
            ratio_w: notice.ratio_w
            ratio_h: notice.ratio_h
            onClicked: notice.close()
        }
    }
}
