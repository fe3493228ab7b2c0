#include "app/control_protocol.h"

#include "platform/private_socket.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

std::optional<QJsonObject> objectOf(const QByteArray& line)
{
    if (line.size() > kControlMessageLimit)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

} // namespace

QByteArray encodeControlRequest(const QStringList& arguments)
{
    const QJsonObject request{{QStringLiteral("arguments"), QJsonArray::fromStringList(arguments)}};
    return QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<QStringList> decodeControlRequest(const QByteArray& line)
{
    const std::optional<QJsonObject> request = objectOf(line);
    if (!request || !request->value(QStringLiteral("arguments")).isArray())
        return std::nullopt;
    QStringList arguments;
    for (const QJsonValue& value : request->value(QStringLiteral("arguments")).toArray()) {
        if (!value.isString())
            return std::nullopt;
        arguments << value.toString();
    }
    return arguments;
}

QByteArray encodeControlReply(const CommandLineResult& result)
{
    const QJsonObject reply{{QStringLiteral("status"), result.status}, {QStringLiteral("output"), result.output}};
    return QJsonDocument(reply).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<CommandLineResult> decodeControlReply(const QByteArray& line)
{
    const std::optional<QJsonObject> reply = objectOf(line);
    if (!reply || !reply->value(QStringLiteral("status")).isDouble() || !reply->value(QStringLiteral("output")).isString())
        return std::nullopt;
    return CommandLineResult{reply->value(QStringLiteral("status")).toInt(), reply->value(QStringLiteral("output")).toString()};
}

QString controlSocketPath(QString* error)
{
    const QString folder = platform::privateRuntimeFolder(error);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/control");
}
