// Times the window's document work on pages shaped like real ones (offscreen):
// LOAD, a page named on the command line, AAの抽出, 改行付加 and 改行除去 and
// their undo, from the click to the result painted, beside the engine's or the
// file layer's own time for the same work.
//
// window_bench PAGES_FOLDER   (bench/make_pages.py writes the pages)
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "encoding/text_codec.h"
#include "extract/extract_aa.h"
#include "extract/form3.h"
#include "files/text_file.h"
#include "linebreaks/line_breaks.h"
#include "support/fake_prompts.h"
#include "ui/rich_text_box.h"

using namespace mozaru;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;
constexpr double kMB = 1e6;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::u16string readPage(const QString& path) {
    TextFileRead read = readTextFile(path);
    if (!read.ok) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(path), qPrintable(read.reason));
        std::exit(2);
    }
    return std::move(read.decoded.text);
}

double cp932Megabytes(std::u16string_view text) {
    return static_cast<double>(encodeText(text).bytes.size()) / kMB;
}

// What AAの抽出 leaves of a page, its kept posts repeated until the result
// holds about megabytes of CP932: the document 改行付加 and 改行除去 work on.
std::u16string extractionResult(std::u16string_view page, double megabytes) {
    const std::u16string kept = ExtractAA(page, 0, 0);
    const std::u16string posts = kept.substr(0, kept.size() - 4);  // without the last "<HR>"
    const double once = cp932Megabytes(kept);
    std::u16string result;
    for (double have = 0; have < megabytes; have += once) result += posts;
    result += u"<HR>";
    return result;
}

struct Timing {
    double window = 0;  // click to result painted, median
    double alone = 0;   // the engine or the file layer alone, median
    double maxGap = 0;  // longest time the window answered no events
};

// Runs prepare (untimed), then times work and the paint of its result, while
// a 5 ms timer measures how long the window went without handling events.
void timeWindow(const std::function<void()>& prepare, const std::function<void()>& work,
                Timing& timing) {
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        QApplication::processEvents();
        QTimer timer;
        timer.setInterval(5);
        auto last = Clock::now();
        double maxGap = 0;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            maxGap = std::max(maxGap, seconds(last));
            last = Clock::now();
        });
        const auto start = Clock::now();
        last = start;
        timer.start();
        work();
        QApplication::processEvents();  // the result painted
        runs.push_back(seconds(start));
        timing.maxGap = std::max({timing.maxGap, maxGap, seconds(last)});
    }
    timing.window = median(runs);
}

void timeAlone(const std::function<void()>& work, Timing& timing) {
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        work();
        runs.push_back(seconds(start));
    }
    timing.alone = median(runs);
}

void report(const char* name, double megabytes, const Timing& t, double target) {
    std::printf(
        "  %-28s %6.1f MB  window %6.0f ms (target <= %4.0f: %s)  alone %6.0f ms  "
        "longest without events %5.0f ms\n",
        name, megabytes, t.window * 1e3, target * 1e3, t.window <= target ? "met" : "NOT met",
        t.alone * 1e3, t.maxGap * 1e3);
}

void answerOk(FakePrompts& prompts) {
    prompts.dialogs.push_back(
        [](QDialog& dialog) { dynamic_cast<Form3&>(dialog).Command1_Click(); });
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_bench PAGES_FOLDER (from bench/make_pages.py)\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString loadPath = folder + QStringLiteral("/mid-lf.html");
    const QString openPath = folder + QStringLiteral("/page19-lf.html");
    const double loadMB = static_cast<double>(QFileInfo(loadPath).size()) / kMB;
    const double openMB = static_cast<double>(QFileInfo(openPath).size()) / kMB;
    const std::u16string page = readPage(loadPath);
    const std::u16string extracted = extractionResult(readPage(folder + "/big-lf.html"), 19.0);
    const double extractedMB = cp932Megabytes(extracted);
    const std::u16string added = AddLineBreaks(extracted);

    FakePrompts prompts;
    Form1 window(prompts, {}, {});
    window.show();
    QApplication::processEvents();
    std::printf("medians of %d runs; MB = 10^6 bytes of CP932\n", kRuns);

    Timing load;
    timeAlone([&] { (void)readTextFile(loadPath); }, load);
    timeWindow([&] { window.RichTextBox1->setDocumentText({}); },
               [&] { window.LoadDocument(loadPath); }, load);
    report("LOAD, LF page", loadMB, load, 0.5);
    Timing reload = load;
    prompts.answers.assign(kRuns, true);
    timeWindow([&] { window.RichTextBox1->setDocumentText(page); },
               [&] { window.LoadDocument(loadPath); }, reload);
    report("LOAD over a page", loadMB, reload, 0.5);

    Timing open;
    timeAlone([&] { (void)readTextFile(openPath); }, open);
    std::unique_ptr<Form1> opened;
    timeWindow([&] { opened.reset(); },
               [&] {
                   opened = std::make_unique<Form1>(prompts, QStringList{openPath}, QString());
                   opened->Form_Load();
                   opened->show();
               },
               open);
    opened.reset();
    report("page on the command line", openMB, open, 1.0);

    Timing extract;
    timeAlone([&] { (void)ExtractAA(page, 0, 0); }, extract);
    timeWindow(
        [&] {
            window.RichTextBox1->setDocumentText(page);
            answerOk(prompts);
        },
        [&] { window.Command2_Click(); }, extract);
    const bool extractSame = window.RichTextBox1->documentView() == ExtractAA(page, 0, 0);
    report("AAの抽出", loadMB, extract, 1.0);

    Timing add;
    timeAlone([&] { (void)AddLineBreaks(extracted); }, add);
    timeWindow([&] { window.RichTextBox1->setDocumentText(extracted); },
               [&] { window.Command1_Click(); }, add);
    const bool addSame = window.RichTextBox1->documentView() == added;
    report("改行付加, extraction result", extractedMB, add, 1.0);

    Timing undo;
    timeWindow(
        [&] {
            window.RichTextBox1->setDocumentText(extracted);
            window.Command1_Click();
        },
        [&] { window.RichTextBox1->undo(); }, undo);
    const bool undoSame = window.RichTextBox1->documentView() == extracted;
    report("undo of 改行付加", extractedMB, undo, 1.0);

    Timing remove;
    timeAlone([&] { (void)RemoveLineBreaks(added); }, remove);
    timeWindow([&] { window.RichTextBox1->setDocumentText(added); },
               [&] { window.Command7_Click(); }, remove);
    const bool removeSame = window.RichTextBox1->documentView() == RemoveLineBreaks(added);
    report("改行除去, its 改行付加 result", cp932Megabytes(added), remove, 1.0);

    if (!extractSame || !addSame || !removeSame || !undoSame) {
        std::printf("a window result differs from the engine's\n");
        return 1;
    }
    return 0;
}
