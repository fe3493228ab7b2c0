#include "core/update_service.h"

#include "core/http_client.h"
#include "util/logging.h"

#include <QDebug>
#include <QSaveFile>

namespace {

const QString kDefaultServer = QStringLiteral("https://download.belvarinth.com");
const QString kManifestPath = QStringLiteral("/Qel/latest__version_v2.json");

int positiveIntFromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

QString withoutTrailingSlashes(QString base)
{
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

// Writes the body of one download beside its target and reports progress as it goes.
class DownloadSink {
public:
    DownloadSink(QSaveFile& file, const UpdateService::Progress& progress)
        : m_file(file), m_progress(progress) {}

    HttpSink sink()
    {
        HttpSink sink;
        sink.onStart = [this](qint64 length) { start(length); };
        sink.onData = [this](const char* data, qint64 size) { return store(data, size); };
        return sink;
    }

    bool started() const { return m_started; }
    qint64 written() const { return m_written; }
    qint64 total() const { return m_total; }
    bool progressShown() const { return m_lastPercent >= 0; }

private:
    void start(qint64 length)
    {
        m_started = true;
        m_total = length;
        if (m_total <= 0)
            writeStderr(QStringLiteral("HttpQueryInfo failed. Cannot determine file size. "
                                       "Downloading without progress.\n"));
    }

    bool store(const char* data, qint64 size)
    {
        if (m_file.write(data, size) != size)
            return false;
        m_written += size;
        if (m_total > 0)
            report(downloadPercent(m_written, m_total));
        return true;
    }

    // One line and one answer per new percentage, not per network read.
    void report(int percent)
    {
        if (percent == m_lastPercent)
            return;
        m_lastPercent = percent;
        writeStdout(QStringLiteral("\rDownloading: %1% completed...").arg(percent));
        if (m_progress && percent >= 1 && percent <= 100)
            m_progress(percent);
    }

    QSaveFile& m_file;
    const UpdateService::Progress& m_progress;
    bool m_started = false;
    qint64 m_total = -1;
    qint64 m_written = 0;
    int m_lastPercent = -1;
};

void reportDownloadFailure(const HttpResult& result, bool bodyStarted)
{
    const QString detail = describeHttpResult(result);
    if (result.outcome == HttpOutcome::SetupFailed)
        writeStderr(QStringLiteral("InternetOpen failed. Error: %1\n").arg(detail));
    else if (!bodyStarted)
        writeStderr(QStringLiteral("InternetOpenUrl failed. Error: %1\n").arg(detail));
    else
        writeStderr(QStringLiteral("Download failed. Error: %1\n").arg(detail));
}

} // namespace

HttpOptions HttpOptions::fromEnvironment()
{
    HttpOptions options;
    const QString server = qEnvironmentVariable("TALVORIN_UPDATE_SERVER").trimmed();
    options.serverBase = withoutTrailingSlashes(server.isEmpty() ? kDefaultServer : server);
    options.connectTimeoutMs =
        positiveIntFromEnvironment("TALVORIN_HTTP_CONNECT_TIMEOUT_MS", options.connectTimeoutMs);
    options.stallTimeoutMs =
        positiveIntFromEnvironment("TALVORIN_HTTP_STALL_TIMEOUT_MS", options.stallTimeoutMs);
    return options;
}

int downloadPercent(qint64 written, qint64 total)
{
    if (total <= 0 || written <= 0)
        return 0;
    if (written >= total)
        return 100;
    // written < total here, so written * 100 cannot overflow for any real file size.
    return int(written * 100 / total);
}

UpdateService::UpdateService(const HttpOptions& options) : m_options(options) {}

QString UpdateService::manifestUrl() const
{
    return m_options.serverBase + kManifestPath;
}

QString manifestFailureText(const HttpResult& result)
{
    switch (result.outcome) {
    case HttpOutcome::Failed:
        if (result.httpStatus >= 400)
            return QStringLiteral("The update server answered with an error (HTTP %1)").arg(result.httpStatus);
        return QStringLiteral("Could not reach the update server");
    case HttpOutcome::TooLarge:
    case HttpOutcome::SinkFailed:
        return kUnreadableManifestText;
    case HttpOutcome::Cancelled:
        return QStringLiteral("The update check was stopped");
    default:
        return QStringLiteral("Could not reach the update server");
    }
}

UpdateManifest UpdateService::check_NewVersionFromServer(QString* failure)
{
    HttpRequest request;
    request.url = manifestUrl();
    request.userAgent = "HttpClient";
    request.connectTimeoutMs = m_options.connectTimeoutMs;
    request.stallTimeoutMs = m_options.stallTimeoutMs;
    request.totalTimeoutMs = m_options.manifestTimeoutMs;
    request.maxBodyBytes = m_options.maxManifestBytes;

    QByteArray body;
    HttpSink sink;
    sink.onData = [&body](const char* data, qint64 size) {
        body.append(data, int(size));
        return true;
    };
    const HttpResult result = httpGet(request, sink);
    if (!result.ok()) {
        if (result.outcome == HttpOutcome::SetupFailed)
            qWarning() << "Failed to open internet session" << result.errorText;
        else
            qWarning() << "Failed to open URL" << request.url << describeHttpResult(result);
        if (failure)
            *failure = manifestFailureText(result);
        return {};
    }
    QString error;
    const UpdateManifest manifest = parseManifest(body, &error);
    if (!error.isEmpty())
        qWarning() << "JSON parse error:" << error;
    if (failure)
        *failure = manifest.isEmpty() ? kUnreadableManifestText : QString();
    return manifest;
}

bool UpdateService::downloadFileFromServer(const QString& url, const QString& savePath,
                                           const Progress& progress)
{
    return download(url, savePath, progress);
}

bool UpdateService::downloadFileFromServerHeadphone(const QString& url, const QString& savePath)
{
    return download(url, savePath, Progress());
}

bool UpdateService::download(const QString& url, const QString& savePath, const Progress& progress)
{
    QSaveFile file(savePath);
    if (!file.open(QIODevice::WriteOnly)) {
        writeStderr(QStringLiteral("Failed to create file: %1\n").arg(savePath));
        return false;
    }
    HttpRequest request;
    request.url = url;
    request.userAgent = "WinINet Example";
    request.connectTimeoutMs = m_options.connectTimeoutMs;
    request.stallTimeoutMs = m_options.stallTimeoutMs;

    DownloadSink body(file, progress);
    const HttpResult result = httpGet(request, body.sink());
    if (body.progressShown())
        writeStdout(QStringLiteral("\n"));
    if (!result.ok()) {
        file.cancelWriting();
        reportDownloadFailure(result, body.started());
        return false;
    }
    if (body.total() > 0 && body.written() != body.total()) {
        file.cancelWriting();
        writeStderr(QStringLiteral("Download incomplete: %1 of %2 bytes\n").arg(body.written()).arg(body.total()));
        return false;
    }
    if (!file.commit()) {
        writeStderr(QStringLiteral("Failed to create file: %1 (%2)\n").arg(savePath, file.errorString()));
        return false;
    }
    writeStdout(QStringLiteral("Download completed: %1\n").arg(savePath));
    return true;
}
