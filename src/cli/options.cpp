// mozaru-cli's command line: commands, options, and the names of the board
// forms and outputs read from their tables.
#include "cli/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <ostream>
#include <thread>

#include "cli/cli.h"
#include "cli/messages.h"

namespace mozaru {

namespace {

const std::map<std::string, InputEncoding> kInputEncodings{{"auto", InputEncoding::Auto},
                                                           {"cp932", InputEncoding::Cp932},
                                                           {"euc-jp", InputEncoding::EucJp},
                                                           {"utf-8", InputEncoding::Utf8}};
const std::map<std::string, OutputEncoding> kOutputEncodings{{"cp932", OutputEncoding::Cp932},
                                                             {"utf-8", OutputEncoding::Utf8}};

// "auto", "classic" and every board form's name.
std::map<std::string, InputFormat> inputFormats() {
    std::map<std::string, InputFormat> names{{"auto", InputFormat::Auto},
                                             {"classic", InputFormat::Classic}};
    for (const BoardForm& form : boardForms()) names.emplace(form.name, form.id);
    return names;
}

// Every output extract can write, by its name.
std::map<std::string, ExportId> outputs() {
    std::map<std::string, ExportId> names;
    for (const ExportFormat& format : exportFormats()) {
        if (!format.cliName.empty()) names.emplace(format.cliName, format.id);
    }
    return names;
}

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

// "a|b|c" in the order of the table, as the usage lists them.
std::string inputFormatChoices() {
    std::string choices = "auto|classic";
    for (const BoardForm& form : boardForms()) choices += "|" + std::string(form.name);
    return choices;
}

std::string outputChoices() {
    std::string choices;
    for (const ExportFormat& format : exportFormats()) {
        if (format.cliName.empty()) continue;
        if (!choices.empty()) choices += "|";
        choices += format.cliName;
    }
    return choices;
}

std::string usage() {
    const std::string formats = inputFormatChoices();
    return "usage:\n"
           "  mozaru-cli extract       [--level 0|1|2] [--merge] [--to " +
           outputChoices() +
           "] [--input-format F]\n"
           "                           [common options] [INPUT...]\n"
           "  mozaru-cli convert       [--input-format F] [common options] [INPUT...]\n"
           "  mozaru-cli add-breaks    [common options] [INPUT...]\n"
           "  mozaru-cli remove-breaks [common options] [INPUT...]\n"
           "  mozaru-cli explain       [--level 0|1|2] [--json] [--input-encoding E] "
           "[--input-format F]\n"
           "                           [INPUT]\n"
           "common options:\n"
           "  -o, --output FILE        the result of a single input (default: standard output)\n"
           "  -d, --output-dir DIR     batch: each result to DIR/<input file name>; a folder "
           "INPUT is\n"
           "                           walked for *.dat *.html *.htm *.txt, results at the same "
           "paths\n"
           "  --input-encoding auto|cp932|euc-jp|utf-8   (default auto)\n"
           "  --output-encoding cp932|utf-8              (default cp932)\n"
           "  --input-format " +
           formats + std::string(formats.size() < 28 ? 28 - formats.size() : 1, ' ') +
           "(default auto: recognise .dat logs and\n"
           "                                              5ch/bbspink pages)\n"
           "  --max-input-size SIZE    larger inputs fail (default 4G; K, M, G: powers of 1024)\n"
           "  -j, --jobs N             files processed in parallel in batch mode (default: "
           "cores)\n"
           "  -q, --quiet              no progress display\n"
           "No INPUT, or -, reads standard input. 'mozaru-cli COMMAND --help' tells more.\n";
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
        ->check(CLI::IsMember(namesOf(inputFormats()), CLI::ignore_case).description(""))
        ->type_name(inputFormatChoices());
}

void addOutputFormat(CLI::App& command, OptionNames& names) {
    std::string description;
    for (const ExportFormat& format : exportFormats()) {
        if (format.cliName.empty()) continue;
        if (!description.empty()) description += "; ";
        description += std::string(format.cliName) + ": " + std::string(format.description);
    }
    command.add_option("--to", names.to, description)
        ->check(CLI::IsMember(namesOf(outputs()), CLI::ignore_case).description(""))
        ->type_name(outputChoices());
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
    // CLI11 on Windows would take /path as an option (and /level 2 as
    // --level 2); paths there may start with / too. The commands inherit this.
    app.allow_windows_style_options(false);
    app.require_subcommand(1);
    CLI::App* extract = addCommand(app, "extract", "keep the post bodies that are ASCII art",
                                   CliCommand::Extract, options);
    addLevel(*extract, options);
    extract->add_flag("--merge", options.merge, "keep identical ASCII art once");
    addOutputFormat(*extract, names);
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

}  // namespace

int usageError(std::ostream& err, const std::string& message) {
    err << cliMessage(message) << "\n" << usage();
    return kExitUsage;
}

std::optional<int> parseCommandLine(std::vector<std::string> args, CliOptions& options,
                                    std::ostream& out, std::ostream& err) {
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
    options.inputFormat = inputFormats().at(lowered(names.format));
    options.to = outputs().at(lowered(names.to));
    return std::nullopt;
}

}  // namespace mozaru
