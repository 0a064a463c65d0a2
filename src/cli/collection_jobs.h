// mozaru-cli's collection commands: index, search and dedup, one file each.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/options.h"
#include "collection/indexer.h"
#include "collection/search.h"

namespace mozaru {

int runIndex(const CliOptions& options, std::ostream& err);                      // index.cpp
int runSearch(const CliOptions& options, std::ostream& out, std::ostream& err);  // search.cpp
int runDedup(const CliOptions& options, std::ostream& out, std::ostream& err);   // dedup.cpp

// What index reads, as the options say (index.cpp; dedup reads inputs so too).
IndexOptions indexOptionsOf(const CliOptions& options);
// "PATH:ITEM", and the picture's first line that is not empty (search.cpp).
std::string pictureName(const FoundPicture& picture);
std::string firstLineUtf8(const FoundPicture& picture);

}  // namespace mozaru
