#include "core/http_client.h"

#include "core/curl_library.h"

#include <QElapsedTimer>
#include <QThread>

#include <memory>

namespace {

struct CurlDeleter {
    void operator()(CURL* curl) const { libcurl().easy_cleanup(curl); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { libcurl().slist_free_all(list); }
};

// What the callbacks share during one transfer.
struct Transfer {
    CURL* curl = nullptr;
    const HttpRequest* request = nullptr;
    const HttpSink* sink = nullptr;
    QElapsedTimer sinceLastByte;
    qint64 received = 0;
    bool started = false;
    // Set when one of our callbacks ended the transfer, and why.
    bool abortedByUs = false;
    HttpOutcome abortReason = HttpOutcome::Failed;

    void abort(HttpOutcome reason)
    {
        abortedByUs = true;
        abortReason = reason;
    }
};

qint64 announcedLength(CURL* curl)
{
    curl_off_t length = -1;
    if (libcurl().easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK)
        return -1;
    return length < 0 ? -1 : qint64(length);
}

size_t onBody(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (!transfer->started) {
        transfer->started = true;
        if (transfer->sink->onStart)
            transfer->sink->onStart(announcedLength(transfer->curl));
    }
    transfer->received += qint64(bytes);
    const qint64 cap = transfer->request->maxBodyBytes;
    if (cap >= 0 && transfer->received > cap) {
        transfer->abort(HttpOutcome::TooLarge);
        return 0;
    }
    if (transfer->sink->onData && !transfer->sink->onData(data, qint64(bytes))) {
        transfer->abort(HttpOutcome::SinkFailed);
        return 0;
    }
    transfer->sinceLastByte.restart();
    return bytes;
}

// Called by libcurl while the transfer runs, at the latest about once a second when idle.
int onTick(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* transfer = static_cast<Transfer*>(user);
    if (QThread::currentThread()->isInterruptionRequested()) {
        transfer->abort(HttpOutcome::Cancelled);
        return 1;
    }
    if (transfer->sinceLastByte.elapsed() > transfer->request->stallTimeoutMs) {
        transfer->abort(HttpOutcome::Stalled);
        return 1;
    }
    return 0;
}

// http and https only; a transfer that began on https is never redirected to plain http,
// where the body (an installer, say) could be replaced on the way.
void restrictToHttp(CURL* curl, bool startsSecure)
{
#if LIBCURL_VERSION_NUM >= 0x075500
    libcurl().easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    libcurl().easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, startsSecure ? "https" : "http,https");
#else
    libcurl().easy_setopt(curl, CURLOPT_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
    libcurl().easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS,
                          startsSecure ? long(CURLPROTO_HTTPS) : long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
#endif
}

void configure(CURL* curl, const HttpRequest& request, const QByteArray& url, curl_slist* headers,
               Transfer& transfer, char* errorBuffer)
{
    libcurl().easy_setopt(curl, CURLOPT_URL, url.constData());
    libcurl().easy_setopt(curl, CURLOPT_USERAGENT, request.userAgent.constData());
    libcurl().easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    restrictToHttp(curl, request.url.startsWith(QLatin1String("https:"), Qt::CaseInsensitive));
    libcurl().easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    libcurl().easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    libcurl().easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    libcurl().easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    // Direct connection: the proxy variables of the environment are not consulted.
    libcurl().easy_setopt(curl, CURLOPT_PROXY, "");
    // Worker threads: no signals for name-resolution time-outs.
    libcurl().easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    libcurl().easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(request.connectTimeoutMs));
    if (request.totalTimeoutMs > 0)
        libcurl().easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(request.totalTimeoutMs));
    if (request.maxBodyBytes >= 0)
        libcurl().easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(request.maxBodyBytes));
    // An error status is a failure, not a body to be saved.
    libcurl().easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    libcurl().easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    libcurl().easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    libcurl().easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    libcurl().easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onTick);
    libcurl().easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    libcurl().easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
}

HttpOutcome outcomeOf(CURLcode code, const Transfer& transfer)
{
    if (transfer.abortedByUs)
        return transfer.abortReason;
    switch (code) {
    case CURLE_OK: return HttpOutcome::Completed;
    case CURLE_FILESIZE_EXCEEDED: return HttpOutcome::TooLarge;
    case CURLE_PARTIAL_FILE: return HttpOutcome::Truncated;
    default: break;
    }
    // Any other failure once the body has begun leaves it incomplete.
    return transfer.started ? HttpOutcome::Truncated : HttpOutcome::Failed;
}

} // namespace

HttpResult httpGet(const HttpRequest& request, const HttpSink& sink)
{
    HttpResult result;
    if (!libcurl().ready()) {
        result.errorText = libcurl().error;
        return result;
    }
    std::unique_ptr<CURL, CurlDeleter> curl(libcurl().easy_init());
    if (!curl) {
        result.errorText = QStringLiteral("curl_easy_init failed");
        return result;
    }
    // Never an answer from a cache between us and the server.
    std::unique_ptr<curl_slist, HeaderListDeleter> headers(
        libcurl().slist_append(nullptr, "Cache-Control: no-cache"));
    Transfer transfer;
    transfer.curl = curl.get();
    transfer.request = &request;
    transfer.sink = &sink;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    const QByteArray url = request.url.toUtf8();
    configure(curl.get(), request, url, headers.get(), transfer, errorBuffer);

    transfer.sinceLastByte.start();
    const CURLcode code = libcurl().easy_perform(curl.get());
    result.curlCode = int(code);
    result.bodyBytes = transfer.received;
    libcurl().easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &result.httpStatus);
    result.outcome = outcomeOf(code, transfer);
    if (result.outcome != HttpOutcome::Completed)
        result.errorText = errorBuffer[0] ? QString::fromUtf8(errorBuffer)
                                          : QString::fromUtf8(libcurl().easy_strerror(code));
    return result;
}

QString describeHttpResult(const HttpResult& result)
{
    QString reason;
    switch (result.outcome) {
    case HttpOutcome::Completed: reason = QStringLiteral("completed"); break;
    case HttpOutcome::SetupFailed: reason = QStringLiteral("could not prepare the transfer"); break;
    case HttpOutcome::Failed: reason = QStringLiteral("request failed"); break;
    case HttpOutcome::Truncated: reason = QStringLiteral("body ended early"); break;
    case HttpOutcome::TooLarge: reason = QStringLiteral("body too large"); break;
    case HttpOutcome::Stalled: reason = QStringLiteral("no data within the stall time-out"); break;
    case HttpOutcome::Cancelled: reason = QStringLiteral("cancelled"); break;
    case HttpOutcome::SinkFailed: reason = QStringLiteral("could not store the body"); break;
    }
    QString text = QStringLiteral("%1 (curl %2").arg(reason).arg(result.curlCode);
    if (result.httpStatus >= 400)
        text += QStringLiteral(", HTTP %1").arg(result.httpStatus);
    if (!result.errorText.isEmpty())
        text += QStringLiteral(": ") + result.errorText;
    return text + QLatin1Char(')');
}
