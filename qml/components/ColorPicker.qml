import QtQuick 2.12
import QtQuick.Controls 2.2
import ".."
import "../js/gpu.js" as Gpu

// Saturation/value square, hue bar and a "HEX -" field. Shows the colour it is given; reports a
// new colour when the mouse is released or a hex code is entered.
Item {
    id: picker
    property int r: 255
    property int g: 0
    property int b: 0
    property real ratio_w: 1
    property real ratio_h: 1
    // The colour under the mouse while dragging, the given colour otherwise.
    readonly property color previewColor: dragging ? Qt.hsva(hue, saturation, brightness, 1) : Qt.rgba(r / 255, g / 255, b / 255, 1)
    property bool dragging: false
    property real hue: 0
    property real saturation: 1
    property real brightness: 1
    signal colorPicked(int r, int g, int b)

    implicitWidth: 360 * ratio_w
    implicitHeight: 250 * ratio_h
    opacity: enabled ? 1 : 0.4

    function sync() {
        var hsv = Gpu.rgbToHsv(r, g, b)
        // A grey has no hue of its own: keep the bar where it was.
        if (hsv.s > 0)
            hue = hsv.h
        saturation = hsv.s
        brightness = hsv.v
        hexField.text = Gpu.toHex(r, g, b).substring(1)
    }

    function pickFromHex(text) {
        var rgb = Gpu.parseHex(text)
        if (rgb === null) {
            hexField.text = Gpu.toHex(r, g, b).substring(1)
            return false
        }
        colorPicked(rgb.r, rgb.g, rgb.b)
        return true
    }

    function emitCurrent() {
        var rgb = Gpu.hsvToRgb(hue, saturation, brightness)
        colorPicked(rgb.r, rgb.g, rgb.b)
    }

    onRChanged: sync()
    onGChanged: sync()
    onBChanged: sync()
    Component.onCompleted: sync()

    Rectangle {
        id: square
        objectName: "svSquare"
        anchors.left: parent.left
        anchors.top: parent.top
        width: parent.width
        height: 160 * picker.ratio_h
        radius: 4
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: "#FFFFFF" }
            GradientStop { position: 1; color: Qt.hsva(picker.hue, 1, 1, 1) }
        }
        Rectangle {
            anchors.fill: parent
            radius: parent.radius
            gradient: Gradient {
                GradientStop { position: 0; color: "#00000000" }
                GradientStop { position: 1; color: "#FF000000" }
            }
        }
        Rectangle {
            x: picker.saturation * parent.width - width / 2
            y: (1 - picker.brightness) * parent.height - height / 2
            width: 16 * picker.ratio_h
            height: width
            radius: width / 2
            color: "transparent"
            border.color: "#FFFFFF"
            border.width: 3
        }
        MouseArea {
            anchors.fill: parent
            enabled: picker.enabled
            function place(mouse) {
                picker.saturation = Math.max(0, Math.min(1, mouse.x / width))
                picker.brightness = 1 - Math.max(0, Math.min(1, mouse.y / height))
            }
            onPressed: { picker.dragging = true; place(mouse) }
            onPositionChanged: place(mouse)
            onReleased: { picker.dragging = false; picker.emitCurrent() }
        }
    }

    Rectangle {
        id: hueBar
        objectName: "hueBar"
        anchors.top: square.bottom
        anchors.topMargin: 14 * picker.ratio_h
        width: parent.width
        height: 16 * picker.ratio_h
        radius: height / 2
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0.000; color: "#FF0000" }
            GradientStop { position: 0.167; color: "#FFFF00" }
            GradientStop { position: 0.333; color: "#00FF00" }
            GradientStop { position: 0.500; color: "#00FFFF" }
            GradientStop { position: 0.667; color: "#0000FF" }
            GradientStop { position: 0.833; color: "#FF00FF" }
            GradientStop { position: 1.000; color: "#FF0000" }
        }
        Rectangle {
            x: picker.hue * parent.width - width / 2
            anchors.verticalCenter: parent.verticalCenter
            width: 20 * picker.ratio_h
            height: width
            radius: width / 2
            color: Qt.hsva(picker.hue, 1, 1, 1)
            border.color: "#FFFFFF"
            border.width: 3
        }
        MouseArea {
            anchors.fill: parent
            anchors.margins: -6 * picker.ratio_h
            enabled: picker.enabled
            function place(mouse) {
                picker.hue = Math.max(0, Math.min(0.999, (mouse.x - 6 * picker.ratio_h) / hueBar.width))
            }
            onPressed: { picker.dragging = true; place(mouse) }
            onPositionChanged: place(mouse)
            onReleased: { picker.dragging = false; picker.emitCurrent() }
        }
    }

    Row {
        anchors.top: hueBar.bottom
        anchors.topMargin: 16 * picker.ratio_h
        spacing: 12 * picker.ratio_w

        Rectangle {
            objectName: "swatch"
            width: 44 * picker.ratio_w
            height: 32 * picker.ratio_h
            radius: 4
            color: picker.previewColor
            border.color: Palette.line
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: "HEX -"
            color: Palette.text
            font.family: Palette.fontFamily
            font.pixelSize: 17 * picker.ratio_h
        }
        TextField {
            id: hexField
            objectName: "hexField"
            width: 130 * picker.ratio_w
            height: 32 * picker.ratio_h
            padding: 4
            leftPadding: 10
            color: Palette.text
            font.family: Palette.fontFamily
            font.pixelSize: 16 * picker.ratio_h
            font.capitalization: Font.AllUppercase
            maximumLength: 7
            selectByMouse: true
            validator: RegExpValidator { regExp: /#?[0-9A-Fa-f]{0,6}/ }
            background: Rectangle {
                color: Palette.background
                border.color: hexField.activeFocus ? Palette.red : Palette.line
                radius: 4
            }
            onAccepted: picker.pickFromHex(text)
        }
    }
}
