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
    std::string output;  // none: UTF-8 to a terminal, else CP932
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
    return cliText("usage"_text, {outputChoices(), inputFormatChoices()});
}

// CLI11's own words in the help, in the user's language.
void translateHelp(CLI::App& app) {
    auto formatter = app.get_formatter();
    for (const char* label :
         {"Usage", "OPTIONS", "SUBCOMMAND", "Positionals", "REQUIRED", "Excludes"}) {
        formatter->label(label, cliText(label));
    }
    app.set_help_flag("-h,--help", cliText("help-flag"_text));
    app.option_defaults()->group(cliText("Options"_text));
}

// A command line CLI11 could not take, said in the user's language: the
// argument it names, in the words CLI11 wrote it.
std::string parseProblem(const CLI::ParseError& e) {
    const std::string what = e.what();
    if (cliLanguage() == CliLanguage::English) return what;
    const std::size_t colon = what.rfind(": ");
    const std::string detail = colon == std::string::npos ? what : what.substr(colon + 2);
    if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr &&
        what.find("ubcommand") != std::string::npos) {
        return cliText("no-command"_text);
    }
    if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
        return cliText("not-expected"_text, {detail});
    }
    if (dynamic_cast<const CLI::ValidationError*>(&e) != nullptr ||
        dynamic_cast<const CLI::ConversionError*>(&e) != nullptr) {
        return cliText("bad-value"_text, {what});
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr) {
        return cliText("missing-value"_text, {what});
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&e) != nullptr) {
        return cliText("excludes"_text, {what});
    }
    return cliText("bad-command-line"_text, {what});
}

void addLevel(CLI::App& command, CliOptions& options) {
    command.add_option("--level", options.level, cliText("level"_text))
        ->check(CLI::IsMember({0, 1, 2}).description(""))
        ->type_name("0|1|2");
}

void addInputOptions(CLI::App& command, CliOptions& options, OptionNames& names) {
    command.add_option("--input-encoding", names.input, cliText("input-encoding"_text))
        ->check(CLI::IsMember(namesOf(kInputEncodings), CLI::ignore_case).description(""))
        ->type_name("auto|cp932|euc-jp|utf-8");
    command.add_option("--max-input-size", options.maxInputSize, cliText("max-input-size"_text))
        ->transform(CLI::AsSizeValue(false).description(""))
        ->type_name("SIZE");
}

void addInputFormat(CLI::App& command, OptionNames& names) {
    command.add_option("--input-format", names.format, cliText("input-format"_text))
        ->check(CLI::IsMember(namesOf(inputFormats()), CLI::ignore_case).description(""))
        ->type_name(inputFormatChoices());
}

void addOutputFormat(CLI::App& command, OptionNames& names) {
    std::string description;
    for (const ExportFormat& format : exportFormats()) {
        if (format.cliName.empty()) continue;
        if (!description.empty()) description += "; ";
        description += std::string(format.cliName) + ": " + cliText(format.description);
    }
    command.add_option("--to", names.to, description)
        ->check(CLI::IsMember(namesOf(outputs()), CLI::ignore_case).description(""))
        ->type_name(outputChoices());
}

void addCommonOptions(CLI::App& command, CliOptions& options, OptionNames& names) {
    CLI::Option* output = command.add_option("-o,--output", options.output, cliText("output"_text));
    CLI::Option* outputDir =
        command.add_option("-d,--output-dir", options.outputDir, cliText("output-dir"_text));
    output->excludes(outputDir);
    output->type_name("FILE");
    outputDir->type_name("DIR");
    addInputOptions(command, options, names);
    command.add_option("--output-encoding", names.output, cliText("output-encoding"_text))
        ->check(CLI::IsMember(namesOf(kOutputEncodings), CLI::ignore_case).description(""))
        ->type_name("cp932|utf-8");
    command.add_option("-j,--jobs", options.jobs, cliText("jobs"_text))
        ->check(CLI::Range(1u, 1024u).description(""))
        ->type_name("N");
    command.add_flag("-q,--quiet", options.quiet, cliText("quiet"_text));
    command.add_option("INPUT", options.inputs, cliText("inputs"_text))->type_name("FILE");
}

CLI::App* addCommand(CLI::App& app, const char* name, CliTextId description, CliCommand command,
                     CliOptions& options) {
    CLI::App* sub = app.add_subcommand(name, cliText(description));
    sub->group(cliText("Subcommands"_text));
    translateHelp(*sub);
    sub->callback([&options, command] { options.command = command; });
    return sub;
}

void buildParser(CLI::App& app, CliOptions& options, OptionNames& names) {
    app.require_subcommand(1);
    translateHelp(app);
    CLI::App* extract = addCommand(app, "extract", "extract"_text, CliCommand::Extract, options);
    addLevel(*extract, options);
    extract->add_flag("--merge", options.merge, cliText("merge"_text));
    addOutputFormat(*extract, names);
    addInputFormat(*extract, names);
    addCommonOptions(*extract, options, names);
    CLI::App* convert = addCommand(app, "convert", "convert"_text, CliCommand::Convert, options);
    addInputFormat(*convert, names);
    addCommonOptions(*convert, options, names);
    addCommonOptions(
        *addCommand(app, "add-breaks", "add-breaks"_text, CliCommand::AddBreaks, options), options,
        names);
    addCommonOptions(
        *addCommand(app, "remove-breaks", "remove-breaks"_text, CliCommand::RemoveBreaks, options),
        options, names);
    CLI::App* explain = addCommand(app, "explain", "explain"_text, CliCommand::Explain, options);
    addLevel(*explain, options);
    explain->add_flag("--json", options.json, cliText("json"_text));
    addInputOptions(*explain, options, names);
    addInputFormat(*explain, names);
    explain->add_option("INPUT", options.inputs, cliText("input"_text))
        ->expected(0, 1)
        ->type_name("FILE");
}

}  // namespace

int usageError(std::ostream& err, const std::string& message) {
    err << cliMessage(message) << "\n" << usage();
    return kExitUsage;
}

std::optional<int> parseCommandLine(std::vector<std::string> args, CliOptions& options,
                                    std::ostream& out, std::ostream& err, bool outIsTerminal) {
    OptionNames names;
    options.jobs = std::max(1u, std::thread::hardware_concurrency());
    CLI::App app(cliText("about"_text), "mozaru-cli");
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
        return usageError(err, parseProblem(e));
    }
    options.inputEncoding = kInputEncodings.at(lowered(names.input));
    // A terminal shows UTF-8 (CP932 bytes there would be mojibake); files and
    // pipes get CP932, as the window's files are.
    const bool toTerminal = outIsTerminal && options.output.empty() && options.outputDir.empty();
    options.outputEncoding = names.output.empty()
                                 ? (toTerminal ? OutputEncoding::Utf8 : OutputEncoding::Cp932)
                                 : kOutputEncodings.at(lowered(names.output));
    options.inputFormat = inputFormats().at(lowered(names.format));
    options.to = outputs().at(lowered(names.to));
    return std::nullopt;
}

}  // namespace mozaru
