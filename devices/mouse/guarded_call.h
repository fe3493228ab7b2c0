#pragma once
// Runs one device operation and turns an escaping std::exception into the operation's
// "[tag] Exception:" log line and its failure value.
#include <QDebug>

#include <exception>

template <typename T, typename Body>
T guardedCall(const char* tag, T failure, Body&& body)
{
    try {
        return body();
    } catch (const std::exception& e) {
        qCritical().noquote() << QStringLiteral("[%1] Exception:").arg(QLatin1String(tag)) << e.what();
        return failure;
    }
}
