// Long-name expansion of a Windows path through FindFirstFileW, one lookup per component.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <optional>
#include <vector>

#include "files/expand_long_path.h"
#include "files/path_walk.h"

namespace mozaru {

namespace {

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
    // A doubled or trailing backslash names no entry, as on the other systems.
    if (component.empty()) return std::nullopt;
    std::u16string pattern = folder;
    pattern += u'\\';
    pattern += component;
    return findStoredName(pattern);
}

}  // namespace

std::u16string ExpandLongPath(std::u16string_view path) {
    if (path.empty()) return {};
    const std::vector<std::u16string_view> parts = splitAt(path, u'\\');
    std::optional<std::u16string> expanded;
    if (!parts[0].empty() && parts[0].back() == u':') {
        expanded = expandFrom(std::u16string(parts[0]), parts, 1, u'\\', lookUp);
    } else if (parts.size() >= 5 && parts[0].empty() && parts[1].empty()) {
        // "\\server\share" stays as given; the lookups start below the share.
        std::u16string beginning = u"\\\\";
        beginning += parts[2];
        beginning += u'\\';
        beginning += parts[3];
        expanded = expandFrom(std::move(beginning), parts, 4, u'\\', lookUp);
    }
    return expanded ? *expanded : std::u16string(path);
}

}  // namespace mozaru
