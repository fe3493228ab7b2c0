#pragma once
// Runs a real TALVORIN worker on a temporary data folder and collects its answers on the
// test's thread (the answers arrive queued, as QML receives them).
#include "core/talvorin.h"

#include <QList>
#include <QObject>
#include <QTemporaryDir>
#include <QVariantMap>
#include <memory>

class AnswerCollector : public QObject {
    Q_OBJECT
public:
    QList<QVariantMap> answers;

public slots:
    void onAnswer(const QVariantMap& answer) { answers.append(answer); }
};

class WorkerHarness {
public:
    // The update server is pointed at a closed port unless the test has set its own.
    WorkerHarness();
    ~WorkerHarness();

    QString dataFolder() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.path() + relative; }
    TALVORIN& worker() { return *m_worker; }
    QList<QVariantMap>& answers() { return m_collector.answers; }

    // Creates the worker (after the test has prepared the data folder).
    void create();
    // The same on the given devices (makeDeviceSetup(true): the virtual ones). Called again
    // after stop(), it replaces the worker: a restart on the same data folder and devices.
    void create(const DeviceSetup& setup);
    void start();
    void send(const QVariantMap& command);
    // Waits for an answer with this Control that arrived after `from` answers; empty on time-out.
    QVariantMap waitForAnswer(int control, int timeoutMs = 5000, int from = 0);
    int countAnswers(int control) const;
    void stop();

private:
    QTemporaryDir m_dir;
    AnswerCollector m_collector;
    std::unique_ptr<TALVORIN> m_worker;
};

QByteArray readWholeFile(const QString& path);
void writeWholeFile(const QString& path, const QByteArray& bytes);
