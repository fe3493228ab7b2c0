import QtQuick 2.9
import QtQuick.Controls 2.3
import "../.."
import ".."
import "../../js/mouse.js" as Mouse

// "Stages of DPI", "POLLING RATE", "Lift-Off Distance" and "Calibration".
Item {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    property var dpi: Mouse.stagesFromAnswer({}, null)
    property string connection: ""
    property int usbRate: 1000
    property int rfRate: 1000
    property int liftOff: 2
    property bool calibrating: false
    property int calibrationStatus: -1
    // X and Y set apart (the page keeps the choice).
    property bool separateAxes: false
    signal separateAxesToggled(bool on)
    property int colorStage: -1
    signal stageChosen(int index)
    signal stageResolutionSet(int index, int x, int y)
    signal stageColorSet(int index, int r, int g, int b)
    signal stageCountSet(int count)
    signal usbRateChosen(int rate)
    signal rfRateChosen(int rate)
    signal liftOffChosen(int value)
    signal calibrationStarted()
    signal calibrationStopped()


    function openColor(index) {
        colorStage = index
        var stage = dpi.stages[index]
        picker.r = stage.r
        picker.g = stage.g
        picker.b = stage.b
        colorPopup.open()
    }

    Row {
        id: dpiTitle
        width: parent.width
        SectionTitle {
            width: parent.width - xyRow.width
            title: "Stages of DPI"
            note: "Stages in use: " + panel.dpi.quantity + ". Click a stage to make it the current one."
            ratio_h: panel.ratio_h
        }
        Row {
            id: xyRow
            spacing: 10 * panel.ratio_w
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "X-Y DPI"
                color: Palette.text
                font.family: Palette.fontFamily
                font.pixelSize: 16 * panel.ratio_h
            }
            ToggleSwitch {
                objectName: "xyToggle"
                anchors.verticalCenter: parent.verticalCenter
                checked: panel.separateAxes
                ratio_h: panel.ratio_h
                onToggled: panel.separateAxesToggled(checked)
            }
        }
    }

    Column {
        id: stageTable
        anchors.top: dpiTitle.bottom
        anchors.topMargin: 10 * panel.ratio_h
        width: parent.width
        spacing: 6 * panel.ratio_h
        Repeater {
            model: Mouse.STAGE_COUNT
            DpiStageRow {
                objectName: "stage_" + (index + 1)
                width: stageTable.width
                index: model.index
                stage: panel.dpi.stages[model.index]
                inUse: model.index < panel.dpi.quantity
                current: model.index === panel.dpi.level
                separateAxes: panel.separateAxes
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onChosen: panel.stageChosen(model.index)
                onUseToggled: panel.stageCountSet(use ? model.index + 1 : Math.max(1, model.index))
                onResolutionSet: panel.stageResolutionSet(model.index, x, y)
                onColorRequested: panel.openColor(model.index)
            }
        }
    }

    Column {
        id: rateColumn
        anchors.top: stageTable.bottom
        anchors.topMargin: 22 * panel.ratio_h
        width: 560 * panel.ratio_w
        spacing: 10 * panel.ratio_h

        SectionTitle {
            title: "POLLING RATE"
            note: "Reports per second, for each way the mouse is connected (Hz)."
            ratio_h: panel.ratio_h
        }
        Repeater {
            model: [
                { name: "USB Mode", rates: Mouse.USB_RATES, link: "USB" },
                { name: "2.4G Mode", rates: Mouse.RF_RATES, link: "2.4G" },
                { name: "Bluetooth Mode", rates: [], link: "Bluetooth" }
            ]
            Row {
                readonly property var mode: modelData
                spacing: 8 * panel.ratio_w
                Text {
                    width: 130 * panel.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    text: mode.name
                    color: panel.connection === mode.link ? Palette.text : Palette.textDim
                    font.family: Palette.fontFamily
                    font.weight: panel.connection === mode.link ? Font.Medium : Font.Normal
                    font.pixelSize: 15 * panel.ratio_h
                }
                Repeater {
                    model: mode.rates
                    ChoiceButton {
                        objectName: (mode.link === "USB" ? "usbRate_" : "rfRate_") + modelData
                        width: 64 * panel.ratio_w
                        implicitHeight: 34 * panel.ratio_h
                        fontSize: 14
                        text: String(modelData)
                        chosen: (mode.link === "USB" ? panel.usbRate : panel.rfRate) === modelData
                        ratio_w: panel.ratio_w
                        ratio_h: panel.ratio_h
                        onClicked: mode.link === "USB" ? panel.usbRateChosen(modelData) : panel.rfRateChosen(modelData)
                    }
                }
                Text {
                    visible: mode.rates.length === 0
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Set by the Bluetooth link"
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.weight: Font.Light
                    font.pixelSize: 14 * panel.ratio_h
                }
            }
        }
    }

    Column {
        anchors.top: rateColumn.top
        anchors.left: rateColumn.right
        anchors.leftMargin: 40 * panel.ratio_w
        anchors.right: parent.right
        spacing: 10 * panel.ratio_h

        SectionTitle {
            title: "Lift-Off Distance"
            note: "How high the mouse may be lifted before it stops tracking."
            ratio_h: panel.ratio_h
        }
        Row {
            spacing: 8 * panel.ratio_w
            Repeater {
                model: Mouse.LOD_CHOICES
                ChoiceButton {
                    objectName: "liftOff_" + modelData.value
                    text: modelData.name
                    chosen: panel.liftOff === modelData.value
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: panel.liftOffChosen(modelData.value)
                }
            }
        }

        Item { width: 1; height: 4 * panel.ratio_h }

        Row {
            spacing: 10 * panel.ratio_w
            Image {
                width: 30 * panel.ratio_h
                height: width
                source: ConfigData.mouseIcons[ConfigData.iconCalibration]
                sourceSize.width: 48
                sourceSize.height: 48
            }
            SectionTitle {
                title: "Calibration"
                note: panel.calibrating ? "Move the mouse slowly over your mouse pad, then press Stop."
                                        : "Tunes the sensor to the surface under the mouse."
                ratio_h: panel.ratio_h
            }
        }
        Row {
            spacing: 12 * panel.ratio_w
            TextButton {
                objectName: "calibrationButton"
                text: panel.calibrating ? "Stop" : "Start"
                primary: true
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onClicked: panel.calibrating ? panel.calibrationStopped() : panel.calibrationStarted()
            }
            Text {
                objectName: "calibrationResult"
                anchors.verticalCenter: parent.verticalCenter
                visible: !panel.calibrating && panel.calibrationStatus >= 0
                text: panel.calibrationStatus === 0 ? "Calibration finished" : "Calibration did not finish: please try again"
                color: panel.calibrationStatus === 0 ? Palette.light : "#FF6060"
                font.family: Palette.fontFamily
                font.pixelSize: 15 * panel.ratio_h
            }
        }
    }

    Popup {
        id: colorPopup
        objectName: "stageColorPopup"
        modal: true
        parent: Overlay.overlay
        x: parent ? (parent.width - width) / 2 : 0
        y: parent ? (parent.height - height) / 2 : 0
        width: 420 * panel.ratio_w
        // As tall as what it holds, so the buttons keep a margin below them.
        height: colorColumn.implicitHeight + 2 * padding
        padding: 24 * panel.ratio_h
        background: Rectangle { color: Palette.panel; border.color: Palette.red; border.width: 2; radius: 8 }
        Column {
            id: colorColumn
            spacing: 16 * panel.ratio_h
            Text {
                text: "Colour of stage " + (panel.colorStage + 1)
                color: Palette.text
                font.family: Palette.fontFamily
                font.pixelSize: 19 * panel.ratio_h
            }
            ColorPicker {
                id: picker
                objectName: "stageColorPicker"
                width: 370 * panel.ratio_w
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onColorPicked: {
                    picker.r = r
                    picker.g = g
                    picker.b = b
                }
            }
            Row {
                spacing: 12 * panel.ratio_w
                TextButton {
                    objectName: "stageColorApply"
                    text: "Apply"
                    primary: true
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: {
                        colorPopup.close()
                        panel.stageColorSet(panel.colorStage, picker.r, picker.g, picker.b)
                    }
                }
                TextButton {
                    objectName: "stageColorCancel"
                    text: "Cancel"
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: colorPopup.close()
                }
            }
        }
    }
}
