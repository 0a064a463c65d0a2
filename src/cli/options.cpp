// mozaru-cli's command line: commands, options, and the names of the board
// forms and outputs read from their tables.
#include "cli/options.h"

#include <CLI/CLI.hpp>
#include <QString>
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

// The detectors by the names detectorName gives them.
std::map<std::string, Detector> detectors() {
    std::map<std::string, Detector> names;
    for (const Detector detector : {Detector::Seed, Detector::Picture}) {
        names.emplace(detectorName(detector), detector);
    }
    return names;
}

// The names as the user typed them; mapped once parsing has succeeded.
struct OptionNames {
    std::string detector = "seed";
    std::string input = "auto";
    std::string output;  // empty: the output's own default
    std::string format = "auto";
    std::string to = "html";
    std::string searchTo;  // search's --to; empty: the list
    std::string author;
    std::string background = "white";
    bool pictureStyle = false;  // an option of the images was given
};

// Whether an output is drawn picture by picture: the image options exist then.
bool drawsPictures() {
    return std::any_of(exportFormats().begin(), exportFormats().end(), [](const ExportFormat& f) {
        return f.kind == ExportKind::OneFilePerPicture;
    });
}

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
    return cliText("usage"_text, {outputChoices(), inputFormatChoices(),
                                  drawsPictures() ? cliText("usage-pictures"_text) : ""});
}

// CLI11's own words in the help, in the user's language.
void translateHelp(CLI::App& app) {
    auto formatter = app.get_formatter();
    for (const char* label :
         {"Usage", "OPTIONS", "SUBCOMMAND", "Positionals", "REQUIRED", "Excludes", "Needs"}) {
        formatter->label(label, cliText(label));
    }
    app.option_defaults()->group(cliText("Options"_text));  // before the help flag takes it
    app.set_help_flag("-h,--help", cliText("help-flag"_text));
}

void addLevel(CLI::App& command, CliOptions& options) {
    command.add_option("--level", options.level, cliText("level"_text))
        ->check(CLI::IsMember({0, 1, 2}).description(""))
        ->type_name("0|1|2");
}

void addDetector(CLI::App& command, OptionNames& names) {
    command.add_option("--detector", names.detector, cliText("detector"_text))
        ->check(CLI::IsMember(namesOf(detectors()), CLI::ignore_case).description(""))
        ->type_name("seed|picture");
}

void addInputOptions(CLI::App& command, CliOptions& options, OptionNames& names) {
    command.add_option("--input-encoding", names.input, cliText("input-encoding"_text))
        ->check(CLI::IsMember(namesOf(kInputEncodings), CLI::ignore_case).description(""))
        ->type_name("auto|cp932|euc-jp|utf-8");
    command.add_option("--max-input-size", options.maxInputSize, cliText("max-input-size"_text))
        ->transform(CLI::AsSizeValue(false).description(""))
        ->type_name("SIZE");
}

// Also --allow-empty: the commands that read posts are the ones that find none.
void addInputFormat(CLI::App& command, CliOptions& options, OptionNames& names) {
    command.add_option("--input-format", names.format, cliText("input-format"_text))
        ->check(CLI::IsMember(namesOf(inputFormats()), CLI::ignore_case).description(""))
        ->type_name(inputFormatChoices());
    command.add_flag("--allow-empty", options.allowEmpty, cliText("allow-empty"_text));
}

void addOutputFormat(CLI::App& command, OptionNames& names) {
    std::string description;
    for (const ExportFormat& format : exportFormats()) {
        if (format.cliName.empty()) continue;
        if (!description.empty()) description += cliText("separator"_text);
        description += std::string(format.cliName) + ": " + cliText(format.description);
    }
    command.add_option("--to", names.to, description)
        ->check(CLI::IsMember(namesOf(outputs()), CLI::ignore_case).description(""))
        ->type_name(outputChoices());
}

void addAuthor(CLI::App& command, OptionNames& names) {
    command.add_option("--author", names.author, cliText("author-option"_text))
        ->type_name("auto|id:X|trip:X|name:X");
}

