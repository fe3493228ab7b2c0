import QtQuick 2.9
import ".."
import "../components"
import "../js/devices.js" as Devices

// The mouse page: reads the chosen mouse and shows who it is; its settings come later.
DevicePage {
    id: page
    objectName: "pageMouse"

    property bool infoRead: false
    property string mouseName: deviceInfo["name"] !== undefined ? String(deviceInfo["name"]) : "RM20"
    property string connection: deviceInfo["BusTypeName"] !== undefined ? String(deviceInfo["BusTypeName"]) : ""
    property int battery: 0
    property bool charging: false
    property int profile: 0
    // A mouse that never answers must not leave the window covered for good.
    readonly property int answerTimeoutMs: 15000

    function openMouse() {
        busy = true
        send({
            "Control": 2,
            "runFunction": 6,
            "currentHID_Path": deviceInfo["Path"] !== undefined ? String(deviceInfo["Path"]) : "",
            "Vendor_ID": deviceInfo["Vendor_ID"] !== undefined ? String(deviceInfo["Vendor_ID"]) : "",
            "Product_ID": deviceInfo["Product_ID"] !== undefined ? String(deviceInfo["Product_ID"]) : "",
            "Usage_Page": deviceInfo["Usage_Page"] !== undefined ? String(deviceInfo["Usage_Page"]) : "",
            "Usage": deviceInfo["Usage"] !== undefined ? String(deviceInfo["Usage"]) : ""
        })
        answerTimer.restart()
    }

    function failed(answer) {
        if (intOf(answer["RESULTS"], 0) === -1)
            return true
        return answer["checkResult"] !== undefined && String(answer["checkResult"]) !== "SUCCESS"
    }

    function handleAnswer(answer) {
        if (intOf(answer["runFunction"], -1) !== 6 && intOf(answer["RESULTS"], 0) !== -1)
            return
        answerTimer.stop()
        busy = false
        if (failed(answer)) {
            failureNotice.open()
            return
        }
        infoRead = true
        if (answer["name"] !== undefined)
            mouseName = String(answer["name"])
        if (answer["BusTypeName"] !== undefined)
            connection = String(answer["BusTypeName"])
        battery = Devices.batteryShown(answer["BTL_Percent"])
        charging = intOf(answer["charging_STA"], 0) === 1
        profile = intOf(answer["ProfileNo"], 0)
    }

    Component.onCompleted: openMouse()

    Connections {
        target: talvorin_worker
        function onDataChanged(data) {
            if (page.busy && page.intOf(data["Control"], -1) === 2)
                page.handleAnswer(data)
        }
    }

    Timer {
        id: answerTimer
        interval: page.answerTimeoutMs
        onTriggered: {
            page.busy = false
            failureNotice.open()
        }
    }

    Image {
        id: picture
        anchors.horizontalCenter: parent.horizontalCenter
        y: 60 * page.ratio_h
        width: 220 * page.ratio_h
        height: 300 * page.ratio_h
        fillMode: Image.PreserveAspectFit
        source: ConfigData.devicePictures[1]
        sourceSize.width: Math.ceil(width)
        sourceSize.height: Math.ceil(height)
    }

    Column {
        anchors.top: picture.bottom
        anchors.topMargin: 30 * page.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 10 * page.ratio_h

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "ORVENA Gaming Mouse"
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.capitalization: Font.AllUppercase
            font.pixelSize: 15 * page.ratio_h
        }
        Text {
            objectName: "mouseName"
            anchors.horizontalCenter: parent.horizontalCenter
            text: page.mouseName
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 28 * page.ratio_h
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 30 * page.ratio_w
            visible: page.infoRead
            Row {
                spacing: 8 * page.ratio_w
                Image {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 30 * page.ratio_h
                    height: width
                    source: ConfigData.mouseIcons[2]
                    sourceSize.width: 60
                    sourceSize.height: 60
                }
                Text {
                    objectName: "batteryText"
                    anchors.verticalCenter: parent.verticalCenter
                    text: page.battery + "%" + (page.charging ? " (charging)" : "")
                    color: Palette.light
                    font.family: Palette.fontFamily
                    font.pixelSize: 17 * page.ratio_h
                }
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                visible: page.connection.length > 0
                text: page.connection + " Mode"
                color: Palette.light
                font.family: Palette.fontFamily
                font.pixelSize: 17 * page.ratio_h
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                visible: page.profile > 0
                text: "Profile " + page.profile
                color: Palette.light
                font.family: Palette.fontFamily
                font.pixelSize: 17 * page.ratio_h
            }
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Mouse settings are coming in a later version."
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.weight: Font.Light
            font.pixelSize: 16 * page.ratio_h
        }
    }

    FailureNotice {
        id: failureNotice
        objectName: "failureNotice"
        ratio_w: page.ratio_w
        ratio_h: page.ratio_h
    }
}
