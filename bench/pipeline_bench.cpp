// The phases of mozaru-cli extract on a large CP932 page: decoding, the
// extraction, encoding. Bytes per second are those of the page.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "document/text_codec.h"
#include "document/text_file.h"
#include "extract/extract_aa.h"

namespace {

// The sample's posts repeated to 16 MB, as a long thread would be.
const std::string& page() {
    static const std::string bytes = [] {
        std::ifstream file(MOZARU_SOURCE_DIR "/samples/thread.html", std::ios::binary);
        const std::string sample((std::istreambuf_iterator<char>(file)), {});
        const std::size_t first = sample.find("\r\n<DT>") + 2;
        const std::size_t end = sample.find("</DL>");
        const std::string posts = sample.substr(first, end - first);
        std::string out = sample.substr(0, first);
        while (out.size() < (16u << 20)) out += posts;
        return out + sample.substr(end);
    }();
    return bytes;
}

const std::u16string& text() {
    static const std::u16string decoded = mozaru::decodeDocument(page()).text;
    return decoded;
}

// Runs work once an iteration; the bytes processed are the page's.
template <typename Work>
void measure(benchmark::State& state, Work work) {
    for (auto _ : state) benchmark::DoNotOptimize(work());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page().size()));
}

void BM_DecodeCp932(benchmark::State& state) {
    measure(state, [] { return mozaru::decodeBytes(page(), mozaru::InputEncoding::Cp932); });
}
BENCHMARK(BM_DecodeCp932)->Unit(benchmark::kMillisecond);

void BM_DecodeCp932ThroughIcu(benchmark::State& state) {
    measure(state, [] { return mozaru::decodeBytesWithIcu(page(), mozaru::Encoding::Cp932); });
}
BENCHMARK(BM_DecodeCp932ThroughIcu)->Unit(benchmark::kMillisecond);

// What a file read does after reading: detection, decoding, CR LF check.
void BM_DecodeDocumentAuto(benchmark::State& state) {
    measure(state, [] { return mozaru::decodeDocument(page()); });
}
BENCHMARK(BM_DecodeDocumentAuto)->Unit(benchmark::kMillisecond);

void BM_ExtractLevel1Merge(benchmark::State& state) {
    measure(state, [] { return mozaru::ExtractAA(text(), 1, 1); });
}
BENCHMARK(BM_ExtractLevel1Merge)->Unit(benchmark::kMillisecond);

// The worst case for the encoders: the whole page written back.
void BM_EncodeCp932(benchmark::State& state) {
    measure(state, [] { return mozaru::encodeText(text()); });
}
BENCHMARK(BM_EncodeCp932)->Unit(benchmark::kMillisecond);

void BM_EncodeUtf8(benchmark::State& state) {
    measure(state, [] { return mozaru::encodeText(text(), mozaru::OutputEncoding::Utf8); });
}
BENCHMARK(BM_EncodeUtf8)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
