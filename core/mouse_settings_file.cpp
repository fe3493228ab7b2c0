#include "core/mouse_settings_file.h"

#include "util/files.h"
#include "util/json_files.h"

namespace {

const QString kFormat = QStringLiteral("formatVersion");
const QString kLast = QStringLiteral("lastRunFunction");
const QString kCommands = QStringLiteral("commands");

} // namespace

bool recordMouseSettings(const QString& path, int runFunction, const QVariantMap& command)
{
    if (path.isEmpty())
        return false;
    QVariantMap document;
    if (fileExists(path) && !loadJsonObject(path, document))
        document.clear();
    QVariantMap commands = document.value(kCommands).toMap();
    commands.insert(QString::number(runFunction), command);
    document.insert(kFormat, kMouseSettingsFormat);
    document.insert(kLast, runFunction);
    document.insert(kCommands, commands);
    return saveJsonObject(path, document);
}

QVariantMap storedMouseCommand(const QString& path, int runFunction)
{
    QVariantMap document;
    if (path.isEmpty() || !fileExists(path) || !loadJsonObject(path, document))
        return {};
    return document.value(kCommands).toMap().value(QString::number(runFunction)).toMap();
}

bool clearMouseSettings(const QString& path)
{
    return !path.isEmpty() && saveJsonObject(path, {{kFormat, kMouseSettingsFormat}, {kCommands, QVariantMap()}});
}

bool rewritesMouseSettings(int runFunction)
{
    return runFunction > 0 && runFunction != 35 && runFunction != 41 && runFunction != 999;
}

bool isProfileSetting(int runFunction)
{
    switch (runFunction) {
    case 2:   // button
    case 3:   // re-defined key
    case 7:   // macro on a button
    case 30:  // lighting
    case 31:
    case 32:
    case 37:  // macro taken off a button
    case 40:  // launch action
    case 100: return true;
    default: return false;
    }
}
