// mozaru-cli's inputs: folders walked for pages and logs, and the name each
// result takes in --output-dir.
#pragma once

#include <string>
#include <vector>

#include "cli/options.h"

namespace mozaru {

struct FolderExpansion {
    std::string usageProblem;         // a folder without --output-dir
    std::vector<std::string> errors;  // folders that hold no page or log
};

// Replaces every folder among options.inputs by the *.dat, *.html, *.htm and
// *.txt files below it, in every subfolder, sorted, and records their paths
// below it in options.relativePaths. Files inside --output-dir are left out:
// they are results of an earlier run.
FolderExpansion expandFolders(CliOptions& options);

// The result's path below --output-dir ('/' between folders): the input's
// path below its folder, or its file name; with the extension of what is
// written (the output's, or the input's own for an output of the same kind
// of text; .html for a .dat log's page).
std::string outputNameFor(const CliOptions& options, const std::string& input);

// The result's path: --output-dir and outputNameFor.
std::string outputPathFor(const CliOptions& options, const std::string& input);

// Creates the subfolders of --output-dir that the results need; false, with
// the folder's name in problem, when one cannot be made.
bool makeOutputFolders(const CliOptions& options, std::string& problem);

}  // namespace mozaru
