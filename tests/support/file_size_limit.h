// Makes every write past a few bytes fail for one scope, as a full disk
// would, also for root (which folder permissions do not stop).
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace mozaru::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_ok = getrlimit(RLIMIT_FSIZE, &m_before) == 0;
        // The write then fails with EFBIG instead of ending the process.
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_before;
        small.rlim_cur = bytes;
        m_ok = m_ok && setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool ok() const { return m_ok; }

private:
    rlimit m_before{};
    void (*m_signal)(int) = nullptr;
    bool m_ok = false;
};

}  // namespace mozaru::test
