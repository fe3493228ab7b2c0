#include "fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceLogs();
    return 0;
}

void silenceLogs()
{
    qInstallMessageHandler(dropMessage);
    if (!std::freopen("/dev/null", "w", stdout))
        std::fprintf(stderr, "standard output stays open\n");
}

QString scratchFolder()
{
    static std::unique_ptr<QTemporaryDir> folder(new QTemporaryDir(QDir::tempPath() + QStringLiteral("/talvorin-fuzz-XXXXXX")));
    return folder->path();
}

QString writeScratchFile(const QString& name, const uint8_t* data, size_t size)
{
    const QString path = scratchFolder() + QLatin1Char('/') + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

void require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

uint8_t FuzzInput::byte()
{
    return m_used < m_size ? m_data[m_used++] : 0;
}

uint16_t FuzzInput::word()
{
    const uint16_t high = byte();
    return uint16_t(high << 8 | byte());
}

QByteArray FuzzInput::bytes(size_t count)
{
    count = qMin(count, remaining());
    const QByteArray taken(reinterpret_cast<const char*>(m_data + m_used), int(count));
    m_used += count;
    return taken;
}

QByteArray FuzzInput::rest()
{
    return bytes(remaining());
}
