import QtQuick 2.12
import QtQuick.Window 2.2
import ".."
import "../js/light_effects.js" as Effects

// A strip of light that plays an effect: breathing, blinking, a travelling meteor, one hue
// after another, or the whole rainbow moving along it; dimmer at a lower brightness.
Rectangle {
    id: bar
    property int effect: Effects.SINGLE
    property color lightColor: "#FF0000"
    property bool lightOn: true
    // 0 to 1.
    property real brightness: 1
    // One cycle of the effect.
    property int cycleMs: 1500
    property real phase: 0
    readonly property bool animating: lightOn && Effects.cycles(effect) && visible
                                      && Window.window !== null && Window.window.visible
    readonly property real shownOpacity: lightOn ? Effects.glow(effect, phase) * (0.2 + 0.8 * brightness) : 1

    function colorAt(position) {
        var hue = Effects.hueAt(effect, phase, position)
        return hue < 0 ? lightColor : Qt.hsva(hue, 1, 1, 1)
    }

    radius: height / 2
    color: lightOn ? "transparent" : Palette.line
    opacity: shownOpacity

    NumberAnimation on phase {
        from: 0
        to: 1
        loops: Animation.Infinite
        duration: bar.cycleMs
        running: bar.animating
    }

    Rectangle {
        id: strip
        objectName: "lightStrip"
        anchors.fill: parent
        radius: parent.radius
        visible: bar.lightOn
        readonly property real peak: Effects.peakPosition(bar.effect, bar.phase)
        readonly property bool travelling: bar.effect === Effects.METEOR || bar.effect === Effects.RIPPLE
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0.0; color: strip.travelling ? "transparent" : bar.colorAt(0.0) }
            GradientStop { position: strip.travelling ? strip.peak : 0.25; color: bar.colorAt(0.25) }
            GradientStop { position: strip.travelling ? strip.peak : 0.5; color: bar.colorAt(0.5) }
            GradientStop { position: strip.travelling ? strip.peak : 0.75; color: bar.colorAt(0.75) }
            GradientStop { position: 1.0; color: strip.travelling ? "transparent" : bar.colorAt(1.0) }
        }
    }
}
