// mozaru-cli index: files and folders into a collection, other collections merged in.
#include <ostream>

#include "cli/cli.h"
#include "cli/collection_jobs.h"
#include "cli/messages.h"
#include "collection/database.h"
#include "collection/indexer.h"

namespace mozaru {

IndexOptions indexOptionsOf(const CliOptions& options) {
    IndexOptions index;
    index.database = options.database;
    index.inputs = options.inputs;
    index.merge = options.mergeFrom;
    index.reading.level = options.level;
    index.encoding = options.inputEncoding;
    index.jobs = options.jobs;
    return index;
}

int runIndex(const CliOptions& options, std::ostream& err) {
    IndexReport report;
    try {
        report = indexCollection(indexOptionsOf(options));
    } catch (const std::exception& e) {
        err << cliMessage(e.what()) << "\n";
        return kExitFileError;
    }
    for (const std::string& problem : report.problems) err << cliWarning(problem) << "\n";
    if (!options.quiet) {
        err << cliMessage("index-summary"_text,
                          {options.database,
                           cliCount(report.filesRead, "files-read-one"_text, "files-read"_text),
                           std::to_string(report.filesUnchanged),
                           std::to_string(report.filesRemoved), std::to_string(report.filesSkipped),
                           cliCount(report.picturesAdded, "pictures-added-one"_text,
                                    "pictures-added"_text),
                           std::to_string(report.picturesRemoved)})
            << "\n";
    }
    return report.problems.empty() ? kExitOk : kExitFileError;
}

}  // namespace mozaru
