import QtQuick 2.12
import ".."

// The opening animation, drawn here rather than played from a picture: the mark grows in,
// a red light sweeps under it, the name appears, and the whole fades away once.
Item {
    id: intro
    property real ratio_w: 1
    property real ratio_h: 1
    property bool running: false
    signal finished()

    width: 630 * ratio_w
    height: 354 * ratio_h

    function start() {
        sequence.restart()
    }

    Image {
        id: mark
        anchors.horizontalCenter: parent.horizontalCenter
        y: 40 * intro.ratio_h
        width: 150 * intro.ratio_h
        height: width
        source: "qrc:/icon/talvorin.svg"
        // It fades in from nothing: decoded beside the animation rather than holding it up.
        asynchronous: true
        sourceSize.width: 300
        sourceSize.height: 300
        opacity: 0
        scale: 0.6
    }

    Rectangle {
        id: sweep
        anchors.horizontalCenter: parent.horizontalCenter
        y: mark.y + mark.height + 24 * intro.ratio_h
        height: 3 * intro.ratio_h
        width: 0
        radius: height / 2
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: "#00A80000" }
            GradientStop { position: 0.5; color: "#FF2020" }
            GradientStop { position: 1; color: "#00A80000" }
        }
    }

    Text {
        id: name
        anchors.horizontalCenter: parent.horizontalCenter
        y: sweep.y + 20 * intro.ratio_h
        text: "BELVARINTH"
        color: Palette.text
        opacity: 0
        font.family: Palette.fontFamily
        font.weight: Font.Medium
        font.pixelSize: 34 * intro.ratio_h
        font.letterSpacing: 2
    }

    Text {
        id: product
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: name.bottom
        text: "TALVORIN"
        color: Palette.textDim
        opacity: 0
        font.family: Palette.fontFamily
        font.weight: Font.Light
        font.pixelSize: 20 * intro.ratio_h
        font.letterSpacing: 8
    }

    SequentialAnimation {
        id: sequence
        onStarted: intro.running = true
        ParallelAnimation {
            NumberAnimation { target: mark; property: "opacity"; to: 1; duration: 450 }
            NumberAnimation { target: mark; property: "scale"; to: 1; duration: 450; easing.type: Easing.OutBack }
        }
        NumberAnimation { target: sweep; property: "width"; to: intro.width * 0.8; duration: 350; easing.type: Easing.OutCubic }
        ParallelAnimation {
            NumberAnimation { target: name; property: "opacity"; to: 1; duration: 300 }
            NumberAnimation { target: name; property: "font.letterSpacing"; from: 2; to: 10; duration: 400 }
            NumberAnimation { target: product; property: "opacity"; to: 1; duration: 400 }
        }
        PauseAnimation { duration: 250 }
        NumberAnimation { target: intro; property: "opacity"; to: 0; duration: 300 }
        ScriptAction {
            script: {
                intro.running = false
                intro.finished()
            }
        }
    }
}
