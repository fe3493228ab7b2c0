#include "core/application_identity.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr int kAppIdDigits = 16;

} // namespace

QString chosenExecutablePath(const QString& chosen)
{
    const QString trimmed = chosen.trimmed();
    if (trimmed.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QUrl(trimmed).toLocalFile();
    return trimmed;
}

QString canonicalExecutablePath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    return QFileInfo(path).canonicalFilePath();
}

QString applicationAppId(const QString& canonicalPath)
{
    const QByteArray digest = QCryptographicHash::hash(canonicalPath.toLower().toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(digest.toHex().left(kAppIdDigits));
}
