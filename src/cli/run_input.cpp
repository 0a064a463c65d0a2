// mozaru-cli's work on one input: read, run the command, write.
#include "cli/run_input.h"

#include <functional>
#include <istream>
#include <ostream>

#include "boards/board_forms.h"
#include "cli/authors.h"
#include "cli/messages.h"
#include "cli/new_only.h"
#include "cli/text_pipe.h"
#include "exports/exports.h"
#include "extract/extract_aa.h"
#include "extract/kept_posts.h"
#include "extract/post_header.h"
#include "files/path_text.h"
#include "files/save_file.h"
#include "files/text_file.h"
#include "linebreaks/line_breaks.h"

namespace mozaru {

namespace {

enum class StreamRead { Ok, Failed, TooLarge };

// A stream tells its size only at its end: it is read up to the limit.
StreamRead readStream(std::istream& in, std::uint64_t limit, std::string& bytes) {
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        const auto n = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + n > limit) return StreamRead::TooLarge;
        bytes.append(buffer, n);
    }
    return in.bad() ? StreamRead::Failed : StreamRead::Ok;
}

ReadOptions readOptionsOf(const CliOptions& options) {
    ReadOptions read;
    read.encoding = options.inputEncoding;
    read.limit = options.maxInputSize;
    return read;
}

std::string readFailure(const std::string& input, const TextFileRead& read) {
    return cliMessage("cannot-read"_text,
                      {displayName(input), cliText(read.reason.toStdString()) +
                                               (read.tooLarge ? cliText("limit-hint"_text) : "")});
}

std::string writeFailure(const std::string& output, const QString& reason) {
    return cliMessage("cannot-write"_text, {shownPath(output), cliText(reason.toStdString())});
}

bool isLineBreakCommand(CliCommand command) {
    return command == CliCommand::AddBreaks || command == CliCommand::RemoveBreaks;
}

LineBreakRewrite lineBreakRewrite(CliCommand command) {
    return command == CliCommand::AddBreaks ? addLineBreaksInto : removeLineBreaksInto;
}

// What an extraction leaves for its output: the result, the posts kept
// (the author's only, with --author), the thread's title.
struct ExtractResult {
    Extraction kept;
    std::u16string title;
    ExportOptions exportOptions;
    ExportInput exportInput() const { return {kept.document, kept.posts, exportOptions}; }
};

// Extracts the page and frees it. False, with a message, when --author
// auto finds no author: nothing is written then.
bool extractForExport(const CliOptions& options, const std::string& input, DecodedText& decoded,
                      ExtractResult& result, std::vector<std::string>& messages) {
    ResolvedAuthor author;
    if (!resolveAuthorOf(options, input, decoded.text, author, messages)) return false;
    const ExportFormat& output = exportFormat(options.to);
    const bool byAuthor = author.author.key != AuthorKey::Off;
    const bool withPosts = output.fromPosts || byAuthor || options.withHeader || options.headings ||
                           options.known != nullptr;
    result.kept = extractPosts(decoded.text, options.level, options.merge ? 1 : 0, withPosts,
                               options.detector);
    if (withPosts) result.title = pageTitle(decoded.text);
    std::u16string().swap(decoded.text);
    keepAuthorsPosts(result.kept.posts, author.author);
    if (options.known != nullptr) keepNewOnly(*options.known, result.kept);
    result.exportOptions = {
        byAuthor || options.withHeader, options.withHeader, options.headings, result.title,
        options.outputEncoding == OutputEncoding::Utf8 ? u"UTF-8" : u"Shift_JIS"};
    return true;
}

// Every picture into a file of its own beside path (NAME-<post>.EXT), each
// written whole; the first that fails ends the run.
bool deliverPictures(const CliOptions& options, const ExtractResult& result,
                     const std::string& path, FileOutcome& outcome) {
    const std::vector<Picture> pictures = picturesOf(result.exportInput());
    const std::u16string base = toQPath(path).toStdU16String();
    bool ok = true;
    exportFormat(options.to)
        .writePictures(
            pictures, options.picture, [&](std::uint64_t number, std::string_view bytes) {
                const QString file = QString::fromStdU16String(pictureFileName(base, number));
                QString reason;
                ok = saveFileAtomically(
                    file, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &reason);
                if (!ok) outcome.messages.push_back(writeFailure(fromQPath(file), reason));
                return ok;
            });
    return ok;
}

