#pragma once
// The control socket's messages: one JSON object per line each way. The request carries the
// command-line arguments (the running instance parses them itself); the reply the exit status
// and the text to print.
#include "core/command_line_runner.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

// Longest message either side accepts, so a runaway peer cannot fill the memory.
constexpr int kControlMessageLimit = 64 * 1024;

QByteArray encodeControlRequest(const QStringList& arguments);
std::optional<QStringList> decodeControlRequest(const QByteArray& line);
QByteArray encodeControlReply(const CommandLineResult& result);
std::optional<CommandLineResult> decodeControlReply(const QByteArray& line);
// The socket in the user's private runtime folder; empty (with `error`) when there is none.
QString controlSocketPath(QString* error);
