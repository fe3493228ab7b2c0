#include "core/data_store.h"

DataStore::DataStore(const QString& root) : m_root(root) {}

bool isPlainIdentifier(const QString& name)
{
    if (name.isEmpty() || name.size() > 128)
        return false;
    for (const QChar c : name) {
        const bool plain = (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || c == QLatin1Char('-') || c == QLatin1Char('_');
        if (!plain)
            return false;
    }
    return true;
}

QString DataStore::mouseFolderFor(const QString& uuid) const
{
    if (!isPlainIdentifier(uuid))
        return QString();
    return mouseFolder() + QLatin1Char('/') + uuid;
}
