#pragma once
// The state behind a DTS component: the audio endpoints it lists, the headset's operating
// modes and the controls of each mode, read from the configuration XML. It lives as long as
// the component, so what one session writes the next one reads. The stand-in component of
// sim/ and the PipeWire component of real/ both keep their modes here; the PipeWire one also
// turns the active mode into filter settings and stores the values between runs.
#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>

struct DtsControl {
    QString name;
    bool isText = false;
    int value = 0;
    QString text;
    int defaultValue = 0;
    QString defaultText;
};

struct DtsMode {
    QString name;
    QString label;
    bool processing = true;
    bool autoContent = false;
    bool defaultProcessing = true;
    bool defaultAutoContent = false;
    QList<DtsControl> controls;

    // The integer control of that exact name.
    std::optional<int> value(const QString& control) const;
};

struct DtsEndpoint {
    QString friendlyName;
    QString configFile;
    QString registryPath;
    QString renderId; // the id the audio-endpoint enumerator gives this endpoint
    bool headset = false; // only the headset's endpoint carries the operating modes
};

class DtsComponentState {
public:
    // Reads the headset's operating modes from the XML; the component lists no endpoint yet.
    explicit DtsComponentState(const QString& configurationXml);

    // An endpoint as the system names it: a render endpoint id and a registry path built
    // from one GUID (without braces).
    static DtsEndpoint makeEndpoint(const QString& name, const QString& guid, const QString& configFile, bool headset);

    // Reads operating modes from the XML; false when the file is missing or broken.
    bool loadConfiguration(const QString& path);
    QString configurationXml() const { return m_configurationXml; }

    // The endpoints the component lists, and which of them is the default render device
    // (-1: none). Replacing the endpoints keeps the modes and their values.
    void setEndpoints(const QList<DtsEndpoint>& endpoints, int defaultRender);
    void setDefaultRender(int endpoint);

    // Calls of the component's objects, by index.
    int endpointCount() const;
    DtsEndpoint endpointInfo(int endpoint) const;
    int modeCount(int endpoint) const;
    QString modeName(int endpoint, int mode) const;
    int activeMode(int endpoint) const;
    bool setActiveMode(int endpoint, int mode);
    bool processing(int endpoint, int mode) const;
    void setProcessing(int endpoint, int mode, bool enabled);
    void setAutoContent(int endpoint, int mode, bool enabled);
    int controlCount(int endpoint, int mode) const;
    std::optional<DtsControl> control(int endpoint, int mode, int index) const;
    bool setControlInt(int endpoint, int mode, int index, int value);
    bool setControlText(int endpoint, int mode, int index, const QString& text);
    // Empty when the system has no default render device.
    QString defaultRenderId() const;

    // The headset's modes by name (exact mode and control names).
    std::optional<int> headsetValue(const QString& mode, const QString& control) const;
    std::optional<QString> headsetText(const QString& mode, const QString& control) const;
    bool setHeadsetValue(const QString& mode, const QString& control, int value);
    QString headsetActiveMode() const;
    bool headsetProcessing(const QString& mode) const;
    bool headsetAutoContent(const QString& mode) const;
    QStringList headsetModeNames() const;
    // A copy of the active mode; nothing when the configuration had no modes.
    std::optional<DtsMode> activeHeadsetMode() const;
    // Puts every mode of the headset back to the configuration's values.
    void restoreDefaults();

    // True once after any change of a mode, a control or the active mode.
    bool takeChanged();
    // The values that differ between runs: active mode, switches and controls of every mode.
    QJsonObject valuesToJson() const;
    // Takes back what valuesToJson wrote; modes and controls the configuration no longer has
    // are skipped.
    void valuesFromJson(const QJsonObject& values);

    // Every control write, "mode/control=value", in order.
    QStringList writeLog() const;
    void clearWriteLog();

    // Objects of the component alive now; 0 once every reference has been released.
    std::atomic<int> liveObjects{0};
    // Fault injection: the system object refuses to initialise.
    std::atomic<bool> refuseInitialize{false};

private:
    bool isHeadsetEndpoint(int endpoint) const;
    const DtsMode* findMode(const QString& name) const;
    int findModeIndex(const QString& name) const;
    int findControlIndex(const DtsMode& mode, const QString& name) const;
    bool validControl(int endpoint, int mode, int index) const;
    void logWrite(int mode, int index, const QString& value);

    mutable QMutex m_mutex;
    QString m_configurationXml;
    QList<DtsEndpoint> m_endpoints;
    QList<DtsMode> m_modes;
    int m_activeMode = 0;
    int m_defaultRender = -1;
    bool m_changed = false;
    QStringList m_writeLog;
};
