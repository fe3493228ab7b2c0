#pragma once
// The bridge members of the thread classes published to QML. The object lives in the GUI
// thread; only run() runs in the worker thread, and its answers reach QML as queued signals.
#include "bridge/command_slot.h"
#include "platform/wake_signal.h"

#include <QMutex>
#include <QThread>
#include <QVariantMap>
#include <atomic>

class BridgeThread : public QThread {
    Q_OBJECT
    Q_PROPERTY(QVariantMap data READ getData WRITE writeDataProperty NOTIFY dataChanged)

public:
    explicit BridgeThread(QObject* parent = nullptr);

    // The command slot, for the code that places the first command before the thread starts.
    CommandSlot& commandSlot() { return m_command; }

signals:
    void dataChanged(QVariantMap data);

public slots:
    virtual void stopThread();
    void setData(QVariantMap data);
    void receiveDataFromQML(QVariantMap data);

public:
    Q_INVOKABLE QVariantMap getData() const;

protected:
    // What assigning `data` from QML does: setData here; the orchestrator places a command.
    virtual void writeDataProperty(QVariantMap data) { setData(data); }
    // Requests the stop, then waits for the thread at most waitMs; true when it has ended.
    bool requestStopAndWait(unsigned long waitMs);
    bool stopRequested() const { return m_stopFlag.load() || isInterruptionRequested(); }
    // Requests interruption and wakes the thread from whatever it waits on.
    void interruptAndWake();

    // Raised by a new command and by every stop request; the thread's waits end on it.
    platform::WakeSignal m_wake;
    CommandSlot m_command{&m_wake};
    std::atomic<bool> m_stopFlag{false};

private:
    mutable QMutex m_dataMutex;
    QVariantMap m_data;
};
