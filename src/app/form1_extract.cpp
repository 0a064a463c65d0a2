// "AAの抽出": the precision dialog, then ExtractAA (on the classic page, for a
// recognised format) inside the busy state with the progress bar following the posts.
#include "app/form1.h"
#include "app/window_extract_observer.h"
#include "boards/board_forms.h"
#include "extract/extract_aa.h"
#include "extract/form3.h"
#include "ui/progress_bar.h"
#include "ui/rich_text_box.h"

namespace mozaru {

void WindowExtractObserver::start(std::int32_t n) {
    m_started = true;
    m_enterBusy();
    m_bar.setMax(static_cast<float>(n));
    m_bar.setMin(0.0f);
    m_bar.setValue(0.0f);
    m_yield.now();
}

void WindowExtractObserver::postDone(std::int32_t i) {
    m_bar.setValue(static_cast<float>(i));
    m_yield.maybe();
}

void WindowExtractObserver::finished(std::int32_t n) {
    m_bar.setValue(static_cast<float>(n));
    m_yield.now();
}

void Form1::Command2_Click() {
    if (m_form3 == nullptr) m_form3 = new Form3(this);
    m_form3->Syokika(PrecisionLevel, MergeFlag, PictureFlag);
    m_prompts.exec(*m_form3);
    if (m_form3->F_Ret() == -1) return;
    PrecisionLevel = m_form3->F_Ret();
    MergeFlag = m_form3->F_Check1();
    PictureFlag = m_form3->F_Check2();

    RichTextBox1->setVisible(false);
    WindowExtractObserver observer(*ProgressBar1, [this] { EnableCommands(kFalse); });
    // What the window can survive (out of memory) leaves the document as it
    // was, and is told once the window is itself again.
    std::exception_ptr failure;
    std::vector<MalformedLine> skipped;
    try {
        // A .dat log or a newer board page is read as the classic page it stands for.
        ClassicPage classic = toClassicPage(RichTextBox1->documentView());
        skipped = std::move(classic.malformed);
        // Only 1 chooses the picture detector, as only 1 merges.
        RichTextBox1->replaceDocument(ExtractAA(
            classic.recognised() ? std::u16string_view(classic.text) : RichTextBox1->documentView(),
            PrecisionLevel, MergeFlag, PictureFlag == 1 ? Detector::Picture : Detector::Seed,
            observer));
    } catch (const std::exception&) {
        failure = std::current_exception();
    }
    RichTextBox1->setVisible(true);

    if (observer.started()) {
        EnableCommands(kTrue);
        Form_Paint();
    }
    if (failure) reportFailure(u"AAの抽出に失敗しました", failure);
    if (!skipped.empty()) reportSkippedLines(skipped);
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
