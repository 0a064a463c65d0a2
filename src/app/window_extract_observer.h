// How the main window follows an extraction: busy state, progress bar, yields.
#pragma once

#include <functional>

#include "extract/extract_observer.h"
#include "ui/event_yield.h"

namespace mozaru {

class ProgressBar;

// Enters the busy state when the page turns out to hold posts, moves the bar
// and lets the window answer (repaint, help, a deferred close) meanwhile: at
// the start, at the end, and in between at most every 30 ms.
class WindowExtractObserver : public ExtractObserver {
public:
    // enterBusy: the window's EnableCommands(False), once the page holds posts.
    WindowExtractObserver(ProgressBar& bar, std::function<void()> enterBusy)
        : m_bar(bar), m_enterBusy(std::move(enterBusy)) {}

    bool started() const { return m_started; }
    int yields() const { return m_yield.yields(); }

    void start(std::int32_t n) override;
    void postDone(std::int32_t i) override;
    void finished(std::int32_t n) override;
    void lineDone() override { m_yield.maybe(); }

private:
    ProgressBar& m_bar;
    const std::function<void()> m_enterBusy;
    EventYield m_yield;
    bool m_started = false;
};

}  // namespace mozaru
