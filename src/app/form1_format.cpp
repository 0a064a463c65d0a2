// "改行付加" and "改行除去": one pass of AddLineBreaks or RemoveLineBreaks over
// the document inside the busy state.
#include "app/form1.h"
#include "format/line_breaks.h"
#include "ui/event_yield.h"
#include "ui/progress_bar.h"
#include "ui/rich_text_box.h"

namespace mozaru {

void Form1::Command1_Click() {
    runLineBreakCommand(AddLineBreaks);
}

void Form1::Command7_Click() {
    runLineBreakCommand(RemoveLineBreaks);
}

void Form1::runLineBreakCommand(std::u16string (*transform)(std::u16string_view)) {
    EnableCommands(kFalse);
    const std::u16string_view text = RichTextBox1->documentView();
    const auto length = static_cast<float>(text.size());
    ProgressBar1->setMax(length);
    ProgressBar1->setMin(0.0f);
    RichTextBox1->setVisible(false);
    EventYield().now();  // once, so the busy label and the bar show

    std::u16string result = transform(text);
    ProgressBar1->setValue(length);  // the text box still holds the old text
    RichTextBox1->replaceDocument(std::move(result));
    RichTextBox1->setVisible(true);

    EnableCommands(kTrue);
    Form_Paint();
}

}  // namespace mozaru
