import QtQuick 2.9
import ".."

// An on/off switch that shows the state it is given; a click only asks for the other state.
Item {
    id: toggle
    property bool checked: false
    property real ratio_h: 1
    signal toggled(bool checked)

    implicitWidth: 56 * ratio_h
    implicitHeight: 28 * ratio_h
    opacity: enabled ? 1 : 0.4

    Image {
        anchors.fill: parent
        source: ConfigData.gpuSettingBarIcons[toggle.checked ? ConfigData.iconToggleOn : ConfigData.iconToggleOff]
        sourceSize.width: 112
        sourceSize.height: 56
        smooth: true
    }

    MouseArea {
        anchors.fill: parent
        enabled: toggle.enabled
        cursorShape: Qt.PointingHandCursor
        onClicked: toggle.toggled(!toggle.checked)
    }
}
