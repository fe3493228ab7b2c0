#pragma once
// The terminal's end of the control socket.
#include "core/command_line_runner.h"

#include <QStringList>
#include <optional>

// Sends the arguments to the instance listening at `path` and waits for its reply. Nothing
// (nullopt) when no instance listens there; a reply with kInstanceUnreachable when one took
// the connection but gave no readable answer within `timeoutMs`.
std::optional<CommandLineResult> sendToRunningInstance(const QString& path, const QStringList& arguments,
                                                       int timeoutMs = 120000);
