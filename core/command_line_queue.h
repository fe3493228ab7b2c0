#pragma once
// Command-line requests handed to the running instance, waiting for the worker's next turn.
// Filled on the GUI thread (the control socket), emptied on the worker thread.
#include "core/command_line_request.h"

#include <QMutex>
#include <QQueue>

class CommandLineQueue {
public:
    struct Entry {
        quint64 id = 0;
        CommandLineRequest request;
    };

    // The id the answer will carry.
    quint64 push(const CommandLineRequest& request);
    bool tryTake(Entry& entry);

private:
    QMutex m_mutex;
    QQueue<Entry> m_entries;
    quint64 m_nextId = 1;
};
