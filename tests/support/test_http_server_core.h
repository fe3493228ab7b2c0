#pragma once
// The part of TestHttpServer that lives in the server's thread.
#include "support/test_http_server.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QObject>
#include <memory>

class QTcpServer;
class QTcpSocket;

class TestHttpServerCore : public QObject {
    Q_OBJECT

public:
    using Reply = TestHttpServer::Reply;

    // Any thread.
    void setReply(const QString& path, const Reply& reply);
    int requestCount(const QString& path) const;
    int requestCount() const;

    // The server's thread.
    quint16 listen();
    void shutdown();

private:
    struct Connection {
        QTcpSocket* socket = nullptr;
        QByteArray request;
        bool answered = false;
        Reply reply;
        std::unique_ptr<QFile> file;
        qint64 bodySize = 0;
        qint64 toSend = 0;
        qint64 sent = 0;
        bool done = false;
    };

    void accept();
    void readRequest(Connection& connection);
    void respond(Connection& connection, const QString& path);
    bool openBody(Connection& connection);
    void pump(Connection& connection);
    QByteArray nextPiece(Connection& connection, qint64 size);
    void finishBody(Connection& connection);
    Reply replyFor(const QString& path);

    QTcpServer* m_server = nullptr;
    QHash<QTcpSocket*, std::shared_ptr<Connection>> m_connections;

    mutable QMutex m_mutex;
    QHash<QString, Reply> m_replies;
    QHash<QString, int> m_counts;
    int m_total = 0;
};
