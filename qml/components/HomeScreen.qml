import QtQuick 2.9
import ".."

// The home page under the header: the device cards with the actions below them, or the
// panel that says no device was found.
Item {
    id: home
    objectName: "homeScreen"
    property real ratio_w: 1
    property real ratio_h: 1
    property var entries: []
    property bool discovered: false
    signal openDevice(int index)
    signal allDevicesClicked()
    signal exportRequested(string fileUrl)
    signal importRequested(string fileUrl)
    signal refresh()

    function showActionAnswer(answer) {
        homeActions.showAnswer(answer)
    }

    DeviceCarousel {
        id: carousel
        objectName: "deviceCarousel"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: homeActions.top
        visible: home.entries.length > 0
        entries: home.entries
        ratio_w: home.ratio_w
        ratio_h: home.ratio_h
        onOpenDevice: home.openDevice(index)
    }

    HomeActions {
        id: homeActions
        objectName: "homeActions"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        visible: carousel.visible
        ratio_w: home.ratio_w
        ratio_h: home.ratio_h
        onAllDevicesClicked: home.allDevicesClicked()
        onExportRequested: home.exportRequested(fileUrl)
        onImportRequested: home.importRequested(fileUrl)
    }

    NoDevicePanel {
        objectName: "noDevicePanel"
        anchors.fill: parent
        visible: home.discovered && home.entries.length === 0
        ratio_w: home.ratio_w
        ratio_h: home.ratio_h
        onRefresh: home.refresh()
    }
}
