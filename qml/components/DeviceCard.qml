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
        anchors.topMargin: 36 * card.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        width: parent.width - 60 * card.ratio_w
        height: 220 * card.ratio_h
        fillMode: Image.PreserveAspectFit
        source: card.picture
        sourceSize.width: Math.ceil(width)
        sourceSize.height: Math.ceil(height)
        smooth: true
    }

    Column {
        anchors.top: picture.bottom
        anchors.topMargin: 30 * card.ratio_h
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
            color: Palette.light
            font.family: Palette.fontFamily
            font.weight: Font.Light
            font.pixelSize: 17 * card.ratio_h
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
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: card.activated()
    }
}
