// Speed and memory of the text engine (extraction, classifier, line breaks)
// on generated thread pages of 1 MB and 64 MB.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "extract/extract_aa.h"
#include "extract/is_aa.h"
#include "linebreaks/line_breaks.h"

// Heap accounting: every allocation carries its size in front, so the peak
// of live bytes during one call can be read off. (Reserved but untouched
// room counts in full; getrusage's maximum RSS is not kept on every kernel.)
namespace {

std::atomic<std::int64_t> g_live{0};
std::atomic<std::int64_t> g_peak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* allocate(std::size_t size) {
    auto* p = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (p == nullptr) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(p) = size;
    const std::int64_t live =
        g_live.fetch_add(static_cast<std::int64_t>(size)) + static_cast<std::int64_t>(size);
    std::int64_t peak = g_peak.load();
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
    }
    return p + kHeader;
}

void release(void* q) noexcept {
    if (q == nullptr) return;
    auto* p = static_cast<unsigned char*>(q) - kHeader;
    g_live.fetch_sub(static_cast<std::int64_t>(*reinterpret_cast<std::size_t*>(p)));
    std::free(p);
}

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}

namespace {

using mozaru::AddLineBreaks;
using mozaru::Detector;
using mozaru::ExtractAA;
using mozaru::IsAA;
using mozaru::RemoveLineBreaks;

// Bytes of heap that f holds at its peak beyond what was live before it.
template <class F>
std::int64_t peakHeapOf(F f) {
    const std::int64_t before = g_live.load();
    g_peak.store(before);
    f();
    return g_peak.load() - before;
}

// A small deterministic generator (SplitMix64), the same on every machine.
class Random {
public:
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }

private:
    std::uint64_t m_state = 20261208;
};

template <std::size_t N>
const std::u16string& pick(Random& r, const std::u16string (&items)[N]) {
    return items[r.below(N)];
}

const std::u16string kProse[] = {
    u"今日はいい天気ですね",
    u"それは違うと思うけどなあ",
    u"昨日の放送見た？",
    u"マジかよ、知らなかった",
    u"これは良いスレ",
    u"詳しい人の解説を待ってる",
    u"なんでこうなったのか分からん",
    u"とりあえず落ち着け",
    u"乙です。次スレもよろしく",
    u"ソースはどこにあるの？",
    u"俺もそう思う",
    u"いやいやいや、ありえないでしょ",
};
const std::u16string kShapes[] = {
    u"　", u"　　", u" ",  u"∧",  u"＿", u"（", u"´",  u"∀",  u"｀", u"）", u"⊂",  u"⊃", u"ﾉ",
    u"|",  u"/",    u"\\", u"＼", u"￣", u"・", u"ω",  u"┃",  u"━",  u"○",  u"●",  u"▲", u"■",
    u"ヽ", u"ー",   u"Д",  u"彡", u"ミ", u"\"", u"''", u"::", u"..", u"、", u"。", u"─",
};

std::u16string makeArt(Random& r) {
    std::u16string art;
    const std::size_t lines = 6 + r.below(35);
    for (std::size_t i = 0; i < lines; ++i) {
        if (i > 0) art += u"<BR>";
        const std::size_t pieces = 5 + r.below(25);
        for (std::size_t k = 0; k < pieces; ++k) art += pick(r, kShapes);
    }
    return art;
}

std::u16string makeProse(Random& r, int post) {
    std::u16string body;
    if (post > 1 && r.below(3) == 0) {
        const std::u16string target =
            std::u16string(u"") + static_cast<char16_t>(u'1' + r.below(9));
        body += u"<A HREF=\"../test/read.cgi/board/1234567890/" + target +
                u"\" TARGET=\"_blank\">&gt;&gt;" + target + u"</A><BR>";
    }
    const std::size_t lines = 1 + r.below(5);
    for (std::size_t i = 0; i < lines; ++i) {
        if (i > 0) body += u" <BR> ";
        body += pick(r, kProse);
    }
    return body;
}

// A saved thread page: a header and a body per post, a quarter of the bodies
// ASCII art, a third of those a picture posted before.
std::u16string makePage(std::size_t bytes) {
    Random r;
    std::vector<std::u16string> arts;
    std::u16string page = u"<HTML><HEAD><TITLE>スレッド</TITLE></HEAD><BODY><DL>\r\n";
    for (int post = 1; page.size() * 2 < bytes; ++post) {
        page += u"<DT>" + std::u16string(std::u16string_view(u"0123456789").substr(post % 10, 1)) +
                u" ：<font color=green><b>名無しさん</b></font>：2026/12/08(火) 12:34:56 "
                u"ID:Ab3dEf9h<DD> ";
        if (r.below(4) == 0) {
            if (!arts.empty() && r.below(3) == 0) {
                page += arts[r.below(arts.size())];
            } else {
                arts.push_back(makeArt(r));
                page += arts.back();
            }
        } else {
            page += makeProse(r, post);
        }
        page += u" <BR><BR>\r\n";
    }
    page += u"</DL></BODY></HTML>\r\n";
    return page;
}

