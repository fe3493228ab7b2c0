#pragma once
// A stand-in ADLX library session for one test: its own temporary folder, a card description
// written there, and the transfer trace and call log read back.
#include "devices/device_setup.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

class SimGpuFixture {
public:
    SimGpuFixture();
    ~SimGpuFixture();

    // Writes the description and points the stand-in at it.
    void describe(const QJsonObject& description);
    void describeCards(const QJsonArray& cards);

    QStringList trace() const;
    QStringList calls() const;
    void clearLogs();
    int countCalls(const QString& prefix) const;

    // The setup a device object gets: the stand-in library and this test's sysfs tree.
    DeviceSetup setup() const;
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A card of the board table whose controller answers; `extra` overrides any key.
    static QJsonObject card(const QString& deviceId, const QString& revisionId, const QJsonObject& extra = {});
    // All eight metrics supported with the given values and ranges [0, 5000].
    static QJsonObject metrics(double usage, double power, int fan, int vram, int clock, int vramClock, double temp,
                               double hotspot);

    // "write gpu=0 line=1 speed=100 address=0x44 register=0x30 bytes=FF 00 00 code=0"
    static QString write(int gpu, int reg, const QString& bytes, int code = 0);

private:
    QTemporaryDir m_dir;
};
