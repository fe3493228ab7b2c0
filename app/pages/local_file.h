#pragma once
// The path behind a file address from a QML file dialog ("file:///..." or a plain path).
#include <QString>
#include <QUrl>

inline QString localPathOf(const QUrl& file)
{
    if (file.isLocalFile())
        return file.toLocalFile();
    return file.scheme().isEmpty() ? file.path() : QString();
}
