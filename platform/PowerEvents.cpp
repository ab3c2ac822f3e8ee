#include "platform/PowerEvents.h"

PowerEvents::~PowerEvents() = default;

void PowerEvents::Notify(Kind kind) const {
    if (m_handler) m_handler(kind);
}
