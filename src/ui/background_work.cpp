// Work on a second thread while the window goes on answering its events.
#include "ui/background_work.h"

#include <QEventLoop>
#include <QTimer>

namespace mozaru {

namespace {

// Often enough for the bar to move smoothly, seldom enough to cost nothing.
constexpr std::chrono::milliseconds kTick{30};

}  // namespace

BackgroundWork::BackgroundWork() = default;

BackgroundWork::~BackgroundWork() {
    if (m_thread.joinable()) m_thread.join();
}

void BackgroundWork::start(std::function<void()> work, std::function<void()> done) {
    m_done = std::move(done);
    start(std::move(work));
}

void BackgroundWork::start(std::function<void()> work) {
    m_thread = std::thread([this, work = std::move(work)] {
        std::exception_ptr failure;
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard lock(m_mutex);
            m_failure = failure;
            m_ended = true;
        }
        m_changed.notify_all();
        wake(true);
    });
}

void BackgroundWork::mark() {
    {
        const std::lock_guard lock(m_mutex);
        m_marked = true;
    }
    m_changed.notify_all();
    wake(false);
}

void BackgroundWork::wake(bool ended) {
    // Queued to the window's thread; dropped if this object has gone by then.
    QMetaObject::invokeMethod(
        &m_waker,
        [this, ended] {
            if (m_loop != nullptr) m_loop->quit();
            if (ended && m_done) m_done();
        },
        Qt::QueuedConnection);
}

bool BackgroundWork::marked() const {
    const std::lock_guard lock(m_mutex);
    return m_marked;
}

bool BackgroundWork::ended() const {
    const std::lock_guard lock(m_mutex);
    return m_ended;
}

bool BackgroundWork::reached(Until until) const {
    return m_ended || (until == Until::MarkedOrEnded && m_marked);
}

bool BackgroundWork::wait(std::chrono::milliseconds timeout, Until until) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return reached(until); });
}

void BackgroundWork::answer(const std::function<void()>& tick, Until until, bool input) {
    const auto done = [&] {
        const std::lock_guard lock(m_mutex);
        return reached(until);
    };
    QEventLoop loop;
    QTimer ticker;
    ticker.setInterval(kTick);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        if (tick) tick();
        if (done()) loop.quit();
    });
    ticker.start();
    m_loop = &loop;
    const auto flags = input ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
    // A wake that came before the loop ran, or a quit of the whole
    // application, ends exec early: it runs again while the work goes on.
    while (!done()) {
        if (loop.exec(flags) != 0) break;
    }
    m_loop = nullptr;
    if (tick) tick();
    if (!done()) {
        // The application is quitting: the work still ends before its results are used.
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return reached(until); });
    }
}

void BackgroundWork::rethrow() const {
    const std::lock_guard lock(m_mutex);
    if (m_failure) std::rethrow_exception(m_failure);
}

}  // namespace mozaru
