// How the picture detector sees one line of a body: graphic, faint, text,
// neither, or empty.
#pragma once

#include <cstdint>
#include <string_view>

namespace mozaru::detail {

// A line is cut into pieces at its spaces (half-width, full-width); a piece
// is strokes or text by what it is made of. Graphic: its stroke pieces hold
// enough strokes. Faint: two strokes and nothing else ("|　|"), or a divider
// ("━━━━"). Text: its other pieces hold a word.
enum class LineKind : std::uint8_t { Empty, Graphic, Faint, Text, Other };

struct LineShape {
    LineKind kind = LineKind::Other;
    // A graphic line's units in its stroke pieces, punctuation beside them included.
    std::int64_t units = 0;
};

// line: a line of a body, "<BR>" tags and anchors taken out; other tags are
// skipped and character references read as what they show. whole false: a
// graphic line may be read only until it is sure to be one, its units then
// counted so far.
LineShape shapeOfLine(std::u16string_view line, bool whole);

// False when no line of text can be graphic: every unit is a kana, a kanji,
// a digit, a space or prose's punctuation, and no kanji or katakana stands
// twice in a row. (True does not mean that one is.)
bool mayHoldGraphic(std::u16string_view text);

// The same read piece by piece, without the fast path for prose; for tests.
LineShape shapeOfLineByPieces(std::u16string_view line, bool whole);

}  // namespace mozaru::detail
