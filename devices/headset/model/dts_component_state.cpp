#include "devices/headset/model/dts_component_state.h"

#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QMutexLocker>
#include <QXmlStreamReader>

namespace {

const QString kRenderKey =
    QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Render\\{%1}");

DtsControl readControl(QXmlStreamReader& reader)
{
    DtsControl control;
    control.name = reader.attributes().value(QLatin1String("name")).toString();
    control.isText = reader.attributes().value(QLatin1String("type")) == QLatin1String("text");
    const QString value = reader.readElementText().trimmed();
    if (control.isText)
        control.text = control.defaultText = value;
    else
        control.value = control.defaultValue = value.toInt();
    return control;
}

DtsMode readModeStart(QXmlStreamReader& reader)
{
    DtsMode mode;
    const QXmlStreamAttributes attributes = reader.attributes();
    mode.name = attributes.value(QLatin1String("name")).toString();
    mode.processing = mode.defaultProcessing = attributes.value(QLatin1String("processing")) != QLatin1String("0");
    mode.autoContent = mode.defaultAutoContent = attributes.value(QLatin1String("auto_content")) == QLatin1String("1");
    return mode;
}

QJsonObject modeValues(const DtsMode& mode)
{
    QJsonObject controls;
    for (const DtsControl& control : mode.controls)
        controls.insert(control.name, control.isText ? QJsonValue(control.text) : QJsonValue(control.value));
    return QJsonObject{{QStringLiteral("processing"), mode.processing},
                       {QStringLiteral("autoContent"), mode.autoContent},
                       {QStringLiteral("controls"), controls}};
}

void takeModeValues(DtsMode& mode, const QJsonObject& values)
{
    mode.processing = values.value(QStringLiteral("processing")).toBool(mode.processing);
    mode.autoContent = values.value(QStringLiteral("autoContent")).toBool(mode.autoContent);
    const QJsonObject controls = values.value(QStringLiteral("controls")).toObject();
    for (DtsControl& control : mode.controls) {
        const QJsonValue value = controls.value(control.name);
        if (control.isText && value.isString())
            control.text = value.toString();
        else if (!control.isText && value.isDouble())
            control.value = value.toInt();
    }
}

} // namespace

std::optional<int> DtsMode::value(const QString& control) const
{
    for (const DtsControl& entry : controls) {
        if (entry.name == control && !entry.isText)
            return entry.value;
    }
    return std::nullopt;
}

DtsComponentState::DtsComponentState(const QString& configurationXml) : m_configurationXml(configurationXml)
{
    loadConfiguration(configurationXml);
}

DtsEndpoint DtsComponentState::makeEndpoint(const QString& name, const QString& guid, const QString& configFile,
                                            bool headset)
{
    DtsEndpoint endpoint;
    endpoint.friendlyName = name;
    endpoint.configFile = configFile;
    // The registry keeps the GUID in upper case, the endpoint id in lower case.
    endpoint.registryPath = kRenderKey.arg(guid.toUpper());
    endpoint.renderId = QStringLiteral("{0.0.0.00000000}.{%1}").arg(guid.toLower());
    endpoint.headset = headset;
    return endpoint;
}

bool DtsComponentState::loadConfiguration(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "DTS component: no configuration at" << path;
        return false;
    }
    QList<DtsMode> modes;
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        if (reader.name() == QLatin1String("operating_mode")) {
            modes.append(readModeStart(reader));
        } else if (reader.name() == QLatin1String("control") && !modes.isEmpty()) {
            // The label is the page's name for the mode, not a setting of the processing.
            if (reader.attributes().value(QLatin1String("type")) == QLatin1String("label"))
                modes.last().label = reader.readElementText().trimmed();
            else
                modes.last().controls.append(readControl(reader));
        }
    }
    if (reader.hasError()) {
        qWarning() << "DTS component: broken configuration" << reader.errorString();
        return false;
    }
    QMutexLocker lock(&m_mutex);
    m_modes = modes;
    m_activeMode = 0;
    return true;
}

void DtsComponentState::setEndpoints(const QList<DtsEndpoint>& endpoints, int defaultRender)
{
    QMutexLocker lock(&m_mutex);
    m_endpoints = endpoints;
    m_defaultRender = defaultRender >= 0 && defaultRender < m_endpoints.size() ? defaultRender : -1;
}

void DtsComponentState::setDefaultRender(int endpoint)
{
    QMutexLocker lock(&m_mutex);
    m_defaultRender = endpoint >= 0 && endpoint < m_endpoints.size() ? endpoint : -1;
}

