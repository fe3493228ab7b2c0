import QtQuick 2.9
import QtQuick.Controls 2.3
import "../.."
import ".."
import "../../js/mouse.js" as Mouse

// One step of a macro: its number, key and action, an editable delay and a remove button.
Row {
    id: row
    property int number: 1
    property var step: ({})
    property bool editable: true
    property real ratio_w: 1
    property real ratio_h: 1
    signal delayEdited(string text)
    signal removeRequested()

    height: 32 * ratio_h
    spacing: 0

    function shownDelay() {
        return String(step["delay"] !== undefined ? step["delay"] : Mouse.MACRO_DEFAULT_DELAY)
    }

    Repeater {
        model: [String(row.number), row.step["key"], row.step["actionText"]]
        Text {
            anchors.verticalCenter: parent.verticalCenter
            width: [50, 180, 130][index] * row.ratio_w
            text: modelData
            color: Palette.text
            font.family: Palette.fontFamily
            font.pixelSize: 15 * row.ratio_h
        }
    }

    TextField {
        id: delayField
        objectName: "delayField"
        anchors.verticalCenter: parent.verticalCenter
        width: 70 * row.ratio_w
        height: 26 * row.ratio_h
        padding: 2
        leftPadding: 6
        rightPadding: 6
        enabled: row.editable
        text: row.shownDelay()
        maximumLength: 5
        color: Palette.text
        selectByMouse: true
        horizontalAlignment: TextInput.AlignRight
        inputMethodHints: Qt.ImhDigitsOnly
        font.family: Palette.fontFamily
        font.pixelSize: 14 * row.ratio_h
        background: Rectangle {
            color: Palette.panel
            border.color: Mouse.delayFromText(delayField.text) < 0 ? "#FF6060" : (delayField.activeFocus ? Palette.red : Palette.line)
            radius: 3
        }
        // A delay that is refused goes back to the step's own. An accepted one rebuilds the
        // rows, this one included: the signal is the last thing done here.
        onEditingFinished: {
            var typed = text
            if (Mouse.delayFromText(typed) < 0)
                text = row.shownDelay()
            row.delayEdited(typed)
        }
    }

    Text {
        anchors.verticalCenter: parent.verticalCenter
        width: 100 * row.ratio_w
        leftPadding: 6 * row.ratio_w
        text: "ms"
        color: Palette.textDim
        font.family: Palette.fontFamily
        font.pixelSize: 14 * row.ratio_h
    }

    Rectangle {
        objectName: "removeStep"
        anchors.verticalCenter: parent.verticalCenter
        width: 26 * row.ratio_h
        height: width
        radius: 3
        enabled: row.editable
        opacity: enabled ? 1 : 0.4
        color: removeMouse.containsMouse ? Palette.hover : Palette.panelRaised
        border.color: Palette.line
        Text {
            anchors.centerIn: parent
            text: "✕"
            color: Palette.text
            font.pixelSize: 13 * row.ratio_h
        }
        MouseArea {
            id: removeMouse
            anchors.fill: parent
            hoverEnabled: true
            enabled: parent.enabled
            cursorShape: Qt.PointingHandCursor
            onClicked: row.removeRequested()
        }
    }
}
