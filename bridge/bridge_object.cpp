#include "bridge/bridge_object.h"

BridgeObject::BridgeObject(QObject* parent) : QObject(parent) {}

void BridgeObject::stopThread() {}

void BridgeObject::setData(QVariantMap data)
{
    if (data == m_data)
        return;
    m_data = data;
    emit dataChanged(m_data);
}

void BridgeObject::setDataList(QVariantList dataList)
{
    if (dataList == m_dataList)
        return;
    m_dataList = dataList;
    emit dataListChanged(m_dataList);
}

void BridgeObject::receiveDataFromQML(QVariantMap data)
{
    m_command = data;
}

QVariantMap BridgeObject::getData() const
{
    return m_data;
}

QVariantList BridgeObject::getDataList() const
{
    return m_dataList;
}
