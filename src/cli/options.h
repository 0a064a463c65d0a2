// What one mozaru-cli command line asks for, and how it is parsed.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "boards/board_forms.h"
#include "encoding/text_codec.h"
#include "exports/exports.h"
#include "extract/picture_stats.h"
#include "extract/post_author.h"
#include "files/text_file.h"

namespace mozaru {

enum class CliCommand { Extract, AddBreaks, RemoveBreaks, Explain, Convert, Index, Search, Dedup };

class KnownPictures;

struct CliOptions {
    CliCommand command = CliCommand::Extract;
    std::int16_t level = 0;
    bool merge = false;
    Detector detector = Detector::Seed;  // extract's and explain's
    bool json = false;
    bool allowEmpty = false;  // an input in which no post is found is no error
    std::string output;       // -o; empty: standard output
    std::string outputDir;    // -d; empty: not a batch into a folder
    InputEncoding inputEncoding = InputEncoding::Auto;
    OutputEncoding outputEncoding = OutputEncoding::Cp932;
    std::uint64_t maxInputSize = kDefaultInputLimit;  // bytes; larger inputs fail
    unsigned jobs = 1;
    bool quiet = false;
    bool followSymlinks = false;      // the folder walk follows links within the folders given
    std::vector<std::string> inputs;  // "-" is standard input
    InputFormat inputFormat = InputFormat::Auto;
    ExportId to = ExportId::KeptBodies;  // extract's output
    AuthorChoice author;                 // --author: the author's posts only
    bool withHeader = false;             // --with-header
    bool headings = false;               // --headings
    PictureStyle picture;                // --font, --font-size, --line-height, --background
    // Inputs found in a folder: their path below it, which the result keeps
    // below --output-dir. Other inputs keep only their file name.
    std::map<std::string, std::string> relativePaths;
    // The collection: index, search, dedup, and extract --new-only.
    std::string database;                        // --db
    std::vector<std::string> mergeFrom;          // index --merge
    std::string category;                        // search --category
    std::size_t limit = 20;                      // search --limit
    bool toGiven = false;                        // search --to: an output, not the list
    double threshold = 0.8;                      // dedup and extract --new-only
    bool mirror = false;                         // dedup --mirror
    bool newOnly = false;                        // extract --new-only
    std::shared_ptr<const KnownPictures> known;  // what --new-only leaves out, once loaded
};

// Parses args (the command line without the program's name) into options.
// Nothing when the command is to run; otherwise the exit status, after the
// help on out or a usage error on err. outIsTerminal: standard output is a
// terminal, which gets UTF-8 unless --output-encoding says otherwise.
std::optional<int> parseCommandLine(std::vector<std::string> args, CliOptions& options,
                                    std::ostream& out, std::ostream& err,
                                    bool outIsTerminal = false);

// A usage error: the message and the usage on err; the exit status.
int usageError(std::ostream& err, const std::string& message);

}  // namespace mozaru
