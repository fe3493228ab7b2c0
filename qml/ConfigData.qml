pragma Singleton
import QtQuick 2.9

// Resource addresses that the pages pick by index. The lighting-mode lists follow the
// page's mode numbers minus one: Single, Meteor, Breathing, Ripple, Double Blink, Blink,
// Color Shift, Rainbow.
QtObject {
    readonly property var fontList: [
        "qrc:/fonts/Kanit-Medium.ttf",
        "qrc:/fonts/Kanit-Regular.ttf",
        "qrc:/fonts/Kanit-Light.ttf"
    ]

    readonly property var homeIcons: [
        "qrc:/icon/home/arrow_left.svg",
        "qrc:/icon/home/arrow_right.svg",
        "qrc:/icon/home/back.svg",
        "qrc:/icon/home/refresh.svg",
        "qrc:/icon/home/no_device.svg"
    ]

    // Setting bar of the graphics card page: the eight modes, then the other entries.
    readonly property var gpuSettingBarIcons: [
        "qrc:/icon/gpu/mode_single.svg",
        "qrc:/icon/gpu/mode_meteor.svg",
        "qrc:/icon/gpu/mode_breathing.svg",
        "qrc:/icon/gpu/mode_ripple.svg",
        "qrc:/icon/gpu/mode_double_blink.svg",
        "qrc:/icon/gpu/mode_blink.svg",
        "qrc:/icon/gpu/mode_color_shift.svg",
        "qrc:/icon/gpu/mode_rainbow.svg",
        "qrc:/icon/gpu/hardware_monitor.svg",
        "qrc:/icon/gpu/sync_motherboard.svg",
        "qrc:/icon/gpu/toggle_off.svg",
        "qrc:/icon/gpu/toggle_on.svg",
        "qrc:/icon/gpu/attention.svg",
        "qrc:/icon/gpu/diffuse.svg",
        "qrc:/icon/gpu/radiance.svg"
    ]
    readonly property int iconHardwareMonitor: 8
    readonly property int iconSyncMotherboard: 9
    readonly property int iconToggleOff: 10
    readonly property int iconToggleOn: 11
    readonly property int iconAttention: 12
    readonly property int iconDiffuse: 13
    readonly property int iconRadiance: 14

    readonly property var favoriteModeIcons: [
        "qrc:/icon/gpu/fav_single.svg",
        "qrc:/icon/gpu/fav_meteor.svg",
        "qrc:/icon/gpu/fav_breathing.svg",
        "qrc:/icon/gpu/fav_ripple.svg",
        "qrc:/icon/gpu/fav_double_blink.svg",
        "qrc:/icon/gpu/fav_blink.svg",
        "qrc:/icon/gpu/fav_color_shift.svg",
        "qrc:/icon/gpu/fav_rainbow.svg"
    ]

    // Board pictures by card series (the discovery answer's gpuClass, 0 to 4).
    readonly property var boardPictures: [
        "qrc:/pictures/gpu/board_class0.svg",
        "qrc:/pictures/gpu/board_class1.svg",
        "qrc:/pictures/gpu/board_class2.svg",
        "qrc:/pictures/gpu/board_class3.svg",
        "qrc:/pictures/gpu/board_class4.svg"
    ]

    // Device pictures by device type minus one: graphics card, mouse, headset, keyboard.
    readonly property var devicePictures: [
        "qrc:/pictures/gpu/board_class3.svg",
        "qrc:/pictures/device/mouse.svg",
        "qrc:/pictures/device/headset.svg",
        "qrc:/pictures/device/keyboard.svg"
    ]

    readonly property var mouseIcons: [
        "qrc:/icon/mouse/icon_systemRunning2.svg",
        "qrc:/icon/mouse/icon_lowBattery2.svg",
        "qrc:/icon/mouse/battery.svg",
        "qrc:/icon/mouse/edit.svg",
        "qrc:/icon/mouse/delete.svg",
        "qrc:/icon/mouse/record.svg",
        "qrc:/icon/mouse/application.svg",
        "qrc:/icon/mouse/firmware.svg",
        "qrc:/icon/mouse/receiver.svg",
        "qrc:/icon/mouse/calibration.svg",
        "qrc:/icon/mouse/settings.svg"
    ]
    readonly property int iconEdit: 3
    readonly property int iconDelete: 4
    readonly property int iconRecord: 5
    readonly property int iconApplication: 6
    readonly property int iconFirmware: 7
    readonly property int iconReceiver: 8
    readonly property int iconCalibration: 9
    readonly property int iconSystemSettings: 10

    readonly property var headsetIcons: [
        "qrc:/icon/headset/dts.svg",
        "qrc:/icon/headset/microphone.svg",
        "qrc:/icon/headset/firmware.svg"
    ]
}
