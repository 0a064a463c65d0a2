// Speed of reading every thread format as the classic page, on pages of about
// 64 MB that bench/make_pages.py --formats writes (scripts/bench formats runs
// it). MB/s are those of the file as saved (CP932; EUC-JP for Shitaraba,
// UTF-8 for open2ch and the blogs, ASCII for the API's JSON), per second of
// processor time: the machine is shared, and waiting for it is no work of ours.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "boards/board_forms.h"
#include "files/text_file.h"

namespace {

struct Page {
    std::string name;
    std::size_t bytes = 0;
    std::u16string text;
};

Page load(const std::string& folder, const std::string& name) {
    std::ifstream file(folder + "/" + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    return {name, bytes.size(), mozaru::decodeDocument(bytes).text};
}

void convert(benchmark::State& state, const Page& page, bool expectRecognised) {
    std::size_t size = 0;
    for (auto _ : state) {
        const mozaru::ClassicPage classic = mozaru::toClassicPage(page.text);
        if (classic.recognised() != expectRecognised) {
            state.SkipWithError("recognised otherwise than its format is");
            return;
        }
        size = classic.text.size();
        benchmark::DoNotOptimize(classic.text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.bytes));
    state.counters["classic_x_input"] =
        static_cast<double>(size) / static_cast<double>(page.text.size());
}

}  // namespace

int main(int argc, char** argv) {
    // --pages=DIR: the folder make_pages.py wrote (formats/ and big-lf.html in it).
    std::string folder;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.starts_with("--pages=")) {
            folder = a.substr(8);
        } else {
            args.push_back(argv[i]);
        }
    }
    if (folder.empty()) {
        std::fprintf(stderr, "usage: page_formats_bench --pages=DIR [benchmark options]\n");
        return 2;
    }
    static std::vector<Page> pages;
    for (const char* name :
         {"5ch-read-cgi-06.html", "5ch-read-cgi-07.html", "5ch-read-cgi-076.html",
          "5ch-read-cgi-08.html", "bbspink-06.html", "open2ch.html", "itest.json", "blog-br.html",
          "blog-divs.html", "blog-text.html", "2ch.dat", "shitaraba.dat", "machi.dat"}) {
        pages.push_back(load(folder + "/formats", name));
    }
    // A classic page costs only the look for a signature.
    pages.push_back(load(folder, "big-lf.html"));
    for (std::size_t k = 0; k < pages.size(); ++k) {
        const bool classic = k + 1 == pages.size();
        benchmark::RegisterBenchmark(
            ((classic ? "Recognise/" : "ToClassicPage/") + pages[k].name).c_str(),
            [k, classic](benchmark::State& s) { convert(s, pages[k], !classic); })
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime();
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
