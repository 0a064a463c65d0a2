// mozaru-cli --author on one input: auto resolved on its page, and said in words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/messages.h"
#include "cli/options.h"
#include "extract/post_author.h"

namespace mozaru {

// options.author with auto resolved on the input's classic page. False, with
// the reason in messages, when auto finds no author there.
bool resolveAuthorOf(const CliOptions& options, const std::string& input, std::u16string_view page,
                     ResolvedAuthor& resolved, std::vector<std::string>& messages);

// Which author was chosen and why: "id:Ab3 (the ID in post 1's header)".
std::string authorChosen(const ResolvedAuthor& resolved, CliLanguage language);

}  // namespace mozaru
