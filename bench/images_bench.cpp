// Speed of the image outputs on one core: pictures of 30 lines drawn from
// the sample thread's own pictures, as PNG and as SVG, the drawing alone, and
// as anchor the same pictures written as an MLT library.
#include <benchmark/benchmark.h>

#include <QFile>
#include <cstdio>

#include "encoding/text_codec.h"
#include "exports/aa_library.h"
#include "exports/exports.h"
#include "exports/picture_renderer.h"
#include "extract/kept_posts.h"

namespace mozaru {
namespace {

constexpr std::size_t kLines = 30;
constexpr std::size_t kPictures = 64;

// Pictures of 30 lines each, made of the sample's picture lines in turn.
const std::vector<Picture>& pictures() {
    static const std::vector<Picture> made = [] {
        QFile file(QStringLiteral(MOZARU_SOURCE_DIR "/samples/thread.html"));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read the sample thread\n");
            std::exit(1);
        }
        const QByteArray bytes = file.readAll();
        const std::u16string page =
            decodeAs(std::string_view(bytes.data(), bytes.size()), Encoding::Cp932).text;
        std::vector<std::u16string> lines;
        for (const KeptPost& post : extractPosts(page, 0, 0, true).posts) {
            for (std::u16string& line : plainLines(post.body)) lines.push_back(std::move(line));
        }
        std::vector<Picture> out(kPictures);
        std::size_t next = 0;
        for (std::size_t p = 0; p < kPictures; ++p) {
            out[p].number = p + 1;
            for (std::size_t k = 0; k < kLines; ++k)
                out[p].lines.push_back(lines[next++ % lines.size()]);
        }
        return out;
    }();
    return made;
}

void drawEach(benchmark::State& state,
              std::string (*draw)(PictureRenderer&, std::span<const std::u16string>)) {
    PictureRenderer renderer{PictureStyle{}};
    std::size_t p = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string file = draw(renderer, pictures()[p++ % kPictures].lines);
        bytes += file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["bytes_per_picture"] =
        static_cast<double>(bytes) / static_cast<double>(state.iterations());
}

void BM_Png(benchmark::State& state) {
    drawEach(state, pngPicture);
}

void BM_Svg(benchmark::State& state) {
    drawEach(state, svgPicture);
}

void BM_DrawOnly(benchmark::State& state) {
    PictureRenderer renderer{PictureStyle{}};
    std::size_t p = 0;
    for (auto _ : state) {
        const Raster raster = renderer.draw(pictures()[p++ % kPictures].lines);
        benchmark::DoNotOptimize(raster.pixels.data());
    }
    state.SetItemsProcessed(state.iterations());
}

// A renderer made for every picture: what a batch of one-picture pages pays.
void BM_PngFreshRenderer(benchmark::State& state) {
    std::size_t p = 0;
    for (auto _ : state) {
        PictureRenderer renderer{PictureStyle{}};
        const std::string file = pngPicture(renderer, pictures()[p++ % kPictures].lines);
        benchmark::DoNotOptimize(file.data());
    }
    state.SetItemsProcessed(state.iterations());
}

// The anchor: the same picture as an item of an MLT library (plain text).
void BM_MltAnchor(benchmark::State& state) {
    std::vector<KeptPost> posts(kPictures);
    for (std::size_t p = 0; p < kPictures; ++p) {
        for (const std::u16string& line : pictures()[p].lines) posts[p].body += line + u"<BR>";
    }
    std::size_t p = 0;
    for (auto _ : state) {
        const std::u16string text =
            exportText(ExportId::Mlt, {u"", std::span<const KeptPost>(&posts[p++ % kPictures], 1)});
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_MltAnchor);
BENCHMARK(BM_DrawOnly);
BENCHMARK(BM_Png);
BENCHMARK(BM_Svg);
BENCHMARK(BM_PngFreshRenderer);

}  // namespace
}  // namespace mozaru

BENCHMARK_MAIN();
