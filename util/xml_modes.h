#pragma once
// The operating modes of the headset's DTS configuration XML.
#include <QList>
#include <QString>
#include <QVariantMap>

// One map per "operating_mode" element: control name -> control text.
QList<QVariantMap> loadOperatingModesFromXml(const QString& path);
