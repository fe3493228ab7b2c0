#pragma once
// JSON files of the data store: lists of objects and single objects.
#include <QList>
#include <QString>
#include <QVariantMap>

// The maps of a list file's bytes: each object element of an array, or the one object a file
// holds instead of an array. False when the bytes are not JSON.
bool parseJsonList(const QByteArray& bytes, QList<QVariantMap>* list);
// Reads a list file (readStoreFile's limit; a file that is not JSON is kept aside).
QList<QVariantMap> loadJsonList(const QString& path);
bool loadJsonObject(const QString& path, QVariantMap& out);
bool saveJsonList(const QList<QVariantMap>& list, const QString& path);
bool saveJsonObject(const QString& path, const QVariantMap& map);
void removeMapsByKeyValue(QList<QVariantMap>& list, const QString& key, const QVariant& value);
