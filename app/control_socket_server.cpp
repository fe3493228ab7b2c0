#include "app/control_socket_server.h"

#include "app/control_protocol.h"
#include "core/talvorin.h"
#include "platform/private_socket.h"
#include "platform/user_id.h"

#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {

// A client that has not sent its whole request by then is dropped.
constexpr int kRequestTimeoutMs = 5000;

bool someoneAnswersAt(const QString& path)
{
    QLocalSocket probe;
    probe.connectToServer(path);
    return probe.waitForConnected(500);
}

} // namespace

ControlSocketServer::ControlSocketServer(TALVORIN& worker, QObject* parent)
    : QObject(parent), m_worker(worker), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &ControlSocketServer::acceptConnections);
    connect(&m_worker, &TALVORIN::commandLineDone, this, &ControlSocketServer::onCommandLineDone,
            Qt::QueuedConnection);
}

bool ControlSocketServer::listen(const QString& path)
{
    if (someoneAnswersAt(path)) {
        qWarning() << "Control socket already in use by another instance:" << path;
        return false;
    }
    QLocalServer::removeServer(path);
    if (!m_server->listen(path)) {
        qWarning() << "Control socket could not be opened:" << path << m_server->errorString();
        return false;
    }
    qDebug() << "Control socket listening:" << path;
    return true;
}

QString ControlSocketServer::path() const
{
    return m_server->fullServerName();
}

void ControlSocketServer::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The folder already keeps others out; the peer's user id is checked all the same.
        const qint64 peer = platform::peerUserId(socket->socketDescriptor());
        if (peer != platform::currentUserId()) {
            qWarning() << "Control socket: connection from another user refused, uid" << peer;
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        QTimer::singleShot(kRequestTimeoutMs, socket, [socket] {
            if (socket->property("talvorinRequestRead").toBool())
                return;
            qWarning() << "Control socket: no request received in time";
            socket->abort();
        });
    }
}

void ControlSocketServer::readRequest(QLocalSocket* socket)
{
    if (socket->property("talvorinRequestRead").toBool())
        return;
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kControlMessageLimit) {
            qWarning() << "Control socket: request too long";
            socket->abort();
        }
        return;
    }
    socket->setProperty("talvorinRequestRead", true);
    const std::optional<QStringList> arguments = decodeControlRequest(socket->readLine(kControlMessageLimit + 1).trimmed());
    if (!arguments) {
        qWarning() << "Control socket: request is not a command line";
        reply(socket, kCommandLineInvalid, QStringLiteral("talvorin: the request could not be read\n"));
        return;
    }
    const CommandLineParse parse = parseCommandLine(*arguments);
    if (parse.help) {
        reply(socket, kCommandWorked, commandLineHelp());
    } else if (!parse.error.isEmpty()) {
        reply(socket, kCommandLineInvalid, QStringLiteral("talvorin: %1\n").arg(parse.error));
    } else {
        qDebug() << "Control socket: command line" << *arguments;
        m_waiting.insert(m_worker.queueCommandLine(parse.request), socket);
    }
}

void ControlSocketServer::onCommandLineDone(quint64 id, int status, QString output)
{
    const QPointer<QLocalSocket> socket = m_waiting.take(id);
    if (socket)
        reply(socket, status, output);
}

void ControlSocketServer::reply(QLocalSocket* socket, int status, const QString& output)
{
    socket->write(encodeControlReply({status, output}));
    socket->flush();
    socket->disconnectFromServer();
}
