// "AAの抽出": the precision dialog, then the extraction inside the busy state
// with the progress bar following the posts.
#include <QPlainTextEdit>

#include "app/event_yield.h"
#include "app/form1.h"
#include "app/progress_bar.h"
#include "app/rich_text_box.h"
#include "extract/extract_aa.h"
#include "extract/form3.h"

namespace mozaru {

namespace {

// Enters the busy state when the page turns out to hold posts, moves the bar
// and lets the window answer (repaint, help, a deferred close) meanwhile.
class WindowExtractObserver : public ExtractObserver {
public:
    explicit WindowExtractObserver(Form1& form) : m_form(form) {}

    bool started() const { return m_started; }

    void start(std::int32_t n) override {
        m_started = true;
        m_form.EnableCommands(kFalse);
        m_form.ProgressBar1->setMax(static_cast<float>(n));
        m_form.ProgressBar1->setMin(0.0f);
        m_form.ProgressBar1->setValue(0.0f);
        m_yield.now();
    }
    void postDone(std::int32_t i) override {
        m_form.ProgressBar1->setValue(static_cast<float>(i));
        m_yield.maybe();
    }
    void finished(std::int32_t n) override {
        m_form.ProgressBar1->setValue(static_cast<float>(n));
        m_yield.now();
    }
    void lineDone() override { m_yield.maybe(); }

private:
    Form1& m_form;
    EventYield m_yield;
    bool m_started = false;
};

}  // namespace

void Form1::Command2_Click() {
    if (m_form3 == nullptr) m_form3 = new Form3(this);
    m_form3->Syokika(PrecisionLevel, MergeFlag);
    m_prompts.exec(*m_form3);
    if (m_form3->F_Ret() == -1) return;
    PrecisionLevel = m_form3->F_Ret();
    MergeFlag = m_form3->F_Check1();

    RichTextBox1->setVisible(false);
    WindowExtractObserver observer(*this);
    const std::u16string result = ExtractAA(documentText(), PrecisionLevel, MergeFlag, observer);
    setDocumentText(result);
    RichTextBox1->setVisible(true);

    if (observer.started()) {
        EnableCommands(kTrue);
        Form_Paint();
    }
}

}  // namespace mozaru
