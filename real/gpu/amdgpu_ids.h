#pragma once
// Marketing names of AMD graphics chips from libdrm's table ("amdgpu.ids"): after comment
// lines (#) and one version line, one chip a line, "device_id,<tab>revision_id,<tab>name",
// both ids in hexadecimal.
#include <QByteArray>
#include <QString>
#include <map>
#include <utility>

class AmdgpuIds {
public:
    // The table's usual place, where libdrm-common installs it.
    static QString defaultPath();

    // An unreadable file gives an empty table (every name is then built from the ids).
    static AmdgpuIds load(const QString& path);
    static AmdgpuIds parse(const QByteArray& text);

    // Empty when the table does not have the chip.
    QString name(unsigned device, unsigned revision) const;
    size_t size() const { return m_names.size(); }

private:
    std::map<std::pair<unsigned, unsigned>, QString> m_names;
};
