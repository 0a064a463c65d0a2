// mozaru-cli's thread formats: inputs converted to the classic page, and
// extract's results as AA libraries.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"

namespace mozaru {

// Replaces text by the classic page it converts to when options.inputFormat
// recognises it (or names its format). Malformed .dat lines are named in
// messages as input:line. False, with a message, when the format asked for
// is not in the input.
bool convertInput(const CliOptions& options, const std::string& input, std::u16string& text,
                  std::vector<std::string>& messages);

// extract's result in options.to: the document of kept bodies (HTML), or
// an MLT or AST library of them.
std::u16string extractResult(const CliOptions& options, std::u16string_view page);

}  // namespace mozaru
