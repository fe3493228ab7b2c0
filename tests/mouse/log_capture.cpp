#include "log_capture.h"

#include <atomic>

namespace {
std::atomic<LogCapture*> current{nullptr};
}

LogCapture::LogCapture()
{
    current = this;
    m_previous = qInstallMessageHandler(&LogCapture::handler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
    current = nullptr;
}

void LogCapture::handler(QtMsgType, const QMessageLogContext&, const QString& message)
{
    LogCapture* capture = current;
    if (!capture)
        return;
    QMutexLocker lock(&capture->m_mutex);
    capture->m_lines << message;
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&m_mutex);
    return m_lines;
}

int LogCapture::count(const QString& text) const
{
    QMutexLocker lock(&m_mutex);
    int n = 0;
    for (const QString& line : m_lines)
        n += line.contains(text) ? 1 : 0;
    return n;
}

void LogCapture::clear()
{
    QMutexLocker lock(&m_mutex);
    m_lines.clear();
}
