import QtQuick 2.9
import "../.."
import ".."
import "../../js/gpu.js" as Gpu

// The saved favourites: a click applies one, the cross removes it.
Item {
    id: panel
    property var favorites: []
    property bool enabledActions: true
    property real ratio_w: 1
    property real ratio_h: 1
    signal applyFavorite(int index)
    signal removeFavorite(int index)

    Text {
        id: title
        text: "Favorite Mode"
        color: Palette.text
        font.family: Palette.fontFamily
        font.weight: Font.Medium
        font.pixelSize: 20 * panel.ratio_h
    }
    Text {
        anchors.left: title.right
        anchors.leftMargin: 16 * panel.ratio_w
        anchors.baseline: title.baseline
        text: panel.favorites.length + " / " + Gpu.MAX_FAVORITES
        color: Palette.textDim
        font.family: Palette.fontFamily
        font.pixelSize: 16 * panel.ratio_h
    }

    Text {
        anchors.top: title.bottom
        anchors.topMargin: 40 * panel.ratio_h
        visible: panel.favorites.length === 0
        text: "No favorites yet. Choose an effect and press “Add as favorite”."
        color: Palette.textDim
        font.family: Palette.fontFamily
        font.weight: Font.Light
        font.pixelSize: 17 * panel.ratio_h
    }

    Column {
        anchors.top: title.bottom
        anchors.topMargin: 20 * panel.ratio_h
        width: parent.width
        spacing: 10 * panel.ratio_h
        Repeater {
            model: panel.favorites
            Rectangle {
                objectName: "favorite_" + index
                width: parent.width
                height: 68 * panel.ratio_h
                radius: 6
                color: rowMouse.containsMouse ? Palette.hover : Palette.panelRaised
                border.color: Palette.line
                Image {
                    id: icon
                    anchors.left: parent.left
                    anchors.leftMargin: 16 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    width: 38 * panel.ratio_h
                    height: width
                    source: ConfigData.favoriteModeIcons[Math.max(1, Math.min(8, parseInt(modelData["mode"]) || 1)) - 1]
                    sourceSize.width: 76
                    sourceSize.height: 76
                }
                Text {
                    anchors.left: icon.right
                    anchors.leftMargin: 16 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData["name"] !== undefined ? modelData["name"] : ""
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 18 * panel.ratio_h
                }
                Rectangle {
                    anchors.right: details.left
                    anchors.rightMargin: 16 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    width: 30 * panel.ratio_h
                    height: width
                    radius: 4
                    color: Gpu.toHex(parseInt(modelData["r_color"]) || 0, parseInt(modelData["g_color"]) || 0, parseInt(modelData["b_color"]) || 0)
                    border.color: Palette.line
                }
                Text {
                    id: details
                    anchors.right: remove.left
                    anchors.rightMargin: 24 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Brightness " + modelData["brightness"] + "  ·  Speed " + modelData["speed"]
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.pixelSize: 15 * panel.ratio_h
                }
                MouseArea {
                    id: rowMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    enabled: panel.enabledActions
                    cursorShape: Qt.PointingHandCursor
                    onClicked: panel.applyFavorite(index)
                }
                Rectangle {
                    id: remove
                    objectName: "removeFavorite_" + index
                    anchors.right: parent.right
                    anchors.rightMargin: 14 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    width: 34 * panel.ratio_h
                    height: width
                    radius: 4
                    color: removeMouse.containsMouse ? Palette.red : "transparent"
                    Text {
                        anchors.centerIn: parent
                        text: "✕"
                        color: Palette.light
                        font.pixelSize: 16 * panel.ratio_h
                    }
                    MouseArea {
                        id: removeMouse
                        anchors.fill: parent
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onClicked: panel.removeFavorite(index)
                    }
                }
            }
        }
    }
}
