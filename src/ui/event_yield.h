// Lets the window process its pending events during a long command, but not
// so often that the yields cost more than the work.
#pragma once

#include <chrono>
#include <cstdint>

namespace mozaru {

class EventYield {
public:
    using Clock = std::chrono::steady_clock;

    explicit EventYield(std::chrono::milliseconds interval = std::chrono::milliseconds(30),
                        std::uint32_t checkEvery = 64);

    // Processes pending events now.
    void now();
    // Processes pending events when the interval has passed since the last
    // time; the clock is read only on every checkEvery-th call.
    void maybe() {
        if (++m_calls < m_checkEvery) return;
        m_calls = 0;
        if (Clock::now() - m_last >= m_interval) now();
    }

    int yields() const { return m_yields; }

private:
    std::chrono::milliseconds m_interval;
    std::uint32_t m_checkEvery;
    std::uint32_t m_calls = 0;
    Clock::time_point m_last;
    int m_yields = 0;
};

}  // namespace mozaru
