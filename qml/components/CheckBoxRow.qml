import QtQuick 2.9
import ".."

// A check box with its label; a click flips it and reports the new state.
Item {
    id: box
    property bool checked: false
    property alias text: label.text
    property real ratio_h: 1
    signal toggled(bool checked)

    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight

    Row {
        id: row
        spacing: 12 * box.ratio_h
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 22 * box.ratio_h
            height: width
            radius: 3
            color: box.checked ? Palette.red : "transparent"
            border.color: box.checked ? Palette.red : Palette.light
            border.width: 2
            Text {
                anchors.centerIn: parent
                visible: box.checked
                text: "✓"
                color: Palette.text
                font.pixelSize: 16 * box.ratio_h
            }
        }
        Text {
            id: label
            anchors.verticalCenter: parent.verticalCenter
            color: Palette.text
            font.family: Palette.fontFamily
            font.pixelSize: 17 * box.ratio_h
        }
    }

    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: {
            box.checked = !box.checked
            box.toggled(box.checked)
        }
    }
}
