#include "bridge/map_reading.h"

#include <cmath>

namespace {

// The integer part of a number QML sent; false when no int holds it.
bool integerPart(double d, int* value)
{
    if (!std::isfinite(d) || d >= 2147483648.0 || d <= -2147483649.0)
        return false;
    *value = int(d);
    return true;
}

} // namespace

bool tryReadInt(const QVariantMap& map, const QString& key, int* value)
{
    const auto it = map.constFind(key);
    if (it == map.constEnd())
        return false;
    const QVariant& v = it.value();
    bool ok = false;
    if (v.type() == QVariant::String) {
        const QString text = v.toString().trimmed();
        const int parsed = text.toInt(&ok, 10);
        if (ok) {
            *value = parsed;
            return true;
        }
        const double d = text.toDouble(&ok);
        return ok && integerPart(d, value);
    }
    if (v.type() == QVariant::Double)
        return integerPart(v.toDouble(), value);
    const int parsed = v.toInt(&ok);
    if (ok)
        *value = parsed;
    return ok;
}

int readInt(const QVariantMap& map, const QString& key, int fallback)
{
    int value = fallback;
    return tryReadInt(map, key, &value) ? value : fallback;
}

QString readString(const QVariantMap& map, const QString& key)
{
    return map.value(key).toString();
}
