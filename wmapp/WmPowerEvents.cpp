#include "wmapp/WmPowerEvents.h"

#include <QDBusConnection>

namespace {
const char kService[] = "org.freedesktop.login1";
const char kPath[] = "/org/freedesktop/login1";
const char kInterface[] = "org.freedesktop.login1.Manager";
const char kSignal[] = "PrepareForSleep";
}  // namespace

WmPowerEvents::WmPowerEvents() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return;
    m_listening = bus.connect(kService, kPath, kInterface, kSignal, this, SLOT(OnPrepareForSleep(bool)));
}

WmPowerEvents::~WmPowerEvents() {
    if (m_listening)
        QDBusConnection::systemBus().disconnect(kService, kPath, kInterface, kSignal, this, SLOT(OnPrepareForSleep(bool)));
}

void WmPowerEvents::OnPrepareForSleep(bool sleeping) { Notify(sleeping ? Kind::Suspend : Kind::Resume); }
