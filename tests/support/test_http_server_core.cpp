#include "support/test_http_server_core.h"

#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

constexpr qint64 kPieceBytes = 64 * 1024;
// Bytes queued in the socket before waiting for them to drain; keeps large bodies out of memory.
constexpr qint64 kMaxQueuedBytes = 512 * 1024;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

TestHttpServer::Reply notFound()
{
    TestHttpServer::Reply reply;
    reply.status = 404;
    reply.contentType = "text/plain";
    reply.body = "not found";
    return reply;
}

} // namespace

void TestHttpServerCore::setReply(const QString& path, const Reply& reply)
{
    QMutexLocker lock(&m_mutex);
    m_replies.insert(path, reply);
}

int TestHttpServerCore::requestCount(const QString& path) const
{
    QMutexLocker lock(&m_mutex);
    return m_counts.value(path);
}

int TestHttpServerCore::requestCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_total;
}

TestHttpServerCore::Reply TestHttpServerCore::replyFor(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    ++m_total;
    ++m_counts[path];
    return m_replies.value(path, notFound());
}

quint16 TestHttpServerCore::listen()
{
    m_server = new QTcpServer(this);
    if (!m_server->listen(QHostAddress::LocalHost, 0))
        return 0;
    connect(m_server, &QTcpServer::newConnection, this, &TestHttpServerCore::accept);
    return m_server->serverPort();
}

void TestHttpServerCore::shutdown()
{
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        it.key()->disconnect(this);
        it.key()->abort();
        delete it.key();
    }
    m_connections.clear();
    delete m_server;
    m_server = nullptr;
}

void TestHttpServerCore::accept()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        auto connection = std::make_shared<Connection>();
        connection->socket = socket;
        socket->setParent(nullptr);
        m_connections.insert(socket, connection);
        connect(socket, &QTcpSocket::readyRead, this, [this, connection] { readRequest(*connection); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, connection] { pump(*connection); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_connections.remove(socket);
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            readRequest(*connection);
    }
}

void TestHttpServerCore::readRequest(Connection& connection)
{
    connection.request += connection.socket->readAll();
    if (connection.answered || !connection.request.contains("\r\n\r\n"))
        return;
    connection.answered = true;
    const QByteArray requestLine = connection.request.left(connection.request.indexOf("\r\n"));
    const QList<QByteArray> words = requestLine.split(' ');
    QByteArray target = words.size() >= 2 ? words.at(1) : QByteArray("/");
    const int query = target.indexOf('?');
    if (query >= 0)
        target.truncate(query);
    respond(connection, QString::fromUtf8(target));
}

void TestHttpServerCore::respond(Connection& connection, const QString& path)
{
    connection.reply = replyFor(path);
    if (connection.reply.hang)
        return;
    if (!openBody(connection)) {
        connection.reply = notFound();
        openBody(connection);
    }
    const Reply& reply = connection.reply;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status) + "\r\n";
    head += "Content-Type: " + reply.contentType + "\r\n";
    if (reply.chunked)
        head += "Transfer-Encoding: chunked\r\n";
    else
        head += "Content-Length: " + QByteArray::number(connection.bodySize) + "\r\n";
    for (const auto& header : reply.headers)
        head += header.first + ": " + header.second + "\r\n";
    head += "Connection: close\r\n\r\n";
    connection.socket->write(head);
    connection.toSend = reply.sendOnly >= 0 ? qMin(reply.sendOnly, connection.bodySize) : connection.bodySize;
    pump(connection);
}

bool TestHttpServerCore::openBody(Connection& connection)
{
    const Reply& reply = connection.reply;
    if (!reply.body.isEmpty() || (reply.filePath.isEmpty() && reply.generatedSize < 0)) {
        connection.bodySize = reply.body.size();
        return true;
    }
    if (!reply.filePath.isEmpty()) {
        connection.file = std::make_unique<QFile>(reply.filePath);
        if (!connection.file->open(QIODevice::ReadOnly))
            return false;
        connection.bodySize = connection.file->size();
        return true;
    }
    connection.bodySize = reply.generatedSize;
    return true;
}

QByteArray TestHttpServerCore::nextPiece(Connection& connection, qint64 size)
{
    const Reply& reply = connection.reply;
    if (!reply.body.isEmpty())
        return reply.body.mid(int(connection.sent), int(size));
    if (connection.file)
        return connection.file->read(size);
    return TestHttpServer::generatedBytes(connection.sent, size);
}

void TestHttpServerCore::pump(Connection& connection)
{
    if (!connection.answered || connection.done || connection.reply.hang)
        return;
    QTcpSocket* socket = connection.socket;
    while (connection.sent < connection.toSend && socket->bytesToWrite() < kMaxQueuedBytes) {
        const QByteArray piece = nextPiece(connection, qMin(kPieceBytes, connection.toSend - connection.sent));
        if (piece.isEmpty())
            break;
        if (connection.reply.chunked)
            socket->write(QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n");
        else
            socket->write(piece);
        connection.sent += piece.size();
    }
    if (connection.sent >= connection.toSend)
        finishBody(connection);
}

void TestHttpServerCore::finishBody(Connection& connection)
{
    connection.done = true;
    const bool complete = connection.sent >= connection.bodySize;
    if (complete && connection.reply.chunked)
        connection.socket->write("0\r\n\r\n");
    if (complete || connection.reply.closeAfterSendOnly)
        connection.socket->disconnectFromHost();
}
