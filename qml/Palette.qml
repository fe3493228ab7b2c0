pragma Singleton
import QtQuick 2.9

// The colours and type faces every page draws with.
QtObject {
    readonly property color background: "#070707"
    readonly property color text: "#FFFFFF"
    readonly property color textDim: "#9C9C9C"
    readonly property color line: "#313131"
    readonly property color panel: "#121212"
    readonly property color panelRaised: "#1B1B1B"
    readonly property color light: "#D9D9D9"
    readonly property color red: "#A80000"
    readonly property color hover: "#7B0000"
    readonly property color dot: "#FF0000"
    readonly property color updateActive: "#880000"
    readonly property color disabled: "#4A4A4A"
    readonly property string fontFamily: "Kanit"
}