int DtsComponentState::endpointCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_endpoints.size();
}

DtsEndpoint DtsComponentState::endpointInfo(int endpoint) const
{
    QMutexLocker lock(&m_mutex);
    return endpoint >= 0 && endpoint < m_endpoints.size() ? m_endpoints[endpoint] : DtsEndpoint{};
}

int DtsComponentState::modeCount(int endpoint) const
{
    QMutexLocker lock(&m_mutex);
    return isHeadsetEndpoint(endpoint) ? m_modes.size() : 0;
}

QString DtsComponentState::modeName(int endpoint, int mode) const
{
    QMutexLocker lock(&m_mutex);
    return validControl(endpoint, mode, -1) ? m_modes[mode].name : QString();
}

int DtsComponentState::activeMode(int endpoint) const
{
    QMutexLocker lock(&m_mutex);
    if (!isHeadsetEndpoint(endpoint) || m_modes.isEmpty())
        return -1;
    return m_activeMode;
}

bool DtsComponentState::setActiveMode(int endpoint, int mode)
{
    QMutexLocker lock(&m_mutex);
    if (!validControl(endpoint, mode, -1))
        return false;
    m_changed = m_changed || m_activeMode != mode;
    m_activeMode = mode;
    return true;
}

bool DtsComponentState::processing(int endpoint, int mode) const
{
    QMutexLocker lock(&m_mutex);
    return validControl(endpoint, mode, -1) && m_modes[mode].processing;
}

void DtsComponentState::setProcessing(int endpoint, int mode, bool enabled)
{
    QMutexLocker lock(&m_mutex);
    if (!validControl(endpoint, mode, -1))
        return;
    m_changed = m_changed || m_modes[mode].processing != enabled;
    m_modes[mode].processing = enabled;
}

void DtsComponentState::setAutoContent(int endpoint, int mode, bool enabled)
{
    QMutexLocker lock(&m_mutex);
    if (validControl(endpoint, mode, -1))
        m_modes[mode].autoContent = enabled;
}

int DtsComponentState::controlCount(int endpoint, int mode) const
{
    QMutexLocker lock(&m_mutex);
    return validControl(endpoint, mode, -1) ? m_modes[mode].controls.size() : 0;
}

std::optional<DtsControl> DtsComponentState::control(int endpoint, int mode, int index) const
{
    QMutexLocker lock(&m_mutex);
    if (!validControl(endpoint, mode, index))
        return std::nullopt;
    return m_modes[mode].controls[index];
}

bool DtsComponentState::setControlInt(int endpoint, int mode, int index, int value)
{
    QMutexLocker lock(&m_mutex);
    if (!validControl(endpoint, mode, index))
        return false;
    DtsControl& target = m_modes[mode].controls[index];
    if (target.isText)
        return false;
    m_changed = m_changed || target.value != value;
    target.value = value;
    logWrite(mode, index, QString::number(value));
    return true;
}

bool DtsComponentState::setControlText(int endpoint, int mode, int index, const QString& text)
{
    QMutexLocker lock(&m_mutex);
    if (!validControl(endpoint, mode, index))
        return false;
    DtsControl& target = m_modes[mode].controls[index];
    if (!target.isText)
        return false;
    m_changed = m_changed || target.text != text;
    target.text = text;
    logWrite(mode, index, text);
    return true;
}

QString DtsComponentState::defaultRenderId() const
{
    QMutexLocker lock(&m_mutex);
    return m_defaultRender >= 0 ? m_endpoints[m_defaultRender].renderId : QString();
}

std::optional<int> DtsComponentState::headsetValue(const QString& mode, const QString& control) const
{
    QMutexLocker lock(&m_mutex);
    const DtsMode* found = findMode(mode);
    const int index = found ? findControlIndex(*found, control) : -1;
    if (index < 0 || found->controls[index].isText)
        return std::nullopt;
    return found->controls[index].value;
}

std::optional<QString> DtsComponentState::headsetText(const QString& mode, const QString& control) const
{
    QMutexLocker lock(&m_mutex);
    const DtsMode* found = findMode(mode);
    const int index = found ? findControlIndex(*found, control) : -1;
    if (index < 0 || !found->controls[index].isText)
        return std::nullopt;
    return found->controls[index].text;
}

