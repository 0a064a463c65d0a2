// The component walk of ExpandLongPath, over any directory lookup.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

// The stored name of the first entry of folder matching component, or nothing.
using NameLookUp = std::function<std::optional<std::u16string>(const std::u16string& folder,
                                                               std::u16string_view component)>;

// text cut at every separator: "a\\b\\" gives "a", "b" and "".
std::vector<std::u16string_view> splitAt(std::u16string_view text, char16_t separator);

// result holds the fixed beginning; each of parts from start on is looked up
// in the folder built so far and appended, after separator, as found.
// Nothing when one of them is not found.
std::optional<std::u16string> expandFrom(std::u16string result,
                                         const std::vector<std::u16string_view>& parts,
                                         std::size_t start, char16_t separator,
                                         const NameLookUp& lookUp);

}  // namespace mozaru
