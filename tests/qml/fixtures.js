.pragma library
// Answers as the workers send them, for the QML tests.

function gpuCard(index, extra) {
    var card = {
        "GPUindex": index,
        "Name": "Scorvane RX Test " + index,
        "VendorId": "1002",
        "TotalVRAM": 16384,
        "VRAMtype": "GDDR6",
        "deviceId": "744C",
        "revisionId": "C8",
        "subSystemId": "2412",
        "subSystemVendorId": "1EAE",
        "isSupportRGB": 1,
        "gpuClass": 3,
        "GPU_usage_range": "0_100",
        "GPU_power_range": "0_350",
        "GPU_fan_speed_range": "0_3300",
        "GPU_VRAM_range": "0_16384",
        "GPU_clock_speed_range": "500_2800",
        "GPU_VRAM_clock_speed": "96_2500",
        "GPU_temp_range": "0_110",
        "GPU_hotspot_temp_range": "0_110"
    }
    for (var key in extra)
        card[key] = extra[key]
    return card
}

function mouseRecord(index) {
    return {
        "Path": "/dev/hidraw" + (3 + index),
        "name": "RM20",
        "mouse_color": "Black",
        "Vendor_ID": "2DBF",
        "Product_ID": "5036",
        "Usage_Page": "FF00",
        "Usage": "0001",
        "BusType": "USB",
        "BusTypeName": "2.4G",
        "current_MCU_UUID": "00112233445566778899AABBCCDDEEFF"
    }
}

// A discovery answer (Control 0) with the given numbers of cards, mice and headsets.
function discovery(gpuCount, mouseCount, headsetCount, extra) {
    var gpus = { "gpuNum": gpuCount, "hasAMDGPU": gpuCount > 0 ? 1 : 0, "AMD_driverVersion": "25.1.1", "ERROR_INFO": "" }
    for (var i = 0; i < gpuCount; ++i)
        gpus["GPU" + i] = gpuCard(i, {})
    var mice = { "mouseNum": mouseCount, "runFunction": -1 }
    for (var m = 0; m < mouseCount; ++m)
        mice["MOUSE" + m] = mouseRecord(m)
    var answer = {
        "Control": 0,
        "gpuNum": gpuCount,
        "mouseNum": mouseCount,
        "headphoneNum": headsetCount,
        "gpuDevice": gpus,
        "mouseDevice": mice,
        "headphoneDevice": { "headphoneNum": headsetCount, "headphoneName": "Belvarinth ORVENA RH20", "runFunction": 1 },
        "gpuLastedAction": "",
        "appVersion": "25.02.02",
        "updateApp": 0,
        "updateCheck": 1,
        "updateCheckError": "",
        "StartwithWindows": 1,
        "firstStartGUI": 0,
        "firstrStartAppShowGUI": 1
    }
    for (var key in extra)
        answer[key] = extra[key]
    return answer
}

// The GPU branch answers with a copy of the command plus the result.
function gpuAnswer(command, result) {
    var answer = {}
    for (var key in command)
        answer[key] = command[key]
    answer["Control"] = 1
    answer["RESULTS"] = result
    return answer
}

function headsetOpening(extra) {
    var answer = {
        "Control": 3, "runFunction": 1, "headphoneNum": 1, "headphoneName": "Belvarinth ORVENA RH20",
        "hasUserData": 1, "getlastAction": 2, "custom1_Name": "Arena", "custom2_Name": "Custom", "custom3_Name": "Night",
        "dialogEnhance": 0, "bassControl": 0, "HeadphoneFW": "Headset-MP",
        "HeadphoneFW_Offered": "v9", "updateCheckError": ""
    }
    for (var i = 0; i < 10; ++i)
        answer["GEQ_Band" + i] = 0
    for (var key in extra)
        answer[key] = extra[key]
    return answer
}

function headsetAnswer(runFunction, extra) {
    var answer = { "Control": 3, "runFunction": runFunction, "RESULTS": 1 }
    for (var key in extra)
        answer[key] = extra[key]
    return answer
}

function bands(values) {
    var map = {}
    for (var i = 0; i < 10; ++i)
        map["GEQ_Band" + i] = values[i]
    return map
}

// The mouse's full information (runFunction 6), as the worker answers it for the simulated
// mouse: profile 2, four DPI stages, Ripple lighting, the macro "Reload" on macro key 31.
function mouseOpening(extra) {
    var answer = {
        "Control": 2, "runFunction": 6, "RESULTS": 1, "checkResult": "SUCCESS",
        "vendor_id": 0x2DBF, "product_id": 0x5036, "BusTypeName": "2.4G", "qStr_MCU_UUID": "00112233445566778899AABBCCDDEEFF",
        "name": "ORVENA RM20 Wireless Gaming Mouse", "mouse_color": "Black",
        "ProfileNo": 2, "BTL_Percent": 80, "charging_STA": 0, "DPI_Quantity": 4, "DPI_Level": 1,
        "ReportRate_wired": 1000, "ReportRate_RF": 500, "LOD": 2, "NXP_FW_L": 7, "RF_FW_L": 3,
        "firmware": [{ "name": "Mouse-NXP", "version": "8" }, { "name": "Mouse-RF", "version": "3" }],
        "Mouse_FW_Update": 1, "BatteryLevel_First": 20, "BatteryLevel_Second": 50,
        "userData": [{ "profileName": "Office" }, { "profileName": "Arena" }, { "profileName": "" },
                     { "profileName": "" }, { "profileName": "" }],
        "mk_ListSize": 1,
        "mk_AllData": [{ "macroName": "Reload", "macroKey": 31, "setDefault": false,
                         "mkAction": [{ "deviceText": "Keystroke", "actionText": "Hold", "key": "R" }] }],
        "LaunchData_listSize": 0, "LaunchData": []
    }
    var stages = [[400, 400], [800, 800], [1600, 1600], [3200, 3200], [6400, 6400]]
    for (var s = 0; s < 5; ++s) {
        answer["DPI" + (s + 1) + "_X"] = stages[s][0]
        answer["DPI" + (s + 1) + "_Y"] = stages[s][1]
        answer["DPI" + (s + 1) + "_LED_R"] = 255
        answer["DPI" + (s + 1) + "_LED_G"] = 0
        answer["DPI" + (s + 1) + "_LED_B"] = 0
    }
    for (var b = 0; b < 9; ++b)
        answer["CurrentProfileButtons_DATA" + b] = b === 5 ? 66 : 255
    for (var k = 0; k < 27; ++k)
        answer["ReDefinedKEY_DATA" + k] = 0
    var argb = [8, 4, 129, 2, 255, 0, 0, 4, 129, 2, 255, 0, 0, 4, 129, 2, 255, 0, 0]
    for (var i = 0; i < 19; ++i)
        answer["Get_ARGB_DATA" + i] = argb[i]
    for (var key in extra)
        answer[key] = extra[key]
    return answer
}

function mouseAnswer(runFunction, extra) {
    var answer = { "Control": 2, "runFunction": runFunction, "RESULTS": 1, "checkResult": "SUCCESS" }
    for (var key in extra)
        answer[key] = extra[key]
    return answer
}

function game(id, name, profile) {
    return { "AppID": id, "GameName": name, "InstallDir": "/opt/" + name, "ACFPath": "", "IconPath": "",
             "ProfileNum": profile, "Checked": profile > 0, "OpacityVisible": false }
}
