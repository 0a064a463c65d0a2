// mozaru-cli's batches: checked before anything is written, then run on threads.
#include "cli/batch.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
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

std::string batchProblem(const CliOptions& options) {
    std::map<QString, std::string> byName;
    for (const std::string& input : options.inputs) {
        if (input == "-") return "standard input (-) has no file name for --output-dir";
        if (QFileInfo(toQPath(input)).fileName().isEmpty()) return input + " names no file";
        const QString name = toQPath(outputNameFor(options, input));
        const auto [it, fresh] = byName.emplace(name, input);
        if (!fresh) {
            return "inputs " + it->second + " and " + input +
                   (QFileInfo(toQPath(it->second)).fileName() ==
                            QFileInfo(toQPath(input)).fileName()
                        ? " have the same file name "
                        : " would both be written to ") +
                   name.toStdString();
        }
        const QFileInfo target(toQPath(outputPathFor(options, input)));
        if (target.exists() &&
            target.canonicalFilePath() == QFileInfo(toQPath(input)).canonicalFilePath()) {
            return "the result of " + input + " would replace it (--output-dir is its folder)";
        }
    }
    return {};
}

int runBatch(const CliOptions& options, std::istream& in, std::ostream& err, bool showProgress) {
    if (!QDir().mkpath(toQPath(options.outputDir))) {
        err << cliMessage("cannot create folder " + options.outputDir) << "\n";
        return kExitFileError;
    }
    const std::size_t count = options.inputs.size();
    std::vector<FileOutcome> outcomes(count);
    Progress progress(err, count, showProgress);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            const std::string& input = options.inputs[i];
            outcomes[i] =
                runOnInput(options, input, in, Destination{outputPathFor(options, input)});
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
