import QtQuick 2.9
import "../.."
import ".."
import "../../js/mouse.js" as Mouse
import "../../js/light_effects.js" as Effects

// "Mouse RGB": the effect, brightness, speed and colour of the mouse's lights, and on/off.
Item {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    property var lighting: Mouse.defaultLighting()
    signal effectChosen(int mode)
    signal brightnessChosen(int value)
    signal speedChosen(int value)
    signal colorChosen(int r, int g, int b)
    signal lightsToggled(bool on)

    // The graphics card's effect icons, in the mouse's effect order.
    readonly property var effectIcons: [0, 2, 1, 3, 5, 4, 6, 7]

    onLightingChanged: {
        picker.r = lighting.r
        picker.g = lighting.g
        picker.b = lighting.b
        brightnessSlider.sync()
        speedSlider.sync()
    }

    Row {
        id: titleRow
        width: parent.width
        SectionTitle {
            width: parent.width - onOffRow.width
            title: "Mouse RGB"
            note: "The lights of the mouse in the current profile."
            ratio_h: panel.ratio_h
        }
        Row {
            id: onOffRow
            spacing: 12 * panel.ratio_w
            Text {
                objectName: "lightsState"
                anchors.verticalCenter: parent.verticalCenter
                text: panel.lighting.on ? "ON" : "OFF"
                color: Palette.text
                font.family: Palette.fontFamily
                font.weight: Font.Medium
                font.pixelSize: 17 * panel.ratio_h
            }
            ToggleSwitch {
                objectName: "lightsToggle"
                anchors.verticalCenter: parent.verticalCenter
                checked: panel.lighting.on
                ratio_h: panel.ratio_h
                onToggled: panel.lightsToggled(checked)
            }
        }
    }

    Grid {
        id: effectGrid
        anchors.top: titleRow.bottom
        anchors.topMargin: 16 * panel.ratio_h
        columns: 8
        spacing: 10 * panel.ratio_w
        Repeater {
            model: Mouse.EFFECTS
            Rectangle {
                objectName: "effect_" + (index + 1)
                readonly property bool chosen: panel.lighting.on && panel.lighting.mode === index + 1
                width: (panel.width - 7 * 10 * panel.ratio_w) / 8
                height: 96 * panel.ratio_h
                radius: 6 * panel.ratio_h
                color: chosen ? "#2A0505" : (effectMouse.containsMouse ? Palette.panelRaised : Palette.panel)
                border.color: chosen ? Palette.red : Palette.line
                Image {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 12 * panel.ratio_h
                    width: 40 * panel.ratio_h
                    height: width
                    source: ConfigData.gpuSettingBarIcons[panel.effectIcons[index]]
                    sourceSize.width: 80
                    sourceSize.height: 80
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    anchors.bottom: parent.bottom
                    anchors.bottomMargin: 10 * panel.ratio_h
                    width: parent.width - 8
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    text: modelData
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 14 * panel.ratio_h
                }
                MouseArea {
                    id: effectMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: panel.effectChosen(index + 1)
                }
            }
        }
    }

    Column {
        anchors.top: effectGrid.bottom
        anchors.topMargin: 24 * panel.ratio_h
        width: 430 * panel.ratio_w
        spacing: 22 * panel.ratio_h

        LabeledSlider {
            id: brightnessSlider
            objectName: "brightnessSlider"
            width: parent.width
            label: "Brightness"
            from: 0
            to: Mouse.BRIGHTNESS_MAX
            value: panel.lighting.brightness
            enabled: panel.lighting.on
            ratio_w: panel.ratio_w
            ratio_h: panel.ratio_h
            onCommitted: if (value !== panel.lighting.brightness) panel.brightnessChosen(value)
        }
        LabeledSlider {
            id: speedSlider
            objectName: "speedSlider"
            width: parent.width
            label: "Speed"
            from: Mouse.SPEED_MIN
            to: Mouse.SPEED_MAX
            value: panel.lighting.speed
            enabled: panel.lighting.on && panel.lighting.mode !== 1
            ratio_w: panel.ratio_w
            ratio_h: panel.ratio_h
            onCommitted: if (value !== panel.lighting.speed) panel.speedChosen(value)
        }
        Rectangle {
            objectName: "lightPreview"
            width: parent.width
            height: 90 * panel.ratio_h
            radius: 8
            color: Palette.panel
            border.color: Palette.line
            LightEffectBar {
                objectName: "lightBar"
                anchors.centerIn: parent
                width: parent.width * 0.6
                height: 14 * panel.ratio_h
                effect: Effects.fromMouseEffect(panel.lighting.mode)
                lightColor: Qt.rgba(panel.lighting.r / 255, panel.lighting.g / 255, panel.lighting.b / 255, 1)
                lightOn: panel.lighting.on
                brightness: panel.lighting.brightness / Mouse.BRIGHTNESS_MAX
                // Speed 1 is the slowest.
                cycleMs: 3200 - (panel.lighting.speed - Mouse.SPEED_MIN) * 800
            }
            Text {
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 6 * panel.ratio_h
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Note : The colors and speed may differ from those of the actual product"
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.weight: Font.Light
                font.pixelSize: 12 * panel.ratio_h
            }
        }
    }

    ColorPicker {
        id: picker
        objectName: "lightColorPicker"
        anchors.top: effectGrid.bottom
        anchors.topMargin: 24 * panel.ratio_h
        anchors.right: parent.right
        width: 420 * panel.ratio_w
        enabled: panel.lighting.on && Mouse.usesColor(panel.lighting.mode)
        ratio_w: panel.ratio_w
        ratio_h: panel.ratio_h
        onColorPicked: panel.colorChosen(r, g, b)
    }
}
