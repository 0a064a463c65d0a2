// Substring search.
#include "collection/search.h"

#include <set>

#include "collection/picture_blobs.h"
#include "library/picture_text.h"
#include "text/utf.h"

namespace mozaru {

namespace {

// Enough trigrams to narrow a long text down; the rest only cost time.
constexpr std::size_t kMostTrigrams = 12;

constexpr std::string_view kPictureColumns =
    "SELECT p.id, f.path, f.category, p.item, p.header, p.text FROM pictures p "
    "JOIN files f ON f.id = p.file ";

FoundPicture found(const Statement& row) {
    return {row.integer(0),           std::string(row.text(1)),
            std::string(row.text(2)), static_cast<std::uint64_t>(row.integer(3)),
            fromUtf8(row.text(4)),    unpackText(row.blob(5))};
}

// The FTS5 query: the key's trigrams (of characters), every one required.
std::string trigramQuery(std::u16string_view key) {
    std::vector<std::size_t> starts;  // of each character
    for (std::size_t i = 0; i < key.size(); i += codePointAt(key, i).units) starts.push_back(i);
    if (starts.size() < 3) return {};
    starts.push_back(key.size());
    std::set<std::u16string_view> trigrams;
    const std::size_t count = starts.size() - 3;
    const std::size_t step =
        count <= kMostTrigrams ? 1 : (count + kMostTrigrams - 1) / kMostTrigrams;
    for (std::size_t k = 0; k < count; k += step) {
        trigrams.insert(key.substr(starts[k], starts[k + 3] - starts[k]));
    }
    trigrams.insert(key.substr(starts[count - 1], starts[count + 2] - starts[count - 1]));
    std::string query;
    for (const std::u16string_view trigram : trigrams) {
        if (!query.empty()) query += ' ';
        query += '"';
        for (const char c : toUtf8(trigram)) {
            query += c;
            if (c == '"') query += '"';
        }
        query += '"';
    }
    return query;
}

bool inCategory(const std::string& category, const std::string& wanted) {
    return wanted.empty() || category == wanted ||
           (category.size() > wanted.size() && category.compare(0, wanted.size(), wanted) == 0 &&
            category[wanted.size()] == '/');
}

}  // namespace

std::vector<FoundPicture> searchCollection(Database& db, const SearchOptions& options) {
    const std::u16string key = searchKeyOf(options.text);
    std::vector<FoundPicture> results;
    const auto consider = [&](FoundPicture picture) {
        if (!inCategory(picture.category, options.category)) return;
        if (searchKeyOf(picture.text).find(key) == std::u16string::npos) return;
        results.push_back(std::move(picture));
    };
    const std::string query = trigramQuery(key);
    if (query.empty()) {
        Statement all(db.handle(), std::string(kPictureColumns) + "ORDER BY p.id");
        while (results.size() < options.limit && all.step()) consider(found(all));
        return results;
    }
    Statement candidates(db.handle(), "SELECT rowid FROM search WHERE search MATCH ?");
    Statement picture(db.handle(), std::string(kPictureColumns) + "WHERE p.id = ?");
    candidates.bind(1, query);
    while (results.size() < options.limit && candidates.step()) {
        picture.bind(1, candidates.integer(0));
        if (picture.step()) consider(found(picture));
        picture.reset();
    }
    return results;
}

FoundPicture pictureById(Database& db, std::int64_t id) {
    Statement picture(db.handle(), std::string(kPictureColumns) + "WHERE p.id = ?");
    picture.bind(1, id);
    if (!picture.step()) throw CollectionError(db.path() + ": no picture " + std::to_string(id));
    return found(picture);
}

}  // namespace mozaru
