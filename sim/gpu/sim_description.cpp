#include "sim/gpu/sim_description.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char* const kMetricNames[kSimMetricCount] = {
    "usage", "clockSpeed", "vramClockSpeed", "temperature", "hotspotTemperature", "totalBoardPower", "fanSpeed", "vram",
};

bool readCodes(const QJsonValue& value, std::map<QString, int>* codes, QString* error)
{
    if (value.isUndefined())
        return true;
    if (!value.isObject()) {
        *error = QStringLiteral("\"codes\" must be an object");
        return false;
    }
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isDouble()) {
            *error = QStringLiteral("code of %1 must be a number").arg(it.key());
            return false;
        }
        (*codes)[it.key()] = it.value().toInt();
    }
    return true;
}

bool readMetric(const QJsonObject& object, SimMetric* metric, QString* error)
{
    metric->supported = object.value(QStringLiteral("supported")).toBool(true);
    const QJsonValue range = object.value(QStringLiteral("range"));
    if (!range.isUndefined()) {
        const QJsonArray pair = range.toArray();
        if (pair.size() != 2 || !pair[0].isDouble() || !pair[1].isDouble()) {
            *error = QStringLiteral("a metric range is two numbers");
            return false;
        }
        metric->rangeMin = pair[0].toInt();
        metric->rangeMax = pair[1].toInt();
    }
    metric->value = object.value(QStringLiteral("value")).toDouble(0);
    metric->swing = object.value(QStringLiteral("swing")).toDouble(0);
    metric->period = object.value(QStringLiteral("period")).toInt(0);
    metric->jitter = object.value(QStringLiteral("jitter")).toDouble(0);
    return true;
}

bool readMetrics(const QJsonValue& value, SimCard* card, QString* error)
{
    if (value.isUndefined())
        return true;
    const QJsonObject object = value.toObject();
    for (int i = 0; i < kSimMetricCount; ++i) {
        const QJsonValue metric = object.value(QLatin1String(kMetricNames[i]));
        if (metric.isUndefined())
            continue;
        if (!metric.isObject()) {
            *error = QStringLiteral("metric %1 must be an object").arg(QLatin1String(kMetricNames[i]));
            return false;
        }
        if (!readMetric(metric.toObject(), &card->metrics[size_t(i)], error))
            return false;
    }
    return true;
}

bool readProbe(const QJsonValue& value, SimCard* card, QString* error)
{
    if (value.isUndefined())
        return true;
    const QJsonArray bytes = value.toArray();
    if (bytes.size() != 3) {
        *error = QStringLiteral("\"probe\" is three bytes");
        return false;
    }
    for (int i = 0; i < 3; ++i)
        card->probe[size_t(i)] = uint8_t(bytes[i].toInt() & 0xFF);
    return true;
}

bool readCard(const QJsonObject& object, int index, SimCard* card, QString* error)
{
    card->deviceId = object.value(QStringLiteral("deviceId")).toString();
    card->revisionId = object.value(QStringLiteral("revisionId")).toString();
    card->subSystemId = object.value(QStringLiteral("subSystemId")).toString(QStringLiteral("0000"));
    card->subSystemVendorId = object.value(QStringLiteral("subSystemVendorId")).toString(QStringLiteral("0000"));
    card->vendorId = object.value(QStringLiteral("vendorId")).toString(card->vendorId);
    card->name = object.value(QStringLiteral("name")).toString(QStringLiteral("AMD Radeon Graphics"));
    card->vramType = object.value(QStringLiteral("vramType")).toString(card->vramType);
    card->driverPath = object.value(QStringLiteral("driverPath"))
                           .toString(QStringLiteral("0000:%1:00.0").arg(index + 3, 2, 16, QLatin1Char('0')));
    card->totalVram = unsigned(object.value(QStringLiteral("totalVRAM")).toInt(int(card->totalVram)));
    card->family = object.value(QStringLiteral("family")).toInt(card->family);
    card->hasI2c = object.value(QStringLiteral("i2c")).toBool(true);
    card->controller = object.value(QStringLiteral("controller")).toBool(true);
    card->controllerType = object.value(QStringLiteral("controllerType")).toInt(-1);
    const QJsonArray refused = object.value(QStringLiteral("refusedWrites")).toArray();
    for (const QJsonValue& reg : refused)
        card->refusedWrites.push_back(reg.toInt(-1));
    if (card->deviceId.isEmpty() || card->revisionId.isEmpty()) {
        *error = QStringLiteral("card %1 needs \"deviceId\" and \"revisionId\"").arg(index);
        return false;
    }
    return readProbe(object.value(QStringLiteral("probe")), card, error)
        && readCodes(object.value(QStringLiteral("codes")), &card->codes, error)
        && readMetrics(object.value(QStringLiteral("metrics")), card, error);
}

} // namespace

bool parseSimDescription(const QByteArray& json, SimDescription* description, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = QStringLiteral("not a JSON object: ") + parseError.errorString();
        return false;
    }
    const QJsonObject root = doc.object();
    SimDescription parsed;
    parsed.initializeCode = root.value(QStringLiteral("initialize")).toInt(0);
    if (!readCodes(root.value(QStringLiteral("codes")), &parsed.codes, error))
        return false;
    const QJsonArray cards = root.value(QStringLiteral("cards")).toArray();
    for (int i = 0; i < cards.size(); ++i) {
        if (!cards[i].isObject()) {
            *error = QStringLiteral("card %1 is not an object").arg(i);
            return false;
        }
        SimCard card;
        if (!readCard(cards[i].toObject(), i, &card, error))
            return false;
        parsed.cards.push_back(card);
    }
    *description = parsed;
    return true;
}
