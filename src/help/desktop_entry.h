// The program named by a desktop entry's Exec= line (freedesktop.org rules).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

// The Exec value of the [Desktop Entry] group, its escapes (\s \n \t \r \\)
// resolved; nothing when there is none.
std::optional<std::u16string> desktopEntryExec(std::u16string_view fileText);

// The arguments of an Exec value: split at spaces, double quotes removed with
// their backslash escapes, field codes (%u %U %f %F ...) dropped, "%%" as "%".
std::vector<std::u16string> splitExecLine(std::u16string_view exec);

// The program an Exec value starts, past an "env VAR=value ..." prefix;
// empty when there is none.
std::u16string execProgram(std::u16string_view exec);

}  // namespace mozaru
