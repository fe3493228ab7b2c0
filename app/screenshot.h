#pragma once
// --screenshot: once the devices are discovered and the requested page has had time to
// settle, renders the window to a PNG file and ends the program.
#include <QObject>
#include <QString>
#include <QVariantMap>

class QQuickWindow;

class ScreenshotTaker : public QObject {
    Q_OBJECT
public:
    ScreenshotTaker(QQuickWindow* window, const QString& path, QObject* parent = nullptr);

public slots:
    void onWorkerAnswer(const QVariantMap& answer);

private:
    void takeAndQuit();

    QQuickWindow* m_window;
    QString m_path;
    bool m_scheduled = false;
};
