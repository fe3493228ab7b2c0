#pragma once
// Stands in for a published worker (talvorin_worker, background_listen, keyboardHook) in QML
// tests: records every map and call the page makes, and lets the test send answers.
#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class FakeWorker : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariantMap data READ getData WRITE receiveDataFromQML NOTIFY dataChanged)
    Q_PROPERTY(int startCount READ startCount NOTIFY callsChanged)
    Q_PROPERTY(int stopCount READ stopCount NOTIFY callsChanged)
    Q_PROPERTY(QStringList guiCalls READ guiCalls NOTIFY callsChanged)
    // As the keyboard hook tells it: only keys typed into our window are seen (Wayland).
    Q_PROPERTY(bool windowKeysOnly MEMBER m_windowKeysOnly NOTIFY callsChanged)

public:
    using QObject::QObject;

    int startCount() const { return m_starts; }
    int stopCount() const { return m_stops; }
    QStringList guiCalls() const { return m_guiCalls; }

    // Every map handed over, oldest first, as copies taken at the call.
    Q_INVOKABLE QVariantList sent() const { return m_sent; }
    Q_INVOKABLE int sentCount() const { return m_sent.size(); }
    Q_INVOKABLE QVariantMap lastSent() const;
    Q_INVOKABLE QVariantMap getData() const { return m_data; }
    // Forgets what was recorded (between test functions).
    Q_INVOKABLE void reset();
    // Delivers an answer the way a worker thread does: later, through the event loop.
    Q_INVOKABLE void answer(const QVariantMap& map);

signals:
    void dataChanged(QVariantMap data);
    void callsChanged();
    // A copy of each map as it arrives (for a stand-in that answers).
    void received(QVariantMap data);

public slots:
    void receiveDataFromQML(QVariantMap data);
    void runWithOrWithoutGUI(QString value);
    void start();
    void stopThread();
    void stopTerminate();

private:
    QVariantList m_sent;
    QVariantMap m_data;
    QStringList m_guiCalls;
    int m_starts = 0;
    int m_stops = 0;
    bool m_windowKeysOnly = false;
};

// The launch options a test wants the window to see.
class FakeLaunchOptions : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString startPage MEMBER m_startPage NOTIFY changed)
    Q_PROPERTY(bool showWindow MEMBER m_showWindow NOTIFY changed)
    Q_PROPERTY(bool screenshotMode MEMBER m_screenshotMode NOTIFY changed)

public:
    using QObject::QObject;

signals:
    void changed();

private:
    QString m_startPage;
    bool m_showWindow = false;
    bool m_screenshotMode = false;
};
