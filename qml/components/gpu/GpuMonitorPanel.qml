import QtQuick 2.9
import QtQuick.Dialogs 1.2
import "../.."
import ".."
import "../../js/gpu.js" as Gpu

// The hardware monitor: eight dials scaled by the ranges the card reported at discovery, or
// the history of each metric over the last minutes, which can be saved as a CSV file.
Item {
    id: panel
    property var metrics: ({})
    property var history: null
    property bool showHistory: false
    property string csvMessage: ""
    property var cardInfo: ({})
    property real ratio_w: 1
    property real ratio_h: 1
    readonly property bool live: parseInt(metrics["hasData"]) === 1

    // Value key, range key, label, unit, and the scale used when the card gave no range.
    readonly property var dials: [
        { key: "GPU_Usage", range: "GPU_usage_range", label: "GPU Usage", unit: "%", fallback: 100 },
        { key: "GPU_TotalBoardPower", range: "GPU_power_range", label: "Board Power", unit: "W", fallback: 100 },
        { key: "GPU_FanSpeed", range: "GPU_fan_speed_range", label: "Fan Speed", unit: "RPM", fallback: 2500 },
        { key: "GPU_VRAMUsage", range: "GPU_VRAM_range", label: "VRAM Usage", unit: "MB", fallback: 2000 },
        { key: "GPU_ClockSpeed", range: "GPU_clock_speed_range", label: "GPU Clock", unit: "MHz", fallback: 2000 },
        { key: "GPU_VRAMClockSpeed", range: "GPU_VRAM_clock_speed", label: "VRAM Clock", unit: "MHz", fallback: 2000 },
        { key: "GPU_Temperature", range: "GPU_temp_range", label: "Temperature", unit: "°C", fallback: 100 },
        { key: "GPU_HotspotTemperature", range: "GPU_hotspot_temp_range", label: "Hotspot", unit: "°C", fallback: 100 }
    ]

    Row {
        id: titleRow
        spacing: 14 * panel.ratio_w
        Image {
            width: 30 * panel.ratio_h
            height: width
            source: ConfigData.gpuSettingBarIcons[ConfigData.iconHardwareMonitor]
            sourceSize.width: 64
            sourceSize.height: 64
        }
        Text {
            text: "Hardware Monitor"
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 20 * panel.ratio_h
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: panel.live ? "Updated every second" : "Waiting for readings..."
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.weight: Font.Light
            font.pixelSize: 15 * panel.ratio_h
        }
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 20 * panel.ratio_w
        anchors.verticalCenter: titleRow.verticalCenter
        spacing: 8 * panel.ratio_w
        Repeater {
            model: ["Gauges", "History"]
            TextButton {
                objectName: "monitorView_" + modelData
                width: 110 * panel.ratio_w
                height: 34 * panel.ratio_h
                fontSize: 14
                text: modelData
                baseColor: (index === 1) === panel.showHistory ? Palette.red : Palette.panelRaised
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
                onClicked: panel.showHistory = index === 1
            }
        }
    }

    Grid {
        visible: !panel.showHistory
        anchors.top: titleRow.bottom
        anchors.topMargin: 30 * panel.ratio_h
        columns: 4
        columnSpacing: 20 * panel.ratio_w
        rowSpacing: 30 * panel.ratio_h
        Repeater {
            model: panel.dials
            MetricGauge {
                objectName: "gauge_" + modelData.key
                width: 175 * panel.ratio_w
                height: 200 * panel.ratio_h
                label: modelData.label
                unit: modelData.unit
                value: panel.metrics[modelData.key] !== undefined ? panel.metrics[modelData.key] : 0
                range: Gpu.parseRange(panel.cardInfo[modelData.range], modelData.fallback)
                live: panel.live
                ratio_h: panel.ratio_h
            }
        }
    }

    Grid {
        objectName: "historyGrid"
        visible: panel.showHistory
        anchors.top: titleRow.bottom
        anchors.topMargin: 30 * panel.ratio_h
        columns: 4
        columnSpacing: 20 * panel.ratio_w
        rowSpacing: 24 * panel.ratio_h
        Repeater {
            model: panel.dials
            MetricHistoryGraph {
                objectName: "history_" + modelData.key
                width: 165 * panel.ratio_w
                height: 170 * panel.ratio_h
                history: panel.history
                key: modelData.key
                label: modelData.label
                unit: modelData.unit
                range: Gpu.parseRange(panel.cardInfo[modelData.range], modelData.fallback)
                ratio_w: panel.ratio_w
                ratio_h: panel.ratio_h
            }
        }
    }

    Row {
        visible: panel.showHistory
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 20 * panel.ratio_h
        spacing: 20 * panel.ratio_w
        TextButton {
            objectName: "saveCsvButton"
            text: "Save as CSV"
            enabled: panel.history !== null && panel.history.count > 0
            ratio_w: panel.ratio_w
            ratio_h: panel.ratio_h
            onClicked: csvDialog.open()
        }
        Text {
            objectName: "historyNote"
            anchors.verticalCenter: parent.verticalCenter
            width: 520 * panel.ratio_w
            wrapMode: Text.WordWrap
            text: panel.csvMessage.length > 0 ? panel.csvMessage
                  : "The last " + Math.round((panel.history ? panel.history.windowSeconds : 300) / 60)
                    + " minutes, sampled while this page is open and the monitor shows."
            color: panel.csvMessage.indexOf("Saved") === 0 || panel.csvMessage.length === 0 ? Palette.textDim : "#FF6060"
            font.family: Palette.fontFamily
            font.weight: Font.Light
            font.pixelSize: 14 * panel.ratio_h
        }
    }

    function saveCsv(fileUrl) {
        var problem = history.saveCsv(fileUrl)
        csvMessage = problem.length === 0 ? "Saved " + history.count + " samples." : problem
    }

    FileDialog {
        id: csvDialog
        title: "Save as CSV"
        selectExisting: false
        nameFilters: ["CSV files (*.csv)"]
        onAccepted: panel.saveCsv(fileUrl)
    }
}
