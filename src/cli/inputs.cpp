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
    return suffix == "dat" || suffix == "html" || suffix == "htm" || suffix == "txt";
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

// The pages and logs below one folder, found by the bytes of their names,
// which no decoding can lose.
class FolderWalk {
public:
    explicit FolderWalk(const std::string& outputDir) {
        if (!outputDir.empty()) m_outputDir = fsPath(outputDir);
    }

    // Paths relative to folder, '/' between names, sorted.
    std::vector<std::string> pagesBelow(const std::string& folder) {
        m_found.clear();
        walk(fsPath(folder), {});
        std::sort(m_found.begin(), m_found.end());
        return std::move(m_found);
    }

private:
    bool isOutputDir(const fs::path& folder) const {
        std::error_code ec;
        return !m_outputDir.empty() && fs::equivalent(folder, m_outputDir, ec);
    }

    void walk(const fs::path& folder, const std::string& relative) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = nativeOf(it->path().filename());
            const std::string below = relative.empty() ? name : relative + '/' + name;
            std::error_code entry;
            const fs::file_status status = it->symlink_status(entry);
            if (fs::is_directory(status)) {
                // Files inside --output-dir are results of an earlier run.
                if (!isOutputDir(it->path())) walk(it->path(), below);
            } else if (isPageOrLog(name) && fs::is_regular_file(it->status(entry))) {
                m_found.push_back(below);
            }
        }
    }

    fs::path m_outputDir;
    std::vector<std::string> m_found;
};

}  // namespace

FolderExpansion expandFolders(CliOptions& options) {
    FolderExpansion expansion;
    FolderWalk walk(options.outputDir);
    std::vector<std::string> inputs;
    for (const std::string& input : options.inputs) {
        std::error_code ec;
        if (input == "-" || !fs::is_directory(fsPath(input), ec)) {
            inputs.push_back(input);
            continue;
        }
        if (options.outputDir.empty()) {
            expansion.usageProblem = "the folder " + shownPath(input) + " needs --output-dir (-d)";
            return expansion;
        }
        const std::vector<std::string> pages = walk.pagesBelow(input);
        if (pages.empty()) {
            expansion.errors.push_back(
                cliMessage(shownPath(input) + " holds no .dat, .html, .htm or .txt file"));
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
    const bool fromDat = suffixOf(name) == "dat";
    switch (options.command) {
        case CliCommand::Extract: {
            const ExportFormat& output = exportFormat(options.to);
            if (!output.keepsInputName || fromDat) name = withSuffix(name, output.extension);
            break;
        }
        case CliCommand::Convert:
            if (fromDat) name = withSuffix(name, u"html");
            break;
        default:
            break;
    }
    return name;
}

std::string outputPathFor(const CliOptions& options, const std::string& input) {
    return nativeOf(fsPath(options.outputDir) / fsPath(outputNameFor(options, input)));
}

bool makeOutputFolders(const CliOptions& options, std::string& problem) {
    for (const auto& entry : options.relativePaths) {
        const fs::path folder = fsPath(outputPathFor(options, entry.first)).parent_path();
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec) {
            problem = nativeOf(folder);
            return false;
        }
    }
    return true;
}

}  // namespace mozaru
