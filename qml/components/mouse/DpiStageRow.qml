import QtQuick 2.9
import QtQuick.Controls 2.2
import "../.."
import ".."
import "../../js/mouse.js" as Mouse

// One DPI stage: whether it is in use, whether it is the current one, its X and Y resolution
// and the colour the mouse shows for it.
Rectangle {
    id: row
    property int index: 0
    property var stage: ({ x: 800, y: 800, r: 255, g: 255, b: 255 })
    property bool inUse: true
    property bool current: false
    property bool separateAxes: false
    property real ratio_w: 1
    property real ratio_h: 1
    signal chosen()
    signal useToggled(bool use)
    signal resolutionSet(int x, int y)
    signal colorRequested()

    height: 50 * ratio_h
    radius: 4 * ratio_h
    color: current ? "#2A0505" : Palette.panel
    border.color: current ? Palette.red : Palette.line

    // Shows the stage's values again (after an edit that was not taken).
    function sync() {
        xField.text = String(stage.x)
        yField.text = String(stage.y)
    }

    function commit() {
        var x = Mouse.snapDpi(xField.text)
        var y = separateAxes ? Mouse.snapDpi(yField.text) : x
        if (x !== stage.x || y !== stage.y)
            resolutionSet(x, y)
        else
            sync()
    }

    onStageChanged: sync()
    onSeparateAxesChanged: sync()
    Component.onCompleted: sync()

    // A click anywhere on the row makes its stage the current one; the check box, the fields
    // and the colour above it keep their own clicks.
    MouseArea {
        objectName: "stageRowArea_" + (row.index + 1)
        anchors.fill: parent
        enabled: row.inUse
        cursorShape: Qt.PointingHandCursor
        onClicked: row.chosen()
    }

    CheckBox {
        id: use
        objectName: "stageUse_" + (row.index + 1)
        x: 6 * row.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        checked: row.inUse
        onClicked: {
            var wanted = checked
            checked = Qt.binding(function() { return row.inUse })
            row.useToggled(wanted)
        }
    }

    Text {
        x: 56 * row.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        text: "Stage " + (row.index + 1)
        color: row.inUse ? Palette.text : Palette.textDim
        font.family: Palette.fontFamily
        font.pixelSize: 16 * row.ratio_h
    }

    Row {
        x: 170 * row.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10 * row.ratio_w
        opacity: row.inUse ? 1 : 0.45

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: row.separateAxes ? "X" : "DPI"
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 14 * row.ratio_h
        }
        TextField {
            id: xField
            objectName: "stageX_" + (row.index + 1)
            width: 110 * row.ratio_w
            height: 34 * row.ratio_h
            color: Palette.text
            selectByMouse: true
            font.family: Palette.fontFamily
            font.pixelSize: 15 * row.ratio_h
            validator: IntValidator { bottom: 0; top: Mouse.DPI_MAX }
            background: Rectangle { color: Palette.background; border.color: xField.activeFocus ? Palette.red : Palette.line; radius: 3 }
            onEditingFinished: row.commit()
        }
        Text {
            visible: row.separateAxes
            anchors.verticalCenter: parent.verticalCenter
            text: "Y"
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 14 * row.ratio_h
        }
        TextField {
            id: yField
            objectName: "stageY_" + (row.index + 1)
            visible: row.separateAxes
            width: 110 * row.ratio_w
            height: 34 * row.ratio_h
            color: Palette.text
            selectByMouse: true
            font.family: Palette.fontFamily
            font.pixelSize: 15 * row.ratio_h
            validator: IntValidator { bottom: 0; top: Mouse.DPI_MAX }
            background: Rectangle { color: Palette.background; border.color: yField.activeFocus ? Palette.red : Palette.line; radius: 3 }
            onEditingFinished: row.commit()
        }
    }

    Text {
        anchors.right: swatch.left
        anchors.rightMargin: 12 * row.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        visible: row.current
        text: "Current"
        color: "#FF6060"
        font.family: Palette.fontFamily
        font.pixelSize: 14 * row.ratio_h
    }

    Rectangle {
        id: swatch
        objectName: "stageColor_" + (row.index + 1)
        anchors.right: parent.right
        anchors.rightMargin: 14 * row.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        width: 56 * row.ratio_w
        height: 28 * row.ratio_h
        radius: 4
        color: Qt.rgba(row.stage.r / 255, row.stage.g / 255, row.stage.b / 255, 1)
        border.color: Palette.light
        opacity: row.inUse ? 1 : 0.45
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: row.colorRequested()
        }
    }
}
