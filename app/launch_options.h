#pragma once
// What the command line and the environment ask of this start (for the demo and for checks).
#include <QObject>
#include <QString>

class LaunchOptions : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString startPage READ startPage CONSTANT)
    Q_PROPERTY(bool showWindow READ showWindow CONSTANT)
    Q_PROPERTY(bool screenshotMode READ screenshotMode CONSTANT)

public:
    // --page home|info|gpu|mouse|headset, --screenshot FILE; TALVORIN_SHOW_WINDOW=1 shows the
    // window at start whatever the stored choice.
    static LaunchOptions* fromArguments(const QStringList& arguments, QObject* parent = nullptr);

    QString startPage() const { return m_startPage; }
    bool showWindow() const { return m_showWindow; }
    bool screenshotMode() const { return !m_screenshotPath.isEmpty(); }
    QString screenshotPath() const { return m_screenshotPath; }
    // The user's stored choice to show the window at start, known before the first discovery.
    void setShownAtStart() { m_showWindow = true; }

private:
    using QObject::QObject;
    QString m_startPage;
    QString m_screenshotPath;
    bool m_showWindow = false;
};
