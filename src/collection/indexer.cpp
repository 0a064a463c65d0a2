// Indexing: files walked, read on worker threads, written in path order on
// this one, all in one transaction.
#include "collection/indexer.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "collection/collection_writer.h"
#include "collection/database.h"
#include "collection/merge.h"
#include "collection/picture_blobs.h"
#include "files/path_text.h"
#include "files/text_file.h"
#include "library/fingerprint.h"
#include "library/picture_text.h"
#include "text/utf.h"

namespace mozaru {

namespace fs = std::filesystem;

namespace {

struct FoundFile {
    std::string path;  // absolute, '/' between folders
    std::string category;
    const LibraryForm* form = nullptr;
    std::int64_t size = 0;
    std::int64_t mtime = 0;
};

struct ReadResult {
    bool ok = false;
    std::string problem;
    std::vector<PreparedPicture> pictures;
};

std::int64_t millisecondsOf(fs::file_time_type time) {
    const auto system = std::chrono::file_clock::to_sys(time);
    return std::chrono::duration_cast<std::chrono::milliseconds>(system.time_since_epoch()).count();
}

std::string absolutePath(const std::string& input) {
    std::error_code error;
    fs::path path = fs::absolute(fs::path(input), error).lexically_normal();
    std::string text = path.generic_string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

std::optional<FoundFile> foundFile(const fs::directory_entry& entry, const std::string& category) {
    const std::string path = absolutePath(entry.path().string());
    const LibraryForm* form = libraryFormFor(fromUtf8(entry.path().filename().string()));
    if (form == nullptr) return std::nullopt;
    std::error_code error;
    FoundFile file{path, category, form, 0, 0};
    file.size = static_cast<std::int64_t>(entry.file_size(error));
    file.mtime = millisecondsOf(entry.last_write_time(error));
    return file;
}

// Every file below the inputs that a form reads, sorted by path; the roots
// whose files this run answers for (a file below one that is not found is gone).
std::vector<FoundFile> walk(const std::vector<std::string>& inputs, std::vector<std::string>& roots,
                            std::vector<std::string>& problems) {
    std::map<std::string, FoundFile> found;
    for (const std::string& input : inputs) {
        std::error_code error;
        const fs::directory_entry top(fs::path(input), error);
        if (error || !top.exists()) {
            problems.push_back(input + ": no such file or folder");
            continue;
        }
        roots.push_back(absolutePath(input));
        if (!top.is_directory()) {
            if (auto file = foundFile(top, "")) {
                found.emplace(file->path, *file);
            } else {
                problems.push_back(input +
                                   ": not a file Mozaru reads (.mlt .ast .txt .html .htm .dat)");
            }
            continue;
        }
        const fs::path base = top.path();
        for (fs::recursive_directory_iterator
                 it(base, fs::directory_options::skip_permission_denied, error),
             end;
             !error && it != end; it.increment(error)) {
            if (!it->is_regular_file(error)) continue;
            const std::string category =
                it->path().parent_path().lexically_relative(base).generic_string();
            if (auto file = foundFile(*it, category == "." ? "" : category)) {
                found.emplace(file->path, *file);
            }
        }
        if (error) problems.push_back(input + ": " + error.message());
    }
    std::vector<FoundFile> files;
    files.reserve(found.size());
    for (auto& [path, file] : found) files.push_back(std::move(file));
    return files;
}

bool isBelow(const std::string& path, const std::vector<std::string>& roots) {
    for (const std::string& root : roots) {
        if (path == root || (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
                             (path[root.size()] == '/' || root == "/"))) {
            return true;
        }
    }
    return false;
}

ReadResult readFile(const FoundFile& file, const IndexOptions& options) {
    ReadResult result;
    ReadOptions read;
    read.encoding = options.encoding;
    const TextFileRead text = readTextFile(toQPath(file.path), read);
    if (!text.ok) {
        result.problem = file.path + ": cannot read: " + text.reason.toStdString();
        return result;
    }
    if (text.decoded.undecodable > 0) {
        result.problem = file.path + ": " + std::to_string(text.decoded.undecodable) +
                         " undecodable bytes (read as " +
                         std::string(encodingName(text.decoded.encoding)) +
                         "); skipped, --input-encoding names its encoding";
        return result;
    }
    for (const LibraryItem& item : file.form->read(text.decoded.text, options.reading)) {
        result.pictures.push_back(preparePicture(item));
    }
    result.ok = true;
    return result;
}

// Files read on worker threads, handed over in order; a worker runs at most
// a window ahead of the writer so that memory stays bounded.
class ReadAhead {
public:
    ReadAhead(const std::vector<const FoundFile*>& files, const IndexOptions& options)
        : m_files(files), m_results(files.size()) {
        const unsigned jobs = std::max(1u, options.jobs);
        for (unsigned j = 0; j < jobs; ++j) {
            m_workers.emplace_back([this, &options] { work(options); });
        }
    }
    ~ReadAhead() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        for (std::thread& worker : m_workers) worker.join();
    }

    ReadResult take(std::size_t i) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_results[i].has_value(); });
        ReadResult result = std::move(*m_results[i]);
        m_results[i].reset();
        m_taken = i + 1;
        m_changed.notify_all();
        return result;
    }

