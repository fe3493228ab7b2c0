#include "core/update_service.h"

HttpOptions HttpOptions::fromEnvironment()
{
    HttpOptions options;
    options.serverBase = QString::fromLocal8Bit(qgetenv("TALVORIN_UPDATE_SERVER"));
    return options;
}

UpdateService::UpdateService(const HttpOptions& options) : m_options(options) {}

QString UpdateService::manifestUrl() const
{
    return m_options.serverBase + QStringLiteral("/Qel/latest__version_v2.json");
}

QMap<QString, QVariantList> UpdateService::check_NewVersionFromServer()
{
    return {};
}

bool UpdateService::downloadFileFromServer(const QString&, const QString&, const Progress&)
{
    return false;
}

bool UpdateService::downloadFileFromServerHeadphone(const QString&, const QString&)
{
    return false;
}
