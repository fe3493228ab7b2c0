import QtQuick 2.9
import "../.."
import ".."
import "../../js/gpu.js" as Gpu

// The hardware monitor: eight dials scaled by the ranges the card reported at discovery.
Item {
    id: panel
    property var metrics: ({})
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

    Grid {
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
}
