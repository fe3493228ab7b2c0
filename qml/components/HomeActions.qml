import QtQuick 2.9
import QtQuick.Dialogs 1.3
import ".."

// Below the devices on the home page: "All devices" lighting, and the settings file (every
// setting of every device in one file, exported and imported back). The file dialogs pick
// the file; the worker writes or reads it and answers with what it did.
Item {
    id: actions
    property real ratio_w: 1
    property real ratio_h: 1
    property string message: ""
    property bool messageIsError: false
    property bool busy: false

    signal allDevicesClicked()
    signal exportRequested(string fileUrl)
    signal importRequested(string fileUrl)

    implicitHeight: 140 * ratio_h

    // The worker's answer brings the buttons back.
    onExportRequested: busy = true
    onImportRequested: busy = true

    function showAnswer(answer) {
        busy = false
        message = answer["message"] !== undefined ? String(answer["message"]) : ""
        messageIsError = parseInt(answer["RESULTS"]) !== 1
    }

    Row {
        id: buttons
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: parent.top
        spacing: 16 * actions.ratio_w

        TextButton {
            objectName: "allDevicesButton"
            text: "All Devices Lighting"
            ratio_w: actions.ratio_w
            ratio_h: actions.ratio_h
            onClicked: actions.allDevicesClicked()
        }
        TextButton {
            objectName: "exportSettingsButton"
            text: "Export Settings"
            enabled: !actions.busy
            ratio_w: actions.ratio_w
            ratio_h: actions.ratio_h
            onClicked: exportDialog.open()
        }
        TextButton {
            objectName: "importSettingsButton"
            text: "Import Settings"
            enabled: !actions.busy
            ratio_w: actions.ratio_w
            ratio_h: actions.ratio_h
            onClicked: importDialog.open()
        }
    }

    Text {
        objectName: "settingsFileMessage"
        anchors.top: buttons.bottom
        anchors.topMargin: 10 * actions.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        width: Math.min(implicitWidth, parent.width - 40 * actions.ratio_w)
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        text: actions.message
        color: actions.messageIsError ? Palette.dot : Palette.textDim
        font.family: Palette.fontFamily
        font.pixelSize: 15 * actions.ratio_h
    }

    FileDialog {
        id: exportDialog
        title: "Export Settings"
        selectExisting: false
        defaultSuffix: "json"
        nameFilters: ["Talvorin settings (*.json)"]
        onAccepted: actions.exportRequested(fileUrl.toString())
    }

    FileDialog {
        id: importDialog
        title: "Import Settings"
        selectExisting: true
        nameFilters: ["Talvorin settings (*.json)", "All files (*)"]
        onAccepted: actions.importRequested(fileUrl.toString())
    }
}
