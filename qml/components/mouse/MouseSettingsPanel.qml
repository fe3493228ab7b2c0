import QtQuick 2.9
import QtQuick.Controls 2.3
import "../.."
import ".."
import "../../js/mouse.js" as Mouse

// The desktop's own mouse settings, the firmware of the mouse and its receiver, and resets.
Item {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    property string mouseName: ""
    property string mouseColor: ""
    property int controllerVersion: -1
    property int radioVersion: -1
    property var serverFirmware: []
    property bool mouseUpdate: false
    property bool dongleUpdate: false
    // Why the update server could not be asked ("" when it answered).
    property string updateCheckError: ""
    property string profileLabel: ""
    signal systemSettingsRequested()
    signal firmwareRequested(string target)
    signal serverCheckRequested()
    signal profileResetRequested()
    signal resetAllRequested()

    function serverVersion(name) {
        for (var i = 0; serverFirmware && i < serverFirmware.length; ++i)
            if (String(serverFirmware[i]["name"]) === name)
                return String(serverFirmware[i]["version"])
        return ""
    }

    Column {
        width: parent.width
        spacing: 12 * panel.ratio_h

        Repeater {
            model: [
                { key: "system", icon: ConfigData.iconSystemSettings, title: "Window System Setting",
                  note: "Pointer speed, buttons and scrolling of the desktop.", button: "Open" },
                { key: "mouse", icon: ConfigData.iconFirmware, title: "Mouse Firmware",
                  note: "", button: "Update" },
                { key: "receiver", icon: ConfigData.iconReceiver, title: "Receiver Firmware",
                  note: "", button: "Update" },
                { key: "profile", icon: ConfigData.iconEdit, title: "Restore Profile Default",
                  note: "", button: "Restore" },
                { key: "all", icon: ConfigData.iconDelete, title: "Reset All",
                  note: "All the settings will reset as default", button: "Reset All" }
            ]
            Rectangle {
                id: card
                objectName: "setting_" + modelData.key
                width: parent.width
                height: 84 * panel.ratio_h
                radius: 6
                color: Palette.panelRaised
                border.color: Palette.line
                readonly property bool firmwareCard: modelData.key === "mouse" || modelData.key === "receiver"
                readonly property bool unchecked: firmwareCard && panel.updateCheckError.length > 0
                readonly property string note: {
                    if (unchecked)
                        return panel.updateCheckError + "."
                    if (modelData.key === "mouse") {
                        var offered = [panel.serverVersion("Mouse-NXP"), panel.serverVersion("Mouse-RF")].filter(function(v) { return v.length > 0 })
                        return "Installed " + Mouse.versionText(panel.controllerVersion) + " / " + Mouse.versionText(panel.radioVersion)
                                + (offered.length > 0 ? ",  on the server " + offered.join(" / ") : "")
                    }
                    if (modelData.key === "receiver")
                        return "The receiver is updated through the mouse's package."
                    if (modelData.key === "profile")
                        return "Buttons, macros and launches of " + panel.profileLabel + " go back to their defaults."
                    return modelData.note
                }
                readonly property bool hasUpdate: modelData.key === "mouse" ? panel.mouseUpdate
                                                                            : (modelData.key === "receiver" ? panel.dongleUpdate : false)
                Image {
                    id: icon
                    x: 18 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    width: 34 * panel.ratio_h
                    height: width
                    source: ConfigData.mouseIcons[modelData.icon]
                    sourceSize.width: 68
                    sourceSize.height: 68
                }
                Column {
                    anchors.left: icon.right
                    anchors.leftMargin: 16 * panel.ratio_w
                    anchors.right: action.left
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 3 * panel.ratio_h
                    Row {
                        spacing: 14 * panel.ratio_w
                        Text {
                            text: modelData.title
                            color: Palette.text
                            font.family: Palette.fontFamily
                            font.pixelSize: 18 * panel.ratio_h
                        }
                        Text {
                            objectName: "firmwareState_" + modelData.key
                            visible: card.firmwareCard
                            topPadding: 3 * panel.ratio_h
                            text: card.unchecked ? "Could not check for new firmware"
                                                 : (card.hasUpdate ? "Firmware update available" : "Firmware is up to date")
                            color: card.hasUpdate || card.unchecked ? "#FF6060" : Palette.textDim
                            font.family: Palette.fontFamily
                            font.pixelSize: 15 * panel.ratio_h
                        }
                    }
                    Text {
                        width: parent.width
                        elide: Text.ElideRight
                        text: card.note
                        color: Palette.textDim
                        font.family: Palette.fontFamily
                        font.weight: Font.Light
                        font.pixelSize: 14 * panel.ratio_h
                    }
                }
                TextButton {
                    id: action
                    objectName: "settingButton_" + modelData.key
                    anchors.right: parent.right
                    anchors.rightMargin: 18 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    text: card.unchecked ? "Try Again" : modelData.button
                    primary: modelData.key === "all" || (card.hasUpdate && !card.unchecked)
                    enabled: !card.firmwareCard || card.hasUpdate || card.unchecked
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: {
                        if (card.unchecked) {
                            panel.serverCheckRequested()
                            return
                        }
                        switch (modelData.key) {
                        case "system": panel.systemSettingsRequested(); break
                        case "mouse": panel.firmwareRequested("mouse"); break
                        case "receiver": panel.firmwareRequested("receiver"); break
                        case "profile": confirm.ask("profile"); break
                        case "all": confirm.ask("all"); break
                        }
                    }
                }
            }
        }

        Text {
            text: panel.mouseName + (panel.mouseColor.length > 0 ? "  ·  " + panel.mouseColor : "")
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.weight: Font.Light
            font.pixelSize: 14 * panel.ratio_h
        }
    }

    Popup {
        id: confirm
        objectName: "resetConfirm"
        property string what: ""
        function ask(kind) {
            what = kind
            open()
        }
        modal: true
        parent: Overlay.overlay
        x: parent ? (parent.width - width) / 2 : 0
        y: parent ? (parent.height - height) / 2 : 0
        width: 460 * panel.ratio_w
        height: 200 * panel.ratio_h
        padding: 24 * panel.ratio_h
        background: Rectangle { color: Palette.panel; border.color: Palette.red; border.width: 2; radius: 8 }
        Column {
            anchors.centerIn: parent
            spacing: 18 * panel.ratio_h
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: confirm.what === "all" ? "All the settings will reset as default" : "Restore " + panel.profileLabel + " to its defaults?"
                color: Palette.text
                font.family: Palette.fontFamily
                font.pixelSize: 18 * panel.ratio_h
            }
            Row {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 14 * panel.ratio_w
                TextButton {
                    objectName: "confirmReset"
                    text: "Confirm"
                    primary: true
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: {
                        confirm.close()
                        if (confirm.what === "all")
                            panel.resetAllRequested()
                        else
                            panel.profileResetRequested()
                    }
                }
                TextButton {
                    text: "Cancel"
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: confirm.close()
                }
            }
        }
    }
}
