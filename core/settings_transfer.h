#pragma once
// Export and import of the settings file: the data store's files of every device family and
// the mouse's own state (profile, DPI stages, lighting), read through the worker's branches
// and written back through them. An import checks the whole file first (format, checksum,
// shape, device models) and changes nothing when any check fails.
#include "core/data_store.h"
#include "core/device_records.h"

#include <QJsonObject>
#include <QVariantMap>
#include <functional>

class SettingsTransfer {
public:
    using RunCommand = std::function<QVariantMap(const QVariantMap&)>;

    // `afterImport` lets the worker take up files it keeps in memory (the linked games).
    SettingsTransfer(const DataStore& store, RunCommand runCommand, std::function<void()> afterImport);

    // `message` says what was done, or why not.
    bool exportTo(const QString& path, const DeviceMaps& devices, QString* message);
    bool importFrom(const QString& path, const DeviceMaps& devices, QString* message);

private:
    QJsonObject collect(const DeviceMaps& devices, const QVariantMap* mouse);
    QJsonObject collectMouse(const QVariantMap* mouse);
    // Why the file's settings cannot go to these devices; empty when they can.
    QString checkFits(const QJsonObject& settings, const DeviceMaps& devices, const QVariantMap* mouse) const;
    bool writeFiles(const QJsonObject& settings, const QVariantMap* mouse, QString* failure);
    QStringList applyToDevices(const QJsonObject& settings, const DeviceMaps& devices, const QVariantMap* mouse);
    bool applyGpu(const QJsonObject& gpu, const DeviceMaps& devices);
    bool applyMouse(const QJsonObject& state, const QVariantMap& mouse);
    bool applyHeadset(const QJsonObject& headset, const DeviceMaps& devices);
    bool succeeded(const QVariantMap& command);

    const DataStore& m_store;
    RunCommand m_run;
    std::function<void()> m_afterImport;
};
