#include "app/tray/my_action.h"

#include "app/tray/icon_url.h"

MyAction::MyAction(QObject* parent) : QAction(parent)
{
    setObjectName(QStringLiteral("MyAction"));
}

void MyAction::setIcon(QUrl arg)
{
    if (arg == m_iconUrl)
        return;
    QAction::setIcon(iconForUrl(arg));
    m_iconUrl = arg;
    emit iconChanged();
}
