// Indexing: every picture of the files given, into a collection; again
// later, only the files whose size or time changed, and without the pictures
// of files that are gone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "collection/database.h"
#include "encoding/text_codec.h"
#include "library/library_forms.h"

namespace mozaru {

struct IndexOptions {
    std::string database;
    std::vector<std::string> inputs;  // files, and folders walked for every file a form reads
    std::vector<std::string> merge;   // other collections, merged in (merge.cpp)
    LibraryReading reading;
    InputEncoding encoding = InputEncoding::Auto;
    unsigned jobs = 1;  // threads that read files while one writes the database
};

struct IndexReport {
    std::size_t filesRead = 0;
    std::size_t filesUnchanged = 0;
    std::size_t filesRemoved = 0;  // gone from disk, or merged over
    std::size_t filesSkipped = 0;  // unreadable or undecodable: named in problems
    std::size_t picturesAdded = 0;
    std::size_t picturesRemoved = 0;
    std::vector<std::string> problems;  // "PATH: what is wrong", one per file skipped
};

// Throws CollectionError when the collection cannot be opened or written;
// then nothing of this run is in it.
IndexReport indexCollection(const IndexOptions& options);
// The same into a collection opened for writing, left to the caller to commit
// (options.database is not opened).
IndexReport indexInto(Database& db, const IndexOptions& options);

// A picture ready to be written, made from a file's item (on any thread).
struct PreparedPicture {
    std::uint64_t item = 0;
    std::string header;  // UTF-8
    std::int64_t lines = 0;
    std::uint64_t exact = 0;
    std::string text;      // packed normalised text
    std::string source;    // packSource; empty: the normalised text
    std::string shingles;  // packed
    std::string key;       // what the search index holds, UTF-8
};
PreparedPicture preparePicture(const LibraryItem& item);

}  // namespace mozaru
