// Whole text files in their real encodings: read with detection and CR LF
// line breaks, written encoded and atomically.
#pragma once

#include <QString>
#include <cstddef>
#include <string_view>

#include "document/text_codec.h"

namespace mozaru {

struct TextFileRead {
    bool ok = false;
    DecodedText decoded;    // line breaks normalised to CR LF
    std::size_t bytes = 0;  // size of the file as read
    QString reason;  // on failure: the system's description, e.g. "No such file or directory"
};

struct TextFileWrite {
    bool ok = false;
    std::size_t references = 0;  // characters written as &#N;
    QString reason;              // on failure: the system's description
};

// Reads the whole file. Missing files, directories and read errors fail with
// a reason; undecodable bytes do not (they are counted in decoded).
TextFileRead readTextFile(const QString& path, InputEncoding choice = InputEncoding::Auto);

// Decodes bytes read from elsewhere (standard input) the same way.
DecodedText decodeDocument(std::string_view bytes, InputEncoding choice = InputEncoding::Auto);

// Encodes text and replaces the file atomically: on failure the old file stays whole.
TextFileWrite writeTextFile(const QString& path, std::u16string_view text,
                            OutputEncoding encoding = OutputEncoding::Cp932);

// "path: reason", for messages that must name the file.
QString fileMessage(const QString& path, const QString& reason);

}  // namespace mozaru
