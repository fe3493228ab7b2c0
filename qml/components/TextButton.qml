import QtQuick 2.9
import ".."

// A flat button; red when it is the main action, dark red under the mouse.
Rectangle {
    id: button
    property alias text: label.text
    property real ratio_w: 1
    property real ratio_h: 1
    property bool primary: false
    property real fontSize: 16
    property color baseColor: primary ? Palette.red : Palette.panelRaised
    signal clicked()

    implicitWidth: Math.max(label.implicitWidth + 40 * ratio_w, 120 * ratio_w)
    implicitHeight: 40 * ratio_h
    radius: 4 * ratio_h
    color: !enabled ? Palette.line : (mouseArea.containsMouse ? Palette.hover : baseColor)
    border.color: primary || !enabled ? "transparent" : Palette.line
    border.width: 1

    Text {
        id: label
        anchors.centerIn: parent
        color: button.enabled ? Palette.text : Palette.textDim
        font.family: Palette.fontFamily
        font.pixelSize: button.fontSize * button.ratio_h
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        enabled: button.enabled
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}
