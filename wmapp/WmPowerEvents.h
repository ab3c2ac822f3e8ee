#pragma once
// Suspend and resume from systemd-logind: its PrepareForSleep signal on the system bus (true
// before the sleep, false after the wake-up). Without a system bus nothing arrives.
#include <QObject>

#include "platform/PowerEvents.h"

class WmPowerEvents : public QObject, public PowerEvents {
    Q_OBJECT
public:
    WmPowerEvents();
    ~WmPowerEvents() override;
    bool IsListening() const override { return m_listening; }

private slots:
    void OnPrepareForSleep(bool sleeping);

private:
    bool m_listening = false;
};
