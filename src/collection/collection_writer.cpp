// The rows of a collection.
#include "collection/collection_writer.h"

#include <sqlite3.h>

#include "collection/picture_blobs.h"
#include "library/picture_text.h"
#include "text/utf.h"

namespace mozaru {

namespace {

std::span<const char> bytes(const std::string& s) {
    return {s.data(), s.size()};
}

}  // namespace

CollectionWriter::CollectionWriter(Database& db)
    : m_db(db),
      m_insertFile(db.handle(),
                   "INSERT INTO files (path, category, form, size, mtime) VALUES (?, ?, ?, ?, ?)"),
      m_insertPicture(db.handle(),
                      "INSERT INTO pictures (file, item, header, lines, exact, text, source, "
                      "shingles) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
      m_insertKey(db.handle(), "INSERT INTO search (rowid, key) VALUES (?, ?)"),
      m_picturesOf(db.handle(), "SELECT id, text FROM pictures WHERE file = ?"),
      m_deleteKey(db.handle(), "INSERT INTO search (search, rowid, key) VALUES ('delete', ?, ?)") {
    // The index is written in one transaction; a large cache keeps the
    // search index's pages from going to disk and back.
    db.exec("PRAGMA cache_size = -262144");
}

std::vector<IndexedFile> CollectionWriter::files() {
    std::vector<IndexedFile> files;
    Statement all(m_db.handle(), "SELECT id, path, category, form, size, mtime FROM files");
    while (all.step()) {
        files.push_back({all.integer(0), std::string(all.text(1)), std::string(all.text(2)),
                         std::string(all.text(3)), all.integer(4), all.integer(5)});
    }
    return files;
}

std::size_t CollectionWriter::removeFile(std::int64_t id) {
    std::size_t removed = 0;
    m_picturesOf.bind(1, id);
    // The search index keeps no text: a key is removed by giving it again.
    while (m_picturesOf.step()) {
        const std::string key = toUtf8(searchKeyOf(unpackText(m_picturesOf.blob(1))));
        m_deleteKey.bind(1, m_picturesOf.integer(0)).bind(2, key).run();
        ++removed;
    }
    m_picturesOf.reset();
    Statement pictures(m_db.handle(), "DELETE FROM pictures WHERE file = ?");
    pictures.bind(1, id).run();
    Statement file(m_db.handle(), "DELETE FROM files WHERE id = ?");
    file.bind(1, id).run();
    return removed;
}

std::int64_t CollectionWriter::addFile(const IndexedFile& file) {
    m_insertFile.bind(1, file.path)
        .bind(2, file.category)
        .bind(3, file.form)
        .bind(4, file.size)
        .bind(5, file.mtime)
        .run();
    return sqlite3_last_insert_rowid(m_db.handle());
}

void CollectionWriter::addPicture(std::int64_t file, const PreparedPicture& picture) {
    m_insertPicture.bind(1, file)
        .bind(2, static_cast<std::int64_t>(picture.item))
        .bind(3, picture.header)
        .bind(4, picture.lines)
        .bind(5, static_cast<std::int64_t>(picture.exact))
        .bindBlob(6, bytes(picture.text))
        .bindBlob(8, bytes(picture.shingles));
    if (picture.source.empty()) {
        m_insertPicture.bindNull(7);
    } else {
        m_insertPicture.bindBlob(7, bytes(picture.source));
    }
    m_insertPicture.run();
    const std::int64_t id = sqlite3_last_insert_rowid(m_db.handle());
    m_insertKey.bind(1, id).bind(2, picture.key).run();
}

}  // namespace mozaru
