#include "bridge/map_reading.h"

#include <cmath>

bool tryReadInt(const QVariantMap& map, const QString& key, int* value)
{
    const auto it = map.constFind(key);
    if (it == map.constEnd())
        return false;
    const QVariant& v = it.value();
    bool ok = false;
    if (v.type() == QVariant::String) {
        const QString text = v.toString().trimmed();
        int parsed = text.toInt(&ok, 10);
        if (!ok) {
            const double d = text.toDouble(&ok);
            parsed = ok && std::isfinite(d) ? int(d) : 0;
            ok = ok && std::isfinite(d);
        }
        if (ok)
            *value = parsed;
        return ok;
    }
    if (v.type() == QVariant::Double) {
        const double d = v.toDouble();
        if (!std::isfinite(d) || d > 2147483647.0 || d < -2147483648.0)
            return false;
        *value = int(d);
        return true;
    }
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
