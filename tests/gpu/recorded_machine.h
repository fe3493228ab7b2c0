#pragma once
// A recorded machine (trees/*.tree) unfolded into a temporary folder, with the Linux GPU
// library's test build pointed at it: TALVORIN_SYSFS_ROOT at its sys/, the test chip name
// table, and a trace of every I2C transfer.
#include "devices/device_setup.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>

class RecordedMachine {
public:
    // `tree`: a file name in tests/gpu/trees. `controllers`: which adapters carry a lighting
    // controller, as "7:0,12:1" (adapter:protocol type).
    explicit RecordedMachine(const QString& tree, const QString& controllers = QString());
    ~RecordedMachine();

    bool ok() const { return m_ok; }
    const QString& error() const { return m_error; }
    QString root() const { return m_dir.path(); }
    QString sysfsRoot() const { return m_dir.filePath(QStringLiteral("sys")); }
    // Rewrites one file of the machine (a changed sensor between two samples).
    void write(const QString& relativePath, const QByteArray& text);
    void remove(const QString& relativePath);

    // The names of the machine's files and folders opened while `work` runs (seen with inotify):
    // "temp1_input", "hwmon3/" for a folder listed.
    QStringList opensDuring(const std::function<void()>& work) const;

    QStringList trace() const;
    void clearTrace();

    // The setup a device object gets: the library's test build over this machine.
    DeviceSetup setup() const;

    // Unfolds `treeText` below `root`; false with the reason for a malformed line.
    static bool unfold(const QByteArray& treeText, const QString& root, QString* error);

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
    QString m_error;
};
