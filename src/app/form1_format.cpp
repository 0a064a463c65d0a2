// "改行付加" and "改行除去": one pass of AddLineBreaks or RemoveLineBreaks over
// the document, on a second thread inside the busy state, the bar following
// the pass and then the result going into the edit area.
#include "app/form1.h"
#include "linebreaks/line_breaks.h"
#include "text/text.h"
#include "ui/background_work.h"
#include "ui/progress_bar.h"
#include "ui/rich_text_box.h"

namespace mozaru {

namespace {

// The pass goes over the text a piece at a time, so that the bar can follow.
constexpr std::size_t kPiece = std::size_t{1} << 22;

// Where the bar stands when the pass has ended and the result goes into the
// edit area (about the share of the time the pass takes).
constexpr double kPassShare = 0.6;

// AddLineBreaks or RemoveLineBreaks, the same result made piece by piece.
std::u16string rewritten(std::u16string_view text, bool add, WorkProgress& progress) {
    const LineBreakRewrite rewrite = add ? addLineBreaksInto : removeLineBreaksInto;
    std::u16string out;
    // As the engine reserves: "<BR>" grows by a half at most, "<BR><HR>" by a quarter.
    reserveOutput(out, text.size() + text.size() / (add ? 2 : 4) + 16);
    const TextSink sink = [&out](std::u16string_view slice) { out.append(slice); };
    for (std::size_t at = 0;;) {
        const bool last = text.size() - at <= kPiece;
        at += rewrite(text.substr(at, last ? std::u16string_view::npos : kPiece), sink, last);
        progress.set(static_cast<double>(at) /
                     static_cast<double>(std::max<std::size_t>(1, text.size())));
        if (last) return out;
    }
}

}  // namespace

void Form1::Command1_Click() {
    runLineBreakCommand(true, u"改行付加に失敗しました");
}

void Form1::Command7_Click() {
    runLineBreakCommand(false, u"改行除去に失敗しました");
}

void Form1::runLineBreakCommand(bool add, std::u16string_view failed) {
    EnableCommands(kFalse);
    // Its amount of work is the document's length: known at once unless the
    // text was typed, when a second thread reads it back from the editor.
    DocumentSource source = RichTextBox1->documentSource();
    const bool ready = source.ready();
    if (ready) setBarRange(static_cast<float>(source.text().size()));
    showBusyDisplay();

    // Out of memory, the document stays as it was.
    std::exception_ptr failure;
    float length = 0.0f;
    try {
        if (!ready) runWhileBusy([&](WorkProgress&) { source.text(); }, 0.0, 0.0);
        length = static_cast<float>(source.text().size());
        if (!ready) setBarRange(length);
        std::optional<PreparedStep> step;
        runWhileBusy(
            [&](WorkProgress& progress) {
                const std::u16string_view text = source.text();
                step = RichTextBox::prepareStep(text, rewritten(text, add, progress));
            },
            0.0, kPassShare);
        replaceInSlices(std::move(*step), kPassShare, 1.0);
        ProgressBar1->setValue(length);
    } catch (const std::exception&) {
        failure = std::current_exception();
    }
    endBusyDisplay();

    EnableCommands(kTrue);
    Form_Paint();
    if (failure) reportFailure(failed, failure);
}

}  // namespace mozaru
