#include "bridge/bridge_object.h"

#include "bridge/changed_value.h"

BridgeObject::BridgeObject(QObject* parent) : QObject(parent) {}

void BridgeObject::stopThread() {}

void BridgeObject::setData(QVariantMap data)
{
    if (replaceIfChanged(m_data, data))
        emit dataChanged(m_data);
}

void BridgeObject::setDataList(QVariantList dataList)
{
    if (replaceIfChanged(m_dataList, dataList))
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
