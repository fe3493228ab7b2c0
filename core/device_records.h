#pragma once
// The devices one discovery found, read out of the maps the device objects answer with, and
// the identity keys a mouse command carries (what the mouse page sends with every command).
#include <QString>
#include <QVariantMap>
#include <QVector>

struct DeviceMaps {
    QVariantMap gpuDevice;       // get_GPUDevicesInfo
    QVariantMap mouseDevice;     // get_hid_devices_info
    QVariantMap headphoneDevice; // get_Headphone_Devices
};

struct GpuRecord {
    int index = 0; // "GPUindex": the card's index in the GPU library
    QString name;
    bool rgbSupported = false;
};

// "GPU0" ... up to "gpuNum".
QVector<GpuRecord> gpuRecords(const QVariantMap& gpuDevice);
// "MOUSE0" ... up to "mouseNum", those with a path to talk to.
QVector<QVariantMap> mouseRecords(const QVariantMap& mouseDevice);
QString mouseDisplayName(const QVariantMap& mouseRecord);
// Control 2 with runFunction and the mouse's path, ids and MCU UUID.
QVariantMap mouseCommand(const QVariantMap& mouseRecord, int runFunction);
int headsetCount(const QVariantMap& headphoneDevice);
QString headsetDisplayName(const QVariantMap& headphoneDevice);
