#pragma once
// What a branch of the worker loop works with during one turn.
#include "bridge/command_slot.h"
#include "core/data_store.h"
#include "core/worker_state.h"

#include <QVariantMap>
#include <functional>

struct WorkerContext {
    CommandSlot& slot;              // the live command slot
    quint64 generation;             // the command this turn took from it
    const QVariantMap& command;     // the copy taken at the top of the turn
    QVariantMap& answer;            // the long-lived answer map
    WorkerState& state;
    const DataStore& store;
    std::function<void(const QVariantMap&)> emitAnswer;

    void publish() const { emitAnswer(answer); }
    void publish(const QVariantMap& map) const { emitAnswer(map); }
    // Marks the command done, unless QML has placed a newer one meanwhile.
    void finish() const { slot.setIfCurrent(generation, QStringLiteral("Control"), -1); }
    void setInCommand(const QString& key, const QVariant& value) const { slot.setIfCurrent(generation, key, value); }
};
