#pragma once
// The state of the virtual DTS component: its endpoints, their operating modes and the
// controls of each mode. It lives as long as the component, so what one session writes the
// next one reads, the way the real component keeps its settings between uses.
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>

struct VirtualControl {
    QString name;
    bool isText = false;
    int value = 0;
    QString text;
    int defaultValue = 0;
    QString defaultText;
};

struct VirtualMode {
    QString name;
    QString label;
    bool processing = true;
    bool autoContent = false;
    bool defaultProcessing = true;
    bool defaultAutoContent = false;
    QList<VirtualControl> controls;
};

struct VirtualEndpoint {
    QString friendlyName;
    QString configFile;
    QString registryPath;
    QString renderId; // the id the audio-endpoint enumerator gives this endpoint
    QList<VirtualMode> modes;
    int activeMode = 0;
};

class VirtualDtsState {
public:
    // The speakers of the machine (endpoint 0) and the headset (endpoint 1), whose modes come
    // from the configuration XML. The headset is the default render device.
    explicit VirtualDtsState(const QString& configurationXml);

    static constexpr int kSpeakers = 0;
    static constexpr int kHeadset = 1;

    // Reads operating modes from the XML; false when the file is missing or broken.
    bool loadConfiguration(const QString& path);

    // Calls of the component's objects, by index.
    int endpointCount() const;
    VirtualEndpoint endpointInfo(int endpoint) const;
    int modeCount(int endpoint) const;
    QString modeName(int endpoint, int mode) const;
    int activeMode(int endpoint) const;
    bool setActiveMode(int endpoint, int mode);
    bool processing(int endpoint, int mode) const;
    void setProcessing(int endpoint, int mode, bool enabled);
    void setAutoContent(int endpoint, int mode, bool enabled);
    int controlCount(int endpoint, int mode) const;
    std::optional<VirtualControl> control(int endpoint, int mode, int index) const;
    bool setControlInt(int endpoint, int mode, int index, int value);
    bool setControlText(int endpoint, int mode, int index, const QString& text);
    // Empty when the system has no default render device.
    QString defaultRenderId() const;

    // For tests and the demo, by names (the headset's endpoint; the mode and control names
    // are exact).
    std::optional<int> headsetValue(const QString& mode, const QString& control) const;
    std::optional<QString> headsetText(const QString& mode, const QString& control) const;
    bool setHeadsetValue(const QString& mode, const QString& control, int value);
    QString headsetActiveMode() const;
    bool headsetProcessing(const QString& mode) const;
    bool headsetAutoContent(const QString& mode) const;
    QStringList headsetModeNames() const;
    // Puts every mode of the headset back to the configuration's values.
    void restoreDefaults();
    // Makes the speakers (or the headset again) the default render device; -1: there is none.
    void setDefaultRender(int endpoint);
    // Every control write, "mode/control=value", in order.
    QStringList writeLog() const;
    void clearWriteLog();

    // Objects of the component alive now; 0 once every reference has been released.
    std::atomic<int> liveObjects{0};
    // Fault injection: the system object refuses to initialise.
    std::atomic<bool> refuseInitialize{false};

private:
    const VirtualMode* findMode(const QString& name) const;
    int findModeIndex(const QString& name) const;
    int findControlIndex(const VirtualMode& mode, const QString& name) const;
    bool validControl(int endpoint, int mode, int index) const;
    void logWrite(int endpoint, int mode, int index, const QString& value);

    mutable QMutex m_mutex;
    QList<VirtualEndpoint> m_endpoints;
    int m_defaultRender = kHeadset;
    QStringList m_writeLog;
};
