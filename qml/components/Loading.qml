import QtQuick 2.9
import QtQuick.Window 2.2
import ".."

// Covers the window while a device is being read; takes every click so nothing else is pressed.
Rectangle {
    id: mask
    property real ratio_h: 1
    property string text: "Loading..."

    color: "#CC070707"
    visible: false

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
        onWheel: wheel.accepted = true
    }

    Canvas {
        id: spinner
        anchors.centerIn: parent
        width: 72 * mask.ratio_h
        height: width
        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            var r = width / 2 - 5
            ctx.lineWidth = 6
            ctx.lineCap = "round"
            ctx.strokeStyle = "#313131"
            ctx.beginPath()
            ctx.arc(width / 2, height / 2, r, 0, 2 * Math.PI)
            ctx.stroke()
            ctx.strokeStyle = "#A80000"
            ctx.beginPath()
            ctx.arc(width / 2, height / 2, r, -Math.PI / 2, Math.PI / 3)
            ctx.stroke()
        }
        RotationAnimator on rotation {
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
            // Not while the window is in the tray: nobody sees it turn.
            running: mask.visible && Window.window !== null && Window.window.visible
        }
    }

    Text {
        anchors.top: spinner.bottom
        anchors.topMargin: 18 * mask.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        text: mask.text
        color: Palette.light
        font.family: Palette.fontFamily
        font.pixelSize: 18 * mask.ratio_h
    }
}