// Runs the command and hands its result to encoder. The line-break commands
// give it slice by slice as they go, so their whole result is never held;
// the extraction's is small, and the page was freed before it is encoded.
void runCommand(const CliOptions& options, DecodedText& decoded, const ExtractResult* extracted,
                TextEncoder& encoder) {
    const TextSink encode = [&encoder](std::u16string_view slice) { encoder.encode(slice); };
    switch (options.command) {
        case CliCommand::Extract:
            exportFormat(options.to).write(extracted->exportInput(), encode);
            break;
        case CliCommand::Convert:
            encoder.encode(decoded.text);
            break;
        case CliCommand::AddBreaks:
        case CliCommand::RemoveBreaks:
            lineBreakRewrite(options.command)(decoded.text, encode, true);
            break;
        case CliCommand::Explain:
        case CliCommand::Index:
        case CliCommand::Search:
        case CliCommand::Dedup:
            break;
    }
    encoder.finish();
}

bool deliver(const CliOptions& options, DecodedText& decoded, const ExtractResult* extracted,
             const Destination& destination, FileOutcome& outcome) {
    std::size_t references = 0;
    std::string name;
    if (destination.stream == nullptr) {
        name = shownPath(destination.path);
        EncodedText encoded;
        reserveForEncoding(encoded.bytes, decoded.text.size(), options.outputEncoding);
        TextEncoder encoder(options.outputEncoding,
                            [&encoded](std::string_view bytes) { encoded.bytes.append(bytes); });
        runCommand(options, decoded, extracted, encoder);
        std::u16string().swap(decoded.text);
        encoded.references = encoder.references();
        const TextFileWrite written = writeEncodedFile(toQPath(destination.path), encoded);
        if (!written.ok) {
            outcome.messages.push_back(writeFailure(destination.path, written.reason));
            return false;
        }
        references = written.references;
    } else {
        name = cliText("standard-output"_text);
        std::ostream& out = *destination.stream;
        TextEncoder encoder(options.outputEncoding, [&out](std::string_view bytes) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        });
        runCommand(options, decoded, extracted, encoder);
        out.flush();
        if (!out) {
            outcome.messages.push_back(cliMessage("cannot-write-stdout"_text));
            return false;
        }
        references = encoder.references();
    }
    warnReferences(name, references, options.outputEncoding == OutputEncoding::Cp932,
                   outcome.messages);
    return true;
}

// Takes a text that comes in pieces: returns how much of its front it has
// used; the rest comes again at the front of the next call. last: the text
// ends there.
using PieceTaker = std::function<std::size_t(std::u16string_view text, bool last)>;

// Whether extract runs on its input as it is read: a classic page (or one
// recognised as one) into the extraction's own result.
bool extractsInPieces(const CliOptions& options) {
    // The author, the headers and the collection pick among the posts, which
    // the extraction keeps whole: those go through extractForExport.
    const ExportFormat& output = exportFormat(options.to);
    return options.command == CliCommand::Extract && !output.fromPosts &&
           output.kind != ExportKind::OneFilePerPicture && options.author.key == AuthorKey::Off &&
           !options.withHeader && !options.headings && options.known == nullptr &&
           (options.inputFormat == InputFormat::Auto ||
            options.inputFormat == InputFormat::Classic);
}

// extract on a page read in pieces: a classic page (recognition looks only
// at the first kRecognitionUnits, so that much decides) is extracted as it
// comes; a page in another form is held, and converted and extracted whole
// at its end, as from a file read whole.
class ExtractionOfPieces {
public:
    ExtractionOfPieces(const CliOptions& options, const std::string& input, const TextSink& sink)
        : m_options(options),
          m_input(input),
          m_sink(sink),
          m_extraction(options.level, options.merge ? 1 : 0, sink, options.detector) {}

