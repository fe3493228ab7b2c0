#include "process_runner.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QtTest>
#include <csignal>

TalvorinProcess::TalvorinProcess(const QString& dataFolder, const QString& tempFolder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TALVORIN_DATA_DIR", dataFolder);
    env.insert("TMPDIR", tempFolder);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_QUICK_BACKEND", "software");
    env.insert("TALVORIN_UPDATE_SERVER", "http://127.0.0.1:1");
    env.insert("XDG_CONFIG_HOME", tempFolder);
    // The control socket too: tests never meet a real instance's socket or each other's.
    env.insert("XDG_RUNTIME_DIR", tempFolder);
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setProgram(QStringLiteral(TALVORIN_EXECUTABLE));
}

TalvorinProcess::~TalvorinProcess()
{
    if (running()) {
        signal(SIGKILL);
        m_process.waitForFinished(5000);
    }
}

void TalvorinProcess::setEnvironment(const QString& name, const QString& value)
{
    QProcessEnvironment env = m_process.processEnvironment();
    env.insert(name, value);
    m_process.setProcessEnvironment(env);
}

void TalvorinProcess::runAsUser(unsigned userId)
{
    const QString id = QString::number(userId);
    m_process.setArguments({"--reuid=" + id, "--regid=" + id, "--clear-groups", QStringLiteral(TALVORIN_EXECUTABLE)});
    m_process.setProgram(QStringLiteral("setpriv"));
}

void TalvorinProcess::start()
{
    m_process.start();
    m_process.waitForStarted(5000);
}

QString TalvorinProcess::log()
{
    m_log += QString::fromUtf8(m_process.readAll());
    return m_log;
}

bool TalvorinProcess::waitForLog(const QString& text, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!log().contains(text)) {
        if (clock.elapsed() > timeoutMs || (!running() && m_process.bytesAvailable() == 0))
            return log().contains(text);
        m_process.waitForReadyRead(50);
    }
    return true;
}

bool TalvorinProcess::waitForExit(int timeoutMs)
{
    const bool ended = m_process.waitForFinished(timeoutMs);
    log();
    return ended;
}

void TalvorinProcess::signal(int signalNumber)
{
    if (m_process.processId() > 0)
        ::kill(pid_t(m_process.processId()), signalNumber);
}
