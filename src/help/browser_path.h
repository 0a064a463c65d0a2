// The browser's executable cut out of the registered "open" command text.
#pragma once

#include <string>
#include <string_view>

namespace mozaru {

// What the help command gets when no browser can be found.
inline constexpr std::u16string_view kNoBrowser = u"-1";

// "\"C:\\Program Files\\Web\\browse.exe\" \"%1\"" -> "C:\\Program Files\\Web\\browse.exe":
// the drive letter before the first ":" up to the third character after the
// first ".". kNoBrowser without a ":" or a ".", with ":" as the first
// character, or with the first "." more than three characters before the ":".
// The value ends at its first NUL (the zero-filled rest of the buffer).
std::u16string cutRegExePath(std::u16string_view value);

}  // namespace mozaru
