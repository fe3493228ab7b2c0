#pragma once
// What a local socket of the user's own needs from the OS: a folder nobody else can enter, and
// the user at the other end of a connection.
#include <QString>
#include <QtGlobal>

namespace platform {

// The folder for the user's sockets: "talvorin" in $XDG_RUNTIME_DIR, else "talvorin-<uid>" in
// the temporary folder. Created owner-only; refused (empty, with `error`) when it is a symbolic
// link, belongs to another user or lets others in.
QString privateRuntimeFolder(QString* error);
// The user id of the process at the other end of a connected local socket; -1 when unknown.
qint64 peerUserId(qintptr socketDescriptor);

} // namespace platform
