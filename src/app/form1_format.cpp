// "改行付加" and "改行除去": one pass of AddLineBreaks or RemoveLineBreaks over
// the document inside the busy state.
#include "app/form1.h"
#include "linebreaks/line_breaks.h"
#include "ui/event_yield.h"
#include "ui/progress_bar.h"
#include "ui/rich_text_box.h"

namespace mozaru {

void Form1::Command1_Click() {
    runLineBreakCommand(AddLineBreaks, u"改行付加に失敗しました");
}

void Form1::Command7_Click() {
    runLineBreakCommand(RemoveLineBreaks, u"改行除去に失敗しました");
}

void Form1::runLineBreakCommand(std::u16string (*transform)(std::u16string_view),
                                std::u16string_view failed) {
    EnableCommands(kFalse);
    const std::u16string_view text = RichTextBox1->documentView();
    const auto length = static_cast<float>(text.size());
    ProgressBar1->setMax(length);
    ProgressBar1->setMin(0.0f);
    RichTextBox1->setVisible(false);
    EventYield().now();  // once, so the busy label and the bar show

    // Out of memory, the document stays as it was.
    std::exception_ptr failure;
    try {
        std::u16string result = transform(text);
        ProgressBar1->setValue(length);  // the text box still holds the old text
        RichTextBox1->replaceDocument(std::move(result));
    } catch (const std::exception&) {
        failure = std::current_exception();
    }
    RichTextBox1->setVisible(true);

    EnableCommands(kTrue);
    Form_Paint();
    if (failure) reportFailure(failed, failure);
}

}  // namespace mozaru
