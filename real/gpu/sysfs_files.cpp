#include "real/gpu/sysfs_files.h"

#include <QFile>
#include <QFileInfo>

namespace sysfs {

namespace {

// Kernel attribute files are at most a page long.
constexpr qint64 kMaxFileSize = 4096;

} // namespace

std::optional<QString> readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxFileSize);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    QString text = QString::fromUtf8(bytes);
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

std::optional<qint64> readNumber(const QString& path)
{
    const std::optional<QString> text = readText(path);
    if (!text)
        return std::nullopt;
    const QString trimmed = text->trimmed();
    bool ok = false;
    const qint64 value = trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? trimmed.mid(2).toLongLong(&ok, 16)
                                                                                      : trimmed.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

bool exists(const QString& path)
{
    return QFileInfo::exists(path);
}

} // namespace sysfs