const std::u16string& pageOf(std::size_t megabytes) {
    static std::map<std::size_t, std::u16string> pages;
    auto it = pages.find(megabytes);
    if (it == pages.end()) it = pages.emplace(megabytes, makePage(megabytes << 20)).first;
    return it->second;
}

double bytesOf(const std::u16string& text) {
    return static_cast<double>(text.size() * 2);
}

void setBytes(benchmark::State& state, const std::u16string& input) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(input.size() * 2));
}

void benchExtract(benchmark::State& state, std::size_t megabytes, std::int16_t merge,
                  Detector detector) {
    const std::u16string& page = pageOf(megabytes);
    std::size_t kept = 0;
    for (auto _ : state) {
        const std::u16string out = ExtractAA(page, 0, merge, detector);
        kept = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    setBytes(state, page);
    state.counters["output_share"] = static_cast<double>(kept) / static_cast<double>(page.size());
    state.counters["peak_heap_x_input"] =
        static_cast<double>(
            peakHeapOf([&] { benchmark::DoNotOptimize(ExtractAA(page, 0, merge, detector)); })) /
        bytesOf(page);
}

void benchIsAA(benchmark::State& state, bool art) {
    Random r;
    const std::u16string body = art ? makeArt(r) : makeProse(r, 2);
    for (auto _ : state) benchmark::DoNotOptimize(IsAA(body, 0));
    setBytes(state, body);
}

// One line of n anchors, as in a post that quotes every earlier one: reply
// links (removed whole) or named-anchor tags (their opening tags removed).
std::u16string anchorLine(std::size_t n, bool links) {
    std::u16string line;
    for (std::size_t i = 0; i < n; ++i) {
        std::u16string number;
        for (const char c : std::to_string(1 + i % 1000)) number += static_cast<char16_t>(c);
        line += links ? u"<A HREF=\"../test/read.cgi/board/1234567890/" + number +
                            u"\" TARGET=\"_blank\">&gt;&gt;" + number + u"</A> "
                      : u"<A NAME=\"" + number + u"\">" + number + u"</A> ";
    }
    return line;
}

void benchAnchors(benchmark::State& state, bool links) {
    const std::u16string line = anchorLine(static_cast<std::size_t>(state.range(0)), links);
    for (auto _ : state) benchmark::DoNotOptimize(IsAA(line, 0));
    setBytes(state, line);
}

void benchAdd(benchmark::State& state, std::size_t megabytes) {
    const std::u16string& page = pageOf(megabytes);
    for (auto _ : state) benchmark::DoNotOptimize(AddLineBreaks(page));
    setBytes(state, page);
}

void benchRemove(benchmark::State& state, std::size_t megabytes) {
    const std::u16string added = AddLineBreaks(pageOf(megabytes));
    for (auto _ : state) benchmark::DoNotOptimize(RemoveLineBreaks(added));
    setBytes(state, added);
}

// Prints the table as usual and keeps the figures for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0 || run.run_type == Run::RT_Aggregate) {
                continue;
            }
            std::string name = run.benchmark_name();
            const std::string suffix = "/real_time";
            if (name.size() > suffix.size() && name.ends_with(suffix)) {
                name.resize(name.size() - suffix.size());
            }
            // The best of the repetitions: other work on the machine only
            // ever slows a run down.
            Figures& f = m_figures[name];
            const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
            const double cpu = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            if (f.cpuSeconds == 0 || cpu < f.cpuSeconds) f.cpuSeconds = cpu;
            if (f.seconds > 0 && f.seconds <= seconds) continue;
            f.seconds = seconds;
            const auto rate = run.counters.find("bytes_per_second");
            if (rate != run.counters.end()) f.megabytesPerSecond = rate->second.value / 1e6;
            const auto peak = run.counters.find("peak_heap_x_input");
            if (peak != run.counters.end()) f.peak = peak->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printSummary() const {
        std::printf("\nSummary, best of the repetitions (MB = 10^6 bytes of UTF-16 input):\n");
        for (const auto& [name, f] : m_figures) {
            std::printf("  %-34s %9.0f MB/s", name.c_str(), f.megabytesPerSecond);
            if (f.peak > 0) std::printf("   peak heap %.2f x input", f.peak);
            std::printf("\n");
        }
        // How the time grows with the input: linear work grows with it.
        const auto growth = [this](const std::string& prefix, const char* small,
                                   const char* large) {
            const auto a = m_figures.find(prefix + "/" + small);
            const auto b = m_figures.find(prefix + "/" + large);
            if (a == m_figures.end() || b == m_figures.end()) return;
            std::printf("  %s time %s / %s: %.1fx\n", prefix.c_str(), large, small,
                        b->second.seconds / a->second.seconds);
        };
        for (const char* merge : {"0", "1"}) {
            growth(std::string("ExtractAA/merge:") + merge, "1MB", "64MB");
        }
        for (const char* shape : {"reply_links", "name_tags"}) {
            growth(std::string("IsAA/") + shape, "25000", "200000");
        }
        // The picture detector's speed against the seed's rules on the same page.
        for (const char* size : {"1MB", "64MB"}) {
            for (const char* merge : {"0", "1"}) {
                const std::string tail = std::string("merge:") + merge + "/" + size;
                const auto seed = m_figures.find("ExtractAA/" + tail);
                const auto picture = m_figures.find("ExtractAA/picture/" + tail);
                if (seed == m_figures.end() || picture == m_figures.end()) continue;
                std::printf(
                    "  ExtractAA picture / seed, %s: %.2f of the speed (wall), %.2f "
                    "(processor)\n",
                    tail.c_str(), seed->second.seconds / picture->second.seconds,
                    seed->second.cpuSeconds / picture->second.cpuSeconds);
            }
        }
    }

