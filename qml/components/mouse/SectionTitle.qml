import QtQuick 2.9
import "../.."

// The heading of a group of settings, with an optional line of explanation under it.
Column {
    id: section
    property string title: ""
    property string note: ""
    property real ratio_h: 1
    spacing: 2 * ratio_h

    Text {
        text: section.title
        color: Palette.text
        font.family: Palette.fontFamily
        font.weight: Font.Medium
        font.pixelSize: 19 * section.ratio_h
    }
    Text {
        visible: section.note.length > 0
        text: section.note
        color: Palette.textDim
        font.family: Palette.fontFamily
        font.weight: Font.Light
        font.pixelSize: 14 * section.ratio_h
    }
}
