import QtQuick 2.9
import QtQuick.Controls 2.2
import ".."

// A titled slider that shows the value it is given and reports a new value when released.
Item {
    id: root
    property string label: ""
    property real from: 0
    property real to: 100
    property real value: 0
    property string unit: ""
    property real ratio_w: 1
    property real ratio_h: 1
    readonly property int shownValue: Math.round(slider.value)
    signal committed(int value)

    implicitHeight: 64 * ratio_h
    opacity: enabled ? 1 : 0.4

    // Puts the handle back on the given value (after a refused change).
    function sync() {
        slider.value = Qt.binding(function() { return root.value })
    }

    // What a drag would do, for keyboard use and checks.
    function commit(newValue) {
        slider.value = newValue
        root.committed(Math.round(newValue))
    }

    Text {
        id: title
        anchors.left: parent.left
        anchors.top: parent.top
        text: root.label
        color: Palette.text
        font.family: Palette.fontFamily
        font.pixelSize: 17 * root.ratio_h
    }

    Text {
        anchors.right: parent.right
        anchors.top: parent.top
        text: root.shownValue + root.unit
        color: Palette.textDim
        font.family: Palette.fontFamily
        font.pixelSize: 16 * root.ratio_h
    }

    Slider {
        id: slider
        objectName: "slider"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 28 * root.ratio_h
        from: root.from
        to: root.to
        stepSize: 1
        value: root.value
        enabled: root.enabled
        onPressedChanged: if (!pressed) root.committed(Math.round(value))

        background: Rectangle {
            x: slider.leftPadding
            y: slider.topPadding + slider.availableHeight / 2 - height / 2
            width: slider.availableWidth
            height: 6 * root.ratio_h
            radius: height / 2
            color: Palette.line
            Rectangle {
                width: slider.visualPosition * parent.width
                height: parent.height
                radius: parent.radius
                color: Palette.red
            }
        }
        handle: Rectangle {
            x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
            y: slider.topPadding + slider.availableHeight / 2 - height / 2
            width: 20 * root.ratio_h
            height: width
            radius: width / 2
            color: slider.pressed ? Palette.light : Palette.text
            border.color: Palette.red
            border.width: 3
        }
    }
}
