import QtQuick 2.9
import QtQuick.Window 2.2
import QtQuick.Controls 2.2

// The floor for the first window: the least a Qt Quick window with a toolbar costs to appear.
ApplicationWindow {
    width: 1440
    height: 810
    visible: true
    title: "bare"
    header: ToolBar {
        Label {
            anchors.centerIn: parent
            text: "Your Devices"
        }
    }
    Label {
        anchors.centerIn: parent
        text: "Nothing here"
    }
}
