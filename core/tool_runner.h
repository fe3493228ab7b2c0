#pragma once
// Running a flashing tool and reading what it prints while it runs.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

// Output is handed on in pieces of at most this many bytes, as it arrives.
constexpr int kToolPieceBytes = 511;

struct ToolRun {
    bool started = false;
    // The output was read to its end (false when the run was stopped).
    bool finished = false;
    int exitCode = -1;
};

// Starts the program directly (no shell parses anything, so blanks, quotes or & in a path are
// just characters) in the work folder, standard output and error merged, and hands each piece
// of output to onPiece. Waits for the end without a time limit of its own; a stop request to
// the calling QThread ends the program instead.
ToolRun runToolReadingOutput(const QString& program, const QStringList& arguments, const QString& workFolder,
                             const std::function<void(const QByteArray&)>& onPiece);
