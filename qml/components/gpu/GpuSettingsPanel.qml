import QtQuick 2.9
import "../.."
import ".."
import "../../js/devices.js" as Devices

// "Reset All", the card's details and the support page.
Item {
    id: panel
    property var cardInfo: ({})
    property string supportLink: ""
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
                onClicked: panel.resetAll()
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
                    text: "Manuals, drivers and help for your graphics card"
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
}
