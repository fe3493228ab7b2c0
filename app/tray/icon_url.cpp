#include "app/tray/icon_url.h"

#include <QHash>

QString iconFileForUrl(const QUrl& url)
{
    QString file = url.toLocalFile();
    if (file.isEmpty())
        file = url.toString();
    if (file.startsWith(QLatin1String("qrc")))
        file = file.mid(3);
    return file;
}

QIcon iconFromFile(const QString& file)
{
    // An icon made from a file decodes every picture in it; the window, the tray and its menu
    // share one.
    static QHash<QString, QIcon> made;
    auto found = made.constFind(file);
    if (found == made.constEnd())
        found = made.insert(file, QIcon(file));
    return found.value();
}

QIcon iconForUrl(const QUrl& url)
{
    return iconFromFile(iconFileForUrl(url));
}
