// The progress line of a batch.
#include "cli/progress.h"

#include <iomanip>
#include <ostream>
#include <sstream>

#include "cli/messages.h"

namespace mozaru {

Progress::Progress(std::ostream& err, std::size_t total, bool enabled)
    : m_err(err), m_total(total), m_enabled(enabled) {}

void Progress::fileDone(std::size_t bytes) {
    if (!m_enabled) return;
    const std::lock_guard lock(m_mutex);
    ++m_done;
    m_bytes += static_cast<double>(bytes);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    const double mbPerSecond = seconds > 0 ? m_bytes / 1e6 / seconds : 0.0;
    std::ostringstream speed;
    speed << std::fixed << std::setprecision(1) << mbPerSecond;
    m_err << "\r"
          << cliText("progress"_text,
                     {std::to_string(m_done), std::to_string(m_total), speed.str()})
          << std::flush;
}

void Progress::finish() {
    if (m_enabled && m_done > 0) m_err << "\n" << std::flush;
}

}  // namespace mozaru