    std::size_t take(std::u16string_view text, bool last) {
        if (m_form == Form::Unknown) {
            if (!last && text.size() <= kRecognitionUnits) return 0;
            const bool classic =
                m_options.inputFormat == InputFormat::Classic ||
                recognizePageFormat(text.substr(0, kRecognitionUnits + 1)) == PageFormat::Classic;
            m_form = classic ? Form::Classic : Form::Other;
        }
        if (m_form == Form::Classic) {
            const std::size_t used = m_extraction.take(text, last);
            if (last && !m_extraction.foundPost() && !m_options.allowEmpty) {
                messages.push_back(noPostsFound(displayName(m_input)));
                m_found = false;
            }
            return used;
        }
        if (!last) return 0;
        std::u16string page(text);
        if (!toClassicInput(m_options, m_input, page, messages)) {
            m_found = false;
            return text.size();
        }
        const Extraction kept =
            extractPosts(page, m_options.level, m_options.merge ? 1 : 0, false, m_options.detector);
        exportFormat(m_options.to).write({kept.document, {}}, m_sink);
        return text.size();
    }

    std::vector<std::string> messages;  // the conversion's
    // False when no post was found and that is an error: nothing is written then.
    bool found() const { return m_found; }

private:
    enum class Form { Unknown, Classic, Other };

    const CliOptions& m_options;
    const std::string& m_input;
    const TextSink& m_sink;
    ExtractAAInPieces m_extraction;
    Form m_form = Form::Unknown;
    bool m_found = true;
};

// Hands a file's text to take as it is read and decoded; piped: reading
// and decoding run on a second thread meanwhile.
TextFileRead readInPieces(const std::string& input, const ReadOptions& options, bool piped,
                          const PieceTaker& take) {
    if (!piped) {
        return readTextFileInPieces(toQPath(input), options, [&](std::u16string& text, bool last) {
            text.erase(0, take(text, last));
        });
    }
    // Pieces that, decoded, stay in the cache of the core that takes them.
    ReadOptions small = options;
    small.pieceBytes = std::size_t{1} << 18;
    PipedRead reading(toQPath(input), small);
    takePieces(reading.pipe(), take);
    return reading.finish();
}

// extract, add-breaks or remove-breaks from a file into a file, a piece at
// a time: read, decoded, run, encoded and written as it comes, so that
// neither the text nor the result is ever held whole. The file is replaced
// only when all of it was read. piped: reading and decoding run on a second
// thread meanwhile (not in a batch, whose files run on threads already).
bool runFileInPieces(const CliOptions& options, const std::string& input, const std::string& output,
                     bool piped, FileOutcome& outcome) {
    TextFileRead read;
    bool readFrom = false;
    std::vector<std::string> converted;
    bool noPosts = false;
    const TextFileWrite written = writeTextFile(
        toQPath(output),
        [&](const TextSink& sink) {
            readFrom = true;
            if (options.command == CliCommand::Extract) {
                ExtractionOfPieces extraction(options, input, sink);
                read = readInPieces(input, readOptionsOf(options), piped,
                                    [&](std::u16string_view text, bool last) {
                                        return extraction.take(text, last);
                                    });
                converted = std::move(extraction.messages);
                noPosts = !extraction.found();
                return read.ok && !noPosts;
            }
            const LineBreakRewrite rewrite = lineBreakRewrite(options.command);
            read = readInPieces(
                input, readOptionsOf(options), piped,
                [&](std::u16string_view text, bool last) { return rewrite(text, sink, last); });
            return read.ok;
        },
        options.outputEncoding);
    if (readFrom && !read.ok) {
        outcome.messages.push_back(readFailure(input, read));
        return false;
    }
    outcome.inputBytes = read.bytes;
    warnUndecodable(input, read.decoded, outcome.messages);
    outcome.messages.insert(outcome.messages.end(), converted.begin(), converted.end());
    if (noPosts) return false;
    if (!written.ok) {
        outcome.messages.push_back(writeFailure(output, written.reason));
        return false;
    }
    warnReferences(shownPath(output), written.references,
                   options.outputEncoding == OutputEncoding::Cp932, outcome.messages);
    return true;
}

