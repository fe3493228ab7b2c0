#include "support/test_http_server.h"

#include "support/test_http_server_core.h"

#include <QTcpServer>

TestHttpServer::TestHttpServer()
{
    m_core = new TestHttpServerCore;
    m_core->moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("TestHttpServer"));
    m_thread.start();
    QMetaObject::invokeMethod(m_core, [this] { m_port = m_core->listen(); }, Qt::BlockingQueuedConnection);
    if (m_port == 0)
        qFatal("TestHttpServer: cannot listen on 127.0.0.1");
}

TestHttpServer::~TestHttpServer()
{
    QMetaObject::invokeMethod(m_core, [this] { m_core->shutdown(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_core;
}

QString TestHttpServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

QString TestHttpServer::url(const QString& path) const
{
    return baseUrl() + path;
}

void TestHttpServer::serve(const QString& path, const Reply& reply)
{
    m_core->setReply(path, reply);
}

void TestHttpServer::serveBytes(const QString& path, const QByteArray& body, const QByteArray& contentType)
{
    Reply reply;
    reply.body = body;
    reply.contentType = contentType;
    serve(path, reply);
}

void TestHttpServer::serveFile(const QString& path, const QString& filePath)
{
    Reply reply;
    reply.filePath = filePath;
    serve(path, reply);
}

void TestHttpServer::redirect(const QString& path, const QByteArray& location)
{
    Reply reply;
    reply.status = 302;
    reply.headers.append({QByteArray("Location"), location});
    serve(path, reply);
}

int TestHttpServer::requestCount(const QString& path) const
{
    return m_core->requestCount(path);
}

int TestHttpServer::requestCount() const
{
    return m_core->requestCount();
}

QByteArray TestHttpServer::generatedBytes(qint64 offset, qint64 length)
{
    QByteArray bytes(int(length), Qt::Uninitialized);
    for (qint64 i = 0; i < length; ++i) {
        const qint64 position = offset + i;
        // A prime period, shifted every 64 KiB: no two nearby blocks look alike.
        bytes[int(i)] = char((position % 251) ^ ((position >> 16) & 0xFF));
    }
    return bytes;
}

quint16 TestHttpServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
