// What one mozaru-cli command line asks for, once parsed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/text_codec.h"

namespace mozaru {

enum class CliCommand { Extract, AddBreaks, RemoveBreaks, Explain };

struct CliOptions {
    CliCommand command = CliCommand::Extract;
    std::int16_t level = 0;
    bool merge = false;
    bool json = false;
    std::string output;     // -o; empty: standard output
    std::string outputDir;  // -d; empty: not a batch into a folder
    InputEncoding inputEncoding = InputEncoding::Auto;
    OutputEncoding outputEncoding = OutputEncoding::Cp932;
    unsigned jobs = 1;
    bool quiet = false;
    std::vector<std::string> inputs;  // "-" is standard input
};

// The input's name in messages: standard input has none of its own.
inline std::string displayName(const std::string& input) {
    return input == "-" ? "standard input" : input;
}

}  // namespace mozaru
