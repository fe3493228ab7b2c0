#include "app/control_socket_client.h"

#include "app/control_protocol.h"

#include <QDeadlineTimer>
#include <QLocalSocket>

namespace {

constexpr int kConnectTimeoutMs = 1000;

CommandLineResult unreachable(const QString& why)
{
    return {kInstanceUnreachable, QStringLiteral("talvorin: the running instance %1\n").arg(why)};
}

} // namespace

std::optional<CommandLineResult> sendToRunningInstance(const QString& path, const QStringList& arguments,
                                                       int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return std::nullopt;
    socket.write(encodeControlRequest(arguments));
    if (!socket.waitForBytesWritten(kConnectTimeoutMs))
        return unreachable(QStringLiteral("did not take the request"));
    const QDeadlineTimer deadline(timeoutMs);
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > kControlMessageLimit)
            return unreachable(QStringLiteral("answered too much"));
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000)))) {
            if (deadline.hasExpired() || socket.state() != QLocalSocket::ConnectedState)
                break;
        }
    }
    if (!socket.canReadLine())
        return unreachable(QStringLiteral("did not answer"));
    const std::optional<CommandLineResult> reply = decodeControlReply(socket.readLine(kControlMessageLimit + 1).trimmed());
    if (!reply)
        return unreachable(QStringLiteral("gave an answer that could not be read"));
    return reply;
}
