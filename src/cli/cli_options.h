// What one mozaru-cli command line asks for, once parsed.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "boards/board_forms.h"
#include "encoding/text_codec.h"
#include "exports/aa_library.h"
#include "files/text_file.h"

namespace mozaru {

enum class CliCommand { Extract, AddBreaks, RemoveBreaks, Explain, Convert };

struct CliOptions {
    CliCommand command = CliCommand::Extract;
    std::int16_t level = 0;
    bool merge = false;
    bool json = false;
    std::string output;     // -o; empty: standard output
    std::string outputDir;  // -d; empty: not a batch into a folder
    InputEncoding inputEncoding = InputEncoding::Auto;
    OutputEncoding outputEncoding = OutputEncoding::Cp932;
    std::uint64_t maxInputSize = kDefaultInputLimit;  // bytes; larger inputs fail
    unsigned jobs = 1;
    bool quiet = false;
    std::vector<std::string> inputs;  // "-" is standard input
    InputFormat inputFormat = InputFormat::Auto;
    LibraryFormat to = LibraryFormat::Html;
    // Inputs found in a folder: their path below it, which the result keeps
    // below --output-dir. Other inputs keep only their file name.
    std::map<std::string, std::string> relativePaths;
};

// The input's name in messages: standard input has none of its own.
inline std::string displayName(const std::string& input) {
    return input == "-" ? "standard input" : input;
}

}  // namespace mozaru
