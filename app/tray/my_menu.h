#pragma once
#include <QMenu>
#include <QQuickItem>
#include <memory>

class MyAction;

// A context menu declared in QML: its MyAction, MySeparator and MyMenu children become the
// entries, in the order of declaration.
class MyMenu : public QQuickItem {
    Q_OBJECT
    Q_PROPERTY(int width READ menuWidth WRITE setWidth NOTIFY widthChanged)
    Q_PROPERTY(int height READ menuHeight WRITE setHeight NOTIFY heightChanged)

public:
    explicit MyMenu(QQuickItem* parent = nullptr);
    ~MyMenu() override;

    QMenu* menu() const { return m_menu.get(); }
    int menuWidth() const;
    int menuHeight() const;

signals:
    void widthChanged();
    void heightChanged();

public slots:
    void setWidth(int arg);
    void setHeight(int arg);
    void addSeparator();
    void addAction(MyAction* action);
    void addMenu(MyMenu* menu);

protected:
    void componentComplete() override;

private:
    std::unique_ptr<QMenu> m_menu;
};
