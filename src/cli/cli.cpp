// mozaru-cli: parses the command line and runs the command on one input, on
// a batch of inputs, or as an explanation.
#include "cli/cli.h"

#include <istream>
#include <ostream>

#include "cli/batch.h"
#include "cli/explain.h"
#include "cli/inputs.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/run_input.h"

namespace mozaru {

namespace {

int runExplain(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    const std::string input = options.inputs.empty() ? "-" : options.inputs.front();
    DecodedText decoded;
    FileOutcome outcome;
    const bool read = readInput(options, input, in, decoded, outcome) &&
                      toClassicInput(options, input, decoded.text, outcome.messages);
    for (const std::string& message : outcome.messages) err << message << "\n";
    if (!read) return kExitFileError;
    writeExplanation(decoded.text, options.level, options.json, out);
    out.flush();
    if (!out) {
        err << cliMessage("cannot write standard output") << "\n";
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
        err << cliMessage("cannot create folder " + folder) << "\n";
        return kExitFileError;
    }
    const int status = runBatch(options, in, err, errIsTerminal && !options.quiet);
    return folders.errors.empty() ? status : kExitFileError;
}

int runOnInputs(CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
                bool errIsTerminal) {
    const FolderExpansion folders = expandFolders(options);
    if (!folders.usageProblem.empty()) return usageError(err, folders.usageProblem);
    if (!options.outputDir.empty()) return runIntoFolder(options, folders, in, err, errIsTerminal);
    if (options.inputs.size() > 1) {
        return usageError(err, "several inputs need --output-dir (-d); -o takes one input");
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
           bool errIsTerminal) {
    CliOptions options;
    if (const std::optional<int> status = parseCommandLine(std::move(args), options, out, err)) {
        return *status;
    }
    if (options.command == CliCommand::Explain) return runExplain(options, in, out, err);
    return runOnInputs(options, in, out, err, errIsTerminal);
}

}  // namespace mozaru
