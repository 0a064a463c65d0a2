// mozaru-cli's messages on standard error: one prefix, and the texts that
// several jobs write.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "boards/board_forms.h"
#include "encoding/text_codec.h"

namespace mozaru {

// "mozaru-cli: " and text; a warning has "warning: " after the prefix.
std::string cliMessage(std::string_view text);
std::string cliWarning(std::string_view text);

// "1 byte", "2 bytes".
std::string plural(std::size_t n, std::string_view one, std::string_view many);

// The input's name in messages: standard input has none of its own.
std::string displayName(const std::string& input);

// Undecodable bytes of an input replaced by U+FFFD: nothing when none were.
void warnUndecodable(const std::string& input, const DecodedText& decoded,
                     std::vector<std::string>& messages);
// Characters the output encoding cannot hold, written as references.
void warnReferences(std::string_view output, std::size_t references, bool cp932,
                    std::vector<std::string>& messages);
// The lines of a .dat log that are no post, named as input:line (the first
// few, then a count).
void warnMalformed(const std::string& name, const ClassicPage& page,
                   std::vector<std::string>& messages);

// " (--max-input-size raises it)", after the reason an input is too large.
inline constexpr std::string_view kLimitHint = " (--max-input-size raises it)";

}  // namespace mozaru
