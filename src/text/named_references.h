// The named character references an AA library may hold.
#pragma once

#include <cstddef>
#include <string_view>

namespace mozaru {

// The character of &NAME; (name without '&' and ';', case as written); 0 for
// a name HTML 4 does not define.
char32_t namedReference(std::u16string_view name);

// The length of the longest name.
std::size_t longestReferenceName();

}  // namespace mozaru
