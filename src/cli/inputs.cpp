// mozaru-cli's inputs: folders walked by the bytes of their names, results
// named after them.
#include "cli/inputs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/messages.h"
#include "files/path_text.h"

namespace mozaru {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr std::string_view kSeparators = "/\\";
#else
constexpr std::string_view kSeparators = "/";
#endif

// The file name in path: what follows its last separator.
std::string_view fileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of(kSeparators);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// What follows the last '.' of the file name, in small letters; "" without one.
std::string suffixOf(std::string_view path) {
    const std::string_view name = fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    std::string suffix(dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1));
    for (char& c : suffix) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return suffix;
}

bool isPageOrLog(std::string_view name) {
    const std::string suffix = suffixOf(name);
    return suffix == "dat" || suffix == "json" || suffix == "html" || suffix == "htm" ||
           suffix == "txt";
}

// A log (a .dat, or the smartphone API's .json) becomes a page named .html.
bool isLog(std::string_view name) {
    const std::string suffix = suffixOf(name);
    return suffix == "dat" || suffix == "json";
}

// name with the text after the last '.' of its file name replaced by suffix.
std::string withSuffix(const std::string& name, std::u16string_view suffix) {
    const std::size_t start = name.size() - fileNameOf(name).size();
    const std::size_t dot = name.rfind('.');
    std::string out = name.substr(0, dot != std::string::npos && dot >= start ? dot : name.size());
    out += '.';
    for (const char16_t c : suffix) out += static_cast<char>(c);  // ASCII
    return out;
}

// Whether path lies in folder or is it (both canonical).
bool isWithin(const fs::path& path, const fs::path& folder) {
    return std::mismatch(folder.begin(), folder.end(), path.begin(), path.end()).first ==
           folder.end();
}

// The first page or log below folder, in the order of the names, links not
// followed; empty when there is none.
fs::path firstPageBelow(const fs::path& folder) {
    std::error_code ec;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        entries.push_back(it->path());
    }
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        const fs::file_status status = fs::symlink_status(entry, ec);
        if (fs::is_regular_file(status) && isPageOrLog(nativeOf(entry.filename()))) return entry;
        if (!fs::is_directory(status)) continue;
        fs::path below = firstPageBelow(entry);
        if (!below.empty()) return below;
    }
    return {};
}

// The pages and logs below the folders given, found by the bytes of their
// names, which no decoding can lose. Every file left out is named in the
// messages with why; links are followed only when asked, and then only to
// what lies within the folders given.
class FolderWalk {
public:
    FolderWalk(const CliOptions& options, std::vector<std::string>& messages)
        : m_follow(options.followSymlinks), m_messages(messages) {
        if (!options.outputDir.empty()) m_outputDir = fsPath(options.outputDir);
        for (const std::string& input : options.inputs) {
            std::error_code ec;
            const fs::path folder = fs::canonical(fsPath(input), ec);
            if (!ec && fs::is_directory(folder, ec)) m_roots.push_back(folder);
        }
    }

    // Paths relative to folder, '/' between names, sorted; false when
    // something below it was left out.
    bool pagesBelow(const std::string& folder, std::vector<std::string>& pages) {
        const std::size_t messages = m_messages.size();
        m_folder = folder;
        if (isOutputDir(fsPath(folder))) {
            checkOutputDir(fsPath(folder));
        } else {
            walk(fsPath(folder), {});
        }
        std::sort(m_found.begin(), m_found.end());
        pages = std::move(m_found);
        m_found.clear();
        return m_messages.size() == messages;
    }

    // Why the run cannot be: the output folder lies in a folder given and
    // holds pages or logs of its own.
    const std::string& problem() const { return m_problem; }

private:
    // The output folder is not walked: what it holds are results of an
    // earlier run, or files that a result of this one could replace, which
    // only the user can tell apart.
    void checkOutputDir(const fs::path& folder) {
        const fs::path page = firstPageBelow(folder);
        if (page.empty() || !m_problem.empty()) return;
        const std::string given = shownPath(m_folder);
        const bool same = isOutputDir(fsPath(m_folder));
        m_problem = cliText(same ? "output-dir-is-given"_text : "output-dir-in-given"_text,
                            {shownPath(nativeOf(folder)), given, shownPath(nativeOf(page))});
    }

    void skip(const fs::path& path, std::string_view why) {
        m_messages.push_back(cliMessage("skipped"_text, {shownPath(nativeOf(path)), why}));
    }

    bool isOutputDir(const fs::path& folder) const {
        std::error_code ec;
        return !m_outputDir.empty() && fs::equivalent(folder, m_outputDir, ec);
    }

