// Loading a 50 MB CP932 page through the window (LOAD's LoadDocument,
// offscreen): reading, decoding and handing the text to the edit area,
// against reading and decoding alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <string>

#include "app/form1.h"
#include "document/text_file.h"
#include "support/fake_prompts.h"
#include "ui/rich_text_box.h"

namespace {

constexpr std::size_t kPageBytes = 50'000'000;

// The sample's posts repeated to 50 MB, written once into a temporary folder.
const QString& pagePath() {
    static QTemporaryDir dir;
    static const QString path = [] {
        std::ifstream file(MOZARU_SOURCE_DIR "/samples/thread.html", std::ios::binary);
        const std::string sample((std::istreambuf_iterator<char>(file)), {});
        const std::size_t first = sample.find("\r\n<DT>") + 2;
        const std::size_t end = sample.find("</DL>");
        const std::string posts = sample.substr(first, end - first);
        std::string bytes = sample.substr(0, first);
        while (bytes.size() + posts.size() + (sample.size() - end) <= kPageBytes) bytes += posts;
        bytes += sample.substr(end);
        const QString full = dir.filePath(QStringLiteral("big.html"));
        QFile out(full);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                static_cast<qint64>(bytes.size())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(full));
            std::exit(2);
        }
        return full;
    }();
    return path;
}

// Into an empty window each time, as the first LOAD of a session.
void BM_LoadDocument(benchmark::State& state) {
    const QString path = pagePath();
    const qint64 size = QFile(path).size();
    for (auto _ : state) {
        state.PauseTiming();
        mozaru::FakePrompts prompts;
        auto window = std::make_unique<mozaru::Form1>(prompts, QStringList{}, QString());
        state.ResumeTiming();
        window->LoadDocument(path);
        state.PauseTiming();
        if (window->RichTextBox1->document()->isEmpty() || !prompts.messages.empty()) {
            state.SkipWithError("the page did not load cleanly");
        }
        window.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Reading and decoding alone, for the share the edit area adds to the above.
void BM_ReadTextFile(benchmark::State& state) {
    const QString path = pagePath();
    const qint64 size = QFile(path).size();
    for (auto _ : state) {
        const mozaru::TextFileRead read = mozaru::readTextFile(path);
        if (!read.ok) state.SkipWithError("the page cannot be read");
        benchmark::DoNotOptimize(read.decoded.text.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_ReadTextFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
