#pragma once
#include <QAction>
#include <QUrl>

// A menu entry declared in QML; text, triggered and the rest come from QAction.
class MyAction : public QAction {
    Q_OBJECT
    Q_PROPERTY(QUrl icon READ iconUrl WRITE setIcon NOTIFY iconChanged)

public:
    explicit MyAction(QObject* parent = nullptr);
    QUrl iconUrl() const { return m_iconUrl; }

signals:
    void iconChanged();

public slots:
    void setIcon(QUrl arg);

private:
    QUrl m_iconUrl;
};
