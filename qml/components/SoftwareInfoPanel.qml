import QtQuick 2.9
import QtQuick.Controls 2.2

// The software-information panel: version, update, support links, start options.
Popup {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    property string appVersion: ""
    property bool updateAvailable: false
    property bool updating: false
    property int downloadProgress: 0
    property var supportLinks: ({})
    property bool autoLaunch: false
    property bool showWindowAtStart: false

    signal updateRequested()
    signal autoLaunchToggled(bool enabled)
    signal showWindowAtStartToggled(bool enabled)

    modal: true
    x: (parent ? (parent.width - width) / 2 : 0)
    y: (parent ? (parent.height - height) / 2 : 0)
    width: 760 * ratio_w
    height: 560 * ratio_h
    padding: 32 * ratio_h

    background: Rectangle {
        color: "#121212"
        border.color: "#313131"
        radius: 8
    }

    function linkText(name, label) {
        var link = supportLinks[name]
        if (!link)
            return label
        return "<a href=\"" + link + "\" style=\"color:#FF4040\">" + label + "</a>"
    }

    Column {
        anchors.fill: parent
        spacing: 18 * panel.ratio_h

        Text {
            objectName: "versionText"
            text: "Talvorin version " + panel.appVersion
            color: "#FFFFFF"
            font.pixelSize: 24 * panel.ratio_h
            font.weight: Font.Medium
        }

        Row {
            spacing: 16 * panel.ratio_w
            Button {
                id: updateButton
                objectName: "updateButton"
                text: panel.updating ? "Updating..." : "Update"
                enabled: panel.updateAvailable && !panel.updating
                onClicked: panel.updateRequested()
                background: Rectangle {
                    implicitWidth: 140 * panel.ratio_w
                    implicitHeight: 40 * panel.ratio_h
                    radius: 4
                    color: updateButton.enabled ? (updateButton.hovered ? "#7B0000" : "#880000") : "#313131"
                }
                contentItem: Text {
                    text: updateButton.text
                    color: "#FFFFFF"
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    font.pixelSize: 16 * panel.ratio_h
                }
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                textFormat: Text.RichText
                color: "#9C9C9C"
                font.pixelSize: 15 * panel.ratio_h
                text: panel.updateAvailable
                      ? "Talvorin new version " + "available. " + "Software update available. See " + panel.linkText("HomePage-ReleaseNote", "release note")
                      : "You’re up to date! Check " + panel.linkText("HomePage-ReleaseNote", "release note")
                onLinkActivated: Qt.openUrlExternally(link)
            }
        }

        ProgressBar {
            objectName: "downloadProgress"
            visible: panel.updating
            width: parent.width
            from: 0
            to: 100
            value: panel.downloadProgress
        }

        Text {
            width: parent.width
            wrapMode: Text.WordWrap
            textFormat: Text.RichText
            color: "#D9D9D9"
            font.pixelSize: 15 * panel.ratio_h
            text: panel.linkText("HomePage-FAQ", "FAQ") + " · "
                  + panel.linkText("HomePage-ContactUs", "Contact us") + " · "
                  + panel.linkText("GPU-Support", "Graphics card support") + " · "
                  + panel.linkText("Headset-UserManual", "Headset manual") + " · "
                  + panel.linkText("Mouse-UserManual", "Mouse manual") + " · "
                  + panel.linkText("Mouse-ReleaseNote", "Mouse release note")
            onLinkActivated: Qt.openUrlExternally(link)
        }

        Rectangle { width: parent.width; height: 1; color: "#313131" }

        Row {
            spacing: 16 * panel.ratio_w
            Switch {
                id: autoLaunchSwitch
                objectName: "autoLaunchSwitch"
                checked: panel.autoLaunch
                onToggled: panel.autoLaunchToggled(checked)
            }
            Column {
                Text {
                    text: "Software Auto Launch"
                    color: "#FFFFFF"
                    font.pixelSize: 18 * panel.ratio_h
                }
                Text {
                    text: autoLaunchSwitch.checked
                          ? "When enabled Talvorin will automatically launched on startup"
                          : "Disabling automatic launch will affect some features of the devices"
                    color: "#9C9C9C"
                    font.pixelSize: 14 * panel.ratio_h
                }
            }
        }

        CheckBox {
            id: showAtStartBox
            objectName: "showWindowAtStartBox"
            checked: panel.showWindowAtStart
            onToggled: panel.showWindowAtStartToggled(checked)
            contentItem: Text {
                leftPadding: showAtStartBox.indicator.width + showAtStartBox.spacing
                text: "Display window when app starts."
                color: "#FFFFFF"
                font.pixelSize: 16 * panel.ratio_h
                verticalAlignment: Text.AlignVCenter
            }
        }
    }
}
