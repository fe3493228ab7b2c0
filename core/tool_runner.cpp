#include "core/tool_runner.h"

#include "util/logging.h"

#include <QDebug>
#include <QProcess>
#include <QThread>

namespace {

// How often a silent tool is checked for a stop request.
constexpr int kPollMs = 100;

bool stopRequested()
{
    QThread* thread = QThread::currentThread();
    return thread && thread->isInterruptionRequested();
}

void handOutAvailable(QProcess& process, const std::function<void(const QByteArray&)>& onPiece)
{
    while (process.bytesAvailable() > 0) {
        const QByteArray piece = process.read(kToolPieceBytes);
        if (piece.isEmpty())
            break;
        if (onPiece)
            onPiece(piece);
    }
}

} // namespace

ToolRun runToolReadingOutput(const QString& program, const QStringList& arguments, const QString& workFolder,
                             const std::function<void(const QByteArray&)>& onPiece)
{
    ToolRun run;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workFolder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(-1)) {
        writeStderr(QStringLiteral("Failed to create process. %1: %2\n").arg(program, process.errorString()));
        return run;
    }
    run.started = true;
    for (;;) {
        handOutAvailable(process, onPiece);
        if (process.state() == QProcess::NotRunning)
            break;
        if (stopRequested()) {
            qWarning() << "Stopping" << program << "because the worker is stopping";
            process.kill();
            process.waitForFinished(-1);
            return run;
        }
        process.waitForReadyRead(kPollMs);
    }
    handOutAvailable(process, onPiece);
    run.finished = true;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    qDebug() << "Process exited with code: " << run.exitCode;
    return run;
}
