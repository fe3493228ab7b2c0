import QtQuick 2.9
import ".."

// One device of the home carousel.
Rectangle {
    id: card
    property var entry: ({})
    property bool current: false
    property real ratio_w: 1
    property real ratio_h: 1
    signal activated()

    width: 400 * ratio_w
    height: 470 * ratio_h
    radius: 12 * ratio_h
    color: Palette.panel
    border.color: current ? (cardMouse.containsMouse ? "#FF2020" : Palette.red) : Palette.line
    border.width: current ? 2 : 1

    readonly property url picture: entry.deviceType === 1
                                   ? ConfigData.boardPictures[entry.pictureClass]
                                   : ConfigData.devicePictures[Math.max(0, entry.deviceType - 1)]

    Image {
        id: picture
        anchors.top: parent.top
        anchors.topMargin: (card.entry.inaccessible ? 20 : 36) * card.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        width: parent.width - 60 * card.ratio_w
        height: (card.entry.inaccessible ? 80 : 220) * card.ratio_h
        opacity: card.entry.inaccessible ? 0.5 : 1
        fillMode: Image.PreserveAspectFit
        source: card.picture
        sourceSize.width: Math.ceil(width)
        sourceSize.height: Math.ceil(height)
        smooth: true
    }

    Column {
        anchors.top: picture.bottom
        anchors.topMargin: (card.entry.inaccessible ? 14 : 30) * card.ratio_h
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 30 * card.ratio_w
        anchors.rightMargin: 30 * card.ratio_w
        spacing: 6 * card.ratio_h

        Text {
            objectName: "productLine"
            text: card.entry.productLine || ""
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 15 * card.ratio_h
            font.capitalization: Font.AllUppercase
            font.letterSpacing: 1
        }
        Text {
            objectName: "model"
            width: parent.width
            text: card.entry.model || ""
            color: Palette.text
            elide: Text.ElideRight
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 15 * card.ratio_h
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 24 * card.ratio_h
        }
        Text {
            objectName: "detail"
            text: card.entry.detail || ""
            color: card.entry.inaccessible ? "#FF8080" : Palette.light
            font.family: Palette.fontFamily
            font.weight: Font.Light
            font.pixelSize: 17 * card.ratio_h
        }
        Text {
            visible: card.entry.inaccessible === true
            width: parent.width
            wrapMode: Text.WordWrap
            text: "The system does not let Talvorin open it. Run this once in a terminal, then click the card to look again:"
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 13 * card.ratio_h
        }
        Rectangle {
            visible: card.entry.inaccessible === true
            width: parent.width
            height: fixText.implicitHeight + 12 * card.ratio_h
            color: Palette.background
            border.color: Palette.line
            radius: 4
            TextEdit {
                id: fixText
                objectName: "fixCommand"
                x: 6
                y: 6 * card.ratio_h
                width: parent.width - 12
                readOnly: true
                selectByMouse: true
                wrapMode: TextEdit.WrapAnywhere
                text: card.entry.fixCommand || ""
                color: Palette.light
                selectionColor: Palette.red
                font.family: "monospace"
                font.pixelSize: 10 * card.ratio_h
            }
        }
        TextButton {
            objectName: "copyFixCommand"
            visible: card.entry.inaccessible === true
            text: copied ? "Copied" : "Copy command"
            property bool copied: false
            ratio_w: card.ratio_w
            ratio_h: card.ratio_h
            onClicked: {
                fixText.selectAll()
                fixText.copy()
                fixText.deselect()
                copied = true
            }
        }
        Row {
            visible: card.entry.deviceType === 1
            spacing: 8 * card.ratio_w
            Rectangle {
                anchors.verticalCenter: parent.verticalCenter
                width: 10 * card.ratio_h
                height: width
                radius: width / 2
                color: card.entry.rgbSupported ? "#FF2020" : Palette.disabled
            }
            Text {
                objectName: "rgbText"
                text: card.entry.rgbSupported ? "RGB Lighting Supported" : "RGB Lighting Not Supported"
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.pixelSize: 15 * card.ratio_h
            }
        }
    }

    MouseArea {
        id: cardMouse
        z: -1
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: card.activated()
    }
}
