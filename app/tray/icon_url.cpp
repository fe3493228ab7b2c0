#include "app/tray/icon_url.h"

QString iconFileForUrl(const QUrl& url)
{
    QString file = url.toLocalFile();
    if (file.isEmpty())
        file = url.toString();
    if (file.startsWith(QLatin1String("qrc")))
        file = file.mid(3);
    return file;
}

QIcon iconForUrl(const QUrl& url)
{
    return QIcon(iconFileForUrl(url));
}
