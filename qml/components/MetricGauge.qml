import QtQuick 2.9
import ".."
import "../js/gpu.js" as Gpu

// One dial of the hardware monitor: the value inside an arc scaled by the card's range.
Item {
    id: gauge
    property string label: ""
    property string unit: ""
    property var value: 0
    property var range: ({ min: 0, max: 100 })
    property bool live: false
    property real ratio_h: 1
    readonly property real fraction: Gpu.gaugeFraction(value, range)

    implicitWidth: 160 * ratio_h
    implicitHeight: 180 * ratio_h

    onFractionChanged: dial.requestPaint()
    onLiveChanged: dial.requestPaint()

    Canvas {
        id: dial
        anchors.top: parent.top
        anchors.horizontalCenter: parent.horizontalCenter
        width: Math.min(parent.width, 150 * gauge.ratio_h)
        height: width
        renderStrategy: Canvas.Cooperative
        onWidthChanged: requestPaint()
        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            var cx = width / 2, cy = height / 2, r = width / 2 - 8
            var start = 0.75 * Math.PI, sweep = 1.5 * Math.PI
            ctx.lineWidth = 9
            ctx.lineCap = "round"
            ctx.strokeStyle = "#313131"
            ctx.beginPath()
            ctx.arc(cx, cy, r, start, start + sweep)
            ctx.stroke()
            if (gauge.fraction > 0) {
                ctx.strokeStyle = gauge.live ? "#D00000" : "#5A1010"
                ctx.beginPath()
                ctx.arc(cx, cy, r, start, start + sweep * gauge.fraction)
                ctx.stroke()
            }
        }
    }

    Column {
        anchors.centerIn: dial
        Text {
            objectName: "valueText"
            anchors.horizontalCenter: parent.horizontalCenter
            text: gauge.live ? String(parseInt(gauge.value) || 0) : "--"
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 28 * gauge.ratio_h
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: gauge.unit
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 14 * gauge.ratio_h
        }
    }

    Text {
        anchors.horizontalCenter: dial.horizontalCenter
        anchors.bottom: dial.bottom
        text: gauge.range.min + " – " + gauge.range.max
        color: "#6A6A6A"
        font.family: Palette.fontFamily
        font.pixelSize: 12 * gauge.ratio_h
    }

    Text {
        anchors.top: dial.bottom
        anchors.topMargin: 4 * gauge.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        text: gauge.label
        color: Palette.light
        font.family: Palette.fontFamily
        font.pixelSize: 15 * gauge.ratio_h
    }
}
