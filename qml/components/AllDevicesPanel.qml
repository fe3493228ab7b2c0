import QtQuick 2.9
import QtQuick.Controls 2.2
import ".."

// "All devices": one effect and colour for every graphics card and mouse. The worker sends
// each device its own page's command and answers with what each device did; a device that
// cannot show the effect is named with the reason.
Popup {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    property string effect: "single-color"
    property int r: 255
    property int g: 0
    property int b: 0
    property int brightness: 255
    property int speed: 80
    property bool applying: false
    // The last answer's devices: { device, result, reason }.
    property var results: []

    signal applyRequested(var command)

    readonly property var effects: [
        { key: "single-color", name: "Single Color" }, { key: "meteor", name: "Meteor" },
        { key: "breathing", name: "Breathing" }, { key: "ripple", name: "Ripple" },
        { key: "double-blink", name: "Double Blink" }, { key: "blink", name: "Blink" },
        { key: "color-shift", name: "Color Shift" }, { key: "rainbow", name: "Rainbow" },
        { key: "off", name: "Off" }
    ]

    function command() {
        return {
            "Control": 22,
            "effect": effect,
            "r_color": r,
            "g_color": g,
            "b_color": b,
            "brightness_value": brightness,
            "speed_value": speed
        }
    }

    function apply() {
        applying = true
        results = []
        applyRequested(command())
    }

    function showAnswer(answer) {
        applying = false
        results = answer["devices"] ? answer["devices"] : []
    }

    function resultText(entry) {
        if (entry.result === "skipped")
            return entry.device + ": skipped, " + entry.reason
        return entry.device + (entry.result === "set" ? ": done" : ": failed")
    }

    modal: true
    x: (parent ? (parent.width - width) / 2 : 0)
    y: (parent ? (parent.height - height) / 2 : 0)
    width: 900 * ratio_w
    height: 640 * ratio_h
    padding: 32 * ratio_h

    background: Rectangle {
        color: Palette.panel
        border.color: Palette.line
        radius: 8 * panel.ratio_h
    }

    Text {
        id: title
        anchors.left: parent.left
        anchors.top: parent.top
        text: "All Devices Lighting"
        color: Palette.text
        font.family: Palette.fontFamily
        font.pixelSize: 26 * panel.ratio_h
    }

    Text {
        id: subtitle
        anchors.left: parent.left
        anchors.top: title.bottom
        anchors.topMargin: 4 * panel.ratio_h
        text: "One effect and colour for every graphics card and mouse that supports it"
        color: Palette.textDim
        font.family: Palette.fontFamily
        font.pixelSize: 15 * panel.ratio_h
    }

    Flow {
        id: effectButtons
        objectName: "effectButtons"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: subtitle.bottom
        anchors.topMargin: 20 * panel.ratio_h
        spacing: 10 * panel.ratio_w
        Repeater {
            model: panel.effects
            TextButton {
                objectName: "effect_" + modelData.key
                text: modelData.name
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                fontSize: 15
                primary: panel.effect === modelData.key
                onClicked: panel.effect = modelData.key
            }
        }
    }

    ColorPicker {
        id: picker
        objectName: "allDevicesColor"
        anchors.left: parent.left
        anchors.top: effectButtons.bottom
        anchors.topMargin: 24 * panel.ratio_h
        ratio_w: panel.ratio_w
        ratio_h: panel.ratio_h
        r: panel.r
        g: panel.g
        b: panel.b
        enabled: panel.effect !== "off" && panel.effect !== "rainbow" && panel.effect !== "color-shift"
        onColorPicked: {
            panel.r = r
            panel.g = g
            panel.b = b
        }
    }

    Column {
        anchors.left: picker.right
        anchors.leftMargin: 40 * panel.ratio_w
        anchors.right: parent.right
        anchors.top: picker.top
        spacing: 18 * panel.ratio_h

        LabeledSlider {
            objectName: "allDevicesBrightness"
            width: parent.width
            label: "Brightness"
            from: 0
            to: 255
            value: panel.brightness
            ratio_w: panel.ratio_w
            ratio_h: panel.ratio_h
            enabled: panel.effect !== "off"
            onCommitted: panel.brightness = value
        }
        LabeledSlider {
            objectName: "allDevicesSpeed"
            width: parent.width
            label: "Speed"
            from: 0
            to: 80
            value: panel.speed
            ratio_w: panel.ratio_w
            ratio_h: panel.ratio_h
            enabled: panel.effect !== "off" && panel.effect !== "single-color"
            onCommitted: panel.speed = value
        }
        Row {
            spacing: 14 * panel.ratio_w
            TextButton {
                objectName: "applyAllDevices"
                text: panel.applying ? "Applying..." : "Apply to all devices"
                primary: true
                enabled: !panel.applying
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onClicked: panel.apply()
            }
            TextButton {
                text: "Close"
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onClicked: panel.close()
            }
        }
        Column {
            objectName: "allDevicesResults"
            width: parent.width
            spacing: 6 * panel.ratio_h
            Repeater {
                model: panel.results
                Text {
                    width: parent.width
                    wrapMode: Text.Wrap
                    text: panel.resultText(modelData)
                    color: modelData.result === "set" ? Palette.text
                         : (modelData.result === "failed" ? Palette.dot : Palette.textDim)
                    font.family: Palette.fontFamily
                    font.pixelSize: 15 * panel.ratio_h
                }
            }
        }
    }
}
