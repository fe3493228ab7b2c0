#pragma once
#include <QIcon>
#include <QUrl>

// The icon file a QML URL names: its local path, or its text with a leading "qrc" dropped
// (so "qrc:/icon/x.ico" and ":/icon/x.ico" name the same resource).
QString iconFileForUrl(const QUrl& url);
QIcon iconForUrl(const QUrl& url);
// The icon of a file, made once per file (GUI thread only).
QIcon iconFromFile(const QString& file);
