#pragma once
// The keyboard hook: macro recording and key-function capture.
#include "bridge/bridge_thread.h"

class KEYBOARD_HOOK : public BridgeThread {
    Q_OBJECT

public:
    explicit KEYBOARD_HOOK(QObject* parent = nullptr);
    ~KEYBOARD_HOOK() override;

public slots:
    void stopThread() override;

protected:
    void run() override;
};
