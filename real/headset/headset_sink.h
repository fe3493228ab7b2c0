#pragma once
// Which of the sound server's sinks is the headset. PipeWire's ALSA monitor copies the USB
// ids of a card into the properties of its device ("device.vendor.id" "0x2dbf") and a sink
// names its device in "device.id"; a sink may also carry the ids itself.
#include <QMap>
#include <QString>

using Properties = QMap<QString, QString>;

// True when the properties name USB vendor `vendor` and product `product`.
bool hasUsbIds(const Properties& properties, int vendor, int product);
// The headset's sink: its own properties or its device's (empty when unknown) hold the ids.
bool isHeadsetSink(const Properties& node, const Properties& device);

// A GUID of the sink, the same for the same node name in every run, as the render endpoint
// id and the registry path of its endpoint carry it.
QString sinkGuid(const QString& nodeName);
