import QtQuick 2.9
import ".."

// Shown instead of the carousel when discovery found nothing.
Item {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    signal refresh()

    Column {
        anchors.centerIn: parent
        spacing: 16 * panel.ratio_h

        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 96 * panel.ratio_h
            height: width
            source: ConfigData.homeIcons[4]
            sourceSize.width: 192
            sourceSize.height: 192
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "No Device detected..."
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 34 * panel.ratio_h
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Can’t find your peripherals?"
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 18 * panel.ratio_h
        }
        TextButton {
            objectName: "refreshButton"
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Refresh"
            primary: true
            ratio_w: panel.ratio_w
            ratio_h: panel.ratio_h
            width: 180 * panel.ratio_w
            onClicked: panel.refresh()
        }
        Item { width: 1; height: 30 * panel.ratio_h }
        Rectangle {
            anchors.horizontalCenter: parent.horizontalCenter
            width: compatible.implicitWidth + 60 * panel.ratio_w
            height: compatibleColumn.implicitHeight + 36 * panel.ratio_h
            radius: 8
            color: Palette.panel
            border.color: Palette.line
            Column {
                id: compatibleColumn
                anchors.centerIn: parent
                spacing: 8 * panel.ratio_h
                Text {
                    text: "Compatible Device"
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.weight: Font.Medium
                    font.pixelSize: 17 * panel.ratio_h
                }
                Text {
                    id: compatible
                    text: "Talvorin supports : Scorvane Graphics Cards (6000, 7000, 9000 Series)\nand ORVENA Gaming Gear; RH20 Headset and RM20 Mouse"
                    color: Palette.textDim
                    lineHeight: 1.2
                    font.family: Palette.fontFamily
                    font.weight: Font.Light
                    font.pixelSize: 16 * panel.ratio_h
                }
            }
        }
    }
}
