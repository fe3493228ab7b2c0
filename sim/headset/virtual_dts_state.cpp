#include "sim/headset/virtual_dts_state.h"

#include <QDebug>
#include <QFile>
#include <QMutexLocker>
#include <QXmlStreamReader>

namespace {

const QString kSpeakersGuid = QStringLiteral("3b0a6e21-7d4c-4f0e-8a52-19c7e4d2b613");
const QString kHeadsetGuid = QStringLiteral("8d3f2b6a-4c1e-4f7a-9b2d-6e5a1c3f7b90");
const QString kRenderKey =
    QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Render\\{%1}");

VirtualEndpoint makeEndpoint(const QString& name, const QString& guid, const QString& configFile)
{
    VirtualEndpoint endpoint;
    endpoint.friendlyName = name;
    endpoint.configFile = configFile;
    // The registry keeps the GUID in upper case, the endpoint id in lower case.
    endpoint.registryPath = kRenderKey.arg(guid.toUpper());
    endpoint.renderId = QStringLiteral("{0.0.0.00000000}.{%1}").arg(guid);
    return endpoint;
}

VirtualControl readControl(QXmlStreamReader& reader)
{
    VirtualControl control;
    control.name = reader.attributes().value(QLatin1String("name")).toString();
    control.isText = reader.attributes().value(QLatin1String("type")) == QLatin1String("text");
    const QString value = reader.readElementText().trimmed();
    if (control.isText)
        control.text = control.defaultText = value;
    else
        control.value = control.defaultValue = value.toInt();
    return control;
}

VirtualMode readModeStart(QXmlStreamReader& reader)
{
    VirtualMode mode;
    const QXmlStreamAttributes attributes = reader.attributes();
    mode.name = attributes.value(QLatin1String("name")).toString();
    mode.processing = mode.defaultProcessing = attributes.value(QLatin1String("processing")) != QLatin1String("0");
    mode.autoContent = mode.defaultAutoContent = attributes.value(QLatin1String("auto_content")) == QLatin1String("1");
    return mode;
}

} // namespace

VirtualDtsState::VirtualDtsState(const QString& configurationXml)
{
    m_endpoints.append(makeEndpoint(QStringLiteral("Speakers (Virtual HD Audio)"), kSpeakersGuid, QString()));
    m_endpoints.append(makeEndpoint(QStringLiteral("Belvarinth ORVENA RH20 喇叭"), kHeadsetGuid, configurationXml));
    loadConfiguration(configurationXml);
}

bool VirtualDtsState::loadConfiguration(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "virtual DTS: no configuration at" << path;
        return false;
    }
    QList<VirtualMode> modes;
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
        qWarning() << "virtual DTS: broken configuration" << reader.errorString();
        return false;
    }
    QMutexLocker lock(&m_mutex);
    m_endpoints[kHeadset].modes = modes;
    m_endpoints[kHeadset].activeMode = 0;
    return true;
}

int VirtualDtsState::endpointCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_endpoints.size();
}

VirtualEndpoint VirtualDtsState::endpointInfo(int endpoint) const
{
    QMutexLocker lock(&m_mutex);
    return endpoint >= 0 && endpoint < m_endpoints.size() ? m_endpoints[endpoint] : VirtualEndpoint{};
}

int VirtualDtsState::modeCount(int endpoint) const
{
    QMutexLocker lock(&m_mutex);
    return endpoint >= 0 && endpoint < m_endpoints.size() ? m_endpoints[endpoint].modes.size() : 0;
}

QString VirtualDtsState::modeName(int endpoint, int mode) const
{
    QMutexLocker lock(&m_mutex);
    return validControl(endpoint, mode, -1) ? m_endpoints[endpoint].modes[mode].name : QString();
}

int VirtualDtsState::activeMode(int endpoint) const
{
    QMutexLocker lock(&m_mutex);
    if (endpoint < 0 || endpoint >= m_endpoints.size() || m_endpoints[endpoint].modes.isEmpty())
        return -1;
    return m_endpoints[endpoint].activeMode;
}

bool VirtualDtsState::setActiveMode(int endpoint, int mode)
{
    QMutexLocker lock(&m_mutex);
    if (!validControl(endpoint, mode, -1))
        return false;
    m_endpoints[endpoint].activeMode = mode;
    return true;
}

bool VirtualDtsState::processing(int endpoint, int mode) const
{
    QMutexLocker lock(&m_mutex);
    return validControl(endpoint, mode, -1) && m_endpoints[endpoint].modes[mode].processing;
}

void VirtualDtsState::setProcessing(int endpoint, int mode, bool enabled)
{
    QMutexLocker lock(&m_mutex);
    if (validControl(endpoint, mode, -1))
        m_endpoints[endpoint].modes[mode].processing = enabled;
}

void VirtualDtsState::setAutoContent(int endpoint, int mode, bool enabled)
{
    QMutexLocker lock(&m_mutex);
    if (validControl(endpoint, mode, -1))
        m_endpoints[endpoint].modes[mode].autoContent = enabled;
}

int VirtualDtsState::controlCount(int endpoint, int mode) const
{
    QMutexLocker lock(&m_mutex);
    return validControl(endpoint, mode, -1) ? m_endpoints[endpoint].modes[mode].controls.size() : 0;
}

std::optional<VirtualControl> VirtualDtsState::control(int endpoint, int mode, int index) const
{
    QMutexLocker lock(&m_mutex);
    if (!validControl(endpoint, mode, index))
        return std::nullopt;
    return m_endpoints[endpoint].modes[mode].controls[index];
}

