#pragma once
// The single command slot of a worker: QML replaces it whole (the newest command wins),
// the worker takes a copy at the top of a turn and marks the command done afterwards.
#include <QMutex>
#include <QVariantMap>
#include <QWaitCondition>

class CommandSlot {
public:
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
    // Waits at most `ms` for a command newer than `generation`; true when there is one.
    bool waitForNewer(quint64 generation, unsigned long ms) const;

private:
    mutable QMutex m_mutex;
    mutable QWaitCondition m_replaced;
    QVariantMap m_command;
    quint64 m_generation = 0;
};
