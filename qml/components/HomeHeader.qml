import QtQuick 2.9

// The bar across the top of the home screen: caption, information button, window dragging.
Rectangle {
    id: header
    property real ratio_w: 1
    property real ratio_h: 1
    property bool showUpdateDot: false
    property var dragTarget: null
    signal infoClicked()

    height: 46.5 * ratio_h
    color: "#070707"

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

    Text {
        anchors.left: parent.left
        anchors.leftMargin: 40 * header.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        text: "Your Devices"
        color: "#FFFFFF"
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
        color: infoMouse.containsMouse ? "#7B0000" : "transparent"
        border.color: "#D9D9D9"
        border.width: 2

        Text {
            anchors.centerIn: parent
            text: "i"
            color: "#FFFFFF"
            font.pixelSize: parent.height * 0.6
            font.bold: true
        }

        Rectangle {
            objectName: "updateDot"
            visible: header.showUpdateDot
            width: parent.width * 0.3
            height: width
            radius: width / 2
            color: "#FF0000"
            anchors.right: parent.right
            anchors.top: parent.top
        }

        MouseArea {
            id: infoMouse
            anchors.fill: parent
            hoverEnabled: true
            onClicked: header.infoClicked()
        }
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: "#313131"
    }
}
