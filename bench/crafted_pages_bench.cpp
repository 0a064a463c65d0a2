// Pages made to cost the board readers and the library writer the most: an
// element that never closes in every post, titles that never close, wrappers
// nested around one body, a line of '<' that opens no tag. Each case runs at
// two sizes, the second four times the first: linear work takes four times
// as long, work that grows with the square sixteen times. Processor time.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "boards/board_forms.h"
#include "exports/exports.h"

namespace {

using Maker = std::u16string (*)(std::size_t n);

std::u16string repeated(std::u16string_view part, std::size_t n) {
    std::u16string out;
    out.reserve(part.size() * n);
    for (std::size_t k = 0; k < n; ++k) out += part;
    return out;
}

constexpr std::u16string_view kHead = u"<html><head><title>t</title></head><body>\n";

// ver 08 posts whose <span class="postid"> never closes.
std::u16string unclosedPostId(std::size_t n) {
    return std::u16string(kHead) +
           repeated(
               u"<article class=\"clear post\"><details open class=\"post-header\"><summary>"
               u"<span class=\"postid\">1<span class=\"postusername\"><b>n</b></span>"
               u"</summary></details><section class=\"post-content\"> a <br> b </section>"
               u"</article>\n",
               n);
}

// ver 07.6 posts whose body div never closes.
std::u16string unclosedBody(std::size_t n) {
    return std::u16string(kHead) +
           repeated(
               u"<div class=\"post\"><span class=\"postid\">1</span><span "
               u"class=\"postusername\"><b>n</b></span><div class=\"post-content\"> a "
               u"<br> b \n",
               n);
}

// Titles that never close before the first post.
std::u16string unclosedTitles(std::size_t n) {
    return repeated(u"<title>x ", n) +
           u"<div class=\"post\"><span class=\"postid\">1</span><div class=\"post-content\"> a "
           u"</div></div>";
}

// One body inside n wrappers.
std::u16string nestedWrappers(std::size_t n) {
    return std::u16string(kHead) +
           u"<div class=\"post\"><span class=\"postid\">1</span><div class=\"post-content\">" +
           repeated(u"<span class=\"AA\">", n) + u" a " + repeated(u"</span>", n) + u"</div></div>";
}

void readPage(benchmark::State& state, Maker make) {
    const std::u16string page = make(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const mozaru::ClassicPage classic = mozaru::toClassicPage(page);
        benchmark::DoNotOptimize(classic.text.data());
    }
}

// A body line of n '<' that open no tag, written as an MLT library.
void libraryOfOpenBrackets(benchmark::State& state) {
    const std::u16string body = repeated(u"<a", static_cast<std::size_t>(state.range(0)));
    const std::vector<mozaru::KeptPost> posts{{1, u"", body}};
    for (auto _ : state) {
        const std::u16string mlt = mozaru::exportText(mozaru::ExportId::Mlt, {{}, posts});
        benchmark::DoNotOptimize(mlt.data());
    }
}

void atTwoSizes(benchmark::internal::Benchmark* b, std::int64_t n) {
    b->Arg(n)->Arg(4 * n)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
}

}  // namespace

// Sizes at which the work that grew with the square took seconds.
BENCHMARK_CAPTURE(readPage, UnclosedPostId08, unclosedPostId)->Apply([](auto* b) {
    atTwoSizes(b, 1500);
});
BENCHMARK_CAPTURE(readPage, UnclosedBody076, unclosedBody)->Apply([](auto* b) {
    atTwoSizes(b, 1500);
});
BENCHMARK_CAPTURE(readPage, UnclosedTitles, unclosedTitles)->Apply([](auto* b) {
    atTwoSizes(b, 2000);
});
BENCHMARK_CAPTURE(readPage, NestedWrappers, nestedWrappers)->Apply([](auto* b) {
    atTwoSizes(b, 1000);
});
BENCHMARK(libraryOfOpenBrackets)->Apply([](auto* b) { atTwoSizes(b, 20000); });

BENCHMARK_MAIN();
