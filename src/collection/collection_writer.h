// The rows of a collection as indexing and merging write them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "collection/database.h"
#include "collection/indexer.h"

namespace mozaru {

struct IndexedFile {
    std::int64_t id = 0;
    std::string path;
    std::string category;
    std::string form;
    std::int64_t size = 0;
    std::int64_t mtime = 0;
};

class CollectionWriter {
public:
    explicit CollectionWriter(Database& db);

    std::vector<IndexedFile> files();
    // Removes the file and its pictures, from the search index too; returns
    // how many pictures went.
    std::size_t removeFile(std::int64_t id);
    std::int64_t addFile(const IndexedFile& file);
    void addPicture(std::int64_t file, const PreparedPicture& picture);

private:
    Database& m_db;
    Statement m_insertFile;
    Statement m_insertPicture;
    Statement m_insertKey;
    Statement m_picturesOf;
    Statement m_deleteKey;
};

}  // namespace mozaru
