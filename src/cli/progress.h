// The progress line of a batch: one line on a terminal, rewritten as files finish.
#pragma once

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <mutex>

namespace mozaru {

class Progress {
public:
    Progress(std::ostream& err, std::size_t total, bool enabled);

    // From any thread.
    void fileDone(std::size_t bytes);
    void finish();

private:
    std::ostream& m_err;
    std::mutex m_mutex;
    const std::size_t m_total;
    const bool m_enabled;
    std::size_t m_done = 0;
    double m_bytes = 0;
    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

}  // namespace mozaru
