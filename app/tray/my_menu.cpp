#include "app/tray/my_menu.h"

#include "app/tray/my_action.h"

MyMenu::MyMenu(QQuickItem* parent) : QQuickItem(parent), m_menu(std::make_unique<QMenu>())
{
    setObjectName(QStringLiteral("MyMenu"));
    m_menu->setObjectName(QStringLiteral("MyMenu"));
}

MyMenu::~MyMenu() = default;

int MyMenu::menuWidth() const
{
    return m_menu->width();
}

int MyMenu::menuHeight() const
{
    return m_menu->height();
}

void MyMenu::setWidth(int arg)
{
    if (arg == m_menu->width())
        return;
    m_menu->setFixedWidth(arg);
    emit widthChanged();
}

void MyMenu::setHeight(int arg)
{
    if (arg == m_menu->height())
        return;
    m_menu->setFixedHeight(arg);
    emit heightChanged();
}

void MyMenu::addSeparator()
{
    m_menu->addSeparator();
}

void MyMenu::addAction(MyAction* action)
{
    if (action)
        m_menu->addAction(action);
}

void MyMenu::addMenu(MyMenu* menu)
{
    if (menu)
        m_menu->addMenu(menu->menu());
}

void MyMenu::componentComplete()
{
    QQuickItem::componentComplete();
    for (QObject* child : children()) {
        const QString kind = child->objectName();
        if (kind == QLatin1String("MyAction"))
            addAction(qobject_cast<MyAction*>(child));
        else if (kind == QLatin1String("MySeparator"))
            addSeparator();
        else if (kind == QLatin1String("MyMenu"))
            addMenu(qobject_cast<MyMenu*>(child));
    }
}