void addPostOptions(CLI::App& command, CliOptions& options) {
    command.add_flag("--with-header", options.withHeader, cliText("with-header"_text));
    command.add_flag("--headings", options.headings, cliText("headings"_text));
}

void addPictureOptions(CLI::App& command, CliOptions& options, OptionNames& names) {
    if (!drawsPictures()) return;
    const auto given = [&names](const std::string&) { names.pictureStyle = true; };
    command.add_option("--font", options.picture.font, cliText("font"_text))
        ->type_name("FILE|FAMILY")
        ->each(given);
    command.add_option("--font-size", options.picture.fontSize, cliText("font-size"_text))
        ->type_name("PX")
        ->each(given);
    command.add_option("--line-height", options.picture.lineHeight, cliText("line-height"_text))
        ->type_name("PX")
        ->each(given);
    command.add_option("--background", names.background, cliText("background"_text))
        ->check(CLI::IsMember({"white", "transparent"}, CLI::ignore_case).description(""))
        ->type_name("white|transparent")
        ->each(given);
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
    command.add_flag("--follow-symlinks", options.followSymlinks, cliText("follow-symlinks"_text));
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

void addThreshold(CLI::App& command, CliOptions& options) {
    command.add_option("--threshold", options.threshold, cliText("threshold"_text))
        ->check(CLI::Range(0.0, 1.0).description(""))
        ->type_name("T");
}

// index, search and dedup: the collection's commands.
void addCollectionCommands(CLI::App& app, CliOptions& options, OptionNames& names) {
    CLI::App* index = addCommand(app, "index", "index"_text, CliCommand::Index, options);
    index->add_option("--db", options.database, cliText("db-file"_text))
        ->required()
        ->type_name("FILE");
    index->add_option("--merge", options.mergeFrom, cliText("merge-from"_text))->type_name("DB");
    addLevel(*index, options);
    addInputOptions(*index, options, names);
    index->add_option("-j,--jobs", options.jobs, cliText("index-jobs"_text))
        ->check(CLI::Range(1u, 1024u).description(""))
        ->type_name("N");
    index->add_flag("-q,--quiet", options.quiet, cliText("no-summary"_text));
    index->add_option("INPUT", options.inputs, cliText("files-and-folders"_text))
        ->type_name("FILE");

    CLI::App* search = addCommand(app, "search", "search"_text, CliCommand::Search, options);
    search->add_option("--db", options.database, cliText("db"_text))->required()->type_name("FILE");
    search->add_option("--category", options.category, cliText("category"_text))->type_name("C");
    search->add_option("--limit", options.limit, cliText("limit"_text))
        ->check(CLI::PositiveNumber.description(""))
        ->type_name("N");
    search->add_option("--to", names.searchTo, cliText("search-to"_text))
        ->check(CLI::IsMember(namesOf(outputs()), CLI::ignore_case).description(""))
        ->type_name(outputChoices());
    search->add_option("-o,--output", options.output, cliText("search-output"_text))
        ->type_name("FILE");
    search->add_option("--output-encoding", names.output, cliText("output-encoding-search"_text))
        ->check(CLI::IsMember(namesOf(kOutputEncodings), CLI::ignore_case).description(""))
        ->type_name("cp932|utf-8");
    search->add_option("TEXT", options.inputs, cliText("search-text"_text))
        ->required()
        ->expected(1)
        ->type_name("TEXT");

    CLI::App* dedup = addCommand(app, "dedup", "dedup"_text, CliCommand::Dedup, options);
    dedup->add_option("--db", options.database, cliText("db-or-inputs"_text))->type_name("FILE");
    addThreshold(*dedup, options);
    dedup->add_flag("--mirror", options.mirror, cliText("mirror"_text));
    addLevel(*dedup, options);
    addInputOptions(*dedup, options, names);
    dedup->add_option("INPUT", options.inputs, cliText("files-and-folders-no-db"_text))
        ->type_name("FILE");
}

void buildParser(CLI::App& app, CliOptions& options, OptionNames& names) {
    // CLI11 on Windows would take /path as an option (and /level 2 as
    // --level 2); paths there may start with / too. The commands inherit this.
    app.allow_windows_style_options(false);
    app.require_subcommand(1);
    translateHelp(app);
    CLI::App* extract = addCommand(app, "extract", "extract"_text, CliCommand::Extract, options);
    addLevel(*extract, options);
    extract->add_flag("--merge", options.merge, cliText("merge"_text));
    addDetector(*extract, names);
    addOutputFormat(*extract, names);
    extract->add_flag("--new-only", options.newOnly, cliText("new-only"_text))
        ->needs(
            extract->add_option("--db", options.database, cliText("db"_text))->type_name("FILE"));
    addThreshold(*extract, options);
    addAuthor(*extract, names);
    addPostOptions(*extract, options);
    addPictureOptions(*extract, options, names);
    addInputFormat(*extract, options, names);
    addCommonOptions(*extract, options, names);
    CLI::App* convert = addCommand(app, "convert", "convert"_text, CliCommand::Convert, options);
    addInputFormat(*convert, options, names);
    addCommonOptions(*convert, options, names);
    addCommonOptions(
        *addCommand(app, "add-breaks", "add-breaks"_text, CliCommand::AddBreaks, options), options,
        names);
    addCommonOptions(
        *addCommand(app, "remove-breaks", "remove-breaks"_text, CliCommand::RemoveBreaks, options),
        options, names);
    CLI::App* explain = addCommand(app, "explain", "explain"_text, CliCommand::Explain, options);
    addLevel(*explain, options);
    addDetector(*explain, names);
    explain->add_flag("--json", options.json, cliText("json"_text));
    addInputOptions(*explain, options, names);
    addInputFormat(*explain, options, names);
    addAuthor(*explain, names);
    explain->add_option("INPUT", options.inputs, cliText("input"_text))
        ->expected(0, 1)
        ->type_name("FILE");
    addCollectionCommands(app, options, names);
}

}  // namespace

