// Undo and redo through the window: typing at once, a whole-document step
// (an extraction, a line-break command, a load) inside the busy state, its
// document unpacked on a second thread and put back in slices.
#include "app/form1.h"
#include "ui/background_work.h"
#include "ui/progress_bar.h"
#include "ui/rich_text_box.h"

namespace mozaru {

namespace {

// Where the bar stands when the document is unpacked and goes into the edit
// area (about the share of the time the unpacking takes).
constexpr double kUnpackShare = 0.4;

}  // namespace

void Form1::undoStep() {
    if (BusyFlag != kFalse || m_working) return;
    if (const int token = RichTextBox1->undoInEditor()) runHistoryStep(token, true);
}

void Form1::redoStep() {
    if (BusyFlag != kFalse || m_working) return;
    if (const int token = RichTextBox1->redoInEditor()) runHistoryStep(token, false);
}

void Form1::runHistoryStep(int token, bool undo) {
    EnableCommands(kFalse);
    // The amount of work is the length of the document it brings back.
    const DocumentHistory::Packed* packed =
        undo ? RichTextBox1->history().before(token) : RichTextBox1->history().after(token);
    setBarRange(static_cast<float>(packed != nullptr ? packed->units : 0));
    showBusyDisplay();
    std::exception_ptr failure;
    try {
        PreparedMove move;
        DocumentSource current = RichTextBox1->documentSource();
        runWhileBusy(
            [&](WorkProgress&) {
                move = undo ? RichTextBox1->prepareUndo(token, current)
                            : RichTextBox1->prepareRedo(token);
            },
            0.0, kUnpackShare);
        const SliceHook between = sliceHook(kUnpackShare, 1.0);
        undo ? RichTextBox1->finishUndo(token, std::move(move), between)
             : RichTextBox1->finishRedo(token, std::move(move), between);
        setBarFraction(1.0);
    } catch (const std::exception&) {
        // The editor has passed the step already: the history ends here, and
        // the document stays as it is.
        RichTextBox1->endHistory();
        failure = std::current_exception();
    }
    endBusyDisplay();
    EnableCommands(kTrue);
    Form_Paint();
    if (failure) reportFailure(undo ? u"元に戻せませんでした" : u"やり直せませんでした", failure);
}

}  // namespace mozaru
