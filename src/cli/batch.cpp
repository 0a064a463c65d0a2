// mozaru-cli's batches: checked before anything is written, then run on threads.
#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>
#include <ostream>
#include <thread>

#include "cli/cli.h"
#include "cli/inputs.h"
#include "cli/messages.h"
#include "cli/progress.h"
#include "cli/run_input.h"
#include "files/path_text.h"

namespace mozaru {

namespace fs = std::filesystem;

std::string batchProblem(const CliOptions& options) {
    std::map<std::string, std::string> byName;
    std::map<fs::path, std::string> byFile;  // the inputs by their canonical paths
    for (const std::string& input : options.inputs) {
        std::error_code ec;
        const fs::path file = fs::canonical(fsPath(input), ec);
        if (!ec) byFile.emplace(file, input);
    }
    for (const std::string& input : options.inputs) {
        if (input == "-") return "standard input (-) has no file name for --output-dir";
        const fs::path path = fsPath(input);
        if (path.filename().empty()) return shownPath(input) + " names no file";
        const std::string name = outputNameFor(options, input);
        const auto [it, fresh] = byName.emplace(name, input);
        if (!fresh) {
            return "inputs " + shownPath(it->second) + " and " + shownPath(input) +
                   (fsPath(it->second).filename() == path.filename()
                        ? " have the same file name "
                        : " would both be written to ") +
                   shownPath(name);
        }
        std::error_code ec;
        const auto replaced = byFile.find(fs::canonical(fsPath(outputPathFor(options, input)), ec));
        if (ec || replaced == byFile.end()) continue;
        if (replaced->second == input) {
            return "the result of " + shownPath(input) +
                   " would replace it (--output-dir is its folder)";
        }
        return "the result of " + shownPath(input) + " would replace " +
               shownPath(replaced->second) + ", an input of this run";
    }
    return {};
}

int runBatch(const CliOptions& options, std::istream& in, std::ostream& err, bool showProgress) {
    std::error_code ec;
    fs::create_directories(fsPath(options.outputDir), ec);
    if (ec) {
        err << cliMessage("cannot create folder " + shownPath(options.outputDir)) << "\n";
        return kExitFileError;
    }
    const std::size_t count = options.inputs.size();
    std::vector<FileOutcome> outcomes(count);
    Progress progress(err, count, showProgress);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            const std::string& input = options.inputs[i];
            const std::string output = outputPathFor(options, input);
            const std::string link = linkBelowOutputDir(options, input);
            if (link.empty()) {
                outcomes[i] = runOnInput(options, input, in, Destination{output});
            } else {
                outcomes[i].ok = false;
                outcomes[i].messages.push_back(
                    cliMessage("cannot write " + shownPath(output) + ": " + shownPath(link) +
                               " is a symbolic link, which --output-dir never writes through"));
            }
            progress.fileDone(outcomes[i].inputBytes);
        }
    };
    const std::size_t threads = std::clamp<std::size_t>(options.jobs, 1, count);
    std::vector<std::thread> workers;
    for (std::size_t t = 1; t < threads; ++t) workers.emplace_back(work);
    work();
    for (std::thread& worker : workers) worker.join();
    progress.finish();

    int status = kExitOk;
    for (const FileOutcome& outcome : outcomes) {
        for (const std::string& message : outcome.messages) err << message << "\n";
        if (!outcome.ok) status = kExitFileError;
    }
    return status;
}

}  // namespace mozaru
