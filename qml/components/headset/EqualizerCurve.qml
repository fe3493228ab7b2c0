import QtQuick 2.9
import my.util 1.0
import "../.."
import "../../js/headset.js" as Headset

// The frequency response the ten bands, bass and dialogue enhancement give together, on a
// logarithmic frequency axis from 20 Hz to 20 kHz with a dB scale that grows with the curve.
Item {
    id: view
    property var gains: []
    property bool dialogue: false
    property bool bass: false
    property real ratio_w: 1
    property real ratio_h: 1
    readonly property real lowest: 20
    readonly property real highest: 20000
    property var curve: []
    property var frequencies: equalizer.bandFrequencies()
    // The scale reaches at least 12 dB each way, more in steps of 6 when the curve does.
    property real reach: 12

    function refresh() {
        curve = equalizer.responseCurve(gains, dialogue, bass, 160)
        var top = 0
        for (var i = 0; i < curve.length; ++i)
            top = Math.max(top, Math.abs(curve[i].gain))
        reach = Math.max(12, Math.ceil(top / 6) * 6)
        plot.requestPaint()
    }

    // The curve's gain at a frequency, from the points drawn (for tests and the readout).
    function gainAt(frequency) {
        var best = null
        for (var i = 0; i < curve.length; ++i)
            if (best === null || Math.abs(Math.log(curve[i].frequency / frequency)) < Math.abs(Math.log(best.frequency / frequency)))
                best = curve[i]
        return best ? best.gain : 0
    }

    function xOf(frequency, width) {
        return width * Math.log(frequency / lowest) / Math.log(highest / lowest)
    }

    onGainsChanged: refresh()
    onDialogueChanged: refresh()
    onBassChanged: refresh()
    Component.onCompleted: refresh()

    HeadsetEqualizer {
        id: equalizer
    }

    Text {
        id: title
        text: "Frequency response"
        color: Palette.text
        font.family: Palette.fontFamily
        font.pixelSize: 15 * view.ratio_h
    }

    Item {
        id: area
        anchors.top: title.bottom
        anchors.topMargin: 8 * view.ratio_h
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 18 * view.ratio_h
        anchors.left: parent.left
        anchors.leftMargin: 44 * view.ratio_w
        anchors.right: parent.right

        Canvas {
            id: plot
            objectName: "responsePlot"
            anchors.fill: parent
            renderStrategy: Canvas.Cooperative
            onWidthChanged: requestPaint()
            onHeightChanged: requestPaint()
            onPaint: {
                var ctx = getContext("2d")
                ctx.reset()
                var reach = view.reach
                var yOf = function(gain) { return height / 2 - gain / reach * (height / 2) }
                ctx.lineWidth = 1
                for (var g = -reach; g <= reach; g += 6) {
                    ctx.strokeStyle = g === 0 ? "#4A4A4A" : "#242424"
                    ctx.beginPath()
                    ctx.moveTo(0, yOf(g))
                    ctx.lineTo(width, yOf(g))
                    ctx.stroke()
                }
                ctx.strokeStyle = "#242424"
                for (var b = 0; b < view.frequencies.length; ++b) {
                    var x = view.xOf(view.frequencies[b], width)
                    ctx.beginPath()
                    ctx.moveTo(x, 0)
                    ctx.lineTo(x, height)
                    ctx.stroke()
                }
                if (view.curve.length === 0)
                    return
                ctx.beginPath()
                ctx.moveTo(0, yOf(0))
                for (var i = 0; i < view.curve.length; ++i)
                    ctx.lineTo(view.xOf(view.curve[i].frequency, width), yOf(view.curve[i].gain))
                ctx.lineTo(width, yOf(0))
                ctx.closePath()
                ctx.fillStyle = "rgba(168, 0, 0, 0.25)"
                ctx.fill()
                ctx.beginPath()
                for (var j = 0; j < view.curve.length; ++j) {
                    var px = view.xOf(view.curve[j].frequency, width), py = yOf(view.curve[j].gain)
                    if (j === 0)
                        ctx.moveTo(px, py)
                    else
                        ctx.lineTo(px, py)
                }
                ctx.strokeStyle = "#FF3030"
                ctx.lineWidth = 2
                ctx.stroke()
            }
        }

        Repeater {
            model: [view.reach, view.reach / 2, 0, -view.reach / 2, -view.reach]
            Text {
                x: -width - 6 * view.ratio_w
                y: area.height / 2 - modelData / view.reach * (area.height / 2) - height / 2
                text: (modelData > 0 ? "+" : "") + modelData + " dB"
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.pixelSize: 11 * view.ratio_h
            }
        }

        Repeater {
            model: view.frequencies
            Text {
                x: view.xOf(modelData, area.width) - width / 2
                y: area.height + 2 * view.ratio_h
                text: Headset.BAND_LABELS[index]
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.pixelSize: 11 * view.ratio_h
            }
        }
    }
}
