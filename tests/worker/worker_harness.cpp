#include "worker_harness.h"

#include "core/device_setup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

WorkerHarness::WorkerHarness()
{
    if (qEnvironmentVariableIsEmpty("TALVORIN_UPDATE_SERVER"))
        qputenv("TALVORIN_UPDATE_SERVER", "http://127.0.0.1:1");
}

WorkerHarness::~WorkerHarness()
{
    stop();
}

void WorkerHarness::create()
{
    create(makeDeviceSetup(false));
}

void WorkerHarness::create(const DeviceSetup& setup)
{
    m_worker = std::make_unique<TALVORIN>(setup, m_dir.path());
    QObject::connect(m_worker.get(), &TALVORIN::dataChanged, &m_collector, &AnswerCollector::onAnswer,
                     Qt::QueuedConnection);
}

void WorkerHarness::start()
{
    if (!m_worker)
        create();
    m_worker->start();
}

void WorkerHarness::send(const QVariantMap& command)
{
    if (!m_worker)
        create();
    m_worker->receiveDataFromQML(command);
}

QVariantMap WorkerHarness::waitForAnswer(int control, int timeoutMs, int from)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        for (int i = from; i < m_collector.answers.size(); ++i) {
            if (m_collector.answers.at(i).value("Control").toInt() == control)
                return m_collector.answers.at(i);
        }
        if (clock.elapsed() > timeoutMs)
            return {};
        QTest::qWait(10);
    }
}

int WorkerHarness::countAnswers(int control) const
{
    int count = 0;
    for (const QVariantMap& answer : m_collector.answers)
        count += answer.value("Control").toInt() == control ? 1 : 0;
    return count;
}

void WorkerHarness::stop()
{
    if (m_worker && m_worker->isRunning()) {
        m_worker->stopThread();
        m_worker->wait(5000);
    }
}

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}
