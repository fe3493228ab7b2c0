#include "app/screenshot.h"

#include <QCoreApplication>
#include <QDebug>
#include <QImage>
#include <QQuickWindow>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kSettleMs = 2500;     // page loads, intro animation ends, answers arrive
constexpr int kLastResortMs = 30000; // a discovery that never answers still gives a picture

} // namespace

ScreenshotTaker::ScreenshotTaker(QQuickWindow* window, const QString& path, QObject* parent)
    : QObject(parent), m_window(window), m_path(path)
{
    QTimer::singleShot(kLastResortMs, this, &ScreenshotTaker::takeAndQuit);
}

void ScreenshotTaker::onWorkerAnswer(const QVariantMap& answer)
{
    if (m_scheduled || answer.value(QStringLiteral("Control")).toInt() != 0)
        return;
    m_scheduled = true;
    QTimer::singleShot(kSettleMs, this, &ScreenshotTaker::takeAndQuit);
}

void ScreenshotTaker::takeAndQuit()
{
    QImage image = m_window->grabWindow();
    // The software renderer offscreen hands back no image from grabWindow(): ask the screen.
    if (image.isNull() && m_window->screen())
        image = m_window->screen()->grabWindow(m_window->winId()).toImage();
    if (image.isNull() || !image.save(m_path, "PNG")) {
        qWarning() << "Screenshot could not be written:" << m_path;
        QCoreApplication::exit(2);
        return;
    }
    qInfo().noquote() << "Screenshot written:" << m_path;
    QCoreApplication::exit(0);
}
