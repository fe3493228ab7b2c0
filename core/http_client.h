#pragma once
// One HTTP(S) GET through libcurl, for the update manifest and the downloads. Only http and
// https are spoken, also after a redirect; certificates and host names are always verified;
// a connection that cannot be made or a transfer that stops delivering bytes is abandoned.
#include <QByteArray>
#include <QString>
#include <functional>

struct HttpRequest {
    QString url;
    QByteArray userAgent;
    int connectTimeoutMs = 5000;
    // Abandoned when no body byte arrives for this long (also before the first one).
    int stallTimeoutMs = 15000;
    // Abandoned after this long whatever the pace; 0 for no limit.
    int totalTimeoutMs = 0;
    // A body longer than this is refused (announced or counted); -1 for no limit.
    qint64 maxBodyBytes = -1;
};

enum class HttpOutcome {
    Completed,
    SetupFailed,   // no transfer could be prepared
    Failed,        // connection, protocol, TLS or HTTP status failure
    Truncated,     // the connection ended before the announced body did
    TooLarge,
    Stalled,
    Cancelled,     // the calling thread was asked to stop
    SinkFailed,    // the receiver of the body refused a piece
};

struct HttpResult {
    HttpOutcome outcome = HttpOutcome::SetupFailed;
    int curlCode = 0;
    long httpStatus = 0;
    QString errorText;
    qint64 bodyBytes = 0;

    bool ok() const { return outcome == HttpOutcome::Completed; }
};

struct HttpSink {
    // Called once before the first body piece: the announced length, or -1 when the server
    // gave none (chunked, or closed-delimited).
    std::function<void(qint64 contentLength)> onStart;
    // Each body piece as it arrives; false aborts the transfer.
    std::function<bool(const char* data, qint64 size)> onData;
};

// Performs the GET, handing the body to the sink; blocks the calling thread until done.
HttpResult httpGet(const HttpRequest& request, const HttpSink& sink);

// A short readable account of a failed result, for the log.
QString describeHttpResult(const HttpResult& result);
