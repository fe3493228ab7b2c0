#include "core/firmware_output.h"

namespace {

const QString kReadInfoSuccess = QStringLiteral("OTA read device info success");
const QString kReadInfoFail = QStringLiteral("Read device info FAIL");
const QString kHoldButton = QStringLiteral("Please hold the power off button");
const QString kOtaSuccess = QStringLiteral("OTA SUCCESS");
const QString kHoldTimeout = QStringLiteral("waiting for hold the power off button timeout");
const QString kReturnCode = QStringLiteral("return code:");
const QString kCompleted = QStringLiteral("Completed.");

} // namespace

QList<ToolStatus> headsetToolStatuses(const QString& piece)
{
    QList<ToolStatus> statuses;
    if (piece.contains(kReadInfoSuccess))
        statuses.append({1, kReadInfoSuccess});
    if (piece.contains(kReadInfoFail))
        statuses.append({kHeadsetReadInfoFail, QStringLiteral("OTA read device info fail")});
    if (piece.contains(kHoldButton))
        statuses.append({3, kHoldButton});
    if (piece.contains(QLatin1Char('%')))
        statuses.append({4, piece});
    if (piece.contains(kOtaSuccess))
        statuses.append({kHeadsetOtaSuccess, kOtaSuccess});
    else if (piece.contains(kHoldTimeout))
        statuses.append({kHeadsetHoldTimeout, kHoldTimeout});
    return statuses;
}

bool isFinalHeadsetStatus(int status)
{
    return status == kHeadsetReadInfoFail || status == kHeadsetOtaSuccess || status == kHeadsetHoldTimeout;
}

QString withoutLineBreaks(const QString& piece)
{
    QString text = piece;
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    return text;
}

std::optional<int> returnCodeInPiece(const QString& piece)
{
    const int label = piece.indexOf(kReturnCode);
    if (label < 0)
        return std::nullopt;
    int i = label + kReturnCode.size();
    while (i < piece.size() && piece.at(i).isSpace())
        ++i;
    const int start = i;
    while (i < piece.size() && piece.at(i) >= QLatin1Char('0') && piece.at(i) <= QLatin1Char('9'))
        ++i;
    bool ok = false;
    const int code = piece.mid(start, i - start).toInt(&ok);
    return ok ? code : -1;
}

FlashRunVerdict::Verdict FlashRunVerdict::take(const QString& piece)
{
    if (const std::optional<int> code = returnCodeInPiece(piece)) {
        if (*code == 0)
            m_returnedZero = true;
    }
    if (!piece.contains(kCompleted))
        return Verdict::None;
    m_gaveVerdict = true;
    m_succeeded = m_returnedZero;
    return m_succeeded ? Verdict::Succeeded : Verdict::Failed;
}
