#pragma once
// The single command slot of a worker: QML replaces it whole (the newest command wins),
// the worker takes a copy at the top of a turn and marks the command done afterwards.
#include <QMutex>
#include <QVariantMap>

namespace platform {
class WakeSignal;
}

class CommandSlot {
public:
    // `wake`, when given, is raised by every change that places a command, so that the
    // thread that takes commands can sleep until there is one.
    explicit CommandSlot(const platform::WakeSignal* wake = nullptr) : m_wake(wake) {}

    struct Taken {
        QVariantMap command;
        quint64 generation = 0;
    };

    // Replaces the whole command (QML's receiveDataFromQML).
    void replace(const QVariantMap& command);
    // Writes some keys into the held command, as a new command (a game launch's profile switch).
    void merge(const QVariantMap& values);
    // A copy of the command and the generation it belongs to.
    Taken take() const;
    // Writes a key only when no newer command has replaced the one taken, so that marking a
    // command done (Control -1) never swallows a command QML placed meanwhile.
    void setIfCurrent(quint64 generation, const QString& key, const QVariant& value);
    // Writes a key whatever the generation (used before the worker runs).
    void set(const QString& key, const QVariant& value);
    QVariant value(const QString& key) const;
    QVariantMap snapshot() const;

private:
    void announce() const;

    const platform::WakeSignal* m_wake = nullptr;
    mutable QMutex m_mutex;
    QVariantMap m_command;
    quint64 m_generation = 0;
};
