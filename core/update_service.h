#pragma once
// The update manifest and downloads from the maker's download server.
#include "core/update_manifest.h"

#include <QString>
#include <functional>

struct HttpResult;

struct HttpOptions {
    // Base address of the download server; TALVORIN_UPDATE_SERVER overrides the built-in one.
    QString serverBase;
    int connectTimeoutMs = 5000;
    // A transfer that receives nothing for this long is abandoned.
    int stallTimeoutMs = 15000;
    // The manifest is small: a fetch that takes longer than this is abandoned.
    int manifestTimeoutMs = 30000;
    qint64 maxManifestBytes = 4 * 1024 * 1024;

    // The built-in values, with what the environment overrides: TALVORIN_UPDATE_SERVER, and
    // TALVORIN_HTTP_CONNECT_TIMEOUT_MS / TALVORIN_HTTP_STALL_TIMEOUT_MS (milliseconds).
    static HttpOptions fromEnvironment();
};

// Why a manifest fetch gave nothing, in words for the user.
QString manifestFailureText(const HttpResult& result);
inline const QString kUnreadableManifestText = QStringLiteral("The update server sent a list that could not be read");

// Share of a download done, 0..100, exact for any size a 64-bit count holds.
int downloadPercent(qint64 written, qint64 total);

class UpdateService {
public:
    using Progress = std::function<void(int percent)>;

    explicit UpdateService(const HttpOptions& options = HttpOptions::fromEnvironment());

    const HttpOptions& options() const { return m_options; }
    QString manifestUrl() const;
    // The manifest by category; empty on any failure, whose cause, in words for the user,
    // goes to failure when given.
    UpdateManifest check_NewVersionFromServer(QString* failure = nullptr);
    // True when the whole body reached savePath. The body is written beside savePath and
    // renamed over it only once complete, so a failed or cut-off transfer leaves no file and
    // an existing file untouched. progress gets each new percentage 1..100 when the size is known.
    bool downloadFileFromServer(const QString& url, const QString& savePath, const Progress& progress);
    bool downloadFileFromServerHeadphone(const QString& url, const QString& savePath);

private:
    bool download(const QString& url, const QString& savePath, const Progress& progress);

    HttpOptions m_options;
};
