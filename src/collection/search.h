// Substring search in a collection: the trigram index finds the pictures
// that may hold the text, the pictures' own texts confirm it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "collection/database.h"

namespace mozaru {

struct SearchOptions {
    std::u16string text;   // spaces match as runs: any run of spaces matches any other
    std::string category;  // empty: every category; else it and the categories below it
    std::size_t limit = 20;
};

struct FoundPicture {
    std::int64_t id = 0;
    std::string path;
    std::string category;
    std::uint64_t item = 0;
    std::u16string header;
    std::u16string text;  // normalised
};

// The pictures that hold the text, in the order they were indexed. A text of
// fewer than three characters (less its spaces' runs) is looked for in every
// picture in turn, which takes longer on a large collection.
std::vector<FoundPicture> searchCollection(Database& db, const SearchOptions& options);

// One picture by its id, as search gives it.
FoundPicture pictureById(Database& db, std::int64_t id);

}  // namespace mozaru
