#include "real/gpu/amdgpu_ids.h"

#include <QFile>
#include <QList>

namespace {

bool parseHex(const QByteArray& field, unsigned* value)
{
    bool ok = false;
    *value = field.trimmed().toUInt(&ok, 16);
    return ok;
}

} // namespace

QString AmdgpuIds::defaultPath()
{
    return QStringLiteral("/usr/share/libdrm/amdgpu.ids");
}

AmdgpuIds AmdgpuIds::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return AmdgpuIds();
    return parse(file.readAll());
}

AmdgpuIds AmdgpuIds::parse(const QByteArray& text)
{
    AmdgpuIds ids;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        // The version line and anything else without two commas is not a chip.
        const int first = line.indexOf(',');
        const int second = first < 0 ? -1 : line.indexOf(',', first + 1);
        if (second < 0)
            continue;
        unsigned device = 0;
        unsigned revision = 0;
        const QString name = QString::fromUtf8(line.mid(second + 1).trimmed());
        if (!parseHex(line.left(first), &device) || !parseHex(line.mid(first + 1, second - first - 1), &revision)
            || name.isEmpty())
            continue;
        ids.m_names.emplace(std::make_pair(device, revision), name);
    }
    return ids;
}

QString AmdgpuIds::name(unsigned device, unsigned revision) const
{
    const auto it = m_names.find(std::make_pair(device, revision));
    return it == m_names.end() ? QString() : it->second;
}