bool VirtualDtsState::setControlInt(int endpoint, int mode, int index, int value)
{
    QMutexLocker lock(&m_mutex);
    if (!validControl(endpoint, mode, index))
        return false;
    VirtualControl& target = m_endpoints[endpoint].modes[mode].controls[index];
    if (target.isText)
        return false;
    target.value = value;
    logWrite(endpoint, mode, index, QString::number(value));
    return true;
}

bool VirtualDtsState::setControlText(int endpoint, int mode, int index, const QString& text)
{
    QMutexLocker lock(&m_mutex);
    if (!validControl(endpoint, mode, index))
        return false;
    VirtualControl& target = m_endpoints[endpoint].modes[mode].controls[index];
    if (!target.isText)
        return false;
    target.text = text;
    logWrite(endpoint, mode, index, text);
    return true;
}

QString VirtualDtsState::defaultRenderId() const
{
    QMutexLocker lock(&m_mutex);
    return m_defaultRender >= 0 ? m_endpoints[m_defaultRender].renderId : QString();
}

std::optional<int> VirtualDtsState::headsetValue(const QString& mode, const QString& control) const
{
    QMutexLocker lock(&m_mutex);
    const VirtualMode* found = findMode(mode);
    const int index = found ? findControlIndex(*found, control) : -1;
    if (index < 0 || found->controls[index].isText)
        return std::nullopt;
    return found->controls[index].value;
}

std::optional<QString> VirtualDtsState::headsetText(const QString& mode, const QString& control) const
{
    QMutexLocker lock(&m_mutex);
    const VirtualMode* found = findMode(mode);
    const int index = found ? findControlIndex(*found, control) : -1;
    if (index < 0 || !found->controls[index].isText)
        return std::nullopt;
    return found->controls[index].text;
}

bool VirtualDtsState::setHeadsetValue(const QString& mode, const QString& control, int value)
{
    QMutexLocker lock(&m_mutex);
    const int modeIndex = findModeIndex(mode);
    if (modeIndex < 0)
        return false;
    VirtualMode& target = m_endpoints[kHeadset].modes[modeIndex];
    const int index = findControlIndex(target, control);
    if (index < 0 || target.controls[index].isText)
        return false;
    target.controls[index].value = value;
    return true;
}

QString VirtualDtsState::headsetActiveMode() const
{
    QMutexLocker lock(&m_mutex);
    const VirtualEndpoint& headset = m_endpoints[kHeadset];
    return headset.modes.isEmpty() ? QString() : headset.modes[headset.activeMode].name;
}

bool VirtualDtsState::headsetProcessing(const QString& mode) const
{
    QMutexLocker lock(&m_mutex);
    const VirtualMode* found = findMode(mode);
    return found && found->processing;
}

bool VirtualDtsState::headsetAutoContent(const QString& mode) const
{
    QMutexLocker lock(&m_mutex);
    const VirtualMode* found = findMode(mode);
    return found && found->autoContent;
}

QStringList VirtualDtsState::headsetModeNames() const
{
    QMutexLocker lock(&m_mutex);
    QStringList names;
    for (const VirtualMode& mode : m_endpoints[kHeadset].modes)
        names << mode.name;
    return names;
}

void VirtualDtsState::restoreDefaults()
{
    QMutexLocker lock(&m_mutex);
    for (VirtualMode& mode : m_endpoints[kHeadset].modes) {
        mode.processing = mode.defaultProcessing;
        mode.autoContent = mode.defaultAutoContent;
        for (VirtualControl& control : mode.controls) {
            control.value = control.defaultValue;
            control.text = control.defaultText;
        }
    }
    m_endpoints[kHeadset].activeMode = 0;
}

void VirtualDtsState::setDefaultRender(int endpoint)
{
    QMutexLocker lock(&m_mutex);
    m_defaultRender = endpoint >= 0 && endpoint < m_endpoints.size() ? endpoint : -1;
}

QStringList VirtualDtsState::writeLog() const
{
    QMutexLocker lock(&m_mutex);
    return m_writeLog;
}

void VirtualDtsState::clearWriteLog()
{
    QMutexLocker lock(&m_mutex);
    m_writeLog.clear();
}

const VirtualMode* VirtualDtsState::findMode(const QString& name) const
{
    for (const VirtualMode& mode : m_endpoints[kHeadset].modes) {
        if (mode.name == name)
            return &mode;
    }
    return nullptr;
}

int VirtualDtsState::findModeIndex(const QString& name) const
{
    const QList<VirtualMode>& modes = m_endpoints[kHeadset].modes;
    for (int i = 0; i < modes.size(); ++i) {
        if (modes[i].name == name)
            return i;
    }
    return -1;
}

int VirtualDtsState::findControlIndex(const VirtualMode& mode, const QString& name) const
{
    for (int i = 0; i < mode.controls.size(); ++i) {
        if (mode.controls[i].name == name)
            return i;
    }
    return -1;
}

// Index -1 checks only the endpoint and the mode.
bool VirtualDtsState::validControl(int endpoint, int mode, int index) const
{
    if (endpoint < 0 || endpoint >= m_endpoints.size())
        return false;
    const QList<VirtualMode>& modes = m_endpoints[endpoint].modes;
    if (mode < 0 || mode >= modes.size())
        return false;
    return index == -1 || (index >= 0 && index < modes[mode].controls.size());
}

void VirtualDtsState::logWrite(int endpoint, int mode, int index, const QString& value)
{
    const VirtualMode& target = m_endpoints[endpoint].modes[mode];
    m_writeLog << QStringLiteral("%1/%2=%3").arg(target.name, target.controls[index].name, value);
}
