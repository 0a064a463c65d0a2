// Every command of the window on a 32 MB page (offscreen), timed from the
// click to the result painted, with a timer probe: a timer ticks every 5 ms
// and the longest gap between two ticks is the longest time the window could
// not repaint or follow a resize. Beside each command, the engine's or the
// file layer's own time for the same work, as the anchor of a ratio.
//
// window_bench PAGES_FOLDER   (bench/make_pages.py writes the pages)
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
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
constexpr int kRuns = 3;
constexpr double kMB = 1e6;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// User and system time of the whole process, every thread included.
double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto s = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return s(usage.ru_utime) + s(usage.ru_stime);
}

// Processor time of the calling thread alone: on a shared machine a gap can
// be time the window's thread waited for a core rather than ran.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
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

struct Timing {
    double window = 0;     // click to result painted, median
    double processor = 0;  // processor time of the same, median
    double alone = 0;      // the engine or the file layer alone, median (0: none)
    double maxGap = 0;     // longest gap between two ticks of the probe, worst run
    double maxGapRan = 0;  // how much of it the window's thread ran (the rest it waited)
};

// Runs prepare (untimed), then times work and the paint of its result, while
// a 5 ms timer measures how long the window went without handling events.
void timeWindow(const std::function<void()>& prepare, const std::function<void()>& work,
                Timing& timing) {
    std::vector<double> runs;
    std::vector<double> cpu;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        QApplication::processEvents();
        QTimer timer;
        timer.setInterval(5);
        auto last = Clock::now();
        double lastRan = threadSeconds();
        const auto tick = [&] {
            const double gap = seconds(last);
            const double ran = threadSeconds();
            if (gap > timing.maxGap) {
                timing.maxGap = gap;
                timing.maxGapRan = ran - lastRan;
            }
            last = Clock::now();
            lastRan = ran;
        };
        QObject::connect(&timer, &QTimer::timeout, tick);
        const double cpuStart = processorSeconds();
        const auto start = Clock::now();
        last = start;
        lastRan = threadSeconds();
        timer.start();
        work();
        QApplication::processEvents();  // the result painted
        runs.push_back(seconds(start));
        cpu.push_back(processorSeconds() - cpuStart);
        tick();
    }
    timing.window = median(runs);
    timing.processor = median(cpu);
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

void report(const char* name, const Timing& t) {
    char ratio[32] = "";
    if (t.alone > 0) std::snprintf(ratio, sizeof ratio, "%5.2f x", t.window / t.alone);
    std::printf(
        "  %-30s %6.0f ms  processor %6.0f ms  alone %6.0f ms  %-8s  longest stall %5.0f ms "
        "(ran %3.0f)%s\n",
        name, t.window * 1e3, t.processor * 1e3, t.alone * 1e3, ratio, t.maxGap * 1e3,
        t.maxGapRan * 1e3, t.maxGap <= 0.1 ? "" : "  (over 100 ms)");
}

void answerOk(FakePrompts& prompts) {
    prompts.dialogs.push_back(
        [](QDialog& dialog) { dynamic_cast<Form3&>(dialog).Command1_Click(); });
}

