// mozaru-cli's file work: one input through one command to its destination,
// and batches of inputs on worker threads.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/cli_options.h"
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
bool readDocument(const CliOptions& options, const std::string& input, std::istream& in,
                  DecodedText& decoded, FileOutcome& outcome);

// Reads input ("-": from in), applies options.command and delivers the result
// encoded in options.outputEncoding. Never throws.
FileOutcome convertOne(const CliOptions& options, const std::string& input, std::istream& in,
                       const Destination& destination);

// Why the inputs cannot be run as a batch into options.outputDir (standard
// input among them, two inputs of one file name, an output that would replace
// an input); empty when they can. Checked before anything is written.
std::string batchProblem(const CliOptions& options);

// Converts every input into options.outputDir with options.jobs threads;
// messages go to err in input order after the run. Returns the exit status.
int runBatch(const CliOptions& options, std::istream& in, std::ostream& err, bool showProgress);

}  // namespace mozaru
