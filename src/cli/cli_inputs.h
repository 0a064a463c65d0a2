// mozaru-cli's inputs: folders walked for pages and logs, and the name each
// result takes in --output-dir.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace mozaru {

// A path as mozaru-cli's arguments name it, as Qt names it, and back.
QString toQPath(const std::string& path);
std::string fromQPath(const QString& path);

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
// written (.mlt, .ast; .html for an HTML result of a .dat log).
std::string outputNameFor(const CliOptions& options, const std::string& input);

// Creates the subfolders of --output-dir that the results need; false, with
// the folder's name in problem, when one cannot be made.
bool makeOutputFolders(const CliOptions& options, std::string& problem);

}  // namespace mozaru
