#include "util/links.h"

#include <QDebug>
#include <QDesktopServices>
#include <QUrl>

bool openUrlInBrowser(const QString& text)
{
    const QUrl url = QUrl::fromUserInput(text);
    if (!url.isValid() || text.trimmed().isEmpty()) {
        qWarning().noquote() << QStringLiteral("Invalid URL provided: %1").arg(text);
        return false;
    }
    if (!QDesktopServices::openUrl(url)) {
        qWarning().noquote() << "No handler could open" << url.toString();
        return false;
    }
    return true;
}
