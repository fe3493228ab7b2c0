import QtQuick 2.9
import QtQuick.Controls 2.2
import "../.."
import ".."

// The mouse, its battery and connection, and the five profiles with their names.
Item {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    property string mouseName: ""
    property string connection: ""
    property bool connected: true
    property int battery: 0
    property bool charging: false
    property bool infoRead: false
    property int profile: 0
    property var profileNames: ["", "", "", "", ""]
    // The profile whose name is being edited (0: none).
    property int editing: 0
    signal profileChosen(int number)
    signal renameRequested(int number, string name)

    function label(number) {
        var name = profileNames[number - 1]
        return name && name.length > 0 ? name : "Profile " + number
    }

    // The field starts from the name shown, selected, with the caret in it.
    function startRename(number) {
        editing = number
        nameField.text = label(number)
        Qt.callLater(focusNameField)
    }

    function focusNameField() {
        if (editing === 0)
            return
        nameField.forceActiveFocus()
        nameField.selectAll()
    }

    function finishRename(accept) {
        var number = editing
        editing = 0
        var name = nameField.text.trim()
        if (accept && number > 0 && name !== label(number))
            renameRequested(number, name)
    }

    Image {
        id: picture
        anchors.horizontalCenter: parent.horizontalCenter
        width: 150 * panel.ratio_h
        height: 190 * panel.ratio_h
        fillMode: Image.PreserveAspectFit
        source: ConfigData.devicePictures[1]
        sourceSize.width: Math.ceil(width)
        sourceSize.height: Math.ceil(height)
        opacity: panel.connected ? 1 : 0.4
    }

    Column {
        id: identity
        anchors.top: picture.bottom
        anchors.topMargin: 8 * panel.ratio_h
        width: parent.width
        spacing: 4 * panel.ratio_h

        Text {
            text: "ORVENA Gaming Mouse"
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.capitalization: Font.AllUppercase
            font.pixelSize: 13 * panel.ratio_h
        }
        Text {
            objectName: "mouseName"
            width: parent.width
            elide: Text.ElideRight
            text: panel.mouseName
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 20 * panel.ratio_h
        }
        Row {
            spacing: 18 * panel.ratio_w
            visible: panel.infoRead
            Row {
                spacing: 6 * panel.ratio_w
                Image {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 26 * panel.ratio_h
                    height: width
                    source: ConfigData.mouseIcons[panel.battery > 0 && panel.battery <= 20 ? 1 : 2]
                    sourceSize.width: 52
                    sourceSize.height: 52
                }
                Text {
                    objectName: "batteryText"
                    anchors.verticalCenter: parent.verticalCenter
                    text: panel.battery + "%" + (panel.charging ? " (charging)" : "")
                    color: Palette.light
                    font.family: Palette.fontFamily
                    font.pixelSize: 16 * panel.ratio_h
                }
            }
            Text {
                objectName: "connectionText"
                anchors.verticalCenter: parent.verticalCenter
                visible: panel.connection.length > 0
                text: panel.connection + " Mode"
                color: Palette.light
                font.family: Palette.fontFamily
                font.pixelSize: 16 * panel.ratio_h
            }
        }
        Text {
            objectName: "disconnectedText"
            visible: !panel.connected
            text: "The mouse is not answering. Is it switched on?"
            color: "#FF6060"
            font.family: Palette.fontFamily
            font.pixelSize: 14 * panel.ratio_h
        }
    }

    Text {
        id: profilesTitle
        anchors.top: identity.bottom
        anchors.topMargin: 18 * panel.ratio_h
        text: "Profiles"
        color: Palette.text
        font.family: Palette.fontFamily
        font.weight: Font.Medium
        font.pixelSize: 19 * panel.ratio_h
    }

    Column {
        anchors.top: profilesTitle.bottom
        anchors.topMargin: 8 * panel.ratio_h
        width: parent.width
        spacing: 6 * panel.ratio_h

        Repeater {
            model: 5
            Rectangle {
                id: row
                objectName: "profile_" + (index + 1)
                readonly property int number: index + 1
                readonly property bool current: panel.profile === number
                width: parent.width
                height: 44 * panel.ratio_h
                radius: 4 * panel.ratio_h
                color: current ? Palette.red : (rowMouse.containsMouse ? Palette.hover : Palette.panelRaised)
                border.color: current ? "#FF3030" : Palette.line

                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 14 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.number
                    color: row.current ? Palette.text : Palette.textDim
                    font.family: Palette.fontFamily
                    font.pixelSize: 15 * panel.ratio_h
                }
                Text {
                    objectName: "profileLabel_" + row.number
                    anchors.left: parent.left
                    anchors.leftMargin: 42 * panel.ratio_w
                    anchors.right: editIcon.left
                    anchors.verticalCenter: parent.verticalCenter
                    visible: panel.editing !== row.number
                    elide: Text.ElideRight
                    text: panel.label(row.number)
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 16 * panel.ratio_h
                }
                MouseArea {
                    id: rowMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: if (!row.current) panel.profileChosen(row.number)
                    onDoubleClicked: panel.startRename(row.number)
                }
                Image {
                    id: editIcon
                    objectName: "renameButton_" + row.number
                    anchors.right: parent.right
                    anchors.rightMargin: 10 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    width: 24 * panel.ratio_h
                    height: width
                    source: ConfigData.mouseIcons[ConfigData.iconEdit]
                    sourceSize.width: 48
                    sourceSize.height: 48
                    MouseArea {
                        anchors.fill: parent
                        anchors.margins: -6
                        cursorShape: Qt.PointingHandCursor
                        onClicked: panel.startRename(row.number)
                    }
                }
            }
        }
    }

    // One name field, placed over the profile being renamed.
    TextField {
        id: nameField
        objectName: "profileNameField"
        visible: panel.editing > 0
        x: 36 * panel.ratio_w
        y: profilesTitle.y + profilesTitle.height + 8 * panel.ratio_h + (panel.editing - 1) * 50 * panel.ratio_h + 5 * panel.ratio_h
        width: parent.width - 80 * panel.ratio_w
        height: 34 * panel.ratio_h
        maximumLength: 64
        color: Palette.text
        font.family: Palette.fontFamily
        font.pixelSize: 15 * panel.ratio_h
        selectByMouse: true
        background: Rectangle { color: Palette.background; border.color: Palette.red; radius: 3 }
        onAccepted: panel.finishRename(true)
        onActiveFocusChanged: if (!activeFocus && panel.editing > 0) panel.finishRename(true)
        Keys.onEscapePressed: panel.finishRename(false)
    }
}
