// Long-name expansion of a path, one directory lookup per component.
#include "document/expand_long_path.h"

#include <optional>
#include <vector>

#include "document/paths.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <QDir>
#include <QString>
#endif

namespace mozaru {

namespace {

std::vector<std::u16string_view> splitAt(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    for (std::size_t hit = text.find(separator); hit != std::u16string_view::npos;
         hit = text.find(separator, start)) {
        parts.push_back(text.substr(start, hit - start));
        start = hit + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

#ifdef _WIN32

// The stored name of the first entry matching pattern, hidden and system
// entries skipped; folders are entries like any other.
std::optional<std::u16string> findStoredName(const std::u16string& pattern) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(reinterpret_cast<LPCWSTR>(pattern.c_str()), &data);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::u16string> found;
    do {
        if ((data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0) {
            found = std::u16string(reinterpret_cast<const char16_t*>(data.cFileName));
            break;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return found;
}

std::optional<std::u16string> lookUp(const std::u16string& folder, std::u16string_view component) {
    std::u16string pattern = folder;
    pattern += u'\\';
    pattern += component;
    return findStoredName(pattern);
}

#else

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

#endif

// result already holds the fixed beginning; components from start on are
// looked up. Nothing when one of them is not found.
std::optional<std::u16string> expandFrom(std::u16string result,
                                         const std::vector<std::u16string_view>& parts,
                                         std::size_t start) {
    for (std::size_t i = start; i < parts.size(); ++i) {
        const std::optional<std::u16string> name = lookUp(result, parts[i]);
        if (!name) return std::nullopt;
        result += kPathSeparator;
        result += *name;
    }
    return result;
}

}  // namespace

std::u16string ExpandLongPath(std::u16string_view path) {
    if (path.empty()) return {};
    const std::u16string original(path);
#ifdef _WIN32
    const std::vector<std::u16string_view> parts = splitAt(path, u'\\');
    std::optional<std::u16string> expanded;
    if (!parts[0].empty() && parts[0].back() == u':') {
        expanded = expandFrom(std::u16string(parts[0]), parts, 1);
    } else if (parts.size() >= 5 && parts[0].empty() && parts[1].empty()) {
        // "\\server\share" stays as given; the lookups start below the share.
        std::u16string beginning = u"\\\\";
        beginning += parts[2];
        beginning += u'\\';
        beginning += parts[3];
        expanded = expandFrom(std::move(beginning), parts, 4);
    }
#else
    std::u16string absolute = original;
    if (path.front() != u'/') {
        absolute =
            QDir::current().absoluteFilePath(QStringView(original).toString()).toStdU16String();
    }
    const std::vector<std::u16string_view> parts = splitAt(absolute, u'/');
    const std::optional<std::u16string> expanded = expandFrom(std::u16string(), parts, 1);
#endif
    return expanded ? *expanded : original;
}

}  // namespace mozaru
