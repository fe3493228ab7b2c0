#pragma once
// The bridge members that the device classes share with the workers: a data map, a data list,
// their change signals and the command slot. The worker calls the device operations directly;
// nothing is connected to these signals, they keep the classes uniform.
#include <QObject>
#include <QVariantList>
#include <QVariantMap>

class BridgeObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariantMap data READ getData WRITE setData NOTIFY dataChanged)
    Q_PROPERTY(QVariantList dataList READ getDataList NOTIFY dataListChanged)

public:
    explicit BridgeObject(QObject* parent = nullptr);

signals:
    void dataChanged(QVariantMap data);
    void dataListChanged(QVariantList dataList);

public slots:
    virtual void stopThread();
    void setData(QVariantMap data);
    void setDataList(QVariantList dataList);
    void receiveDataFromQML(QVariantMap data);

public:
    Q_INVOKABLE QVariantMap getData() const;
    Q_INVOKABLE QVariantList getDataList() const;

protected:
    QVariantMap m_data;
    QVariantList m_dataList;
    QVariantMap m_command;
};
