#pragma once
// The background listener: GPU metrics once a second, or the mouse's notifications.
#include "bridge/bridge_thread.h"
#include "devices/device_setup.h"

#include <QVariantList>

class BACKGROUND_LISTENING : public BridgeThread {
    Q_OBJECT
    Q_PROPERTY(QVariantList dataList READ getDataList NOTIFY dataListChanged)

public:
    explicit BACKGROUND_LISTENING(const DeviceSetup& setup, QObject* parent = nullptr);
    ~BACKGROUND_LISTENING() override;

signals:
    void dataListChanged(QVariantList dataList);

public slots:
    void stopThread() override;
    void stopTerminate();
    void setDataList(QVariantList dataList);

public:
    Q_INVOKABLE QVariantList getDataList() const;

protected:
    void run() override;

private:
    DeviceSetup m_setup;
    QVariantList m_dataList;
};