private:
    struct Figures {
        double seconds = 0;
        double cpuSeconds = 0;  // the best of the repetitions, on its own
        double megabytesPerSecond = 0;
        double peak = 0;
    };
    std::map<std::string, Figures> m_figures;
};

}  // namespace

int main(int argc, char** argv) {
    // --profile=RUNS[:MB[:MERGE[:DETECTOR]]]: that many extractions of one
    // page (1 MB, merge on, the seed's rules by default; DETECTOR picture for
    // the picture detector) and nothing else, for profilers and callgrind.
    if (argc == 2 && std::string_view(argv[1]).starts_with("--profile=")) {
        char* rest = argv[1] + 10;
        const long runs = std::strtol(rest, &rest, 10);
        const long mb = *rest == ':' ? std::strtol(rest + 1, &rest, 10) : 1;
        const long merge = *rest == ':' ? std::strtol(rest + 1, &rest, 10) : 1;
        const Detector detector =
            std::string_view(rest) == ":picture" ? Detector::Picture : Detector::Seed;
        const std::u16string& page = pageOf(static_cast<std::size_t>(mb));
        std::size_t kept = 0;
        for (long i = 0; i < runs; ++i) {
            kept += ExtractAA(page, 0, static_cast<std::int16_t>(merge), detector).size();
        }
        std::printf("%zu\n", kept);
        return 0;
    }
    for (const std::size_t mb : {1, 64}) {
        const std::string size = "/" + std::to_string(mb) + "MB";
        for (const std::int16_t merge : {1, 0}) {
            benchmark::RegisterBenchmark(
                ("ExtractAA/merge:" + std::to_string(merge) + size).c_str(),
                [=](benchmark::State& s) { benchExtract(s, mb, merge, Detector::Seed); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(
                ("ExtractAA/picture/merge:" + std::to_string(merge) + size).c_str(),
                [=](benchmark::State& s) { benchExtract(s, mb, merge, Detector::Picture); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
        benchmark::RegisterBenchmark(("AddLineBreaks" + size).c_str(),
                                     [=](benchmark::State& s) { benchAdd(s, mb); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("RemoveLineBreaks" + size).c_str(),
                                     [=](benchmark::State& s) { benchRemove(s, mb); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    for (const bool links : {true, false}) {
        benchmark::RegisterBenchmark(links ? "IsAA/reply_links" : "IsAA/name_tags",
                                     [=](benchmark::State& s) { benchAnchors(s, links); })
            ->Arg(25000)
            ->Arg(200000)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("IsAA/art", [](benchmark::State& s) { benchIsAA(s, true); });
    benchmark::RegisterBenchmark("IsAA/prose", [](benchmark::State& s) { benchIsAA(s, false); });

    // Best of three unless told otherwise: the machine is shared.
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=3";
    bool told = false;
    for (char* a : args) told = told || std::string_view(a).starts_with("--benchmark_repetitions");
    if (!told) args.push_back(repetitions.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
