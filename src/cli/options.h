// What one mozaru-cli command line asks for, and how it is parsed.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "boards/board_forms.h"
#include "encoding/text_codec.h"
#include "exports/exports.h"
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
    ExportId to = ExportId::KeptBodies;  // extract's output
    // Inputs found in a folder: their path below it, which the result keeps
    // below --output-dir. Other inputs keep only their file name.
    std::map<std::string, std::string> relativePaths;
};

// Parses args (the command line without the program's name) into options.
// Nothing when the command is to run; otherwise the exit status, after the
// help on out or a usage error on err.
std::optional<int> parseCommandLine(std::vector<std::string> args, CliOptions& options,
                                    std::ostream& out, std::ostream& err);

// A usage error: the message and the usage on err; the exit status.
int usageError(std::ostream& err, const std::string& message);

}  // namespace mozaru
