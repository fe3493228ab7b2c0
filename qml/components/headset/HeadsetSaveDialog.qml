import QtQuick 2.9
import QtQuick.Controls 2.3
import "../.."
import ".."

// Saves the equaliser under one of the three custom slots with a name of the user's.
Popup {
    id: dialog
    property var slotNames: ["Custom", "Custom", "Custom"]
    property int chosenSlot: 1
    property real ratio_w: 1
    property real ratio_h: 1
    signal saveRequested(int slot, string name)

    // name: what the field starts with, the slot's own name when not given.
    function openFor(slot, name) {
        chosenSlot = slot
        nameField.text = name !== undefined ? name : slotNames[slot - 1]
        open()
        nameField.forceActiveFocus()
    }

    modal: true
    parent: Overlay.overlay
    x: parent ? (parent.width - width) / 2 : 0
    y: parent ? (parent.height - height) / 2 : 0
    width: 560 * ratio_w
    height: 330 * ratio_h
    padding: 30 * ratio_h

    background: Rectangle {
        color: Palette.panel
        border.color: Palette.line
        radius: 10
    }

    Column {
        anchors.fill: parent
        spacing: 16 * dialog.ratio_h
        Text {
            text: "Save"
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 22 * dialog.ratio_h
        }
        Row {
            spacing: 10 * dialog.ratio_w
            Repeater {
                model: 3
                TextButton {
                    objectName: "saveSlot_" + (index + 1)
                    text: dialog.slotNames[index]
                    baseColor: dialog.chosenSlot === index + 1 ? Palette.red : Palette.panelRaised
                    ratio_w: dialog.ratio_w
                    ratio_h: dialog.ratio_h
                    onClicked: {
                        dialog.chosenSlot = index + 1
                        nameField.text = dialog.slotNames[index]
                    }
                }
            }
        }
        TextField {
            id: nameField
            objectName: "customNameField"
            width: parent.width
            height: 40 * dialog.ratio_h
            maximumLength: 16
            color: Palette.text
            font.family: Palette.fontFamily
            font.pixelSize: 17 * dialog.ratio_h
            selectByMouse: true
            background: Rectangle {
                color: Palette.background
                border.color: nameField.activeFocus ? Palette.red : Palette.line
                radius: 4
            }
            onAccepted: if (saveButton.enabled) saveButton.clicked()
        }
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        spacing: 12 * dialog.ratio_w
        TextButton {
            text: "Cancel"
            ratio_w: dialog.ratio_w
            ratio_h: dialog.ratio_h
            onClicked: dialog.close()
        }
        TextButton {
            id: saveButton
            objectName: "saveConfirmButton"
            text: "Save"
            primary: true
            enabled: nameField.text.trim().length > 0
            ratio_w: dialog.ratio_w
            ratio_h: dialog.ratio_h
            onClicked: {
                dialog.saveRequested(dialog.chosenSlot, nameField.text.trim())
                dialog.close()
            }
        }
    }
}
