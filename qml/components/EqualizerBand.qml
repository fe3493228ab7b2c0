import QtQuick 2.9
import QtQuick.Controls 2.2
import ".."

// One band of the graphic equaliser: gain in dB from -10 to 10, its frequency underneath.
Item {
    id: band
    property int value: 0
    property string frequency: ""
    property real ratio_h: 1
    readonly property int shownValue: Math.round(slider.value)
    // Where the handle's centre sits for the lowest and the highest gain, for a scale beside.
    readonly property real handleHeight: 12 * ratio_h
    readonly property real trackTop: slider.y + slider.topPadding + handleHeight / 2
    readonly property real trackSpan: slider.availableHeight - handleHeight
    readonly property real gainFrom: slider.from
    readonly property real gainTo: slider.to
    signal moved(int value)

    implicitWidth: 48 * ratio_h
    implicitHeight: 250 * ratio_h
    opacity: enabled ? 1 : 0.4

    function sync() {
        slider.value = Qt.binding(function() { return band.value })
    }

    Text {
        id: gain
        anchors.top: parent.top
        anchors.horizontalCenter: parent.horizontalCenter
        text: (band.shownValue > 0 ? "+" : "") + band.shownValue
        color: Palette.text
        font.family: Palette.fontFamily
        font.pixelSize: 14 * band.ratio_h
    }

    Slider {
        id: slider
        objectName: "bandSlider"
        anchors.top: gain.bottom
        anchors.bottom: freq.top
        anchors.margins: 6 * band.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        width: 30 * band.ratio_h
        orientation: Qt.Vertical
        from: -10
        to: 10
        stepSize: 1
        snapMode: Slider.SnapAlways
        value: band.value
        onMoved: band.moved(Math.round(value))

        background: Rectangle {
            x: slider.leftPadding + slider.availableWidth / 2 - width / 2
            y: slider.topPadding
            width: 4 * band.ratio_h
            height: slider.availableHeight
            radius: width / 2
            color: Palette.line
            Rectangle {
                // from the 0 dB line to the handle
                width: parent.width
                y: Math.min(slider.visualPosition, 0.5) * parent.height
                height: Math.abs(slider.visualPosition - 0.5) * parent.height
                color: Palette.red
            }
            Rectangle {
                y: parent.height / 2
                x: -6 * band.ratio_h
                width: parent.width + 12 * band.ratio_h
                height: 1
                color: Palette.textDim
            }
        }
        handle: Rectangle {
            x: slider.leftPadding + slider.availableWidth / 2 - width / 2
            y: slider.topPadding + slider.visualPosition * (slider.availableHeight - height)
            width: 20 * band.ratio_h
            height: band.handleHeight
            radius: 3
            color: slider.pressed ? Palette.light : Palette.text
            border.color: Palette.red
            border.width: 2
        }
    }

    Text {
        id: freq
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        text: band.frequency
        color: Palette.textDim
        font.family: Palette.fontFamily
        font.pixelSize: 13 * band.ratio_h
    }
}
