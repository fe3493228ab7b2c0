import QtQuick 2.9
import ".."

// A row of text tabs with a red line under the current one.
Row {
    id: tabs
    property var titles: []
    property int currentIndex: 0
    property real ratio_w: 1
    property real ratio_h: 1
    signal selected(int index)

    spacing: 36 * ratio_w

    Repeater {
        model: tabs.titles
        Item {
            objectName: "tab_" + index
            width: tabText.implicitWidth
            height: 44 * tabs.ratio_h
            Text {
                id: tabText
                anchors.top: parent.top
                text: modelData
                color: index === tabs.currentIndex ? Palette.text : (tabMouse.containsMouse ? Palette.light : Palette.textDim)
                font.family: Palette.fontFamily
                font.weight: index === tabs.currentIndex ? Font.Medium : Font.Normal
                font.pixelSize: 20 * tabs.ratio_h
            }
            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 3 * tabs.ratio_h
                color: index === tabs.currentIndex ? Palette.red : "transparent"
            }
            MouseArea {
                id: tabMouse
                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: tabs.selected(index)
            }
        }
    }
}
