import QtQuick 2.9
import QtQuick.Controls 2.2
import ".."

// The software-information panel: version, update, support links, start options.
Popup {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    property string appVersion: ""
    property string newVersion: ""
    property bool updateAvailable: false
    property bool updating: false
    property int downloadProgress: 0
    property var supportLinks: ({})
    property bool autoLaunch: false
    property bool showWindowAtStart: false

    signal updateRequested()
    signal autoLaunchToggled(bool enabled)
    signal showWindowAtStartToggled(bool enabled)

    readonly property var supportEntries: [
        { name: "HomePage-FAQ", label: "FAQ" },
        { name: "HomePage-ReleaseNote", label: "Release Note" },
        { name: "HomePage-ContactUs", label: "Contact Us" },
        { name: "GPU-Support", label: "Graphics Card Support" },
        { name: "Headset-UserManual", label: "Headset User Manual" },
        { name: "Mouse-UserManual", label: "Mouse User Manual" },
        { name: "Mouse-ReleaseNote", label: "Mouse Release Note" }
    ]

    modal: true
    x: (parent ? (parent.width - width) / 2 : 0)
    y: (parent ? (parent.height - height) / 2 : 0)
    width: 780 * ratio_w
    height: 560 * ratio_h
    padding: 36 * ratio_h

    background: Rectangle {
        color: Palette.panel
        border.color: Palette.line
        radius: 10
    }

    function linkText(name, label) {
        var link = supportLinks[name]
        if (!link)
            return label
        return "<a href=\"" + link + "\" style=\"color:#FF4040; text-decoration:none\">" + label + "</a>"
    }

    Text {
        anchors.right: parent.right
        anchors.top: parent.top
        text: "✕"
        color: closeMouse.containsMouse ? Palette.text : Palette.textDim
        font.pixelSize: 20 * panel.ratio_h
        MouseArea {
            id: closeMouse
            anchors.fill: parent
            anchors.margins: -8
            hoverEnabled: true
            onClicked: panel.close()
        }
    }

    Column {
        anchors.fill: parent
        spacing: 16 * panel.ratio_h

        Text {
            objectName: "versionText"
            text: "Talvorin version " + panel.appVersion
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 26 * panel.ratio_h
        }

        Row {
            spacing: 18 * panel.ratio_w
            Item {
                width: updateButton.width
                height: updateButton.height
                TextButton {
                    id: updateButton
                    objectName: "updateButton"
                    text: panel.updating ? "Updating..." : "Update"
                    enabled: panel.updateAvailable && !panel.updating
                    baseColor: Palette.updateActive
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: panel.updateRequested()
                }
                Rectangle {
                    objectName: "panelUpdateDot"
                    visible: panel.updateAvailable
                    width: 12 * panel.ratio_h
                    height: width
                    radius: width / 2
                    color: Palette.dot
                    anchors.right: parent.right
                    anchors.top: parent.top
                    anchors.margins: -4
                }
            }
            Text {
                objectName: "updateStatusText"
                anchors.verticalCenter: parent.verticalCenter
                textFormat: Text.RichText
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.pixelSize: 16 * panel.ratio_h
                text: panel.updating
                      ? "Talvorin new version " + panel.newVersion
                      : (panel.updateAvailable
                         ? "Software update available. See " + panel.linkText("HomePage-ReleaseNote", "release note")
                         : "You’re up to date! Check " + panel.linkText("HomePage-ReleaseNote", "release note"))
                onLinkActivated: Qt.openUrlExternally(link)
            }
        }

        Row {
            visible: panel.updating
            spacing: 12 * panel.ratio_w
            ProgressBar {
                id: progress
                objectName: "downloadProgress"
                anchors.verticalCenter: parent.verticalCenter
                width: 560 * panel.ratio_w
                from: 0
                to: 100
                value: panel.downloadProgress
                background: Rectangle {
                    implicitHeight: 8 * panel.ratio_h
                    radius: height / 2
                    color: Palette.line
                }
                contentItem: Item {
                    Rectangle {
                        width: progress.visualPosition * parent.width
                        height: parent.height
                        radius: height / 2
                        color: Palette.red
                    }
                }
            }
            Text {
                text: panel.downloadProgress + "%"
                color: Palette.light
                font.family: Palette.fontFamily
                font.pixelSize: 15 * panel.ratio_h
            }
        }

        Rectangle { width: parent.width; height: 1; color: Palette.line }

        Text {
            text: "Support"
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 19 * panel.ratio_h
        }

        Grid {
            columns: 2
            columnSpacing: 60 * panel.ratio_w
            rowSpacing: 8 * panel.ratio_h
            Repeater {
                model: panel.supportEntries
                Text {
                    objectName: "support_" + modelData.name
                    textFormat: Text.RichText
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.pixelSize: 16 * panel.ratio_h
                    text: "› " + panel.linkText(modelData.name, modelData.label)
                    onLinkActivated: Qt.openUrlExternally(link)
                }
            }
        }

        Rectangle { width: parent.width; height: 1; color: Palette.line }

        Row {
            spacing: 18 * panel.ratio_w
            ToggleSwitch {
                id: autoLaunchSwitch
                objectName: "autoLaunchSwitch"
                anchors.verticalCenter: parent.verticalCenter
                checked: panel.autoLaunch
                ratio_h: panel.ratio_h
                onToggled: panel.autoLaunchToggled(checked)
            }
            Column {
                Text {
                    text: "Software Auto Launch"
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 19 * panel.ratio_h
                }
                Text {
                    objectName: "autoLaunchText"
                    text: panel.autoLaunch
                          ? "When enabled Talvorin will automatically launched on startup"
                          : "Disabling automatic launch will affect some features of the devices"
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.weight: Font.Light
                    font.pixelSize: 15 * panel.ratio_h
                }
            }
        }

        CheckBoxRow {
            id: showAtStartBox
            objectName: "showWindowAtStartBox"
            checked: panel.showWindowAtStart
            text: "Display window when app starts."
            ratio_h: panel.ratio_h
            onToggled: panel.showWindowAtStartToggled(checked)
        }
    }
}
