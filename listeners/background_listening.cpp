#include "listeners/background_listening.h"

#include "bridge/changed_value.h"

#include "bridge/map_reading.h"
#include "devices/gpu/dev_gpu.h"

#include <QDebug>
#include <QElapsedTimer>
#include <exception>

namespace {

const unsigned long kStopWaitMs = 100;
const int kGpuPeriodMs = 1000;
const int kEndPauseMs = 100;
// A pass without a command sleeps until one comes (or a stop).
const int kUntilWoken = -1;

const char kStopBanner[] = "================================================= Stop() BACKGROUND_LISTENING Thread: ";

} // namespace

BACKGROUND_LISTENING::BACKGROUND_LISTENING(const DeviceSetup& setup, QObject* parent)
    : BridgeThread(parent), m_setup(setup)
{
    // Runs on the listener's own thread while it finishes; start() called meanwhile waits for
    // the finish and then starts the thread anew.
    connect(this, &QThread::finished, this, &BACKGROUND_LISTENING::publishFinalAnswer, Qt::DirectConnection);
}

BACKGROUND_LISTENING::~BACKGROUND_LISTENING()
{
    qDebug() << "~BACKGROUND_LISTENING()";
    m_stopFlag = true;
    interruptAndWake();
    quit();
    // Every wait of the loop ends on the stop request, so this join is short.
    wait();
}

void BACKGROUND_LISTENING::stopThread()
{
    qDebug() << kStopBanner << QThread::currentThreadId();
    if (!requestStopAndWait(kStopWaitMs) && QThread::currentThread() != this)
        qWarning() << "BACKGROUND_LISTENING: the loop is still finishing its pass; it ends on its own";
}

void BACKGROUND_LISTENING::stopTerminate()
{
    stopThread();
}

void BACKGROUND_LISTENING::setDataList(QVariantList dataList)
{
    if (replaceIfChanged(m_dataList, dataList))
        emit dataListChanged(m_dataList);
}

QVariantList BACKGROUND_LISTENING::getDataList() const
{
    return m_dataList;
}

ushort BACKGROUND_LISTENING::QstringToHex(QString str_input)
{
    bool ok = false;
    const ushort value = str_input.trimmed().toUShort(&ok, 16);
    return ok ? value : 0;
}

void BACKGROUND_LISTENING::run()
{
    qDebug() << "BACKGROUND_LISTENING::run() Worker Thread ID: " << QThread::currentThreadId();
    m_finalAnswer.reset();
    try {
        DEV_GPU gpu(m_setup);
        m_stopFlag = false;
        while (!isInterruptionRequested()) {
            // Raised by what has been handled already; a command from here on raises it again.
            m_wake.lower();
            const CommandSlot::Taken taken = m_command.take();
            m_passGeneration = taken.generation;
            const int control = readInt(taken.command, QStringLiteral("Control"));
            PassEnd end = PassEnd::Continue;
            if (control == 1)
                end = runGpuPass(gpu, taken.command);
            else if (control == 2)
                end = runMousePass(taken.command);
            else
                pause(kUntilWoken);
            if (end == PassEnd::EndLoop)
                break;
            if (m_stopFlag) {
                qDebug() << " Stop() BACKGROUND_LISTENING Thread: " << QThread::currentThreadId();
                m_stopFlag = false;
                break;
            }
        }
        pause(kEndPauseMs);
    } catch (const std::exception& error) {
        qCritical() << "BACKGROUND_LISTENING Exception:" << error.what();
    }
}

BACKGROUND_LISTENING::PassEnd BACKGROUND_LISTENING::runGpuPass(DEV_GPU& gpu, const QVariantMap& command)
{
    qDebug().noquote()
        << "============================== Backround Listen GPU =======================================\n";
    const int index = readInt(command, QStringLiteral("CurrentGPUIndex"));
    qDebug() << " CurrentGPUIndex: " << index;
    m_output = gpu.realtime_getGPU_Information(index);
    m_output[QStringLiteral("Control")] = 1;
    emit dataChanged(m_output);
    pause(kGpuPeriodMs);
    return PassEnd::Continue;
}

void BACKGROUND_LISTENING::pause(int ms)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        m_wake.lower();
        if (waitShouldEnd())
            return;
        int left = kUntilWoken;
        if (ms >= 0) {
            left = int(ms - waited.elapsed());
            if (left <= 0)
                return;
        }
        platform::waitForEvent(-1, m_wake, left);
    }
}

bool BACKGROUND_LISTENING::waitShouldEnd() const
{
    return stopRequested() || m_command.take().generation != m_passGeneration;
}

void BACKGROUND_LISTENING::publishFinalAnswer()
{
    if (!m_finalAnswer)
        return;
    const QVariantMap answer = *m_finalAnswer;
    m_finalAnswer.reset();
    emit dataChanged(answer);
}
