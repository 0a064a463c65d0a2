// mozaru-cli explain: the classifier's figures and verdict for every post body.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "extract/picture_stats.h"

namespace mozaru {

struct ResolvedAuthor;

// Runs the extraction on text with the detector and writes one entry per
// examined body, with that detector's figures: a table for people, or JSON
// lines (UTF-8) when json is set. With an author (not Off), which one and why
// first, and for every body judged ASCII art whether it is the author's.
void writeExplanation(std::u16string_view text, std::int16_t level, Detector detector, bool json,
                      std::ostream& out, const ResolvedAuthor& author);

// UTF-16 as a JSON string body (without quotes): UTF-8, with ", \ and control
// characters escaped, a lone surrogate as its \u escape.
std::string jsonEscaped(std::u16string_view text);

}  // namespace mozaru
