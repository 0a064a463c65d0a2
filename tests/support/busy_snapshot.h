// What the window looked like at the first yield of a long command's busy state.
#pragma once

#include <QLabel>
#include <QTimer>

#include "support/window_fixture.h"
#include "ui/progress_bar.h"

namespace mozaru::test {

// What the window looked like while a command let events through.
struct Snapshot {
    bool taken = false;
    std::int16_t busy = 0;
    bool editVisible = true;
    bool labelVisible = false;
    QString enabled;
    float barMax = -1;
    float barValue = -1;
};

// Before the busy state (the extraction looks for its posts while the window
// answers) it looks again at the next yield.
inline void snapshotAtFirstYield(WindowFixture& f, Snapshot& s) {
    QTimer::singleShot(0, f.window.get(), [&f, &s] {
        if (f.w().BusyFlag != kTrue && f.w().RichTextBox1->isHidden()) {
            snapshotAtFirstYield(f, s);
            return;
        }
        s.taken = true;
        s.busy = f.w().BusyFlag;
        s.editVisible = f.w().RichTextBox1->isVisible();
        s.labelVisible = f.w().Label1->isVisible();
        s.enabled = f.enabledButtons();
        s.barMax = f.w().ProgressBar1->Max();
        s.barValue = f.w().ProgressBar1->Value();
    });
}

}  // namespace mozaru::test
