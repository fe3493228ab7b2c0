import QtQuick 2.9
import "../.."

// One metric over the last minutes: a line from the oldest sample (left) to now (right),
// with the lowest and highest value of the window. A pause of the monitor breaks the line.
Item {
    id: graph
    property var history: null
    property string key: ""
    property string label: ""
    property string unit: ""
    property var range: ({ min: 0, max: 100 })
    property real ratio_w: 1
    property real ratio_h: 1
    // The samples come once a second; a longer silence is a pause, not a slope.
    readonly property real gapSeconds: 2.5
    readonly property int windowSeconds: history ? history.windowSeconds : 300
    property var latest: undefined
    property var lowest: undefined
    property var highest: undefined

    function numberText(value) {
        return value === undefined || value === null ? "--" : String(Math.round(value))
    }

    function refresh() {
        latest = history ? history.latest(key) : undefined
        lowest = history ? history.minimum(key) : undefined
        highest = history ? history.maximum(key) : undefined
        plot.requestPaint()
    }

    Connections {
        target: graph.history
        function onChanged() { graph.refresh() }
    }
    Component.onCompleted: refresh()

    Text {
        id: title
        text: graph.label
        color: Palette.light
        font.family: Palette.fontFamily
        font.pixelSize: 14 * graph.ratio_h
    }
    Text {
        objectName: "latestText"
        anchors.right: parent.right
        anchors.baseline: title.baseline
        text: graph.numberText(graph.latest) + " " + graph.unit
        color: Palette.text
        font.family: Palette.fontFamily
        font.weight: Font.Medium
        font.pixelSize: 15 * graph.ratio_h
    }

    Rectangle {
        id: frame
        anchors.top: title.bottom
        anchors.topMargin: 4 * graph.ratio_h
        anchors.bottom: extremes.top
        anchors.bottomMargin: 4 * graph.ratio_h
        width: parent.width
        color: Palette.background
        border.color: Palette.line

        Canvas {
            id: plot
            objectName: "plot"
            anchors.fill: parent
            anchors.margins: 2
            renderStrategy: Canvas.Cooperative
            onWidthChanged: requestPaint()
            onHeightChanged: requestPaint()
            onPaint: {
                var ctx = getContext("2d")
                ctx.reset()
                var lo = graph.range.min, hi = graph.range.max
                if (graph.highest !== undefined && graph.highest > hi)
                    hi = graph.highest
                if (graph.lowest !== undefined && graph.lowest < lo)
                    lo = graph.lowest
                var span = hi > lo ? hi - lo : 1
                ctx.strokeStyle = "#242424"
                ctx.lineWidth = 1
                for (var q = 1; q < 4; ++q) {
                    ctx.beginPath()
                    ctx.moveTo(0, height * q / 4)
                    ctx.lineTo(width, height * q / 4)
                    ctx.stroke()
                }
                var points = graph.history ? graph.history.points(graph.key) : []
                ctx.strokeStyle = "#D00000"
                ctx.lineWidth = 2
                ctx.beginPath()
                var lastAge = -1
                for (var i = 0; i < points.length; ++i) {
                    var x = width * (1 - points[i].age / graph.windowSeconds)
                    var y = height - height * (points[i].value - lo) / span
                    if (i === 0 || lastAge - points[i].age > graph.gapSeconds)
                        ctx.moveTo(x, y)
                    else
                        ctx.lineTo(x, y)
                    lastAge = points[i].age
                }
                ctx.stroke()
            }
        }
    }

    Row {
        id: extremes
        anchors.bottom: parent.bottom
        width: parent.width
        Text {
            objectName: "minimumText"
            width: parent.width / 2
            text: "Min " + graph.numberText(graph.lowest)
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 12 * graph.ratio_h
        }
        Text {
            objectName: "maximumText"
            width: parent.width / 2
            horizontalAlignment: Text.AlignRight
            text: "Max " + graph.numberText(graph.highest)
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 12 * graph.ratio_h
        }
    }
}
