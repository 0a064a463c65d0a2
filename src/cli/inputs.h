// mozaru-cli's inputs: folders walked for pages and logs, and the name each
// result takes in --output-dir.
#pragma once

#include <string>
#include <vector>

#include "cli/options.h"

namespace mozaru {

struct FolderExpansion {
    // A folder without --output-dir; an output folder in a folder given that
    // holds pages or logs.
    std::string usageProblem;
    // Folders that hold no page or log, and every file the walk left out, with why.
    std::vector<std::string> errors;
};

// Replaces every folder among options.inputs by the *.dat, *.html, *.htm and
// *.txt files below it, in every subfolder, sorted by the bytes of their
// names, and records their paths below it in options.relativePaths.
// --output-dir is not walked, and when it lies in a folder given it must
// hold no page or log, which a result could replace unasked. Links
// are left out unless options.followSymlinks, and then those that lead out of
// the folders given, or to a folder above them.
FolderExpansion expandFolders(CliOptions& options);

// The result's path below --output-dir ('/' between folders): the input's
// path below its folder, or its file name; with the extension of what is
// written (the output's, or the input's own for an output of the same kind
// of text; .html for a .dat log's page).
std::string outputNameFor(const CliOptions& options, const std::string& input);

// The result's path: --output-dir and outputNameFor.
std::string outputPathFor(const CliOptions& options, const std::string& input);

// The first of the result's folders below --output-dir, or the result
// itself, that is a symbolic link; empty when none is. --output-dir never
// writes through one: a tree unpacked from an archive could otherwise have
// a result replace any file the links lead to.
std::string linkBelowOutputDir(const CliOptions& options, const std::string& input);

// Creates the subfolders of --output-dir that the results need, none
// through a link; false, with the folder's name in problem, when one cannot
// be made.
bool makeOutputFolders(const CliOptions& options, std::string& problem);

}  // namespace mozaru
