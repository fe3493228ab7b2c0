import QtQuick 2.9
import "../.."

// One entry of a row of choices: red when it is the current one.
Rectangle {
    id: choice
    property alias text: label.text
    property bool chosen: false
    property real ratio_w: 1
    property real ratio_h: 1
    property real fontSize: 15
    signal clicked()

    implicitWidth: Math.max(label.implicitWidth + 28 * ratio_w, 86 * ratio_w)
    implicitHeight: 38 * ratio_h
    radius: 4 * ratio_h
    opacity: enabled ? 1 : 0.4
    color: chosen ? Palette.red : (area.containsMouse ? Palette.hover : Palette.panelRaised)
    border.color: chosen ? "#FF3030" : Palette.line

    Text {
        id: label
        anchors.centerIn: parent
        width: Math.min(implicitWidth, parent.width - 8)
        elide: Text.ElideRight
        horizontalAlignment: Text.AlignHCenter
        color: Palette.text
        font.family: Palette.fontFamily
        font.pixelSize: choice.fontSize * choice.ratio_h
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        enabled: choice.enabled
        cursorShape: Qt.PointingHandCursor
        onClicked: choice.clicked()
    }
}
