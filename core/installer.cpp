#include "core/installer.h"

#include "util/processes.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace {

constexpr int kMaxVersionLength = 64;
constexpr int kMaxSuffixLength = 16;

bool isAsciiAlnum(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isPlainVersion(const QString& version)
{
    if (version.isEmpty() || version.size() > kMaxVersionLength)
        return false;
    for (const QChar c : version) {
        if (!isAsciiAlnum(c) && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('_'))
            return false;
    }
    return true;
}

// ".suffix" of the last path segment of the link, ignoring any query; empty when there is none
// or it is not a short run of letters and digits.
QString linkSuffix(const QString& link)
{
    const QString fileName = QFileInfo(QUrl(link).path()).fileName();
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.isEmpty() || suffix.size() > kMaxSuffixLength)
        return QString();
    for (const QChar c : suffix) {
        if (!isAsciiAlnum(c))
            return QString();
    }
    return QLatin1Char('.') + suffix;
}

} // namespace

QString installerFileName(const QString& version, const QString& link)
{
    if (!isPlainVersion(version))
        return QString();
    return QStringLiteral("BELVARINTH_TALVORIN_") + version + linkSuffix(link);
}

QString installerFolder()
{
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return downloads.isEmpty() ? QDir::homePath() : downloads;
}

bool runInstaller(const QString& path)
{
    QFile installer(path);
    if (!installer.setPermissions(installer.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser)) {
        qWarning() << "Cannot make the installer executable:" << path << installer.errorString();
        return false;
    }
    const ProgramRun run = runProgramAndWait(path);
    if (!run.started) {
        qWarning() << "Failed to start the installer:" << path << run.errorString;
        return false;
    }
    qDebug() << "Installer exited with code:" << run.exitCode;
    return true;
}
