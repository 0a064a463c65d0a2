// mozaru-cli's work on one input: read, run the command, write.
#include "cli/run_input.h"

#include <istream>
#include <ostream>

#include "cli/messages.h"
#include "cli/text_pipe.h"
#include "extract/kept_posts.h"
#include "files/path_text.h"
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
    return cliMessage("cannot read " + input + ": " + read.reason.toStdString() +
                      (read.tooLarge ? std::string(kLimitHint) : ""));
}

std::string writeFailure(const std::string& output, const QString& reason) {
    return cliMessage("cannot write " + output + ": " + reason.toStdString());
}

bool isLineBreakCommand(CliCommand command) {
    return command == CliCommand::AddBreaks || command == CliCommand::RemoveBreaks;
}

LineBreakRewrite lineBreakRewrite(CliCommand command) {
    return command == CliCommand::AddBreaks ? addLineBreaksInto : removeLineBreaksInto;
}

// Runs the command and hands its result to encoder. The line-break commands
// give it slice by slice as they go, so their whole result is never held;
// the extraction's is small, and the page is freed before it is encoded.
void runCommand(const CliOptions& options, DecodedText& decoded, TextEncoder& encoder) {
    const TextSink encode = [&encoder](std::u16string_view slice) { encoder.encode(slice); };
    switch (options.command) {
        case CliCommand::Extract: {
            const ExportFormat& output = exportFormat(options.to);
            const Extraction kept =
                extractPosts(decoded.text, options.level, options.merge ? 1 : 0, output.fromPosts);
            std::u16string().swap(decoded.text);
            output.write({kept.document, kept.posts}, encode);
            break;
        }
        case CliCommand::Convert:
            encoder.encode(decoded.text);
            break;
        case CliCommand::AddBreaks:
        case CliCommand::RemoveBreaks:
            lineBreakRewrite(options.command)(decoded.text, encode, true);
            break;
        case CliCommand::Explain:
            break;
    }
    encoder.finish();
}

bool deliver(const CliOptions& options, DecodedText& decoded, const Destination& destination,
             FileOutcome& outcome) {
    std::size_t references = 0;
    std::string name;
    if (destination.stream == nullptr) {
        name = destination.path;
        EncodedText encoded;
        reserveForEncoding(encoded.bytes, decoded.text.size(), options.outputEncoding);
        TextEncoder encoder(options.outputEncoding,
                            [&encoded](std::string_view bytes) { encoded.bytes.append(bytes); });
        runCommand(options, decoded, encoder);
        std::u16string().swap(decoded.text);
        encoded.references = encoder.references();
        const TextFileWrite written = writeEncodedFile(toQPath(destination.path), encoded);
        if (!written.ok) {
            outcome.messages.push_back(writeFailure(destination.path, written.reason));
            return false;
        }
        references = written.references;
    } else {
        name = "standard output";
        std::ostream& out = *destination.stream;
        TextEncoder encoder(options.outputEncoding, [&out](std::string_view bytes) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        });
        runCommand(options, decoded, encoder);
        out.flush();
        if (!out) {
            outcome.messages.push_back(cliMessage("cannot write standard output"));
            return false;
        }
        references = encoder.references();
    }
    warnReferences(name, references, options.outputEncoding == OutputEncoding::Cp932,
                   outcome.messages);
    return true;
}

// add-breaks or remove-breaks from a file into a file, a piece at a time:
// read, decoded, rewritten, encoded and written as it comes, so that
// neither the text nor the result is ever held whole. The file is replaced
// only when all of it was read. piped: reading and decoding run on a second
// thread meanwhile (not in a batch, whose files run on threads already).
bool rewriteFileInPieces(const CliOptions& options, const std::string& input,
                         const std::string& output, bool piped, FileOutcome& outcome) {
    const LineBreakRewrite rewrite = lineBreakRewrite(options.command);
    TextFileRead read;
    bool readFrom = false;
    const TextFileWrite written = writeTextFile(
        toQPath(output),
        [&](const TextSink& sink) {
            readFrom = true;
            if (piped) {
                PipedRead reading(toQPath(input), readOptionsOf(options));
                rewriteLineBreaks(rewrite, reading.pipe(), sink);
                read = reading.finish();
                return read.ok;
            }
            read = readTextFileInPieces(
                toQPath(input), readOptionsOf(options),
                [&](std::u16string& text, bool last) { text.erase(0, rewrite(text, sink, last)); });
            return read.ok;
        },
        options.outputEncoding);
    if (readFrom && !read.ok) {
        outcome.messages.push_back(readFailure(input, read));
        return false;
    }
    outcome.inputBytes = read.bytes;
    warnUndecodable(input, read.decoded, outcome.messages);
    if (!written.ok) {
        outcome.messages.push_back(writeFailure(output, written.reason));
        return false;
    }
    warnReferences(output, written.references, options.outputEncoding == OutputEncoding::Cp932,
                   outcome.messages);
    return true;
}

}  // namespace

bool readInput(const CliOptions& options, const std::string& input, std::istream& in,
               DecodedText& decoded, FileOutcome& outcome) {
    if (input == "-") {
        std::string bytes;
        const StreamRead status = readStream(in, options.maxInputSize, bytes);
        if (status != StreamRead::Ok) {
            outcome.messages.push_back(
                cliMessage("cannot read standard input" +
                           (status == StreamRead::TooLarge
                                ? ": " + tooLargeReason(options.maxInputSize).toStdString() +
                                      std::string(kLimitHint)
                                : "")));
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
            messages.push_back(cliMessage(name + ": " + std::string(asked->noneFound) +
                                          " (--input-format " + std::string(asked->name) + ")"));
            return false;
        }
        return true;
    }
    warnMalformed(name, page, messages);
    text = std::move(page.text);
    // The page written in UTF-8 must not tell a browser it is Shift_JIS.
    if (options.outputEncoding == OutputEncoding::Utf8) {
        constexpr std::u16string_view kShiftJis = u"charset=Shift_JIS";
        const std::size_t header = text.find(kShiftJis);
        if (header != std::u16string::npos && header < 256) {
            text.replace(header, kShiftJis.size(), u"charset=UTF-8");
        }
    }
    return true;
}

FileOutcome runOnInput(const CliOptions& options, const std::string& input, std::istream& in,
                       const Destination& destination) {
    FileOutcome outcome;
    try {
        if (isLineBreakCommand(options.command) && input != "-" && destination.stream == nullptr) {
            outcome.ok = rewriteFileInPieces(options, input, destination.path,
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
        outcome.ok = deliver(options, decoded, destination, outcome);
    } catch (const std::exception& e) {
        outcome.ok = false;
        outcome.messages.push_back(cliMessage(displayName(input) + ": " + e.what()));
    }
    return outcome;
}

}  // namespace mozaru
