// Merging collections.
#include "collection/merge.h"

#include <map>

#include "collection/picture_blobs.h"
#include "library/picture_text.h"
#include "text/utf.h"

namespace mozaru {

void mergeCollection(const std::string& path, CollectionWriter& writer, IndexReport& report) {
    Database other(path, Access::Read);
    std::map<std::string, IndexedFile> current;
    for (IndexedFile& file : writer.files()) current.emplace(file.path, std::move(file));
    Statement files(other.handle(),
                    "SELECT id, path, category, form, size, mtime FROM files ORDER BY path");
    Statement pictures(other.handle(),
                       "SELECT item, header, lines, exact, text, source, shingles "
                       "FROM pictures WHERE file = ? ORDER BY id");
    while (files.step()) {
        IndexedFile file{files.integer(0),           std::string(files.text(1)),
                         std::string(files.text(2)), std::string(files.text(3)),
                         files.integer(4),           files.integer(5)};
        if (const auto it = current.find(file.path); it != current.end()) {
            if (it->second.mtime >= file.mtime) {
                ++report.filesUnchanged;
                continue;
            }
            report.picturesRemoved += writer.removeFile(it->second.id);
            ++report.filesRemoved;
        }
        const std::int64_t id = writer.addFile(file);
        pictures.bind(1, file.id);
        while (pictures.step()) {
            PreparedPicture p;
            p.item = static_cast<std::uint64_t>(pictures.integer(0));
            p.header = pictures.text(1);
            p.lines = pictures.integer(2);
            p.exact = static_cast<std::uint64_t>(pictures.integer(3));
            const auto blob = [&pictures](int column) {
                const std::span<const char> b = pictures.blob(column);
                return b.empty() ? std::string() : std::string(b.data(), b.size());
            };
            p.text = blob(4);
            p.source = blob(5);
            p.shingles = blob(6);
            p.key = toUtf8(searchKeyOf(unpackText(pictures.blob(4))));
            writer.addPicture(id, p);
            ++report.picturesAdded;
        }
        pictures.reset();
        ++report.filesRead;
    }
}

}  // namespace mozaru
