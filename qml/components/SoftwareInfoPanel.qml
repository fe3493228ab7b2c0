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
    // 0 while the server has not answered yet, 1 when it has, -1 when the check failed.
    property int updateCheck: 0
    property string updateCheckError: ""
    property string downloadError: ""
    property bool autoLaunch: false
    // Why the last change of the start-at-login entry was refused ("" when it was not).
    property string autoLaunchError: ""
    property bool showWindowAtStart: false

    signal updateRequested()
    signal checkAgainRequested()
    // The panel is opening: the start options are read again from what exists.
    signal startOptionsRequested()
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

    onAboutToShow: startOptionsRequested()
    // A click flips the box at once; what the worker reads back has the last word.
    onShowWindowAtStartChanged: showAtStartBox.checked = showWindowAtStart

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

    readonly property bool checkFailed: updateCheck === -1

    function statusText() {
        if (updating)
            return "Talvorin new version " + newVersion
        if (checkFailed)
            return "Check failed: " + updateCheckError
        if (updateCheck === 0)
            return "Checking for updates..."
        if (updateAvailable && downloadError.length > 0)
            return downloadError + ". Press Update to try again."
        if (updateAvailable)
            return "Software update available. See " + linkText("HomePage-ReleaseNote", "release note")
        return "You’re up to date! Check " + linkText("HomePage-ReleaseNote", "release note")
    }

    // Why a support entry without an address cannot be opened.
    readonly property string supportNote: {
        if (checkFailed)
            return "These links come from the update server: " + updateCheckError + "."
        if (updateCheck === 0)
            return "These links come from the update server, which has not answered yet."
        for (var i = 0; i < supportEntries.length; ++i)
            if (!supportLinks[supportEntries[i].name])
                return "Greyed entries have no address on the update server."
        return ""
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
                font.family: Palette.fontFamily
                font.pixelSize: 16 * panel.ratio_h
                text: panel.statusText()
                color: panel.checkFailed || panel.downloadError.length > 0 ? "#FF6060" : Palette.textDim
                onLinkActivated: Qt.openUrlExternally(link)
            }
            TextButton {
                objectName: "checkAgainButton"
                anchors.verticalCenter: parent.verticalCenter
                visible: panel.checkFailed && !panel.updating
                text: "Try Again"
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onClicked: panel.checkAgainRequested()
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

        Row {
            spacing: 16 * panel.ratio_w
            Text {
                text: "Support"
                color: Palette.text
                font.family: Palette.fontFamily
                font.weight: Font.Medium
                font.pixelSize: 19 * panel.ratio_h
            }
            Text {
                objectName: "supportNote"
                anchors.baseline: parent.children[0].baseline
                text: panel.supportNote
                color: Palette.textDim
                font.family: Palette.fontFamily
                font.weight: Font.Light
                font.pixelSize: 14 * panel.ratio_h
            }
        }

        Grid {
            columns: 2
            columnSpacing: 60 * panel.ratio_w
            rowSpacing: 8 * panel.ratio_h
            Repeater {
                model: panel.supportEntries
                Text {
                    objectName: "support_" + modelData.name
                    readonly property bool hasAddress: !!panel.supportLinks[modelData.name]
                    textFormat: Text.RichText
                    enabled: hasAddress
                    color: hasAddress ? Palette.textDim : Palette.disabled
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
                Text {
                    objectName: "autoLaunchError"
                    visible: panel.autoLaunchError.length > 0
                    text: panel.autoLaunchError
                    color: "#FF6060"
                    font.family: Palette.fontFamily
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
