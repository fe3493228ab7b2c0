#pragma once
#include <QObject>

// A separator line in a MyMenu.
class MySeparator : public QObject {
    Q_OBJECT
public:
    explicit MySeparator(QObject* parent = nullptr);
};
