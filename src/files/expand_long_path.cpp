// Long-name expansion of a POSIX path, one directory lookup per component.
#include "files/expand_long_path.h"

#include <QDir>
#include <QString>
#include <optional>
#include <vector>

#include "files/path_walk.h"
#include "files/paths.h"

namespace mozaru {

namespace {

// "*" any run, "?" one character, everything else literal and case-sensitive:
// file names may hold "[" and "\", which Qt's wildcards would read as syntax.
bool wildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

std::optional<std::u16string> lookUp(const std::u16string& folder, std::u16string_view component) {
    // "." and ".." name the folders themselves; the listing below leaves them out.
    if (component == u"." || component == u"..") return std::u16string(component);
    if (component.empty()) return std::nullopt;
    const QDir dir(folder.empty() ? QStringLiteral("/") : QStringView(folder).toString());
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    // "?" and "*" are legal in names here: an entry of exactly that name is
    // the one meant, and only without one is the component a pattern.
    const QString literal = QStringView(component).toString();
    if (entries.contains(literal)) return std::u16string(component);
    for (const QString& entry : entries) {
        const std::u16string name = entry.toStdU16String();
        if (wildcardMatch(component, name)) return name;
    }
    return std::nullopt;
}

}  // namespace

std::u16string ExpandLongPath(std::u16string_view path) {
    if (path.empty()) return {};
    const std::u16string original(path);
    std::u16string absolute = original;
    if (path.front() != u'/') {
        absolute =
            QDir::current().absoluteFilePath(QStringView(original).toString()).toStdU16String();
    }
    const std::vector<std::u16string_view> parts = splitAt(absolute, u'/');
    const std::optional<std::u16string> expanded =
        expandFrom(std::u16string(), parts, 1, kPathSeparator, lookUp);
    return expanded ? *expanded : original;
}

}  // namespace mozaru
