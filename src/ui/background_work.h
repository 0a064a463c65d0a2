// Work on a second thread while the window goes on answering its events:
// repaints, resizes, the help button, a close that waits for the command.
#pragma once

#include <QObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class QEventLoop;

namespace mozaru {

// How far a piece of work has come, from 0 to 1: written by the work's
// thread, read by the window's.
class WorkProgress {
public:
    void set(double fraction) { m_fraction.store(fraction, std::memory_order_relaxed); }
    double fraction() const { return m_fraction.load(std::memory_order_relaxed); }

private:
    std::atomic<double> m_fraction{0.0};
};

// One piece of work on a thread of its own. The window's thread starts it,
// may wait for it a little without answering (a small document is done by
// then, and nothing flickers), then answers its events until it has ended.
// The work touches no widget: it reads what the window leaves alone while it
// is busy, and hands its results back through what it captured.
class BackgroundWork {
public:
    enum class Until { Ended, MarkedOrEnded };

    BackgroundWork();
    // Waits for the work's end.
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    void start(std::function<void()> work);
    // The same, and done runs on the window's thread once the work has ended
    // (never, when this object has gone first).
    void start(std::function<void()> work, std::function<void()> done);
    // From the work's thread: a point the window may wait for (the
    // extraction has found its posts).
    void mark();
    bool marked() const;
    bool ended() const;

    // Blocks, answering nothing, until the work has ended (or marked) or
    // timeout has passed; whether it had.
    bool wait(std::chrono::milliseconds timeout, Until until = Until::Ended);
    // Answers the window's events until the work has ended (or marked),
    // calling tick about every 30 ms. Without input, keys and clicks wait
    // until the window answers them again.
    void answer(const std::function<void()>& tick, Until until = Until::Ended, bool input = true);
    // Once ended: rethrows what the work threw.
    void rethrow() const;

private:
    bool reached(Until until) const;
    void wake(bool ended);

    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_marked = false;
    bool m_ended = false;
    std::exception_ptr m_failure;
    std::function<void()> m_done;
    // Lives on the window's thread; the work's thread posts to it to wake the
    // loop that answers meanwhile.
    QObject m_waker;
    QEventLoop* m_loop = nullptr;
};

// Runs work on a second thread and returns its result, answering the window's
// events meanwhile (tick about every 30 ms); rethrows what it threw.
template <typename Work>
auto runWhileAnswering(Work work, const std::function<void()>& tick = {}) {
    using Result = decltype(work());
    BackgroundWork background;
    if constexpr (std::is_void_v<Result>) {
        background.start(std::move(work));
        background.answer(tick);
        background.rethrow();
    } else {
        Result result{};
        background.start([&] { result = work(); });
        background.answer(tick);
        background.rethrow();
        return result;
    }
}

}  // namespace mozaru
