// mozaru-cli's batches: checked before anything is written, then run on threads.
#include "cli/batch.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
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

namespace {

// Whether folder takes names that differ only in letter case for one file:
// always on Windows; elsewhere (a FAT stick, a macOS disk, a casefolded ext4
// folder) as the folder, or the nearest one above it that exists, answers for
// the first of its entries with a letter, looked up in the other case.
// Nothing is written to find out.
bool foldsLetterCase(const QString& folder) {
#ifdef _WIN32
    (void)folder;
    return true;
#else
    namespace fs = std::filesystem;
    QFileInfo existing(QFileInfo(folder).absoluteFilePath());
    while (!existing.isDir() && !existing.isRoot()) existing = QFileInfo(existing.path());
    QDirIterator entries(existing.filePath(),
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        QString other = name.toUpper();
        if (other == name) other = name.toLower();
        if (other == name) continue;
        std::error_code ec;
        return fs::equivalent(fs::path(entries.filePath().toStdU16String()),
                              fs::path(QDir(existing.filePath()).filePath(other).toStdU16String()),
                              ec);
    }
    return false;
#endif
}

}  // namespace

std::string batchProblem(const CliOptions& options) {
    const bool foldsCase = foldsLetterCase(toQPath(options.outputDir));
    std::map<std::string, std::string> byName;  // by the name as the folder compares it
    std::map<fs::path, std::string> byFile;     // the inputs by their canonical paths
    for (const std::string& input : options.inputs) {
        std::error_code ec;
        const fs::path file = fs::canonical(fsPath(input), ec);
        if (!ec) byFile.emplace(file, input);
    }
    for (const std::string& input : options.inputs) {
        if (input == "-") return cliText("stdin-in-batch"_text);
        const fs::path path = fsPath(input);
        if (path.filename().empty()) return cliText("names-no-file"_text, {shownPath(input)});
        const std::string name = outputNameFor(options, input);
        const std::string key = foldsCase ? toQPath(name).toCaseFolded().toStdString() : name;
        const auto [it, fresh] = byName.emplace(key, input);
        if (!fresh) {
            const std::string earlier = outputNameFor(options, it->second);
            const bool sameName = fsPath(it->second).filename() == path.filename();
            return cliText(sameName ? "same-file-name"_text : "same-result"_text,
                           {shownPath(it->second), shownPath(input), shownPath(name)}) +
                   (earlier == name ? ""
                                    : cliText("letter-case"_text, {shownPath(options.outputDir)}));
        }
        std::error_code ec;
        const auto replaced = byFile.find(fs::canonical(fsPath(outputPathFor(options, input)), ec));
        if (ec || replaced == byFile.end()) continue;
        if (replaced->second == input) {
            return cliText("result-replaces-input"_text, {shownPath(input)});
        }
        return cliText("result-replaces-other"_text,
                       {shownPath(input), shownPath(replaced->second)});
    }
    return {};
}

int runBatch(const CliOptions& options, std::istream& in, std::ostream& err, bool showProgress) {
    std::error_code ec;
    fs::create_directories(fsPath(options.outputDir), ec);
    if (ec) {
        err << cliMessage("cannot-create-folder"_text, {shownPath(options.outputDir)}) << "\n";
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
                    cliMessage("output-link"_text, {shownPath(output), shownPath(link)}));
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
