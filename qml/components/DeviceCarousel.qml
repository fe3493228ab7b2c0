import QtQuick 2.9
import ".."
import "../js/devices.js" as Devices

// The home screen's devices; a click on the centre card opens its page.
Item {
    id: carousel
    property var entries: []
    property real ratio_w: 1
    property real ratio_h: 1
    readonly property bool arrowsVisible: Devices.showArrows(entries)
    readonly property alias currentIndex: view.currentIndex
    signal openDevice(int index)

    function step(delta) {
        if (delta > 0)
            view.incrementCurrentIndex()
        else
            view.decrementCurrentIndex()
    }

    PathView {
        id: view
        objectName: "deviceView"
        anchors.fill: parent
        model: carousel.entries
        readonly property int shown: Math.min(count, 3)
        pathItemCount: shown
        snapMode: PathView.SnapToItem
        highlightRangeMode: PathView.StrictlyEnforceRange
        preferredHighlightBegin: 0.5
        preferredHighlightEnd: 0.5
        interactive: count > 1
        clip: true

        readonly property real spacing: 470 * carousel.ratio_w
        path: Path {
            startX: carousel.width / 2 - view.spacing * view.shown / 2
            startY: carousel.height / 2
            PathAttribute { name: "cardScale"; value: 0.78 }
            PathAttribute { name: "cardOpacity"; value: 0.45 }
            PathLine { x: carousel.width / 2; y: carousel.height / 2 }
            PathAttribute { name: "cardScale"; value: 1.0 }
            PathAttribute { name: "cardOpacity"; value: 1.0 }
            PathLine { x: carousel.width / 2 + view.spacing * view.shown / 2; y: carousel.height / 2 }
            PathAttribute { name: "cardScale"; value: 0.78 }
            PathAttribute { name: "cardOpacity"; value: 0.45 }
        }

        delegate: DeviceCard {
            entry: modelData
            ratio_w: carousel.ratio_w
            ratio_h: carousel.ratio_h
            current: PathView.isCurrentItem
            scale: PathView.cardScale !== undefined ? PathView.cardScale : 1
            opacity: PathView.cardOpacity !== undefined ? PathView.cardOpacity : 1
            z: current ? 2 : 1
            onActivated: {
                if (current)
                    carousel.openDevice(index)
                else
                    view.currentIndex = index
            }
        }
    }

    Image {
        objectName: "arrowLeft"
        visible: carousel.arrowsVisible
        anchors.left: parent.left
        anchors.leftMargin: 40 * carousel.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        width: 48 * carousel.ratio_h
        height: width
        source: ConfigData.homeIcons[0]
        sourceSize.width: 96
        sourceSize.height: 96
        z: 5
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: carousel.step(-1)
        }
    }

    Image {
        objectName: "arrowRight"
        visible: carousel.arrowsVisible
        anchors.right: parent.right
        anchors.rightMargin: 40 * carousel.ratio_w
        anchors.verticalCenter: parent.verticalCenter
        width: 48 * carousel.ratio_h
        height: width
        source: ConfigData.homeIcons[1]
        sourceSize.width: 96
        sourceSize.height: 96
        z: 5
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: carousel.step(1)
        }
    }

    Row {
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 24 * carousel.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 10 * carousel.ratio_w
        visible: carousel.arrowsVisible
        Repeater {
            model: carousel.entries.length
            Rectangle {
                width: (index === view.currentIndex ? 26 : 10) * carousel.ratio_w
                height: 6 * carousel.ratio_h
                radius: height / 2
                color: index === view.currentIndex ? Palette.red : Palette.line
            }
        }
    }
}
