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
    const std::string formats = inputFormatChoices();
    return "usage:\n"
           "  mozaru-cli extract       [--level 0|1|2] [--merge] [--detector seed|picture]\n"
           "                           [--to " +
           outputChoices() +
           "] [--input-format F]\n"
           "                           [--author auto|id:X|trip:X|name:X] [--with-header] "
           "[--headings]\n" +
           (drawsPictures() ? "                           [--font FILE|FAMILY] [--font-size PX] "
                              "[--line-height PX]\n"
                              "                           [--background white|transparent]\n"
                            : "") +
           "                           [--allow-empty] [common options] [INPUT...]\n"
           "  mozaru-cli convert       [--input-format F] [--allow-empty] [common options] "
           "[INPUT...]\n"
           "  mozaru-cli add-breaks    [common options] [INPUT...]\n"
           "  mozaru-cli remove-breaks [common options] [INPUT...]\n"
           "  mozaru-cli explain       [--level 0|1|2] [--detector seed|picture] [--json]\n"
           "                           [--input-encoding E] [--input-format F] [--author A]\n"
           "                           [--allow-empty] [INPUT]\n"
           "  mozaru-cli index         --db FILE [--merge DB...] [--level 0|1|2] [INPUT...]\n"
           "  mozaru-cli search        --db FILE [--category C] [--limit N] [--to " +
           outputChoices() +
           "] TEXT\n"
           "  mozaru-cli dedup         (--db FILE | INPUT...) [--threshold T] [--mirror]\n"
           "common options:\n"
           "  -o, --output FILE        the result of a single input (default: standard output)\n"
           "  -d, --output-dir DIR     batch: each result to DIR/<input file name>; a folder "
           "INPUT is\n"
           "                           walked for *.dat *.json *.html *.htm *.txt, results at "
           "the same paths\n"
           "  --input-encoding auto|cp932|euc-jp|utf-8   (default auto)\n"
           "  --output-encoding cp932|utf-8              (default cp932)\n"
           "  --input-format " +
           formats +
           "\n"
           "                           (default auto: recognise every form Mozaru reads)\n"
           "  --allow-empty            an input in which no post is found is no error\n"
           "  --max-input-size SIZE    larger inputs fail (default 4G; K, M, G: powers of 1024)\n"
           "  -j, --jobs N             files processed in parallel in batch mode (default: "
           "cores)\n"
           "  -q, --quiet              no progress display\n"
           "  --follow-symlinks        follow a folder's links that stay within the folders "
           "given\n"
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

