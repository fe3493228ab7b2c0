import QtQuick 2.9
import "../.."

// The dB marks beside the equaliser's bands, level with their handles, and faint lines
// across the bands at each mark.
Item {
    id: dbScale
    // One band of the row, for the handle positions; the bands sit right of the labels.
    property Item band: null
    property real labelWidth: 40
    property real linesWidth: 0
    property real ratio_h: 1
    readonly property var marks: [10, 5, 0, -5, -10]

    function yOf(gain) {
        if (!band)
            return 0
        return band.trackTop + (band.gainTo - gain) / (band.gainTo - band.gainFrom) * band.trackSpan
    }

    Repeater {
        model: dbScale.marks
        Item {
            objectName: "mark_" + modelData
            y: dbScale.yOf(modelData)
            width: dbScale.labelWidth + dbScale.linesWidth
            Rectangle {
                x: dbScale.labelWidth
                width: dbScale.linesWidth
                height: 1
                color: modelData === 0 ? "#3A3A3A" : "#222222"
            }
            Text {
                width: dbScale.labelWidth - 8
                anchors.verticalCenter: parent.top
                horizontalAlignment: Text.AlignRight
                text: (modelData > 0 ? "+" : "") + modelData
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.pixelSize: 12 * dbScale.ratio_h
            }
        }
    }
}