    void walk(const fs::path& folder, const std::string& relative) {
        std::error_code ec;
        if (m_follow) m_walking.push_back(fs::canonical(folder, ec));
        // In the order of their names, so that the messages come in an order.
        std::vector<std::string> names;
        fs::directory_iterator it(folder, ec);
        for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
            names.push_back(nativeOf(it->path().filename()));
        }
        if (ec) skip(folder, cliText(ec.message()));
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            take(folder / fsPath(name), name, relative.empty() ? name : relative + '/' + name);
        }
        if (m_follow) m_walking.pop_back();
    }

    void take(const fs::path& path, const std::string& name, const std::string& relative) {
        std::error_code ec;
        const fs::file_status own = fs::symlink_status(path, ec);
        if (ec) return skip(path, cliText(ec.message()));
        if (fs::is_symlink(own)) return followLink(path, name, relative);
        if (fs::is_directory(own)) {
            if (isOutputDir(path)) return checkOutputDir(path);
            return walk(path, relative);
        }
        if (!isPageOrLog(name)) return;
        if (!fs::is_regular_file(own)) return skip(path, cliText("not-regular"_text));
        m_found.push_back(relative);
    }

    void followLink(const fs::path& path, const std::string& name, const std::string& relative) {
        std::error_code ec;
        const fs::file_status target = fs::status(path, ec);
        if (!fs::exists(target)) return skip(path, cliText("link-to-nothing"_text));
        if (!fs::is_directory(target) && !isPageOrLog(name)) return;
        if (!m_follow) return skip(path, cliText("link-not-followed"_text));
        const fs::path real = fs::canonical(path, ec);
        if (ec) return skip(path, cliText(ec.message()));
        if (std::none_of(m_roots.begin(), m_roots.end(),
                         [&](const fs::path& root) { return isWithin(real, root); })) {
            return skip(path, cliText("link-out"_text));
        }
        if (!fs::is_directory(target)) {
            if (!fs::is_regular_file(target)) return skip(path, cliText("not-regular"_text));
            m_found.push_back(relative);
            return;
        }
        if (isOutputDir(path)) return checkOutputDir(path);
        if (std::find(m_walking.begin(), m_walking.end(), real) != m_walking.end()) {
            return skip(path, cliText("link-above"_text));
        }
        walk(path, relative);
    }

    const bool m_follow;
    std::vector<std::string>& m_messages;
    std::string m_folder;  // the folder given being walked
    std::string m_problem;
    fs::path m_outputDir;
    std::vector<fs::path> m_roots;    // the folders given, canonical
    std::vector<fs::path> m_walking;  // the folders being walked, canonical
    std::vector<std::string> m_found;
};

}  // namespace

FolderExpansion expandFolders(CliOptions& options) {
    FolderExpansion expansion;
    FolderWalk walk(options, expansion.errors);
    std::vector<std::string> inputs;
    for (const std::string& input : options.inputs) {
        std::error_code ec;
        if (input == "-" || !fs::is_directory(fsPath(input), ec)) {
            inputs.push_back(input);
            continue;
        }
        if (options.outputDir.empty()) {
            expansion.usageProblem = cliText("folder-needs-d"_text, {shownPath(input)});
            return expansion;
        }
        std::vector<std::string> pages;
        const bool whole = walk.pagesBelow(input, pages);
        if (!walk.problem().empty()) {
            expansion.usageProblem = walk.problem();
            return expansion;
        }
        if (whole && pages.empty()) {
            expansion.errors.push_back(cliMessage("no-pages-in-folder"_text, {shownPath(input)}));
        }
        for (const std::string& page : pages) {
            const std::string path = nativeOf(fsPath(input) / fsPath(page));
            options.relativePaths[path] = page;
            inputs.push_back(path);
        }
    }
    options.inputs = std::move(inputs);
    return expansion;
}

std::string outputNameFor(const CliOptions& options, const std::string& input) {
    const auto relative = options.relativePaths.find(input);
    std::string name =
        relative != options.relativePaths.end() ? relative->second : std::string(fileNameOf(input));
    const bool fromLog = isLog(name);
    switch (options.command) {
        case CliCommand::Extract: {
            const ExportFormat& output = exportFormat(options.to);
            if (!output.keepsInputName || fromLog) name = withSuffix(name, output.extension);
            break;
        }
        case CliCommand::Convert:
            if (fromLog) name = withSuffix(name, u"html");
            break;
        default:
            break;
    }
    return name;
}

std::string outputPathFor(const CliOptions& options, const std::string& input) {
    return nativeOf(fsPath(options.outputDir) / fsPath(outputNameFor(options, input)));
}

namespace {

// Calls f with --output-dir followed by each name of the result's path
// below it in turn, the file's own last, until f returns false.
template <class F>
void forEachStepBelowOutputDir(const CliOptions& options, const std::string& input, F f) {
    fs::path path = fsPath(options.outputDir);
    const fs::path name = fsPath(outputNameFor(options, input));
    for (auto step = name.begin(); step != name.end(); ++step) {
        path /= *step;
        if (!f(path, std::next(step) == name.end())) return;
    }
}

}  // namespace

std::string linkBelowOutputDir(const CliOptions& options, const std::string& input) {
    std::string link;
    forEachStepBelowOutputDir(options, input, [&](const fs::path& path, bool) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(path, ec);
        if (fs::is_symlink(status)) link = nativeOf(path);
        return link.empty() && fs::exists(status);
    });
    return link;
}

bool makeOutputFolders(const CliOptions& options, std::string& problem) {
    // --output-dir itself is the user's: made as named, through links or not.
    std::error_code ec;
    fs::create_directories(fsPath(options.outputDir), ec);
    if (ec) {
        problem = options.outputDir;
        return false;
    }
    for (const std::string& input : options.inputs) {
        // Folder by folder: one that is a link is not gone through (nor
        // written into: linkBelowOutputDir).
        forEachStepBelowOutputDir(options, input, [&](const fs::path& path, bool file) {
            std::error_code ec;
            const fs::file_status status = fs::symlink_status(path, ec);
            if (file || fs::is_symlink(status)) return false;
            if (fs::is_directory(status) || fs::create_directory(path, ec)) return true;
            problem = nativeOf(path);
            return false;
        });
        if (!problem.empty()) return false;
    }
    return true;
}

}  // namespace mozaru
