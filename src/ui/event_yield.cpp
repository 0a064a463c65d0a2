// Lets the window process its pending events during a long command.
#include "ui/event_yield.h"

#include <QCoreApplication>

namespace mozaru {

EventYield::EventYield(std::chrono::milliseconds interval, std::uint32_t checkEvery)
    : m_interval(interval), m_checkEvery(checkEvery), m_last(Clock::now()) {}

void EventYield::now() {
    QCoreApplication::processEvents();
    m_last = Clock::now();
    ++m_yields;
}

}  // namespace mozaru
