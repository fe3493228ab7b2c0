#pragma once
// The update manifest and downloads from the maker's download server.
#include <QMap>
#include <QString>
#include <QVariantList>
#include <functional>

struct HttpOptions {
    // Base address of the download server; TALVORIN_UPDATE_SERVER overrides the built-in one.
    QString serverBase;
    int connectTimeoutMs = 5000;
    // A transfer that receives nothing for this long is abandoned.
    int stallTimeoutMs = 15000;
    qint64 maxManifestBytes = 4 * 1024 * 1024;

    static HttpOptions fromEnvironment();
};

class UpdateService {
public:
    using Progress = std::function<void(int percent)>;

    explicit UpdateService(const HttpOptions& options = HttpOptions::fromEnvironment());

    QString manifestUrl() const;
    // The manifest by category; empty on any failure.
    QMap<QString, QVariantList> check_NewVersionFromServer();
    // True when the whole body reached savePath; a failed or cut-off transfer leaves no file.
    bool downloadFileFromServer(const QString& url, const QString& savePath, const Progress& progress);
    bool downloadFileFromServerHeadphone(const QString& url, const QString& savePath);

private:
    HttpOptions m_options;
};
