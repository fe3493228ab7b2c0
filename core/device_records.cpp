#include "core/device_records.h"

#include "bridge/map_reading.h"

QVector<GpuRecord> gpuRecords(const QVariantMap& gpuDevice)
{
    QVector<GpuRecord> records;
    const int count = readInt(gpuDevice, QStringLiteral("gpuNum"));
    for (int i = 0; i < count; ++i) {
        const QVariantMap info = gpuDevice.value(QStringLiteral("GPU%1").arg(i)).toMap();
        if (info.isEmpty())
            continue;
        const QString name = readString(info, QStringLiteral("Name"));
        // The list holds the cards found; each names its index in the GPU library, which every
        // GPU command takes.
        records.append({readInt(info, QStringLiteral("GPUindex"), i), name.isEmpty() ? QStringLiteral("Graphics Card") : name,
                        readInt(info, QStringLiteral("isSupportRGB")) == 1});
    }
    return records;
}

QVector<QVariantMap> mouseRecords(const QVariantMap& mouseDevice)
{
    QVector<QVariantMap> records;
    const int count = readInt(mouseDevice, QStringLiteral("mouseNum"));
    for (int i = 0; i < count; ++i) {
        const QVariantMap record = mouseDevice.value(QStringLiteral("MOUSE%1").arg(i)).toMap();
        if (!readString(record, QStringLiteral("Path")).isEmpty())
            records.append(record);
    }
    return records;
}

QString mouseDisplayName(const QVariantMap& mouseRecord)
{
    QString name = readString(mouseRecord, QStringLiteral("name"));
    if (name.isEmpty())
        name = QStringLiteral("RM20");
    const QString link = readString(mouseRecord, QStringLiteral("BusTypeName"));
    return link.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, link);
}

QVariantMap mouseCommand(const QVariantMap& mouseRecord, int runFunction)
{
    return {{QStringLiteral("Control"), 2},
            {QStringLiteral("runFunction"), runFunction},
            {QStringLiteral("currentHID_Path"), mouseRecord.value(QStringLiteral("Path"))},
            {QStringLiteral("Vendor_ID"), mouseRecord.value(QStringLiteral("Vendor_ID"))},
            {QStringLiteral("Product_ID"), mouseRecord.value(QStringLiteral("Product_ID"))},
            {QStringLiteral("Usage_Page"), mouseRecord.value(QStringLiteral("Usage_Page"))},
            {QStringLiteral("Usage"), mouseRecord.value(QStringLiteral("Usage"))},
            {QStringLiteral("qStr_MCU_UUID"), mouseRecord.value(QStringLiteral("current_MCU_UUID"))}};
}

int headsetCount(const QVariantMap& headphoneDevice)
{
    return readInt(headphoneDevice, QStringLiteral("headphoneNum"));
}

QString headsetDisplayName(const QVariantMap& headphoneDevice)
{
    const QString name = readString(headphoneDevice, QStringLiteral("headphoneName"));
    return name.isEmpty() ? QStringLiteral("Belvarinth ORVENA RH20") : name;
}
