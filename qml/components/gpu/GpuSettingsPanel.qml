import QtQuick 2.9
import QtQuick.Controls 2.3
import "../.."
import ".."
import "../../js/devices.js" as Devices

// "Reset All", the card's details and the support page.
Item {
    id: panel
    property var cardInfo: ({})
    property string supportLink: ""
    // Why there is no support address: the update server's failure, if it had one.
    property string updateCheckError: ""
    property bool resetEnabled: true
    property real ratio_w: 1
    property real ratio_h: 1
    signal resetAll()

    function field(key) {
        var value = cardInfo[key]
        return value === undefined || String(value).length === 0 ? "—" : String(value)
    }

    Column {
        width: parent.width
        spacing: 16 * panel.ratio_h

        Text {
            text: "Settings"
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 20 * panel.ratio_h
        }

        Rectangle {
            width: parent.width
            height: 84 * panel.ratio_h
            radius: 6
            color: Palette.panelRaised
            border.color: Palette.line
            Column {
                anchors.left: parent.left
                anchors.leftMargin: 20 * panel.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4 * panel.ratio_h
                Text {
                    text: "Reset All"
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 18 * panel.ratio_h
                }
                Text {
                    text: "All the settings will reset as default"
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.weight: Font.Light
                    font.pixelSize: 15 * panel.ratio_h
                }
            }
            TextButton {
                objectName: "resetAllButton"
                anchors.right: parent.right
                anchors.rightMargin: 20 * panel.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                text: "Reset All"
                primary: true
                enabled: panel.resetEnabled
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onClicked: resetConfirm.open()
            }
        }

        Rectangle {
            width: parent.width
            height: aboutColumn.implicitHeight + 36 * panel.ratio_h
            radius: 6
            color: Palette.panelRaised
            border.color: Palette.line
            Column {
                id: aboutColumn
                anchors.left: parent.left
                anchors.leftMargin: 20 * panel.ratio_w
                anchors.top: parent.top
                anchors.topMargin: 18 * panel.ratio_h
                spacing: 6 * panel.ratio_h
                Text {
                    text: "About"
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 18 * panel.ratio_h
                }
                Repeater {
                    model: [
                        ["Name", panel.field("Name")],
                        ["Memory", Devices.memoryText(panel.cardInfo) || "—"],
                        ["Device ID", panel.field("deviceId") + " (revision " + panel.field("revisionId") + ")"],
                        ["Subsystem", panel.field("subSystemVendorId") + " / " + panel.field("subSystemId")],
                        ["Driver Version", panel.field("AMD_driverVersion")]
                    ]
                    Row {
                        Text {
                            width: 190 * panel.ratio_w
                            text: modelData[0]
                            color: Palette.textDim
                            font.family: Palette.fontFamily
                            font.pixelSize: 15 * panel.ratio_h
                        }
                        Text {
                            text: modelData[1]
                            color: Palette.light
                            font.family: Palette.fontFamily
                            font.pixelSize: 15 * panel.ratio_h
                        }
                    }
                }
            }
        }

        Rectangle {
            width: parent.width
            height: 84 * panel.ratio_h
            radius: 6
            color: Palette.panelRaised
            border.color: Palette.line
            Column {
                anchors.left: parent.left
                anchors.leftMargin: 20 * panel.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4 * panel.ratio_h
                Text {
                    text: "Support"
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 18 * panel.ratio_h
                }
                Text {
                    objectName: "supportText"
                    text: panel.supportLink.length > 0
                          ? "Manuals, drivers and help for your graphics card"
                          : (panel.updateCheckError.length > 0
                             ? "Unavailable: " + panel.updateCheckError
                             : "Unavailable: the update server gave no address for it")
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.weight: Font.Light
                    font.pixelSize: 15 * panel.ratio_h
                }
            }
            TextButton {
                objectName: "supportButton"
                anchors.right: parent.right
                anchors.rightMargin: 20 * panel.ratio_w
                anchors.verticalCenter: parent.verticalCenter
                text: "Open"
                enabled: panel.supportLink.length > 0
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onClicked: Qt.openUrlExternally(panel.supportLink)
            }
        }
    }

    // The same question the mouse page asks before it resets anything.
    Popup {
        id: resetConfirm
        objectName: "resetConfirm"
        modal: true
        parent: Overlay.overlay
        x: parent ? (parent.width - width) / 2 : 0
        y: parent ? (parent.height - height) / 2 : 0
        width: 460 * panel.ratio_w
        height: 200 * panel.ratio_h
        padding: 24 * panel.ratio_h
        background: Rectangle { color: Palette.panel; border.color: Palette.red; border.width: 2; radius: 8 }
        Column {
            anchors.centerIn: parent
            spacing: 18 * panel.ratio_h
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "All the settings will reset as default"
                color: Palette.text
                font.family: Palette.fontFamily
                font.pixelSize: 18 * panel.ratio_h
            }
            Row {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 14 * panel.ratio_w
                TextButton {
                    objectName: "confirmReset"
                    text: "Confirm"
                    primary: true
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: {
                        resetConfirm.close()
                        panel.resetAll()
                    }
                }
                TextButton {
                    objectName: "cancelReset"
                    text: "Cancel"
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: resetConfirm.close()
                }
            }
        }
    }
}
