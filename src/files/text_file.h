// Whole text files in their real encodings: read with detection and CR LF
// line breaks, written encoded and atomically.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "encoding/detection.h"
#include "text/text.h"

namespace mozaru {

struct TextFileRead {
    bool ok = false;
    DecodedText decoded;    // line breaks normalised to CR LF
    std::size_t bytes = 0;  // size of the file as read
    QString reason;  // on failure: the system's description, e.g. "No such file or directory"
    bool tooLarge = false;  // the failure: the file is larger than the limit
};

// Inputs larger than this fail before they are read, or, when their size is
// known only at their end (a pipe, a device), once this much has been read.
inline constexpr std::uint64_t kDefaultInputLimit = std::uint64_t{4} << 30;

struct ReadOptions {
    InputEncoding encoding = InputEncoding::Auto;
    std::uint64_t limit = kDefaultInputLimit;
    std::size_t sampleBytes = kDetectionSample;     // read first, for the detection
    std::size_t pieceBytes = std::size_t{1} << 20;  // then read and decoded this much at a time
    // Told the bytes read so far after each piece of a file (not of a pipe).
    std::function<void(std::uint64_t bytes)> progress;
};

struct TextFileWrite {
    bool ok = false;
    std::size_t references = 0;  // characters written as &#N;
    QString reason;              // on failure: the system's description
};

// Reads the whole file. Missing files, directories, read errors and files
// over the limit fail with a reason; undecodable bytes do not (they are
// counted in decoded).
TextFileRead readTextFile(const QString& path, InputEncoding choice = InputEncoding::Auto);
TextFileRead readTextFile(const QString& path, const ReadOptions& options);

struct FileBytes {
    bool ok = false;
    std::string bytes;
    QString reason;         // on failure, as TextFileRead's
    bool tooLarge = false;  // the failure: the file is larger than the limit
};

// Reads a small file whole, as bytes: a file over limit fails without being
// read further.
FileBytes readFileBytes(const QString& path, std::uint64_t limit);

// Takes the text decoded so far and not taken yet, erasing from its front
// what it has used; last: the text is complete.
using TextTaker = std::function<void(std::u16string& text, bool last)>;
// Reads the file as readTextFile does, but hands the text over piece by
// piece as it is decoded, so that it is never held whole; decoded.text
// keeps what take left.
TextFileRead readTextFileInPieces(const QString& path, const ReadOptions& options,
                                  const TextTaker& take);

// The reason given for an input over the limit.
QString tooLargeReason(std::uint64_t limit);

// Decodes bytes read from elsewhere (standard input) the same way.
DecodedText decodeDocument(std::string_view bytes, InputEncoding choice = InputEncoding::Auto);

// Encodes text and replaces the file atomically: on failure the old file stays whole.
TextFileWrite writeTextFile(const QString& path, std::u16string_view text,
                            OutputEncoding encoding = OutputEncoding::Cp932);

// A text made piece by piece: hands each piece to the function it is given,
// in order, and returns whether the whole text was made.
using TextPieces = std::function<bool(const TextSink& piece)>;
// Encodes the pieces and writes them as they come: neither the text nor its
// bytes are ever whole. When produce returns false the old file stays.
TextFileWrite writeTextFile(const QString& path, const TextPieces& produce,
                            OutputEncoding encoding = OutputEncoding::Cp932);

// Replaces the file atomically with bytes already encoded.
TextFileWrite writeEncodedFile(const QString& path, const EncodedText& encoded);

// "path: reason", for messages that must name the file.
QString fileMessage(const QString& path, const QString& reason);

}  // namespace mozaru
