#pragma once
// Collects the Qt log lines of the process (from any thread) from install() on. QtTest puts
// its own handler in place when the tests start: install from initTestCase, after it.
#include <QMutex>
#include <QRegularExpression>
#include <QStringList>
#include <QtGlobal>

class LogCapture {
public:
    void install()
    {
        s_instance = this;
        m_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture()
    {
        if (s_instance == this) {
            qInstallMessageHandler(m_previous);
            s_instance = nullptr;
        }
    }

    QStringList lines() const
    {
        QMutexLocker lock(&m_mutex);
        return m_lines;
    }

    // The profiles the worker's game link asked the mouse for, in order.
    QList<int> profileSwitches() const
    {
        static const QRegularExpression pattern(QStringLiteral("game link: select profile (-?\\d+)"));
        QList<int> profiles;
        for (const QString& line : lines()) {
            const QRegularExpressionMatch match = pattern.match(line);
            if (match.hasMatch())
                profiles.append(match.captured(1).toInt());
        }
        return profiles;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (LogCapture* self = s_instance) {
            {
                QMutexLocker lock(&self->m_mutex);
                self->m_lines.append(message);
            }
            if (self->m_previous)
                self->m_previous(type, context, message);
        }
    }

    static inline LogCapture* s_instance = nullptr;
    QtMessageHandler m_previous = nullptr;
    mutable QMutex m_mutex;
    QStringList m_lines;
};
