#pragma once
// Starts the real talvorin executable with a data folder and a temporary folder of the test's
// own (the single-instance key lives under the temporary folder, so tests never meet a real
// instance or each other) and watches its log.
#include <QProcess>
#include <QString>

class TalvorinProcess {
public:
    TalvorinProcess(const QString& dataFolder, const QString& tempFolder);
    ~TalvorinProcess();

    // Adds a variable to the environment the process will start with.
    void setEnvironment(const QString& name, const QString& value);
    // Runs the executable under another user id (through setpriv; the caller checks that the
    // test may switch users). Call before start().
    void runAsUser(unsigned userId);
    void start();
    // Waits until the log (stdout and stderr together) holds the text; false on time-out.
    bool waitForLog(const QString& text, int timeoutMs = 15000);
    QString log();
    bool waitForExit(int timeoutMs = 10000);
    int exitCode() const { return m_process.exitCode(); }
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    qint64 pid() const { return m_process.processId(); }
    void signal(int signalNumber);

private:
    QProcess m_process;
    QString m_log;
};