// The edit area's key, as the user presses it.
void press(Form1& window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(&window, key, modifiers);
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
    const QString pagePath = folder + QStringLiteral("/page32-lf.html");
    const std::u16string page = readPage(pagePath);
    const std::u16string added = AddLineBreaks(page);
    QTemporaryDir out;
    const QString savedPath = out.filePath(QStringLiteral("saved.html"));

    FakePrompts prompts;
    Form1 window(prompts, {}, {});
    window.show();
    QApplication::processEvents();
    QApplication::setActiveWindow(&window);
    std::printf("a page of %.1f MB (CP932, LF); medians of %d runs, the longest stall of all\n",
                static_cast<double>(QFileInfo(pagePath).size()) / kMB, kRuns);

    Timing load;
    timeAlone([&] { (void)readTextFile(pagePath); }, load);
    timeWindow([&] { window.RichTextBox1->setDocumentText({}); },
               [&] { window.LoadDocument(pagePath); }, load);
    report("LOAD", load);

    Timing reload;
    reload.alone = load.alone;  // the same file read; the stall its own
    timeWindow(
        [&] {
            window.RichTextBox1->setDocumentText(page);
            prompts.answers.assign(1, true);
        },
        [&] { window.LoadDocument(pagePath); }, reload);
    report("LOAD over the page", reload);

    Timing drop;
    drop.alone = load.alone;
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(pagePath)});
    timeWindow([&] { window.RichTextBox1->setDocumentText({}); },
               [&] { window.RichTextBox1_OLEDragDrop(&dropped); }, drop);
    report("drop", drop);

    Timing open;
    open.alone = load.alone;
    std::unique_ptr<Form1> opened;
    timeWindow([&] { opened.reset(); },
               [&] {
                   opened = std::make_unique<Form1>(prompts, QStringList{pagePath}, QString());
                   opened->Form_Load();
                   opened->show();
               },
               open);
    opened.reset();
    QApplication::setActiveWindow(&window);
    report("page on the command line", open);

    Timing extract;
    timeAlone([&] { (void)ExtractAA(page, 0, 0); }, extract);
    timeWindow(
        [&] {
            window.RichTextBox1->setDocumentText(page);
            answerOk(prompts);
        },
        [&] { window.Command2_Click(); }, extract);
    const bool extractSame = window.RichTextBox1->documentView() == ExtractAA(page, 0, 0);
    report("AAの抽出", extract);

    Timing add;
    timeAlone([&] { (void)AddLineBreaks(page); }, add);
    timeWindow([&] { window.RichTextBox1->setDocumentText(page); },
               [&] { window.Command1_Click(); }, add);
    const bool addSame = window.RichTextBox1->documentView() == added;
    report("改行付加", add);

    Timing undo;
    timeWindow(
        [&] {
            window.RichTextBox1->setDocumentText(page);
            window.Command1_Click();
        },
        [&] { press(window, Qt::Key_Z, Qt::ControlModifier); }, undo);
    const bool undoSame = window.RichTextBox1->documentView() == page;
    report("undo of 改行付加", undo);

    Timing redo;
    timeWindow(
        [&] {
            window.RichTextBox1->setDocumentText(page);
            window.Command1_Click();
            press(window, Qt::Key_Z, Qt::ControlModifier);
        },
        [&] { press(window, Qt::Key_Y, Qt::ControlModifier); }, redo);
    const bool redoSame = window.RichTextBox1->documentView() == added;
    report("redo of 改行付加", redo);

    Timing remove;
    timeAlone([&] { (void)RemoveLineBreaks(added); }, remove);
    timeWindow([&] { window.RichTextBox1->setDocumentText(added); },
               [&] { window.Command7_Click(); }, remove);
    const bool removeSame = window.RichTextBox1->documentView() == RemoveLineBreaks(added);
    report("改行除去 of the 改行付加 result", remove);

    Timing save;
    timeAlone([&] { (void)writeTextFile(savedPath, page); }, save);
    timeWindow(
        [&] {
            window.RichTextBox1->setDocumentText(page);
            // The format dialog closed as it opened: HTML.
            prompts.files.assign(1, savedPath);
            prompts.answers.assign(1, true);  // replace the file of the last run
        },
        [&] { window.Command5_Click(); }, save);
    report("SAVE (HTML)", save);

    // Until the browser is started (or known to be missing), as the user waits for it.
    Timing help;
    timeWindow([] {},
               [&] {
                   window.Command6_Click();
                   while (window.helpPending()) {
                       QApplication::processEvents(QEventLoop::WaitForMoreEvents);
                   }
               },
               help);
    report("ヘルプ参照", help);

    if (!extractSame || !addSame || !removeSame || !undoSame || !redoSame) {
        std::printf("a window result differs from the engine's\n");
        return 1;
    }
    return 0;
}
