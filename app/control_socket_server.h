#pragma once
// The running instance's end of the control socket: takes command-line requests from the
// user's own processes, hands them to the worker, and answers each when the worker is done.
#include <QHash>
#include <QObject>
#include <QPointer>

class QLocalServer;
class QLocalSocket;
class TALVORIN;

class ControlSocketServer : public QObject {
    Q_OBJECT
public:
    explicit ControlSocketServer(TALVORIN& worker, QObject* parent = nullptr);
    // Listens at `path`, owner-only. A socket file left by an instance that is gone is replaced;
    // one that still answers is left alone (false).
    bool listen(const QString& path);
    QString path() const;

private slots:
    void acceptConnections();
    void onCommandLineDone(quint64 id, int status, QString output);

private:
    void readRequest(QLocalSocket* socket);
    void reply(QLocalSocket* socket, int status, const QString& output);

    TALVORIN& m_worker;
    QLocalServer* m_server;
    QHash<quint64, QPointer<QLocalSocket>> m_waiting;
};
