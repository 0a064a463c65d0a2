// mozaru-cli: parses the command line and runs the command on one input, on
// a batch of inputs, or as an explanation.
#include "cli/cli.h"

#include <istream>
#include <ostream>

#include "cli/authors.h"
#include "cli/batch.h"
#include "cli/collection_jobs.h"
#include "cli/explain.h"
#include "cli/inputs.h"
#include "cli/messages.h"
#include "cli/new_only.h"
#include "cli/options.h"
#include "cli/run_input.h"

namespace mozaru {

namespace {

int runExplain(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    const std::string input = options.inputs.empty() ? "-" : options.inputs.front();
    DecodedText decoded;
    FileOutcome outcome;
    ResolvedAuthor author;
    try {
        const bool read = readInput(options, input, in, decoded, outcome) &&
                          toClassicInput(options, input, decoded.text, outcome.messages) &&
                          resolveAuthorOf(options, input, decoded.text, author, outcome.messages);
        for (const std::string& message : outcome.messages) err << message << "\n";
        if (!read) return kExitFileError;
        writeExplanation(decoded.text, options.level, options.detector, options.json, out, author);
    } catch (...) {
        err << exceptionMessage(input) << "\n";
        return kExitFileError;
    }
    out.flush();
    if (!out) {
        err << cliMessage("cannot-write-stdout"_text) << "\n";
        return kExitFileError;
    }
    return kExitOk;
}

int runIntoFolder(CliOptions& options, const FolderExpansion& folders, std::istream& in,
                  std::ostream& err, bool errIsTerminal) {
    for (const std::string& error : folders.errors) err << error << "\n";
    if (options.inputs.empty()) {
        if (!folders.errors.empty()) return kExitFileError;
        options.inputs.push_back("-");
    }
    const std::string problem = batchProblem(options);
    if (!problem.empty()) return usageError(err, problem);
    std::string folder;
    if (!makeOutputFolders(options, folder)) {
        err << cliMessage("cannot-create-folder"_text, {shownPath(folder)}) << "\n";
        return kExitFileError;
    }
    const int status = runBatch(options, in, err, errIsTerminal && !options.quiet);
    return folders.errors.empty() ? status : kExitFileError;
}

int runOnInputs(CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
                bool errIsTerminal) {
    // A face that cannot be had fails before any input is read.
    const ExportFormat& output = exportFormat(options.to);
    if (options.command == CliCommand::Extract && output.styleProblem != nullptr) {
        if (const std::string problem = output.styleProblem(options.picture); !problem.empty()) {
            err << cliMessage(problem) << "\n";
            return kExitFileError;
        }
    }
    const FolderExpansion folders = expandFolders(options);
    if (!folders.usageProblem.empty()) return usageError(err, folders.usageProblem);
    if (!options.outputDir.empty()) return runIntoFolder(options, folders, in, err, errIsTerminal);
    if (options.inputs.size() > 1) {
        return usageError(err, cliText("several-inputs"_text));
    }
    const std::string input = options.inputs.empty() ? "-" : options.inputs.front();
    const Destination destination =
        options.output.empty() ? Destination{{}, &out} : Destination{options.output, nullptr};
    const FileOutcome outcome = runOnInput(options, input, in, destination);
    for (const std::string& message : outcome.messages) err << message << "\n";
    return outcome.ok ? kExitOk : kExitFileError;
}

}  // namespace

int runCli(std::vector<std::string> args, std::istream& in, std::ostream& out, std::ostream& err,
           bool errIsTerminal, bool outIsTerminal) {
    CliOptions options;
    if (const std::optional<int> status =
            parseCommandLine(std::move(args), options, out, err, outIsTerminal)) {
        return *status;
    }
    switch (options.command) {
        case CliCommand::Explain:
            return runExplain(options, in, out, err);
        case CliCommand::Index:
            return runIndex(options, err);
        case CliCommand::Search:
            return runSearch(options, out, err);
        case CliCommand::Dedup:
            return runDedup(options, out, err);
        default:
            break;
    }
    if (options.newOnly) {
        try {
            options.known =
                std::make_shared<const KnownPictures>(options.database, options.threshold);
        } catch (const std::exception& e) {
            err << cliMessage(e.what()) << "\n";
            return kExitFileError;
        }
    }
    return runOnInputs(options, in, out, err, errIsTerminal);
}

}  // namespace mozaru
