#pragma once
// Reading and writing the values PipeWire passes around: property dictionaries, the JSON of
// the "default" metadata, and the "params" struct of a node's Props (a filter's controls).
#include "real/headset/headset_sink.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

struct spa_dict;
struct spa_pod;
struct spa_pod_builder;

Properties toProperties(const spa_dict* dict);
// The "name" of a JSON object such as {"name":"alsa_output.usb-..."}; empty when it has none.
QString nameInJson(const char* json);
// The numeric name/value pairs of a Props object's "params" struct, added to `out`; values of
// other kinds (flags, texts) are skipped.
void readControls(const spa_pod* props, QMap<QString, float>& out);
// A Props object that sets every control: { params = [ name value ... ] }; null when the
// builder's buffer is too small.
const spa_pod* buildControls(spa_pod_builder* builder, const QList<QPair<QString, float>>& controls);
