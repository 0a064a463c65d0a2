// mozaru-cli: parses the command line and runs the command on files or streams.
#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <istream>
#include <map>
#include <ostream>
#include <thread>

#include "cli/cli_files.h"
#include "cli/cli_formats.h"
#include "cli/cli_inputs.h"
#include "cli/cli_options.h"
#include "cli/explain.h"

namespace mozaru {

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  mozaru-cli extract       [--level 0|1|2] [--merge] [--to html|mlt|ast] [--input-format F]\n"
    "                           [common options] [INPUT...]\n"
    "  mozaru-cli convert       [--input-format F] [common options] [INPUT...]\n"
    "  mozaru-cli add-breaks    [common options] [INPUT...]\n"
    "  mozaru-cli remove-breaks [common options] [INPUT...]\n"
    "  mozaru-cli explain       [--level 0|1|2] [--json] [--input-encoding E] [--input-format F]\n"
    "                           [INPUT]\n"
    "common options:\n"
    "  -o, --output FILE        the result of a single input (default: standard output)\n"
    "  -d, --output-dir DIR     batch: each result to DIR/<input file name>; a folder INPUT is\n"
    "                           walked for *.dat *.html *.htm *.txt, results at the same paths\n"
    "  --input-encoding auto|cp932|euc-jp|utf-8   (default auto)\n"
    "  --output-encoding cp932|utf-8              (default cp932)\n"
    "  --input-format auto|classic|dat|5ch        (default auto: recognise .dat logs and\n"
    "                                              5ch/bbspink pages)\n"
    "  --max-input-size SIZE    larger inputs fail (default 4G; K, M, G: powers of 1024)\n"
    "  -j, --jobs N             files processed in parallel in batch mode (default: cores)\n"
    "  -q, --quiet              no progress display\n"
    "No INPUT, or -, reads standard input. 'mozaru-cli COMMAND --help' tells more.\n";

const std::map<std::string, InputEncoding> kInputEncodings{{"auto", InputEncoding::Auto},
                                                           {"cp932", InputEncoding::Cp932},
                                                           {"euc-jp", InputEncoding::EucJp},
                                                           {"utf-8", InputEncoding::Utf8}};
const std::map<std::string, OutputEncoding> kOutputEncodings{{"cp932", OutputEncoding::Cp932},
                                                             {"utf-8", OutputEncoding::Utf8}};
const std::map<std::string, InputFormat> kInputFormats{{"auto", InputFormat::Auto},
                                                       {"classic", InputFormat::Classic},
                                                       {"dat", InputFormat::Dat},
                                                       {"5ch", InputFormat::FiveCh}};
const std::map<std::string, LibraryFormat> kLibraryFormats{
    {"html", LibraryFormat::Html}, {"mlt", LibraryFormat::Mlt}, {"ast", LibraryFormat::Ast}};

// The names as the user typed them; mapped once parsing has succeeded.
struct OptionNames {
    std::string input = "auto";
    std::string output = "cp932";
    std::string format = "auto";
    std::string to = "html";
};

std::string lowered(std::string name) {
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

template <typename T>
std::vector<std::string> namesOf(const std::map<std::string, T>& map) {
    std::vector<std::string> names;
    for (const auto& entry : map) names.push_back(entry.first);
    return names;
}

void addLevel(CLI::App& command, CliOptions& options) {
    command
        .add_option("--level", options.level,
                    "precision: 0 all, 1 standard (total length over 60), 2 large AA only (over "
                    "500); default 0")
        ->check(CLI::IsMember({0, 1, 2}).description(""))
        ->type_name("0|1|2");
}

void addInputOptions(CLI::App& command, CliOptions& options, OptionNames& names) {
    command.add_option("--input-encoding", names.input, "default auto: BOM, detector, else cp932")
        ->check(CLI::IsMember(namesOf(kInputEncodings), CLI::ignore_case).description(""))
        ->type_name("auto|cp932|euc-jp|utf-8");
    command
        .add_option("--max-input-size", options.maxInputSize,
                    "inputs larger than SIZE fail before they are read whole (default 4G; K, M, "
                    "G: powers of 1024)")
        ->transform(CLI::AsSizeValue(false).description(""))
        ->type_name("SIZE");
}

void addInputFormat(CLI::App& command, OptionNames& names) {
    command
        .add_option("--input-format", names.format,
                    "default auto: .dat logs and 5ch/bbspink pages are recognised and read as "
                    "the classic page; classic takes the input as it stands")
        ->check(CLI::IsMember(namesOf(kInputFormats), CLI::ignore_case).description(""))
        ->type_name("auto|classic|dat|5ch");
}

void addCommonOptions(CLI::App& command, CliOptions& options, OptionNames& names) {
    CLI::Option* output = command.add_option(
        "-o,--output", options.output, "the result of a single input (default: standard output)");
    CLI::Option* outputDir = command.add_option(
        "-d,--output-dir", options.outputDir,
        "batch: each result to DIR/<input file name>, a folder's files at their paths below it; "
        "DIR is created; two results of the same name are refused before anything is written");
    output->excludes(outputDir);
    output->type_name("FILE");
    outputDir->type_name("DIR");
    addInputOptions(command, options, names);
    command.add_option("--output-encoding", names.output, "default cp932")
        ->check(CLI::IsMember(namesOf(kOutputEncodings), CLI::ignore_case).description(""))
        ->type_name("cp932|utf-8");
    command
        .add_option("-j,--jobs", options.jobs,
                    "files processed in parallel in batch mode (default: cores)")
        ->check(CLI::Range(1u, 1024u).description(""))
        ->type_name("N");
    command.add_flag("-q,--quiet", options.quiet, "no progress display");
    command
        .add_option("INPUT", options.inputs,
                    "input files, or folders (with -d) walked for *.dat *.html *.htm *.txt; none "
                    "or - reads standard input")
        ->type_name("FILE");
}

CLI::App* addCommand(CLI::App& app, const char* name, const char* description, CliCommand command,
                     CliOptions& options) {
    CLI::App* sub = app.add_subcommand(name, description);
    sub->callback([&options, command] { options.command = command; });
    return sub;
}

void buildParser(CLI::App& app, CliOptions& options, OptionNames& names) {
    app.require_subcommand(1);
    CLI::App* extract = addCommand(app, "extract", "keep the post bodies that are ASCII art",
                                   CliCommand::Extract, options);
    addLevel(*extract, options);
    extract->add_flag("--merge", options.merge, "keep identical ASCII art once");
    extract
        ->add_option("--to", names.to,
                     "html (default): the kept bodies between <HR> rules; mlt, ast: an AA "
                     "library of plain text")
        ->check(CLI::IsMember(namesOf(kLibraryFormats), CLI::ignore_case).description(""))
        ->type_name("html|mlt|ast");
    addInputFormat(*extract, names);
    addCommonOptions(*extract, options, names);
    CLI::App* convert =
        addCommand(app, "convert", "write a .dat log or 5ch/bbspink page as the classic page",
                   CliCommand::Convert, options);
    addInputFormat(*convert, names);
    addCommonOptions(*convert, options, names);
    addCommonOptions(*addCommand(app, "add-breaks", "put a line break after every <BR>",
                                 CliCommand::AddBreaks, options),
                     options, names);
    addCommonOptions(*addCommand(app, "remove-breaks", "take those line breaks out again",
                                 CliCommand::RemoveBreaks, options),
                     options, names);
    CLI::App* explain =
        addCommand(app, "explain", "show the classifier's figures and verdict for every post body",
                   CliCommand::Explain, options);
    addLevel(*explain, options);
    explain->add_flag("--json", options.json,
                      "JSON lines: post, lines, total, symbols, ideographs, latin, is_aa, rule, "
                      "merge_key");
    addInputOptions(*explain, options, names);
    addInputFormat(*explain, names);
    explain->add_option("INPUT", options.inputs, "input file; none or - reads standard input")
        ->expected(0, 1)
        ->type_name("FILE");
}

int usageError(std::ostream& err, const std::string& message) {
    err << "mozaru-cli: " << message << "\n" << kUsage;
    return kExitUsage;
}

int runExplain(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    const std::string input = options.inputs.empty() ? "-" : options.inputs.front();
    DecodedText decoded;
    FileOutcome outcome;
    const bool read = readDocument(options, input, in, decoded, outcome);
    for (const std::string& message : outcome.messages) err << message << "\n";
    if (!read) return kExitFileError;
    std::vector<std::string> messages;
    const bool converted = convertInput(options, input, decoded.text, messages);
    for (const std::string& message : messages) err << message << "\n";
    if (!converted) return kExitFileError;
    writeExplanation(decoded.text, options.level, options.json, out);
    out.flush();
    if (!out) {
        err << "mozaru-cli: cannot write standard output\n";
        return kExitFileError;
    }
    return kExitOk;
}

int runConversion(CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
                  bool errIsTerminal) {
    const FolderExpansion folders = expandFolders(options);
    if (!folders.usageProblem.empty()) return usageError(err, folders.usageProblem);
    if (!options.outputDir.empty()) {
        for (const std::string& error : folders.errors) err << error << "\n";
        if (options.inputs.empty()) {
            if (!folders.errors.empty()) return kExitFileError;
            options.inputs.push_back("-");
        }
        const std::string problem = batchProblem(options);
        if (!problem.empty()) return usageError(err, problem);
        std::string folder;
        if (!makeOutputFolders(options, folder)) {
            err << "mozaru-cli: cannot create folder " << folder << "\n";
            return kExitFileError;
        }
        const int status = runBatch(options, in, err, errIsTerminal && !options.quiet);
        return folders.errors.empty() ? status : kExitFileError;
    }
    if (options.inputs.size() > 1) {
        return usageError(err, "several inputs need --output-dir (-d); -o takes one input");
    }
    const std::string input = options.inputs.empty() ? "-" : options.inputs.front();
    const Destination destination =
        options.output.empty() ? Destination{{}, &out} : Destination{options.output, nullptr};
    const FileOutcome outcome = convertOne(options, input, in, destination);
    for (const std::string& message : outcome.messages) err << message << "\n";
    return outcome.ok ? kExitOk : kExitFileError;
}

}  // namespace

int runCli(std::vector<std::string> args, std::istream& in, std::ostream& out, std::ostream& err,
           bool errIsTerminal) {
    CliOptions options;
    OptionNames names;
    options.jobs = std::max(1u, std::thread::hardware_concurrency());
    CLI::App app("Extracts ASCII art from saved thread pages and reshapes its line breaks.",
                 "mozaru-cli");
    buildParser(app, options, names);
    std::reverse(args.begin(), args.end());  // CLI11 takes the arguments last first
    try {
        app.parse(args);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        return usageError(err, e.what());
    }
    options.inputEncoding = kInputEncodings.at(lowered(names.input));
    options.outputEncoding = kOutputEncodings.at(lowered(names.output));
    options.inputFormat = kInputFormats.at(lowered(names.format));
    options.to = kLibraryFormats.at(lowered(names.to));
    if (options.command == CliCommand::Explain) return runExplain(options, in, out, err);
    return runConversion(options, in, out, err, errIsTerminal);
}

}  // namespace mozaru
