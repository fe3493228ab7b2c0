#pragma once
// The 64 x 64 PNG icon kept for a program linked to a profile.
#include <QImage>
#include <QString>
#include <QStringList>

constexpr int kApplicationIconSize = 64;

// The picture an Icon value of a desktop entry names: an absolute file, or an icon name
// looked up in the hicolor theme and the pixmaps folder under each data folder. Null when
// nothing readable is found.
QImage loadDesktopIcon(const QString& iconValue, const QStringList& dataFolders);

// A plain drawn program icon for programs the desktop has no icon for.
QImage genericApplicationIcon();

// Scales the picture into a transparent 64 x 64 square (keeping its proportions) and writes
// it as PNG, replacing the file atomically.
bool saveApplicationIcon(const QImage& image, const QString& path);
