#include "core/application_icon.h"

#include <QDebug>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

namespace {

// Sizes nearest to ours first; scalable pictures are drawn at our size anyway.
const QStringList kThemeSizes = {
    QStringLiteral("64x64"),   QStringLiteral("scalable"), QStringLiteral("128x128"), QStringLiteral("96x96"),
    QStringLiteral("256x256"), QStringLiteral("48x48"),    QStringLiteral("512x512"), QStringLiteral("32x32"),
};
const QStringList kIconSuffixes = {QStringLiteral(".png"), QStringLiteral(".svg"), QStringLiteral(".xpm")};

QImage readPicture(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return QImage();
    QImageReader reader(path);
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        reader.setScaledSize(QSize(kApplicationIconSize, kApplicationIconSize));
    return reader.read();
}

QStringList themeCandidates(const QString& name, const QString& dataFolder)
{
    QStringList candidates;
    for (const QString& size : kThemeSizes) {
        for (const QString& suffix : kIconSuffixes)
            candidates.append(QStringLiteral("%1/icons/hicolor/%2/apps/%3%4").arg(dataFolder, size, name, suffix));
    }
    for (const QString& suffix : kIconSuffixes)
        candidates.append(QStringLiteral("%1/pixmaps/%2%3").arg(dataFolder, name, suffix));
    return candidates;
}

} // namespace

QImage loadDesktopIcon(const QString& iconValue, const QStringList& dataFolders)
{
    if (iconValue.isEmpty())
        return QImage();
    if (QFileInfo(iconValue).isAbsolute())
        return readPicture(iconValue);
    // An icon name is a plain name; anything with a separator is not one to look up.
    if (iconValue.contains(QLatin1Char('/')))
        return QImage();
    for (const QString& folder : dataFolders) {
        for (const QString& candidate : themeCandidates(iconValue, folder)) {
            const QImage image = readPicture(candidate);
            if (!image.isNull())
                return image;
        }
    }
    return QImage();
}

QImage genericApplicationIcon()
{
    const int s = kApplicationIconSize;
    QImage image(s, s, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // A program window: a frame with a title bar.
    const QRectF frame(4, 8, s - 8, s - 16);
    QPainterPath path;
    path.addRoundedRect(frame, 6, 6);
    painter.fillPath(path, QColor(0x3a, 0x3f, 0x4b));
    painter.setPen(QPen(QColor(0x9a, 0xa3, 0xb5), 2));
    painter.drawPath(path);
    painter.fillRect(QRectF(frame.left() + 1, frame.top() + 1, frame.width() - 2, 10), QColor(0x9a, 0xa3, 0xb5));
    // A start mark in the middle.
    QPainterPath play;
    play.moveTo(s * 0.42, s * 0.40);
    play.lineTo(s * 0.62, s * 0.55);
    play.lineTo(s * 0.42, s * 0.70);
    play.closeSubpath();
    painter.fillPath(play, QColor(0xe8, 0xea, 0xee));
    painter.end();
    return image;
}

bool saveApplicationIcon(const QImage& image, const QString& path)
{
    if (image.isNull())
        return false;
    const int s = kApplicationIconSize;
    const QImage scaled = image.scaled(s, s, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage square(s, s, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((s - scaled.width()) / 2, (s - scaled.height()) / 2, scaled);
    painter.end();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !square.save(&file, "PNG") || !file.commit()) {
        qWarning() << "Failed to save the icon:" << path << file.errorString();
        return false;
    }
    return true;
}
