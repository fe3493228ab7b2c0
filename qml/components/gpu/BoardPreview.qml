import QtQuick 2.12
import QtQuick.Window 2.2
import "../.."
import "../../js/light_effects.js" as Effects

// The card's picture with a light under it that follows the chosen effect.
Item {
    id: preview
    property url picture
    property color lightColor: "#FF0000"
    property int mode: 1
    property bool lightOn: true
    property bool synced: false
    property int speed: 80
    property real ratio_w: 1
    property real ratio_h: 1
    property real phase: 0
    // Only animate while someone can see it: a window in the tray costs nothing.
    readonly property bool animating: lightOn && !synced && visible && Window.window !== null && Window.window.visible

    readonly property color shownColor: synced ? "#FFFFFF"
                                               : (Effects.usesColor(mode) ? lightColor : Qt.hsva(phase, 1, 1, 1))
    readonly property real glow: !lightOn ? 0 : (synced ? 0.35 : Effects.glow(mode, phase))

    NumberAnimation on phase {
        from: 0
        to: 1
        loops: Animation.Infinite
        duration: 600 + (80 - Math.max(0, Math.min(80, preview.speed))) * 40
        running: preview.animating && preview.mode !== 1
    }

    // A soft light behind the card: a coloured band across, faded out above and below.
    Item {
        id: halo
        anchors.centerIn: board
        width: board.paintedWidth * 1.15
        height: board.paintedHeight * 1.1
        opacity: preview.glow * 0.6
        Rectangle {
            anchors.fill: parent
            gradient: Gradient {
                orientation: Gradient.Horizontal
                GradientStop { position: 0.0; color: "transparent" }
                GradientStop { position: 0.3; color: preview.shownColor }
                GradientStop { position: 0.7; color: preview.shownColor }
                GradientStop { position: 1.0; color: "transparent" }
            }
        }
        Rectangle {
            anchors.fill: parent
            gradient: Gradient {
                GradientStop { position: 0.0; color: Palette.background }
                GradientStop { position: 0.5; color: "#00070707" }
                GradientStop { position: 1.0; color: Palette.background }
            }
        }
    }

    Image {
        id: board
        anchors.centerIn: parent
        width: parent.width
        height: parent.height
        fillMode: Image.PreserveAspectFit
        source: preview.picture
        sourceSize.width: Math.ceil(width)
        sourceSize.height: Math.ceil(height)
        smooth: true
    }

    // The light bar along the top edge of the shroud.
    Rectangle {
        objectName: "lightBar"
        x: board.x + (board.width - board.paintedWidth) / 2 + board.paintedWidth * 0.12
        y: board.y + (board.height - board.paintedHeight) / 2 + board.paintedHeight * 0.125
        width: board.paintedWidth * 0.78
        height: Math.max(3, board.paintedHeight * 0.03)
        radius: height / 2
        visible: preview.lightOn
        opacity: preview.glow
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0.0; color: "transparent" }
            GradientStop { position: Effects.peakPosition(preview.mode, preview.phase); color: preview.shownColor }
            GradientStop { position: 1.0; color: "transparent" }
        }
    }
}
