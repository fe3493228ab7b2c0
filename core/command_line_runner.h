#pragma once
// Runs a command-line request with the worker's own branches: the devices are discovered
// afresh, each setting becomes the command map its page would send, and every step adds a
// line to the text the terminal shows.
#include "core/command_line_request.h"
#include "core/device_records.h"

#include <QVariantMap>
#include <functional>

struct CommandLineResult {
    int status = kCommandWorked;
    QString output;
};

struct CommandLineServices {
    std::function<DeviceMaps()> discover;
    // Runs one command map through the worker's branch for it and returns the answer.
    std::function<QVariantMap(const QVariantMap&)> runCommand;
    // The settings file: true when done; `message` says what was done or why not.
    using SettingsStep = std::function<bool(const QString& path, const DeviceMaps& devices, QString* message)>;
    SettingsStep exportSettings;
    SettingsStep importSettings;
};

class CommandLineRunner {
public:
    explicit CommandLineRunner(CommandLineServices services);
    CommandLineResult run(const CommandLineRequest& request);

private:
    void listDevices();
    void setGpuEffect(const CommandLineRequest& request);
    void selectMouseProfile(int profile);
    void selectMouseDpiStage(int stage);
    void selectHeadsetMode(int option);
    void runSettingsFile(const CommandLineServices::SettingsStep& step, const QString& path);
    // The mouse to talk to, or nullptr after reporting that there is none.
    const QVariantMap* mouseOrFail();
    bool succeeded(const QVariantMap& answer) const;
    void say(const QString& line);
    void fail(const QString& line);

    CommandLineServices m_services;
    DeviceMaps m_devices;
    QVector<QVariantMap> m_mice;
    CommandLineResult m_result;
};
