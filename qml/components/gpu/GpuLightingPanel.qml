import QtQuick 2.9
import "../.."
import ".."
import "../../js/gpu.js" as Gpu

// Effects, brightness, speed, colour, the lighting switch, motherboard sync and "Add as favorite".
Item {
    id: panel
    property var lighting: Gpu.defaultState()
    property bool rgbSupported: true
    // Why the card's lighting cannot be reached on this system; empty when it can.
    property string unavailableReason: ""
    property int favoriteCount: 0
    property real ratio_w: 1
    property real ratio_h: 1
    readonly property bool editable: rgbSupported && !lighting.sync
    // The colour under the picker's mouse while dragging, the page's colour otherwise.
    readonly property color previewColor: picker.previewColor
    signal effectChosen(int mode)
    signal lightingToggled(bool on)
    signal syncToggled(bool on)
    signal brightnessCommitted(int value)
    signal speedCommitted(int value)
    signal colorPicked(int r, int g, int b)
    signal addFavorite()

    // Puts every control back on the page's state (after a refused change).
    function syncControls() {
        brightness.sync()
        speed.sync()
        picker.sync()
    }

    Text {
        objectName: "unsupportedText"
        anchors.centerIn: parent
        visible: !panel.rgbSupported
        text: panel.unavailableReason !== "" ? panel.unavailableReason
                                             : "RGB lighting is not supported by this graphics card."
        color: Palette.textDim
        font.family: Palette.fontFamily
        font.pixelSize: 18 * panel.ratio_h
    }

    Column {
        anchors.fill: parent
        spacing: 18 * panel.ratio_h
        visible: panel.rgbSupported

        Row {
            spacing: 24 * panel.ratio_w
            height: 40 * panel.ratio_h
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "RGB Effect"
                color: Palette.text
                font.family: Palette.fontFamily
                font.weight: Font.Medium
                font.pixelSize: 20 * panel.ratio_h
            }
            ToggleSwitch {
                objectName: "lightingToggle"
                anchors.verticalCenter: parent.verticalCenter
                ratio_h: panel.ratio_h
                checked: panel.lighting.on
                enabled: !panel.lighting.sync
                onToggled: panel.lightingToggled(checked)
            }
            Item { width: 40 * panel.ratio_w; height: 1 }
            Image {
                anchors.verticalCenter: parent.verticalCenter
                width: 28 * panel.ratio_h
                height: width
                source: ConfigData.gpuSettingBarIcons[ConfigData.iconSyncMotherboard]
                sourceSize.width: 64
                sourceSize.height: 64
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "Sync with Motherboard"
                color: Palette.text
                font.family: Palette.fontFamily
                font.pixelSize: 18 * panel.ratio_h
            }
            ToggleSwitch {
                objectName: "syncToggle"
                anchors.verticalCenter: parent.verticalCenter
                ratio_h: panel.ratio_h
                checked: panel.lighting.sync
                onToggled: panel.syncToggled(checked)
            }
        }

        Grid {
            columns: 4
            spacing: 12 * panel.ratio_w
            Repeater {
                model: Gpu.MODE_NAMES
                Rectangle {
                    objectName: "effect_" + (index + 1)
                    readonly property bool chosen: panel.lighting.on && panel.lighting.mode === index + 1
                    width: 180 * panel.ratio_w
                    height: 78 * panel.ratio_h
                    radius: 6
                    enabled: panel.editable
                    opacity: enabled ? 1 : 0.4
                    color: chosen ? Palette.red : (effectMouse.containsMouse ? Palette.hover : Palette.panelRaised)
                    border.color: chosen ? "#FF3030" : Palette.line
                    Image {
                        anchors.left: parent.left
                        anchors.leftMargin: 14 * panel.ratio_w
                        anchors.verticalCenter: parent.verticalCenter
                        width: 36 * panel.ratio_h
                        height: width
                        source: ConfigData.gpuSettingBarIcons[index]
                        sourceSize.width: 72
                        sourceSize.height: 72
                    }
                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 62 * panel.ratio_w
                        anchors.right: parent.right
                        anchors.verticalCenter: parent.verticalCenter
                        text: modelData
                        wrapMode: Text.WordWrap
                        color: Palette.text
                        font.family: Palette.fontFamily
                        font.pixelSize: 16 * panel.ratio_h
                    }
                    MouseArea {
                        id: effectMouse
                        anchors.fill: parent
                        hoverEnabled: true
                        enabled: parent.enabled
                        cursorShape: Qt.PointingHandCursor
                        onClicked: panel.effectChosen(index + 1)
                    }
                }
            }
        }

        Row {
            spacing: 40 * panel.ratio_w
            LabeledSlider {
                id: brightness
                objectName: "brightnessSlider"
                width: 340 * panel.ratio_w
                label: "Brightness"
                from: 0
                to: Gpu.BRIGHTNESS_MAX
                value: panel.lighting.brightness
                enabled: panel.editable
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onCommitted: panel.brightnessCommitted(value)
            }
            LabeledSlider {
                id: speed
                objectName: "speedSlider"
                width: 340 * panel.ratio_w
                label: "Speed"
                from: 0
                to: Gpu.SPEED_MAX
                value: panel.lighting.speed
                enabled: panel.editable && Gpu.usesSpeed(panel.lighting.mode)
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onCommitted: panel.speedCommitted(value)
            }
        }

        Row {
            spacing: 40 * panel.ratio_w
            ColorPicker {
                id: picker
                objectName: "colorPicker"
                width: 420 * panel.ratio_w
                height: 250 * panel.ratio_h
                r: panel.lighting.r
                g: panel.lighting.g
                b: panel.lighting.b
                enabled: panel.editable && Gpu.usesColor(panel.lighting.mode)
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onColorPicked: panel.colorPicked(r, g, b)
            }
            Column {
                spacing: 12 * panel.ratio_h
                Text {
                    text: "Favorite Mode"
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.weight: Font.Medium
                    font.pixelSize: 18 * panel.ratio_h
                }
                Text {
                    width: 250 * panel.ratio_w
                    wrapMode: Text.WordWrap
                    text: "Keep the current effect, colour, brightness and speed. (" + panel.favoriteCount + "/" + Gpu.MAX_FAVORITES + ")"
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.weight: Font.Light
                    font.pixelSize: 15 * panel.ratio_h
                }
                TextButton {
                    objectName: "addFavoriteButton"
                    text: "Add as favorite"
                    primary: true
                    enabled: panel.editable && panel.lighting.on && panel.favoriteCount < Gpu.MAX_FAVORITES
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: panel.addFavorite()
                }
            }
        }
    }
}
