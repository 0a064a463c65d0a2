// mozaru-cli's file work: read, apply the command, write; batches on threads.
#include "cli/cli_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <iomanip>
#include <istream>
#include <map>
#include <mutex>
#include <ostream>
#include <thread>

#include "cli/cli.h"
#include "cli/cli_formats.h"
#include "cli/cli_inputs.h"
#include "cli/text_pipe.h"
#include "files/text_file.h"
#include "linebreaks/line_breaks.h"

namespace mozaru {

namespace {

const std::string kProgram = "mozaru-cli: ";

// Runs the command and hands its result to encoder. The line-break commands
// give it slice by slice as they go, so their whole result is never held;
// the extraction's is small, and the page is freed before it is encoded.
void runCommand(const CliOptions& options, DecodedText& decoded, TextEncoder& encoder) {
    const TextSink encode = [&encoder](std::u16string_view slice) { encoder.encode(slice); };
    switch (options.command) {
        case CliCommand::Extract: {
            const std::u16string result = extractResult(options, decoded.text);
            std::u16string().swap(decoded.text);
            encoder.encode(result);
            break;
        }
        case CliCommand::Convert:
            encoder.encode(decoded.text);
            break;
        case CliCommand::AddBreaks:
            addLineBreaksInto(decoded.text, encode);
            break;
        case CliCommand::RemoveBreaks:
            removeLineBreaksInto(decoded.text, encode);
            break;
        case CliCommand::Explain:
            break;
    }
    encoder.finish();
}

std::string plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

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

const std::string kLimitHint = " (--max-input-size raises it)";

void warnReferences(const CliOptions& options, const std::string& output, std::size_t references,
                    FileOutcome& outcome) {
    if (references == 0) return;
    const char* encodingLabel =
        options.outputEncoding == OutputEncoding::Cp932 ? "not in CP932 " : "";
    outcome.messages.push_back(kProgram + "warning: " + output + ": " +
                               plural(references, "character ", "characters ") + encodingLabel +
                               "written as &#N; references");
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
            outcome.messages.push_back(kProgram + "cannot write " + destination.path + ": " +
                                       written.reason.toStdString());
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
            outcome.messages.push_back(kProgram + "cannot write standard output");
            return false;
        }
        references = encoder.references();
    }
    warnReferences(options, name, references, outcome);
    return true;
}

// One line on a terminal, rewritten as files finish.
class Progress {
public:
    Progress(std::ostream& err, std::size_t total, bool enabled)
        : m_err(err), m_total(total), m_enabled(enabled) {}

    void fileDone(std::size_t bytes) {
        if (!m_enabled) return;
        const std::lock_guard lock(m_mutex);
        ++m_done;
        m_bytes += bytes;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        const double mbPerSecond = seconds > 0 ? m_bytes / 1e6 / seconds : 0.0;
        m_err << "\r" << m_done << "/" << m_total << " files, " << std::fixed
              << std::setprecision(1) << mbPerSecond << " MB/s" << std::flush;
    }

    void finish() {
        if (m_enabled && m_done > 0) m_err << "\n" << std::flush;
    }

private:
    std::ostream& m_err;
    std::mutex m_mutex;
    const std::size_t m_total;
    const bool m_enabled;
    std::size_t m_done = 0;
    double m_bytes = 0;
    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

std::string outputPathFor(const CliOptions& options, const std::string& input) {
    return fromQPath(
        QDir(toQPath(options.outputDir)).filePath(toQPath(outputNameFor(options, input))));
}

void warnUndecodable(const std::string& input, const DecodedText& decoded, FileOutcome& outcome) {
    if (decoded.undecodable == 0) return;
    outcome.messages.push_back(
        kProgram + "warning: " + displayName(input) + ": " +
        plural(decoded.undecodable, "undecodable byte", "undecodable bytes") +
        " replaced by U+FFFD (read as " + std::string(encodingName(decoded.encoding)) + ")");
}

ReadOptions readOptionsOf(const CliOptions& options) {
    ReadOptions read;
    read.encoding = options.inputEncoding;
    read.limit = options.maxInputSize;
    return read;
}

std::string readFailure(const std::string& input, const TextFileRead& read) {
    return kProgram + "cannot read " + input + ": " + read.reason.toStdString() +
           (read.tooLarge ? kLimitHint : "");
}

// Reads a file in pieces on a thread of its own, into a pipe.
class PipedRead {
public:
    PipedRead(const std::string& input, const ReadOptions& options)
        : m_thread([this, input, options] {
              try {
                  m_read = readTextFileInPieces(
                      toQPath(input), options,
                      [this](std::u16string& text, bool /*last*/) { m_pipe.put(text); });
              } catch (const TextPipe::Cancelled&) {
              } catch (...) {
                  m_failure = std::current_exception();
              }
              m_pipe.close();
          }) {}
    // However the taking side ends, the reading stops at its next piece.
    ~PipedRead() {
        if (m_thread.joinable()) {
            m_pipe.cancel();
            m_thread.join();
        }
    }
    PipedRead(const PipedRead&) = delete;
    PipedRead& operator=(const PipedRead&) = delete;

