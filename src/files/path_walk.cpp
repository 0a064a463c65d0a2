// The component walk of ExpandLongPath, over any directory lookup.
#include "files/path_walk.h"

namespace mozaru {

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

std::optional<std::u16string> expandFrom(std::u16string result,
                                         const std::vector<std::u16string_view>& parts,
                                         std::size_t start, char16_t separator,
                                         const NameLookUp& lookUp) {
    for (std::size_t i = start; i < parts.size(); ++i) {
        const std::optional<std::u16string> name = lookUp(result, parts[i]);
        if (!name) return std::nullopt;
        result += separator;
        result += *name;
    }
    return result;
}

}  // namespace mozaru
