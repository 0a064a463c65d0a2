// Times the window's document commands on a large page (offscreen): from the
// click to the result shown, against the engine's own time for the same work.
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/window_extract_observer.h"
#include "document/text_file.h"
#include "extract/extract_aa.h"
#include "extract/form3.h"
#include "format/line_breaks.h"
#include "support/fake_prompts.h"
#include "ui/rich_text_box.h"

using namespace mozaru;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The sample page with its posts repeated until the text holds about units code units.
std::u16string bigPage(const QString& samplePath, std::size_t units) {
    const TextFileRead read = readTextFile(samplePath);
    if (!read.ok) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(samplePath));
        std::exit(2);
    }
    const std::u16string& sample = read.decoded.text;
    const std::size_t first = sample.find(u"<DT");
    const std::size_t end = sample.find(u"</DL");
    const std::u16string posts = sample.substr(first, end - first);
    std::u16string page = sample.substr(0, first);
    while (page.size() + posts.size() + (sample.size() - end) <= units) page += posts;
    page += sample.substr(end);
    return page;
}

struct Timing {
    double window = 0;  // click to result painted, median
    double engine = 0;  // the pure function alone, median
    double maxGap = 0;  // longest time the window answered no events
    int ticks = 0;      // ticks of a 5 ms timer seen during the command
};

// Runs prepare (untimed), then times click and the paint of its result, while a
// 5 ms timer measures how long the window went without handling events.
void timeWindow(const std::function<void()>& prepare, const std::function<void()>& click,
                Timing& timing) {
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        QApplication::processEvents();
        QTimer timer;
        timer.setInterval(5);
        auto last = Clock::now();
        int ticks = 0;
        double maxGap = 0;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            maxGap = std::max(maxGap, seconds(last));
            last = Clock::now();
            ++ticks;
        });
        const auto start = Clock::now();
        last = start;
        timer.start();
        click();
        QApplication::processEvents();  // the result painted
        runs.push_back(seconds(start));
        maxGap = std::max(maxGap, seconds(last));
        timing.maxGap = std::max(timing.maxGap, maxGap);
        timing.ticks = ticks;
    }
    timing.window = median(runs);
}

void timeEngine(const std::function<void()>& work, Timing& timing) {
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        work();
        runs.push_back(seconds(start));
    }
    timing.engine = median(runs);
}

void report(const char* name, const Timing& t) {
    std::printf(
        "%s  window %7.1f ms  engine %7.1f ms  engine share %5.1f %%  window adds %6.1f %%  "
        "longest without events %6.1f ms (%d timer ticks)\n",
        name, t.window * 1e3, t.engine * 1e3, 100.0 * t.engine / t.window,
        100.0 * (t.window - t.engine) / t.engine, t.maxGap * 1e3, t.ticks);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 8.0;
    const auto units = static_cast<std::size_t>(megabytes * 1024 * 1024 / 2);
    const std::u16string page =
        bigPage(QStringLiteral(MOZARU_SOURCE_DIR "/samples/thread.html"), units);

    FakePrompts prompts;
    Form1 window(prompts, {}, {});
    window.show();
    QApplication::processEvents();

    Timing extract;
    std::u16string extracted;
    timeEngine([&] { extracted = ExtractAA(page, 0, 0); }, extract);
    timeWindow(
        [&] {
            window.RichTextBox1->setDocumentText(page);
            prompts.dialogs.push_back(
                [](QDialog& dialog) { dynamic_cast<Form3&>(dialog).Command1_Click(); });
        },
        [&] { window.Command2_Click(); }, extract);
    const bool extractSame = window.RichTextBox1->documentText() == extracted;
    // The engine run with the window's own observer: the cost of its yields.
    int yields = 0;
    std::vector<double> observed;
    for (int i = 0; i < kRuns; ++i) {
        WindowExtractObserver observer(window);
        const auto start = Clock::now();
        (void)ExtractAA(page, 0, 0, observer);
        observed.push_back(seconds(start));
        yields = observer.yields();
        window.EnableCommands(kTrue);
    }
    const double withYields = median(observed);

    Timing add;
    std::u16string added;
    timeEngine([&] { added = AddLineBreaks(page); }, add);
    timeWindow([&] { window.RichTextBox1->setDocumentText(page); },
               [&] { window.Command1_Click(); }, add);
    const bool addSame = window.RichTextBox1->documentText() == added;

    Timing remove;
    std::u16string removed;
    timeEngine([&] { removed = RemoveLineBreaks(added); }, remove);
    timeWindow([&] { window.RichTextBox1->setDocumentText(added); },
               [&] { window.Command7_Click(); }, remove);
    const bool removeSame = window.RichTextBox1->documentText() == removed;

    std::printf(
        "page %zu code units (%.1f MB as UTF-16), %zu lines; extracted %zu code units, "
        "%lld lines; after 改行付加 %zu code units; medians of %d runs\n",
        page.size(), page.size() * 2.0 / 1024 / 1024,
        static_cast<std::size_t>(std::count(page.begin(), page.end(), u'\n')) + 1, extracted.size(),
        static_cast<long long>(std::count(extracted.begin(), extracted.end(), u'\n')) + 1,
        added.size(), kRuns);
    report("AAの抽出", extract);
    std::printf(
        "          engine with the window's observer %.1f ms (%d yields): yields cost "
        "%.1f %% of the command\n",
        withYields * 1e3, yields, 100.0 * (withYields - extract.engine) / extract.window);
    report("改行付加", add);
    report("改行除去", remove);
    if (!extractSame || !addSame || !removeSame) {
        std::printf("a window result differs from the engine's\n");
        return 1;
    }
    const bool fast = extract.window < 2.0 && add.window < 2.0 && remove.window < 2.0;
    std::printf("each command under 2 s: %s; extraction adds at most 50 %%: %s\n",
                fast ? "yes" : "NO", extract.window <= 1.5 * extract.engine ? "yes" : "no");
    return fast ? 0 : 1;
}
