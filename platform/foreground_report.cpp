#include "platform/foreground_report.h"

#include <QByteArray>
#include <cmath>

namespace platform {

namespace {

ForegroundReport refused(const QString& why)
{
    ForegroundReport report;
    report.error = why;
    return report;
}

bool readText(const QVariant& value, bool bytesAllowed, QString* text)
{
    if (value.userType() == QMetaType::QString) {
        *text = value.toString();
        return true;
    }
    if (bytesAllowed && value.userType() == QMetaType::QByteArray) {
        *text = QString::fromUtf8(value.toByteArray());
        return true;
    }
    return false;
}

bool readProcessId(const QVariant& value, qint64* pid)
{
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        *pid = value.toLongLong();
        return true;
    case QMetaType::ULongLong: {
        const qulonglong unsignedPid = value.toULongLong();
        *pid = unsignedPid > qulonglong(kMaxProcessId) ? -1 : qint64(unsignedPid);
        return true;
    }
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (!std::isfinite(number) || std::floor(number) != number || std::fabs(number) > 1e15)
            return false;
        *pid = qint64(number);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

ForegroundReport readForegroundReport(const QVariantList& arguments)
{
    if (arguments.size() != 3)
        return refused(QStringLiteral("expected 3 arguments (caption, class, process id), got %1").arg(arguments.size()));
    ForegroundReport report;
    if (!readText(arguments.at(0), false, &report.caption))
        return refused(QStringLiteral("the caption is not a string"));
    if (!readText(arguments.at(1), true, &report.windowClass))
        return refused(QStringLiteral("the window class is not a string"));
    if (!readProcessId(arguments.at(2), &report.processId))
        return refused(QStringLiteral("the process id is not a whole number"));
    if (report.caption.size() > kMaxReportedCaption)
        return refused(QStringLiteral("the caption is longer than %1 characters").arg(kMaxReportedCaption));
    if (report.windowClass.size() > kMaxReportedClass)
        return refused(QStringLiteral("the window class is longer than %1 characters").arg(kMaxReportedClass));
    if (report.processId <= 0 || report.processId > kMaxProcessId)
        return refused(QStringLiteral("%1 is not a process id").arg(report.processId));
    report.valid = true;
    return report;
}

} // namespace platform
