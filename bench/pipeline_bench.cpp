// The phases of mozaru-cli on CP932 pages: decoding, the commands, encoding.
// Pages: the sample's posts repeated to 16 MB (CR LF, mostly ASCII), and the
// LF pages of bench/make_pages.py (38 % double-byte text, 1 MB and 78 MB) when
// MOZARU_BENCH_PAGES names their folder (scripts/bench does). Bytes per
// second are those of the page as a file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "encoding/detection.h"
#include "encoding/icu_reference.h"
#include "extract/extract_aa.h"
#include "files/text_file.h"
#include "linebreaks/line_breaks.h"

namespace {

using namespace mozaru;

struct Page {
    std::string name;
    std::string bytes;
    std::u16string text;   // decoded, CR LF
    std::u16string added;  // with AddLineBreaks applied, for RemoveLineBreaks
};

std::string readAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), {});
}

// The sample's posts repeated to 16 MB, as a long thread would be.
std::string repeatedSample() {
    const std::string sample = readAll(MOZARU_SOURCE_DIR "/samples/thread.html");
    const std::size_t first = sample.find("\r\n<DT>") + 2;
    const std::size_t end = sample.find("</DL>");
    const std::string posts = sample.substr(first, end - first);
    std::string out = sample.substr(0, first);
    while (out.size() < (16u << 20)) out += posts;
    return out + sample.substr(end);
}

std::vector<Page>& pages() {
    static std::vector<Page> all = [] {
        std::vector<Page> list;
        list.push_back({"sample-crlf-16MB", repeatedSample(), {}, {}});
        if (const char* folder = std::getenv("MOZARU_BENCH_PAGES")) {
            for (const char* name : {"small-lf", "big-lf"}) {
                std::string bytes = readAll(std::string(folder) + "/" + name + ".html");
                if (!bytes.empty()) list.push_back({name, std::move(bytes), {}, {}});
            }
        }
        for (Page& page : list) {
            page.text = decodeDocument(page.bytes).text;
            page.added = AddLineBreaks(page.text);
        }
        return list;
    }();
    return all;
}

// Runs work once an iteration; the bytes processed are the page file's.
template <typename Work>
void measure(benchmark::State& state, const Page& page, Work work) {
    for (auto _ : state) benchmark::DoNotOptimize(work(page));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.bytes.size()));
}

struct Phase {
    const char* name;
    std::u16string::size_type (*run)(const Page&);
};

// Each returns a size, so that the work cannot be optimised away.
const Phase kPhases[] = {
    {"DecodeCp932",
     [](const Page& p) { return decodeBytes(p.bytes, InputEncoding::Cp932).text.size(); }},
    {"DecodeCp932ThroughIcu",
     [](const Page& p) { return icu::decodeWithIcu(p.bytes, Encoding::Cp932).text.size(); }},
    // What a file read does after reading: detection, decoding, CR LF.
    {"DecodeDocumentAuto", [](const Page& p) { return decodeDocument(p.bytes).text.size(); }},
    {"ExtractLevel1Merge", [](const Page& p) { return ExtractAA(p.text, 1, 1).size(); }},
    {"AddLineBreaks", [](const Page& p) { return AddLineBreaks(p.text).size(); }},
    {"RemoveLineBreaks", [](const Page& p) { return RemoveLineBreaks(p.added).size(); }},
    // The worst case for the encoders: the whole page written back.
    {"EncodeCp932", [](const Page& p) { return encodeText(p.text).bytes.size(); }},
    {"EncodeUtf8",
     [](const Page& p) { return encodeText(p.text, OutputEncoding::Utf8).bytes.size(); }},
};

}  // namespace

int main(int argc, char** argv) {
    for (const Page& page : pages()) {
        for (const Phase& phase : kPhases) {
            benchmark::RegisterBenchmark(
                (std::string(phase.name) + "/" + page.name).c_str(),
                [&page, &phase](benchmark::State& state) { measure(state, page, phase.run); })
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
