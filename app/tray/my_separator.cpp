#include "app/tray/my_separator.h"

MySeparator::MySeparator(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("MySeparator"));
}
