// The frame of a long command's work: the busy display, the work on a second
// thread while the window answers (repaints, resizes, help, a close that
// waits), the bar following it, and the result put into the edit area in
// slices.
#include "app/form1.h"
#include "ui/background_work.h"
#include "ui/event_yield.h"
#include "ui/progress_bar.h"
#include "ui/rich_text_box.h"

namespace mozaru {

void Form1::showBusyDisplay() {
    RichTextBox1->setVisible(false);
    EventYield().now();  // once, so that the label and the bar show
}

void Form1::setBarRange(float max) {
    ProgressBar1->setMax(max);
    ProgressBar1->setMin(0.0f);
    ProgressBar1->setValue(0.0f);
}

void Form1::setBarFraction(double fraction) {
    const float min = ProgressBar1->Min();
    ProgressBar1->setValue(min + static_cast<float>(fraction) * (ProgressBar1->Max() - min));
}

void Form1::runWhileBusy(const std::function<void(WorkProgress&)>& work, double from, double to) {
    WorkProgress progress;
    const Working working(*this);
    runWhileAnswering([&] { work(progress); },
                      [&] { setBarFraction(from + progress.fraction() * (to - from)); });
}

std::function<void(double)> Form1::sliceHook(double from, double to) {
    return [this, from, to](double fraction) {
        setBarFraction(from + fraction * (to - from));
        EventYield().now();
    };
}

void Form1::replaceInSlices(PreparedStep&& step, double from, double to) {
    RichTextBox1->replaceDocument(std::move(step), sliceHook(from, to));
}

void Form1::endBusyDisplay() {
    RichTextBox1->setVisible(true);
    // Hidden, the edit area gave the focus to the only button left enabled.
    RichTextBox1->setFocus(Qt::OtherFocusReason);
}

}  // namespace mozaru
