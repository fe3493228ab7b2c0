#include "core/steam_header_images.h"

#include "core/http_client.h"

#include <QDebug>
#include <QSaveFile>

namespace {

const QString kDefaultImageServer = QStringLiteral("https://shared.akamai.steamstatic.com");
const QString kImagePath = QStringLiteral("/store_item_assets/steam/apps/%1/header.jpg");

constexpr int kConnectTimeoutMs = 5000;
constexpr int kStallTimeoutMs = 10000;
constexpr int kTotalTimeoutMs = 30000;
// Header pictures are some tens of kilobytes; anything far larger is not one.
constexpr qint64 kMaxImageBytes = 8 * 1024 * 1024;

bool serverAnswered(const HttpResult& result)
{
    return result.httpStatus > 0;
}

} // namespace

SteamHeaderImages::SteamHeaderImages(const QString& serverBase) : m_serverBase(serverBase)
{
    while (m_serverBase.endsWith(QLatin1Char('/')))
        m_serverBase.chop(1);
}

SteamHeaderImages SteamHeaderImages::fromEnvironment()
{
    const QString server = qEnvironmentVariable("TALVORIN_STEAM_IMAGE_SERVER").trimmed();
    return SteamHeaderImages(server.isEmpty() ? kDefaultImageServer : server);
}

QString SteamHeaderImages::imageUrl(const QString& appId) const
{
    return m_serverBase + kImagePath.arg(appId);
}

bool SteamHeaderImages::fetch(const QString& appId, const QString& imagePath)
{
    if (m_serverUnreachable)
        return false;
    QSaveFile file(imagePath);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "Failed to create file:" << imagePath << file.errorString();
        return false;
    }
    HttpRequest request;
    request.url = imageUrl(appId);
    request.userAgent = "HttpClient";
    request.connectTimeoutMs = kConnectTimeoutMs;
    request.stallTimeoutMs = kStallTimeoutMs;
    request.totalTimeoutMs = kTotalTimeoutMs;
    request.maxBodyBytes = kMaxImageBytes;
    HttpSink sink;
    sink.onData = [&file](const char* data, qint64 size) { return file.write(data, size) == size; };
    const HttpResult result = httpGet(request, sink);
    if (!result.ok()) {
        file.cancelWriting();
        qWarning() << "Header image download failed:" << request.url << describeHttpResult(result);
        if (!serverAnswered(result)) {
            m_serverUnreachable = true;
            qWarning() << "The image server cannot be reached; no more header images are fetched in this scan.";
        }
        return false;
    }
    if (!file.commit()) {
        qWarning() << "Failed to create file:" << imagePath << file.errorString();
        return false;
    }
    return true;
}