bool DtsComponentState::setHeadsetValue(const QString& mode, const QString& control, int value)
{
    QMutexLocker lock(&m_mutex);
    const int modeIndex = findModeIndex(mode);
    if (modeIndex < 0)
        return false;
    DtsMode& target = m_modes[modeIndex];
    const int index = findControlIndex(target, control);
    if (index < 0 || target.controls[index].isText)
        return false;
    target.controls[index].value = value;
    m_changed = true;
    return true;
}

QString DtsComponentState::headsetActiveMode() const
{
    QMutexLocker lock(&m_mutex);
    return m_modes.isEmpty() ? QString() : m_modes[m_activeMode].name;
}

bool DtsComponentState::headsetProcessing(const QString& mode) const
{
    QMutexLocker lock(&m_mutex);
    const DtsMode* found = findMode(mode);
    return found && found->processing;
}

bool DtsComponentState::headsetAutoContent(const QString& mode) const
{
    QMutexLocker lock(&m_mutex);
    const DtsMode* found = findMode(mode);
    return found && found->autoContent;
}

QStringList DtsComponentState::headsetModeNames() const
{
    QMutexLocker lock(&m_mutex);
    QStringList names;
    for (const DtsMode& mode : m_modes)
        names << mode.name;
    return names;
}

std::optional<DtsMode> DtsComponentState::activeHeadsetMode() const
{
    QMutexLocker lock(&m_mutex);
    if (m_modes.isEmpty())
        return std::nullopt;
    return m_modes[m_activeMode];
}

void DtsComponentState::restoreDefaults()
{
    QMutexLocker lock(&m_mutex);
    for (DtsMode& mode : m_modes) {
        mode.processing = mode.defaultProcessing;
        mode.autoContent = mode.defaultAutoContent;
        for (DtsControl& control : mode.controls) {
            control.value = control.defaultValue;
            control.text = control.defaultText;
        }
    }
    m_activeMode = 0;
    m_changed = true;
}

bool DtsComponentState::takeChanged()
{
    QMutexLocker lock(&m_mutex);
    return std::exchange(m_changed, false);
}

QJsonObject DtsComponentState::valuesToJson() const
{
    QMutexLocker lock(&m_mutex);
    QJsonObject modes;
    for (const DtsMode& mode : m_modes)
        modes.insert(mode.name, modeValues(mode));
    return QJsonObject{{QStringLiteral("activeMode"), m_modes.isEmpty() ? QString() : m_modes[m_activeMode].name},
                       {QStringLiteral("modes"), modes}};
}

void DtsComponentState::valuesFromJson(const QJsonObject& values)
{
    QMutexLocker lock(&m_mutex);
    const QJsonObject modes = values.value(QStringLiteral("modes")).toObject();
    for (DtsMode& mode : m_modes) {
        if (modes.value(mode.name).isObject())
            takeModeValues(mode, modes.value(mode.name).toObject());
    }
    const int active = findModeIndex(values.value(QStringLiteral("activeMode")).toString());
    if (active >= 0)
        m_activeMode = active;
    m_changed = true;
}

QStringList DtsComponentState::writeLog() const
{
    QMutexLocker lock(&m_mutex);
    return m_writeLog;
}

void DtsComponentState::clearWriteLog()
{
    QMutexLocker lock(&m_mutex);
    m_writeLog.clear();
}

bool DtsComponentState::isHeadsetEndpoint(int endpoint) const
{
    return endpoint >= 0 && endpoint < m_endpoints.size() && m_endpoints[endpoint].headset;
}

const DtsMode* DtsComponentState::findMode(const QString& name) const
{
    const int index = findModeIndex(name);
    return index >= 0 ? &m_modes[index] : nullptr;
}

int DtsComponentState::findModeIndex(const QString& name) const
{
    for (int i = 0; i < m_modes.size(); ++i) {
        if (m_modes[i].name == name)
            return i;
    }
    return -1;
}

int DtsComponentState::findControlIndex(const DtsMode& mode, const QString& name) const
{
    for (int i = 0; i < mode.controls.size(); ++i) {
        if (mode.controls[i].name == name)
            return i;
    }
    return -1;
}

// Index -1 checks only the endpoint and the mode.
bool DtsComponentState::validControl(int endpoint, int mode, int index) const
{
    if (!isHeadsetEndpoint(endpoint) || mode < 0 || mode >= m_modes.size())
        return false;
    return index == -1 || (index >= 0 && index < m_modes[mode].controls.size());
}

void DtsComponentState::logWrite(int mode, int index, const QString& value)
{
    const DtsMode& target = m_modes[mode];
    m_writeLog << QStringLiteral("%1/%2=%3").arg(target.name, target.controls[index].name, value);
}