    TextPipe& pipe() { return m_pipe; }
    // Once all was taken: what the read gave.
    TextFileRead finish() {
        m_thread.join();
        if (m_failure) std::rethrow_exception(m_failure);
        return std::move(m_read);
    }

private:
    TextPipe m_pipe;
    TextFileRead m_read;
    std::exception_ptr m_failure;
    std::thread m_thread;  // last: it starts once the rest is there
};

// add-breaks or remove-breaks from a file into a file, a piece at a time:
// read, decoded, rewritten, encoded and written as it comes, so that
// neither the text nor the result is ever held whole. The file is replaced
// only when all of it was read. piped: reading and decoding run on a second
// thread meanwhile (not in a batch, whose files run on threads already).
bool convertInPieces(const CliOptions& options, const std::string& input, const std::string& output,
                     bool piped, FileOutcome& outcome) {
    const bool add = options.command == CliCommand::AddBreaks;
    TextFileRead read;
    bool readFrom = false;
    const TextFileWrite written = writeTextFile(
        toQPath(output),
        [&](const std::function<void(std::u16string_view)>& piece) {
            readFrom = true;
            const TextSink sink = piece;
            if (piped) {
                PipedRead reading(input, readOptionsOf(options));
                rewriteLineBreaks(add, reading.pipe(), sink);
                read = reading.finish();
                return read.ok;
            }
            read = readTextFileInPieces(
                toQPath(input), readOptionsOf(options), [&](std::u16string& text, bool last) {
                    text.erase(0, add ? addLineBreaksInto(text, sink, last)
                                      : removeLineBreaksInto(text, sink, last));
                });
            return read.ok;
        },
        options.outputEncoding);
    if (readFrom && !read.ok) {
        outcome.messages.push_back(readFailure(input, read));
        return false;
    }
    outcome.inputBytes = read.bytes;
    warnUndecodable(input, read.decoded, outcome);
    if (!written.ok) {
        outcome.messages.push_back(kProgram + "cannot write " + output + ": " +
                                   written.reason.toStdString());
        return false;
    }
    warnReferences(options, output, written.references, outcome);
    return true;
}

}  // namespace

bool readDocument(const CliOptions& options, const std::string& input, std::istream& in,
                  DecodedText& decoded, FileOutcome& outcome) {
    if (input == "-") {
        std::string bytes;
        const StreamRead status = readStream(in, options.maxInputSize, bytes);
        if (status != StreamRead::Ok) {
            outcome.messages.push_back(
                kProgram + "cannot read standard input" +
                (status == StreamRead::TooLarge
                     ? ": " + tooLargeReason(options.maxInputSize).toStdString() + kLimitHint
                     : ""));
            return false;
        }
        outcome.inputBytes = bytes.size();
        decoded = decodeDocument(bytes, options.inputEncoding);
        warnUndecodable(input, decoded, outcome);
        return true;
    }
    TextFileRead read = readTextFile(toQPath(input), readOptionsOf(options));
    if (!read.ok) {
        outcome.messages.push_back(readFailure(input, read));
        return false;
    }
    outcome.inputBytes = read.bytes;
    decoded = std::move(read.decoded);
    warnUndecodable(input, decoded, outcome);
    return true;
}

FileOutcome convertOne(const CliOptions& options, const std::string& input, std::istream& in,
                       const Destination& destination) {
    FileOutcome outcome;
    try {
        const bool lineBreaks =
            options.command == CliCommand::AddBreaks || options.command == CliCommand::RemoveBreaks;
        if (lineBreaks && input != "-" && destination.stream == nullptr) {
            outcome.ok = convertInPieces(options, input, destination.path,
                                         options.outputDir.empty(), outcome);
            return outcome;
        }
        DecodedText decoded;
        if (!readDocument(options, input, in, decoded, outcome) ||
            ((options.command == CliCommand::Extract || options.command == CliCommand::Convert) &&
             !convertInput(options, input, decoded.text, outcome.messages))) {
            outcome.ok = false;
            return outcome;
        }
        outcome.ok = deliver(options, decoded, destination, outcome);
    } catch (const std::exception& e) {
        outcome.ok = false;
        outcome.messages.push_back(kProgram + displayName(input) + ": " + e.what());
    }
    return outcome;
}

std::string batchProblem(const CliOptions& options) {
    std::map<QString, std::string> byName;
    for (const std::string& input : options.inputs) {
        if (input == "-") return "standard input (-) has no file name for --output-dir";
        if (QFileInfo(toQPath(input)).fileName().isEmpty()) return input + " names no file";
        const QString name = toQPath(outputNameFor(options, input));
        const auto [it, fresh] = byName.emplace(name, input);
        if (!fresh) {
            return "inputs " + it->second + " and " + input +
                   (QFileInfo(toQPath(it->second)).fileName() ==
                            QFileInfo(toQPath(input)).fileName()
                        ? " have the same file name "
                        : " would both be written to ") +
                   name.toStdString();
        }
        const QFileInfo target(toQPath(outputPathFor(options, input)));
        if (target.exists() &&
            target.canonicalFilePath() == QFileInfo(toQPath(input)).canonicalFilePath()) {
            return "the result of " + input + " would replace it (--output-dir is its folder)";
        }
    }
    return {};
}

int runBatch(const CliOptions& options, std::istream& in, std::ostream& err, bool showProgress) {
    if (!QDir().mkpath(toQPath(options.outputDir))) {
        err << kProgram << "cannot create folder " << options.outputDir << "\n";
        return kExitFileError;
    }
    const std::size_t count = options.inputs.size();
    std::vector<FileOutcome> outcomes(count);
    Progress progress(err, count, showProgress);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            const std::string& input = options.inputs[i];
            outcomes[i] =
                convertOne(options, input, in, Destination{outputPathFor(options, input)});
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