private:
    static constexpr std::size_t kWindow = 64;

    void work(const IndexOptions& options) {
        for (;;) {
            std::size_t i = 0;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return m_stop || m_next < m_taken + kWindow; });
                if (m_stop || m_next >= m_files.size()) return;
                i = m_next++;
            }
            ReadResult result;
            try {
                result = readFile(*m_files[i], options);
            } catch (const std::exception& e) {
                result.problem = m_files[i]->path + ": " + e.what();
            }
            {
                std::lock_guard lock(m_mutex);
                m_results[i] = std::move(result);
            }
            m_changed.notify_all();
        }
    }

    const std::vector<const FoundFile*>& m_files;
    std::vector<std::optional<ReadResult>> m_results;
    std::vector<std::thread> m_workers;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_next = 0;
    std::size_t m_taken = 0;
    bool m_stop = false;
};

}  // namespace

PreparedPicture preparePicture(const LibraryItem& item) {
    PreparedPicture p;
    const std::u16string normalised = normalisedText(item.text, item.kind);
    p.item = item.number;
    p.header = toUtf8(item.header);
    p.lines = normalised.empty() ? 0 : std::count(normalised.begin(), normalised.end(), u'\n') + 1;
    p.exact = textHash(normalised);
    p.text = packText(normalised);
    if (item.text != normalised) p.source = packSource(item.text, normalised);
    p.shingles = packShingles(lineShingles(normalised));
    p.key = toUtf8(searchKeyOf(normalised));
    return p;
}

IndexReport indexCollection(const IndexOptions& options) {
    Database db(options.database, Access::Write);
    try {
        IndexReport report = indexInto(db, options);
        db.commit();
        return report;
    } catch (const CollectionError& e) {
        const std::string what = e.what();
        throw CollectionError((what.rfind(db.path(), 0) == 0 ? what : db.path() + ": " + what) +
                              "; nothing of this run was written, the collection is as it was");
    }
}

IndexReport indexInto(Database& db, const IndexOptions& options) {
    IndexReport report;
    std::vector<std::string> roots;
    const std::vector<FoundFile> files = walk(options.inputs, roots, report.problems);
    CollectionWriter writer(db);
    for (const std::string& other : options.merge) mergeCollection(other, writer, report);
    // What the collection holds of the files below the roots.
    std::map<std::string, IndexedFile> known;
    for (IndexedFile& file : writer.files()) {
        if (isBelow(file.path, roots)) known.emplace(file.path, std::move(file));
    }
    std::vector<const FoundFile*> toRead;
    for (const FoundFile& file : files) {
        const auto it = known.find(file.path);
        if (it != known.end() && it->second.size == file.size && it->second.mtime == file.mtime) {
            ++report.filesUnchanged;
            known.erase(it);
            continue;
        }
        toRead.push_back(&file);
    }
    // Those left are gone, unless a changed file replaces them below.
    std::set<std::string_view> present;
    for (const FoundFile& file : files) present.insert(file.path);
    for (const auto& [path, file] : known) {
        if (present.count(path) == 0) {
            report.picturesRemoved += writer.removeFile(file.id);
            ++report.filesRemoved;
        }
    }
    ReadAhead reading(toRead, options);
    for (std::size_t i = 0; i < toRead.size(); ++i) {
        ReadResult result = reading.take(i);
        if (!result.ok) {
            report.problems.push_back(std::move(result.problem));
            ++report.filesSkipped;
            continue;
        }
        const FoundFile& file = *toRead[i];
        if (const auto it = known.find(file.path); it != known.end()) {
            report.picturesRemoved += writer.removeFile(it->second.id);
        }
        const std::int64_t id = writer.addFile(
            {0, file.path, file.category, std::string(file.form->name), file.size, file.mtime});
        for (const PreparedPicture& picture : result.pictures) writer.addPicture(id, picture);
        report.picturesAdded += result.pictures.size();
        ++report.filesRead;
    }
    return report;
}

}  // namespace mozaru
