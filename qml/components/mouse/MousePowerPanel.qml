import QtQuick 2.9
import "../.."
import ".."
import "../../js/mouse.js" as Mouse

// "POWER SETTING" (ECO mode and the minutes before the mouse sleeps) and the "Battery Level"
// at which the tray warns that the battery is running low.
Item {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    property int ecoIndex: 0
    property int sleepMinutes: 3
    property int batteryFirst: 20
    property int batterySecond: 50
    // The levels being edited, shown before they are saved.
    property int editFirst: batteryFirst
    property int editSecond: batterySecond
    signal ecoChosen(int index)
    signal sleepChosen(int minutes)
    signal batteryLevelsSaved(int first, int second)

    readonly property var sleepChoices: {
        var list = Mouse.SLEEP_MINUTES.slice()
        if (list.indexOf(sleepMinutes) < 0 && sleepMinutes > 0)
            list.push(sleepMinutes)
        list.sort(function(a, b) { return a - b })
        return list
    }

    onBatteryFirstChanged: { editFirst = batteryFirst; firstSlider.sync() }
    onBatterySecondChanged: { editSecond = batterySecond; secondSlider.sync() }

    function moveLevel(which, value) {
        var levels = Mouse.batteryLevels(which === "first" ? value : editFirst, which === "second" ? value : editSecond, which)
        editFirst = levels.first
        editSecond = levels.second
        firstSlider.sync()
        secondSlider.sync()
    }

    Column {
        width: parent.width
        spacing: 14 * panel.ratio_h

        SectionTitle {
            title: "POWER SETTING"
            ratio_h: panel.ratio_h
        }

        Text {
            text: "ECO Mode"
            color: Palette.text
            font.family: Palette.fontFamily
            font.pixelSize: 17 * panel.ratio_h
        }
        Row {
            spacing: 8 * panel.ratio_w
            Repeater {
                model: Mouse.ECO_ENTRIES
                ChoiceButton {
                    objectName: "eco_" + index
                    width: 70 * panel.ratio_w
                    text: Mouse.ecoText(index)
                    chosen: panel.ecoIndex === index
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: panel.ecoChosen(index)
                }
            }
        }

        Text {
            text: "Enter Sleep Mode"
            color: Palette.text
            font.family: Palette.fontFamily
            font.pixelSize: 17 * panel.ratio_h
        }
        Row {
            spacing: 8 * panel.ratio_w
            Repeater {
                model: panel.sleepChoices
                ChoiceButton {
                    objectName: "sleep_" + modelData
                    width: 70 * panel.ratio_w
                    text: modelData + " min"
                    chosen: panel.sleepMinutes === modelData
                    ratio_w: panel.ratio_w
                    ratio_h: panel.ratio_h
                    onClicked: panel.sleepChosen(modelData)
                }
            }
        }
        Text {
            text: "Minutes without movement before the mouse goes to sleep."
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.weight: Font.Light
            font.pixelSize: 14 * panel.ratio_h
        }

        Rectangle { width: parent.width; height: 1; color: Palette.line }

        SectionTitle {
            title: "Battery Level"
            note: "A notice appears when the battery falls to each of these levels."
            ratio_h: panel.ratio_h
        }
        Row {
            spacing: 40 * panel.ratio_w
            LabeledSlider {
                id: firstSlider
                objectName: "batteryFirstSlider"
                width: 360 * panel.ratio_w
                label: "Critical level"
                unit: "%"
                from: 1
                to: 90
                value: panel.editFirst
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onCommitted: panel.moveLevel("first", value)
            }
            LabeledSlider {
                id: secondSlider
                objectName: "batterySecondSlider"
                width: 360 * panel.ratio_w
                label: "Low level"
                unit: "%"
                from: 11
                to: 100
                value: panel.editSecond
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onCommitted: panel.moveLevel("second", value)
            }
        }
        TextButton {
            objectName: "saveBatteryLevels"
            text: "Save"
            primary: true
            enabled: panel.editFirst !== panel.batteryFirst || panel.editSecond !== panel.batterySecond
            ratio_w: panel.ratio_w
            ratio_h: panel.ratio_h
            onClicked: panel.batteryLevelsSaved(panel.editFirst, panel.editSecond)
        }
    }
}
