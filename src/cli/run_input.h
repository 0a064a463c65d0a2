// mozaru-cli's work on one input: read and decode it, run the command, and
// deliver the result encoded to a file or a stream.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/options.h"
#include "encoding/text_codec.h"

namespace mozaru {

struct FileOutcome {
    bool ok = true;                     // false: the input could not be read or the result written
    std::vector<std::string> messages;  // errors and warnings, one line each, without newline
    std::size_t inputBytes = 0;
};

// Where a result goes: a file (written atomically) or a stream.
struct Destination {
    std::string path;
    std::ostream* stream = nullptr;
};

// Reads and decodes input ("-": from in) as options.inputEncoding says, with
// CR LF line breaks. On failure records the error in outcome and returns
// false; undecodable bytes give a warning there.
bool readInput(const CliOptions& options, const std::string& input, std::istream& in,
               DecodedText& decoded, FileOutcome& outcome);

// Replaces text by the classic page it converts to when options.inputFormat
// recognises it (or names its form). Malformed .dat lines are named in
// messages as input:line. False, with a message, when the form asked for
// is not in the input, or when no post is found in it (unless
// options.allowEmpty).
bool toClassicInput(const CliOptions& options, const std::string& input, std::u16string& text,
                    std::vector<std::string>& messages);

// Reads input ("-": from in), applies options.command and delivers the result
// encoded in options.outputEncoding. Never throws.
FileOutcome runOnInput(const CliOptions& options, const std::string& input, std::istream& in,
                       const Destination& destination);

}  // namespace mozaru
