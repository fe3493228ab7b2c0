#pragma once
// JSON files of the data store: lists of objects and single objects.
#include <QList>
#include <QString>
#include <QVariantMap>

QList<QVariantMap> loadJsonList(const QString& path);
bool loadJsonObject(const QString& path, QVariantMap& out);
bool saveJsonList(const QList<QVariantMap>& list, const QString& path);
bool saveJsonObject(const QString& path, const QVariantMap& map);
void removeMapsByKeyValue(QList<QVariantMap>& list, const QString& key, const QVariant& value);
