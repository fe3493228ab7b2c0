import QtQuick 2.9
import ".."

// The bar across the top: caption, back button on device pages, information button, dragging.
Rectangle {
    id: header
    property real ratio_w: 1
    property real ratio_h: 1
    property bool showUpdateDot: false
    property bool showBack: false
    property string caption: "Your Devices"
    property var dragTarget: null
    signal infoClicked()
    signal backClicked()

    height: 46.5 * ratio_h
    color: Palette.background

    MouseArea {
        anchors.fill: parent
        property point pressPoint
        onPressed: pressPoint = Qt.point(mouse.x, mouse.y)
        onPositionChanged: {
            if (!header.dragTarget || header.dragTarget.visibility === 4 /* Maximized */)
                return
            header.dragTarget.x += mouse.x - pressPoint.x
            header.dragTarget.y += mouse.y - pressPoint.y
        }
    }

    Rectangle {
        id: backButton
        objectName: "backButton"
        visible: header.showBack
        anchors.left: parent.left
        anchors.leftMargin: 24 * header.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        width: 34 * header.ratio_h
        height: width
        radius: 4
        color: backMouse.containsMouse ? Palette.hover : "transparent"
        Image {
            anchors.centerIn: parent
            width: parent.width * 0.75
            height: width
            source: ConfigData.homeIcons[2]
            sourceSize.width: 64
            sourceSize.height: 64
        }
        MouseArea {
            id: backMouse
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: header.backClicked()
        }
    }

    Text {
        objectName: "captionText"
        anchors.left: header.showBack ? backButton.right : parent.left
        anchors.leftMargin: header.showBack ? 14 * header.ratio_w : 40 * header.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        text: header.caption
        color: Palette.text
        font.family: Palette.fontFamily
        font.pixelSize: 22 * header.ratio_h
        font.weight: Font.Medium
    }

    Rectangle {
        id: infoButton
        objectName: "infoButton"
        width: 30 * header.ratio_h
        height: width
        radius: width / 2
        anchors.right: parent.right
        anchors.rightMargin: 40 * header.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        color: infoMouse.containsMouse ? Palette.hover : "transparent"
        border.color: Palette.light
        border.width: 2

        Text {
            anchors.centerIn: parent
            text: "i"
            color: Palette.text
            font.family: Palette.fontFamily
            font.pixelSize: parent.height * 0.6
            font.weight: Font.Medium
        }

        Rectangle {
            objectName: "updateDot"
            visible: header.showUpdateDot
            width: parent.width * 0.3
            height: width
            radius: width / 2
            color: Palette.dot
            anchors.right: parent.right
            anchors.top: parent.top
        }

        MouseArea {
            id: infoMouse
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: header.infoClicked()
        }
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: Palette.line
    }
}
