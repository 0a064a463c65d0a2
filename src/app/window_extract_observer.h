// How the main window follows an extraction that runs on a second thread.
#pragma once

#include <atomic>

#include "extract/extract_observer.h"
#include "ui/background_work.h"

namespace mozaru {

// Notes, on the extraction's thread, the number of posts and how many are
// done, for the window's thread to read; once the page turns out to hold
// posts it marks the work, and the window enters its busy state.
class WindowExtractObserver : public ExtractObserver {
public:
    explicit WindowExtractObserver(BackgroundWork& work) : m_work(work) {}

    bool started() const { return m_started.load(); }
    std::int32_t posts() const { return m_posts.load(); }
    std::int32_t done() const { return m_done.load(std::memory_order_relaxed); }

    void start(std::int32_t n) override {
        m_posts.store(n);
        m_started.store(true);
        m_work.mark();
    }
    void postDone(std::int32_t i) override { m_done.store(i, std::memory_order_relaxed); }
    void finished(std::int32_t n) override { m_done.store(n, std::memory_order_relaxed); }

private:
    BackgroundWork& m_work;
    std::atomic<bool> m_started{false};
    std::atomic<std::int32_t> m_posts{0};
    std::atomic<std::int32_t> m_done{0};
};

}  // namespace mozaru