int usageError(std::ostream& err, const std::string& message) {
    err << cliMessage(std::string_view(message)) << "\n" << usage();
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
        return usageError(err, cliText(e.what()));
    }
    options.detector = detectors().at(lowered(names.detector));
    options.inputEncoding = kInputEncodings.at(lowered(names.input));
    options.inputFormat = inputFormats().at(lowered(names.format));
    options.to = outputs().at(lowered(names.to));
    if (!names.searchTo.empty()) {
        options.to = outputs().at(lowered(names.searchTo));
        options.toGiven = true;
    }
    const ExportFormat& output = exportFormat(options.to);
    // A terminal shows UTF-8 (CP932 bytes there would be mojibake); files and
    // pipes get CP932, as the window's files are, unless the output is a web page.
    const bool toTerminal = outIsTerminal && options.output.empty() && options.outputDir.empty();
    options.outputEncoding =
        names.output.empty()
            ? (output.utf8ByDefault || toTerminal ? OutputEncoding::Utf8 : OutputEncoding::Cp932)
            : kOutputEncodings.at(lowered(names.output));
    options.picture.transparent = lowered(names.background) == "transparent";
    if (!names.author.empty() &&
        !parseAuthorChoice(QString::fromStdString(names.author).toStdU16String(), options.author)) {
        return usageError(err, cliText("author-bad"_text, {names.author}));
    }
    if (options.command == CliCommand::Dedup &&
        options.database.empty() == options.inputs.empty()) {
        return usageError(err, cliText("dedup-inputs"_text));
    }
    if (options.command != CliCommand::Extract) return std::nullopt;
    if (options.headings && options.to != ExportId::Mlt && options.to != ExportId::Ast) {
        return usageError(err, cliText("headings-libraries"_text));
    }
    const bool perPicture = output.kind == ExportKind::OneFilePerPicture;
    if (names.pictureStyle && !perPicture) {
        return usageError(err, cliText("image-options"_text));
    }
    if (perPicture && options.outputDir.empty()) {
        return usageError(err, cliText("per-picture-needs-d"_text, {output.cliName}));
    }
    return std::nullopt;
}

}  // namespace mozaru
