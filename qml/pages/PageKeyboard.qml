import QtQuick 2.9
import ".."
import "../components"

// No keyboard is supported yet: the page only says so and sends nothing.
DevicePage {
    id: page
    objectName: "pageKeyboard"

    Image {
        id: picture
        anchors.centerIn: parent
        anchors.verticalCenterOffset: -60 * page.ratio_h
        width: 420 * page.ratio_w
        height: 200 * page.ratio_h
        fillMode: Image.PreserveAspectFit
        source: ConfigData.devicePictures[3]
        sourceSize.width: Math.ceil(width)
        sourceSize.height: Math.ceil(height)
    }

    Text {
        anchors.top: picture.bottom
        anchors.topMargin: 30 * page.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        text: "Keyboard Page"
        color: Palette.text
        font.family: Palette.fontFamily
        font.weight: Font.Medium
        font.pixelSize: 28 * page.ratio_h
    }
}