void addDetector(CLI::App& command, OptionNames& names) {
    command
        .add_option("--detector", names.detector,
                    "seed (default): the shares of symbols, kanji and Latin letters in the whole "
                    "body; picture: what the pieces between the spaces of each line are made of, "
                    "and runs of such lines")
        ->check(CLI::IsMember(namesOf(detectors()), CLI::ignore_case).description(""))
        ->type_name("seed|picture");
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

// Also --allow-empty: the commands that read posts are the ones that find none.
void addInputFormat(CLI::App& command, CliOptions& options, OptionNames& names) {
    command
        .add_option("--input-format", names.format,
                    "default auto: .dat logs, the smartphone API's JSON, 5ch, bbspink and open2ch "
                    "pages and summary blogs are recognised and read as the classic page; "
                    "classic takes the input as it stands")
        ->check(CLI::IsMember(namesOf(inputFormats()), CLI::ignore_case).description(""))
        ->type_name(inputFormatChoices());
    command.add_flag("--allow-empty", options.allowEmpty,
                     "an input in which no post is found is no error (by default it is named and "
                     "the exit status is 1)");
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

void addAuthor(CLI::App& command, OptionNames& names) {
    command
        .add_option("--author", names.author,
                    "the author's posts only: auto takes post 1's ID, else its trip, else its name "
                    "(not the board's default); id:X, trip:X (with or without ◆), name:X")
        ->type_name("auto|id:X|trip:X|name:X");
}

void addPostOptions(CLI::App& command, CliOptions& options) {
    command.add_flag("--with-header", options.withHeader,
                     "each post's header (number, name, date, ID) before its picture");
    command.add_flag("--headings", options.headings,
                     "libraries (mlt, ast): a 【title】 heading first and a 【>>N NAME】 heading "
                     "before each picture, as AA editors list them");
}

void addPictureOptions(CLI::App& command, CliOptions& options, OptionNames& names) {
    if (!drawsPictures()) return;
    const auto given = [&names](const std::string&) { names.pictureStyle = true; };
    command
        .add_option("--font", options.picture.font,
                    "images: a font file or installed family (default: the AA face the window "
                    "uses)")
        ->type_name("FILE|FAMILY")
        ->each(given);
    command.add_option("--font-size", options.picture.fontSize, "images: px (default 16)")
        ->type_name("PX")
        ->each(given);
    command.add_option("--line-height", options.picture.lineHeight, "images: px (default 18)")
        ->type_name("PX")
        ->each(given);
    command
        .add_option("--background", names.background,
                    "images: white (default) or transparent; the text is black")
        ->check(CLI::IsMember({"white", "transparent"}, CLI::ignore_case).description(""))
        ->type_name("white|transparent")
        ->each(given);
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
    command.add_option("--output-encoding", names.output, "default cp932 (a web page: utf-8)")
        ->check(CLI::IsMember(namesOf(kOutputEncodings), CLI::ignore_case).description(""))
        ->type_name("cp932|utf-8");
    command
        .add_option("-j,--jobs", options.jobs,
                    "files processed in parallel in batch mode (default: cores)")
        ->check(CLI::Range(1u, 1024u).description(""))
        ->type_name("N");
    command.add_flag("-q,--quiet", options.quiet, "no progress display");
    command.add_flag("--follow-symlinks", options.followSymlinks,
                     "a folder INPUT's links are followed where they stay within the folders "
                     "given (default: named and left out)");
    command
        .add_option(
            "INPUT", options.inputs,
            "input files, or folders (with -d) walked for *.dat *.json *.html *.htm *.txt; none "
            "or - reads standard input")
        ->type_name("FILE");
}

CLI::App* addCommand(CLI::App& app, const char* name, const char* description, CliCommand command,
                     CliOptions& options) {
    CLI::App* sub = app.add_subcommand(name, description);
    sub->callback([&options, command] { options.command = command; });
    return sub;
}

void addThreshold(CLI::App& command, CliOptions& options) {
    command
        .add_option("--threshold", options.threshold,
                    "the least similarity of near duplicates: the share of lines two pictures "
                    "have in common, spaces left out (default 0.8)")
        ->check(CLI::Range(0.0, 1.0).description(""))
        ->type_name("T");
}

// index, search and dedup: the collection's commands.
void addCollectionCommands(CLI::App& app, CliOptions& options, OptionNames& names) {
    CLI::App* index = addCommand(app, "index",
                                 "put every picture of the inputs (MLT, AST, .txt, thread pages "
                                 "and logs; folders walked, their paths the categories) into a "
                                 "collection; files unchanged since are not read again",
                                 CliCommand::Index, options);
    index->add_option("--db", options.database, "the collection, one SQLite file")
        ->required()
        ->type_name("FILE");
    index->add_option("--merge", options.mergeFrom, "other collections to merge in")
        ->type_name("DB");
    addLevel(*index, options);
    addInputOptions(*index, options, names);
    index->add_option("-j,--jobs", options.jobs, "threads that read files (default: cores)")
        ->check(CLI::Range(1u, 1024u).description(""))
        ->type_name("N");
    index->add_flag("-q,--quiet", options.quiet, "no summary");
    index->add_option("INPUT", options.inputs, "files and folders")->type_name("FILE");

    CLI::App* search = addCommand(app, "search", "list the pictures of a collection that hold TEXT",
                                  CliCommand::Search, options);
    search->add_option("--db", options.database, "the collection")->required()->type_name("FILE");
    search->add_option("--category", options.category, "only this folder and those below it")
        ->type_name("C");
    search->add_option("--limit", options.limit, "at most N pictures (default 20)")
        ->check(CLI::PositiveNumber.description(""))
        ->type_name("N");
    search
        ->add_option("--to", names.searchTo,
                     "write the pictures found as this output instead of listing them")
        ->check(CLI::IsMember(namesOf(outputs()), CLI::ignore_case).description(""))
        ->type_name(outputChoices());
    search->add_option("-o,--output", options.output, "the output (default: standard output)")
        ->type_name("FILE");
    search->add_option("--output-encoding", names.output, "default cp932")
        ->check(CLI::IsMember(namesOf(kOutputEncodings), CLI::ignore_case).description(""))
        ->type_name("cp932|utf-8");
    search->add_option("TEXT", options.inputs, "a line of a picture, or a few characters of it")
        ->required()
        ->expected(1)
        ->type_name("TEXT");

    CLI::App* dedup = addCommand(app, "dedup",
                                 "list the pictures that are there more than once: the same "
                                 "text, or near (other spaces, lines changed; --mirror: the "
                                 "mirror image)",
                                 CliCommand::Dedup, options);
    dedup->add_option("--db", options.database, "the collection (else the INPUTs are read)")
        ->type_name("FILE");
    addThreshold(*dedup, options);
    dedup->add_flag("--mirror", options.mirror, "also match a picture with its mirror image");
    addLevel(*dedup, options);
    addInputOptions(*dedup, options, names);
    dedup->add_option("INPUT", options.inputs, "files and folders, without --db")
        ->type_name("FILE");
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
    addDetector(*extract, names);
    addOutputFormat(*extract, names);
    extract
        ->add_flag("--new-only", options.newOnly,
                   "keep only pictures the collection --db does not hold (the same text, or "
                   "similar by --threshold)")
        ->needs(extract->add_option("--db", options.database, "the collection")->type_name("FILE"));
    addThreshold(*extract, options);
    addAuthor(*extract, names);
    addPostOptions(*extract, options);
    addPictureOptions(*extract, options, names);
    addInputFormat(*extract, options, names);
    addCommonOptions(*extract, options, names);
    CLI::App* convert =
        addCommand(app, "convert", "write a log or page in another form as the classic page",
                   CliCommand::Convert, options);
    addInputFormat(*convert, options, names);
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
    addDetector(*explain, names);
    explain->add_flag("--json", options.json,
                      "JSON lines: post, lines, total, symbols, ideographs, latin, is_aa, rule, "
                      "merge_key; with --detector picture: post, lines, total, graphic_lines, "
                      "text_lines, longest_run, is_aa, rule, merge_key");
    addInputOptions(*explain, options, names);
    addInputFormat(*explain, options, names);
    addAuthor(*explain, names);
    explain->add_option("INPUT", options.inputs, "input file; none or - reads standard input")
        ->expected(0, 1)
        ->type_name("FILE");
    addCollectionCommands(app, options, names);
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
    options.detector = detectors().at(lowered(names.detector));
    options.inputEncoding = kInputEncodings.at(lowered(names.input));
    options.inputFormat = inputFormats().at(lowered(names.format));
    options.to = outputs().at(lowered(names.to));
    if (!names.searchTo.empty()) {
        options.to = outputs().at(lowered(names.searchTo));
        options.toGiven = true;
    }
    const ExportFormat& output = exportFormat(options.to);
    options.outputEncoding =
        names.output.empty() ? (output.utf8ByDefault ? OutputEncoding::Utf8 : OutputEncoding::Cp932)
                             : kOutputEncodings.at(lowered(names.output));
    options.picture.transparent = lowered(names.background) == "transparent";
    if (!names.author.empty() &&
        !parseAuthorChoice(QString::fromStdString(names.author).toStdU16String(), options.author)) {
        return usageError(err, "--author takes auto, id:X, trip:X or name:X, not " + names.author);
    }
    if (options.command == CliCommand::Dedup &&
        options.database.empty() == options.inputs.empty()) {
        return usageError(err, "dedup reads either a collection (--db) or INPUTs");
    }
    if (options.command != CliCommand::Extract) return std::nullopt;
    if (options.headings && options.to != ExportId::Mlt && options.to != ExportId::Ast) {
        return usageError(err, "--headings writes headings into libraries (--to mlt or ast)");
    }
    const bool perPicture = output.kind == ExportKind::OneFilePerPicture;
    if (names.pictureStyle && !perPicture) {
        return usageError(err,
                          "--font, --font-size, --line-height and --background are for images");
    }
    if (perPicture && options.outputDir.empty()) {
        return usageError(err, "--to " + std::string(output.cliName) +
                                   " writes one file per picture: it needs --output-dir (-d)");
    }
    return std::nullopt;
}

}  // namespace mozaru
