#pragma once
// The update manifest: a JSON object whose array members are the categories ("software",
// "firmware", "hyperlink"). Elements that are objects become maps; others stay plain values.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariantList>

using UpdateManifest = QMap<QString, QVariantList>;

// Empty on malformed input, with the reason in *error.
UpdateManifest parseManifest(const QByteArray& json, QString* error);
