// "AAの抽出": the precision dialog, then ExtractAA (on the classic page, for a
// recognised format) on a second thread inside the busy state, the progress
// bar following the posts.
#include "app/form1.h"
#include "app/window_extract_observer.h"
#include "boards/board_forms.h"
#include "extract/extract_aa.h"
#include "extract/form3.h"
#include "ui/background_work.h"
#include "ui/event_yield.h"
#include "ui/progress_bar.h"
#include "ui/rich_text_box.h"

namespace mozaru {

void Form1::Command2_Click() {
    if (m_form3 == nullptr) m_form3 = new Form3(this);
    m_form3->Syokika(PrecisionLevel, MergeFlag, PictureFlag);
    m_prompts.exec(*m_form3);
    if (m_form3->F_Ret() == -1) return;
    PrecisionLevel = m_form3->F_Ret();
    MergeFlag = m_form3->F_Check1();
    PictureFlag = m_form3->F_Check2();

    RichTextBox1->setVisible(false);
    // What the window can survive (out of memory) leaves the document as it
    // was, and is told once the window is itself again.
    std::exception_ptr failure;
    std::vector<MalformedLine> skipped;
    std::optional<PreparedStep> step;
    bool emptyPage = false;
    BackgroundWork work;
    WindowExtractObserver observer(work);
    DocumentSource source = RichTextBox1->documentSource();
    const std::int16_t level = PrecisionLevel;
    const std::int16_t merge = MergeFlag;
    const Detector detector = PictureFlag == 1 ? Detector::Picture : Detector::Seed;
    work.start([&] {
        const std::u16string_view page = source.text();
        emptyPage = page.empty();
        // A .dat log or a newer board page is read as the classic page it stands for.
        ClassicPage classic = toClassicPage(page);
        skipped = std::move(classic.malformed);
        // Only 1 chooses the picture detector, as only 1 merges.
        std::u16string result =
            ExtractAA(classic.recognised() ? std::u16string_view(classic.text) : page, level, merge,
                      detector, observer);
        std::u16string().swap(classic.text);
        step = RichTextBox::prepareStep(page, std::move(result));
    });
    {
        // Until the page turns out to hold posts the window is not busy: it
        // repaints and follows a resize, and keys and clicks wait.
        const Working working(*this);
        work.answer({}, BackgroundWork::Until::MarkedOrEnded, false);
    }
    const bool started = observer.started();
    if (started) {
        EnableCommands(kFalse);
        setBarRange(static_cast<float>(observer.posts()));
        EventYield().now();
        const Working working(*this);
        work.answer([&] { ProgressBar1->setValue(static_cast<float>(observer.done())); });
        ProgressBar1->setValue(static_cast<float>(observer.done()));
    }
    bool nothingKept = false;
    try {
        work.rethrow();
        nothingKept = !emptyPage && step->after.document.empty();
        replaceInSlices(std::move(*step), 1.0, 1.0);
    } catch (const std::exception&) {
        failure = std::current_exception();
    }
    endBusyDisplay();

    if (started) {
        EnableCommands(kTrue);
        Form_Paint();
    } else {
        closeIfPending();
    }
    if (failure) reportFailure(u"AAの抽出に失敗しました", failure);
    if (!skipped.empty()) reportSkippedLines(skipped);
    if (nothingKept) {
        confirm(
            QStringLiteral("AAとして抜き出せる投稿はありませんでした。\r\n"
                           "元に戻す（Ctrl+Z）で抽出前のページに戻せます。"));
    }
}

void Form1::reportSkippedLines(const std::vector<MalformedLine>& skipped) {
    // Lines of a log that are no post are named, never dropped without a word.
    constexpr std::size_t kNamed = 10;
    QStringList lines;
    for (std::size_t k = 0; k < skipped.size() && k < kNamed; ++k) {
        lines << QStringLiteral("%1 行目").arg(skipped[k].line);
    }
    if (skipped.size() > kNamed) lines << QStringLiteral("ほか");
    confirm(QStringLiteral("投稿の形になっていない %1 行を読み飛ばしました（%2）")
                .arg(skipped.size())
                .arg(lines.join(QStringLiteral("、"))));
}

}  // namespace mozaru
