#include "real/headset/spa_values.h"

#include <cstring>
#include <spa/param/props.h>
#include <spa/pod/builder.h>
#include <spa/pod/iter.h>
#include <spa/pod/parser.h>
#include <spa/utils/dict.h>
#include <spa/utils/json.h>

Properties toProperties(const spa_dict* dict)
{
    Properties properties;
    if (!dict)
        return properties;
    const spa_dict_item* item;
    spa_dict_for_each(item, dict)
    {
        properties.insert(QString::fromUtf8(item->key), QString::fromUtf8(item->value ? item->value : ""));
    }
    return properties;
}

QString nameInJson(const char* json)
{
    if (!json)
        return {};
    spa_json it[2];
    spa_json_init(&it[0], json, strlen(json));
    if (spa_json_enter_object(&it[0], &it[1]) <= 0)
        return {};
    char key[64];
    while (spa_json_get_string(&it[1], key, sizeof(key)) > 0) {
        char value[512];
        if (strcmp(key, "name") == 0 && spa_json_get_string(&it[1], value, sizeof(value)) > 0)
            return QString::fromUtf8(value);
        const char* skipped;
        if (spa_json_next(&it[1], &skipped) <= 0)
            break;
    }
    return {};
}

void readControls(const spa_pod* props, QMap<QString, float>& out)
{
    if (!props || !spa_pod_is_object(props))
        return;
    const spa_pod_prop* prop = spa_pod_find_prop(props, nullptr, SPA_PROP_params);
    if (!prop || !spa_pod_is_struct(&prop->value))
        return;
    spa_pod_parser parser;
    spa_pod_frame frame;
    spa_pod_parser_pod(&parser, &prop->value);
    if (spa_pod_parser_push_struct(&parser, &frame) < 0)
        return;
    while (true) {
        const char* name = nullptr;
        float value = 0;
        if (spa_pod_parser_get_string(&parser, &name) < 0)
            break;
        if (spa_pod_parser_get_float(&parser, &value) < 0) {
            if (!spa_pod_parser_next(&parser))
                break;
            continue;
        }
        out.insert(QString::fromUtf8(name), value);
    }
}

const spa_pod* buildControls(spa_pod_builder* builder, const QList<QPair<QString, float>>& controls)
{
    spa_pod_frame object;
    spa_pod_frame params;
    spa_pod_builder_push_object(builder, &object, SPA_TYPE_OBJECT_Props, SPA_PARAM_Props);
    spa_pod_builder_prop(builder, SPA_PROP_params, 0);
    spa_pod_builder_push_struct(builder, &params);
    for (const QPair<QString, float>& control : controls) {
        spa_pod_builder_string(builder, control.first.toUtf8().constData());
        spa_pod_builder_float(builder, control.second);
    }
    spa_pod_builder_pop(builder, &params);
    auto* pod = static_cast<const spa_pod*>(spa_pod_builder_pop(builder, &object));
    // A builder that ran out of room says so in its state and hands out nothing usable.
    return builder->state.offset > builder->size ? nullptr : pod;
}
