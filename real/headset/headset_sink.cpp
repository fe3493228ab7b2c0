#include "real/headset/headset_sink.h"

#include <QUuid>
#include <optional>

namespace {

constexpr int kHeadsetVendor = 0x2dbf;
constexpr int kHeadsetProduct = 0x0001;

// "0x2dbf", "0x2DBF" and "2dbf" are read alike; anything else is no id.
std::optional<int> hexId(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    bool ok = false;
    const int value = digits.toInt(&ok, 16);
    if (!ok || digits.isEmpty() || digits.size() > 4)
        return std::nullopt;
    return value;
}

} // namespace

bool hasUsbIds(const Properties& properties, int vendor, int product)
{
    const std::optional<int> vendorId = hexId(properties.value(QStringLiteral("device.vendor.id")));
    const std::optional<int> productId = hexId(properties.value(QStringLiteral("device.product.id")));
    return vendorId == vendor && productId == product;
}

bool isHeadsetSink(const Properties& node, const Properties& device)
{
    if (node.value(QStringLiteral("media.class")) != QLatin1String("Audio/Sink"))
        return false;
    return hasUsbIds(node, kHeadsetVendor, kHeadsetProduct) || hasUsbIds(device, kHeadsetVendor, kHeadsetProduct);
}

QString sinkGuid(const QString& nodeName)
{
    static const QUuid kNamespace(QStringLiteral("{5b7c1f0e-2a64-4d8b-9f3e-0c1d2e3f4a5b}"));
    return QUuid::createUuidV5(kNamespace, nodeName).toString(QUuid::WithoutBraces);
}
