#pragma once
// The window that a compositor script reports over D-Bus, checked before anything believes it:
// the call's arguments are (caption, window class, process id) and nothing else.
#include <QString>
#include <QVariantList>

namespace platform {

// Limits far above any real window: a caption of a few hundred characters is already rare.
constexpr int kMaxReportedCaption = 4096;
constexpr int kMaxReportedClass = 256;
// The kernel's largest process id (pid_max) is 2^22.
constexpr qint64 kMaxProcessId = 4194304;

struct ForegroundReport {
    bool valid = false;
    QString error; // why the call was refused, for the log and the error reply
    QString caption;
    QString windowClass;
    qint64 processId = 0;
};

// Accepts the caption as a string; the class as a string or UTF-8 bytes (KWin 5 hands its
// resource class over as bytes); the process id as any D-Bus integer or a whole double
// (numbers from a JavaScript engine may travel as doubles).
ForegroundReport readForegroundReport(const QVariantList& arguments);

} // namespace platform
