#pragma once
// What the flashing tools' output means. The tools' output is read in pieces as it arrives;
// lines are not put back together, so each test looks inside one piece.
#include <QList>
#include <QString>
#include <optional>

struct ToolStatus {
    int status = 0;
    QString info;
    bool operator==(const ToolStatus& other) const { return status == other.status && info == other.info; }
};

// The headset tool: the statuses one piece reports, in the order they are answered.
//   1 "OTA read device info success"      2 "Read device info FAIL" -> "OTA read device info fail"
//   3 "Please hold the power off button"  4 "%" -> the piece itself (a progress line)
//   5 "OTA SUCCESS", otherwise 6 "waiting for hold the power off button timeout"
QList<ToolStatus> headsetToolStatuses(const QString& piece);
constexpr int kHeadsetReadInfoFail = 2;
constexpr int kHeadsetOtaSuccess = 5;
constexpr int kHeadsetHoldTimeout = 6;
// The statuses after which the tool has nothing more to report for this run.
bool isFinalHeadsetStatus(int status);

// The mouse package's tools: the piece with its line feeds and carriage returns removed.
QString withoutLineBreaks(const QString& piece);

// The exit code a piece reports after "return code:", blanks skipped: the digits that follow,
// or -1 (a failure) when no number follows. Nothing when the piece has no "return code:".
std::optional<int> returnCodeInPiece(const QString& piece);

// Follows one run of a mouse or dongle tool: a "return code:" 0 marks the run successful for
// the rest of it, and a "Completed." piece is the verdict.
class FlashRunVerdict {
public:
    enum class Verdict { None, Succeeded, Failed };
    // Takes one piece (line breaks already removed) and tells whether it gave a verdict.
    Verdict take(const QString& piece);
    bool succeeded() const { return m_succeeded; }
    bool gaveVerdict() const { return m_gaveVerdict; }

private:
    bool m_returnedZero = false;
    bool m_succeeded = false;
    bool m_gaveVerdict = false;
};
