// How the main window follows an extraction: busy state, progress bar, yields.
#pragma once

#include "extract/extract_observer.h"
#include "ui/event_yield.h"

namespace mozaru {

class Form1;

// Enters the busy state when the page turns out to hold posts, moves the bar
// and lets the window answer (repaint, help, a deferred close) meanwhile: at
// the start, at the end, and in between at most every 30 ms.
class WindowExtractObserver : public ExtractObserver {
public:
    explicit WindowExtractObserver(Form1& form) : m_form(form) {}

    bool started() const { return m_started; }
    int yields() const { return m_yield.yields(); }

    void start(std::int32_t n) override;
    void postDone(std::int32_t i) override;
    void finished(std::int32_t n) override;
    void lineDone() override { m_yield.maybe(); }

private:
    Form1& m_form;
    EventYield m_yield;
    bool m_started = false;
};

}  // namespace mozaru