// Whether the page holds a post to read; if not, and that was not allowed,
// says so.
bool postsFound(const CliOptions& options, const std::string& name, std::u16string_view page,
                std::vector<std::string>& messages) {
    if (options.allowEmpty || holdsPostBody(page)) return true;
    messages.push_back(noPostsFound(name));
    return false;
}

}  // namespace

bool readInput(const CliOptions& options, const std::string& input, std::istream& in,
               DecodedText& decoded, FileOutcome& outcome) {
    if (input == "-") {
        std::string bytes;
        const StreamRead status = readStream(in, options.maxInputSize, bytes);
        if (status != StreamRead::Ok) {
            outcome.messages.push_back(
                status == StreamRead::TooLarge
                    ? cliMessage("cannot-read"_text,
                                 {displayName(input),
                                  cliText(tooLargeReason(options.maxInputSize).toStdString()) +
                                      cliText("limit-hint"_text)})
                    : cliMessage("cannot-read-stdin"_text));
            return false;
        }
        outcome.inputBytes = bytes.size();
        decoded = decodeDocument(bytes, options.inputEncoding);
        warnUndecodable(input, decoded, outcome.messages);
        return true;
    }
    TextFileRead read = readTextFile(toQPath(input), readOptionsOf(options));
    if (!read.ok) {
        outcome.messages.push_back(readFailure(input, read));
        return false;
    }
    outcome.inputBytes = read.bytes;
    decoded = std::move(read.decoded);
    warnUndecodable(input, decoded, outcome.messages);
    return true;
}

bool toClassicInput(const CliOptions& options, const std::string& input, std::u16string& text,
                    std::vector<std::string>& messages) {
    ClassicPage page = toClassicPage(text, options.inputFormat);
    const std::string name = displayName(input);
    if (!page.recognised()) {
        if (const BoardForm* asked = boardForm(options.inputFormat)) {
            messages.push_back(
                cliMessage("none-found"_text, {name, cliText(asked->noneFound), asked->name}));
            return false;
        }
        return postsFound(options, name, text, messages);
    }
    warnMalformed(name, page, messages);
    if (page.classicEntries > 0) {
        messages.push_back(
            page.classicEntries == 1
                ? cliWarning("classic-entries-one"_text, {name})
                : cliWarning("classic-entries"_text, {name, std::to_string(page.classicEntries)}));
    }
    text = std::move(page.text);
    // The page written in UTF-8 must not tell a browser it is Shift_JIS.
    if (options.outputEncoding == OutputEncoding::Utf8) {
        constexpr std::u16string_view kShiftJis = u"charset=Shift_JIS";
        const std::size_t header = text.find(kShiftJis);
        if (header != std::u16string::npos && header < 256) {
            text.replace(header, kShiftJis.size(), u"charset=UTF-8");
        }
    }
    return postsFound(options, name, text, messages);
}

FileOutcome runOnInput(const CliOptions& options, const std::string& input, std::istream& in,
                       const Destination& destination) {
    FileOutcome outcome;
    try {
        if ((isLineBreakCommand(options.command) || extractsInPieces(options)) && input != "-" &&
            destination.stream == nullptr) {
            outcome.ok = runFileInPieces(options, input, destination.path,
                                         options.outputDir.empty(), outcome);
            return outcome;
        }
        DecodedText decoded;
        if (!readInput(options, input, in, decoded, outcome) ||
            ((options.command == CliCommand::Extract || options.command == CliCommand::Convert) &&
             !toClassicInput(options, input, decoded.text, outcome.messages))) {
            outcome.ok = false;
            return outcome;
        }
        if (options.command != CliCommand::Extract) {
            outcome.ok = deliver(options, decoded, nullptr, destination, outcome);
            return outcome;
        }
        ExtractResult extracted;
        if (!extractForExport(options, input, decoded, extracted, outcome.messages)) {
            outcome.ok = false;
        } else if (exportFormat(options.to).kind == ExportKind::OneFilePerPicture) {
            outcome.ok = deliverPictures(options, extracted, destination.path, outcome);
        } else {
            outcome.ok = deliver(options, decoded, &extracted, destination, outcome);
        }
    } catch (...) {
        outcome.ok = false;
        outcome.messages.push_back(exceptionMessage(input));
    }
    return outcome;
}

}  // namespace mozaru
