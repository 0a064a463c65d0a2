// The fast paths for prose against the reading piece by piece, on random
// lines of the units that matter to both.
#include "extract/picture_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace mozaru::detail {
namespace {

// Kana, kanji (some twice in a row), digits, the punctuation the fast path
// takes and some it leaves, spaces; then strokes and markup.
const std::vector<std::u16string> kProse = {
    u"あ", u"いう", u"ア", u"カタ", u"漢", u"字字", u"三", u"7", u"２０", u"、", u"。", u"「",
    u"」", u"・",   u"ー", u"！",   u"（", u"）",   u"？", u"…", u"～",   u" ",  u"　"};
const std::vector<std::u16string> kPieces = {
    u"あ", u"いう", u"ア", u"カタ", u"漢",  u"字字",     u"三",     u"7",      u"２０", u"、",
    u"。", u"「",   u"」", u"・",   u"ー",  u"！",       u"（",     u"）",     u"？",   u"…",
    u"～", u"：",   u"\"", u" ",    u"  ",  u"　",       u"\t",     u"|",      u"／",   u"＿",
    u"ﾉ",  u"l",    u"ab", u"&gt;", u"<b>", u"&#12354;", u"\u3400", u"\uF900", u"━━━"};

std::u16string randomLine(std::mt19937& random, const std::vector<std::u16string>& pieces) {
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    std::u16string line;
    for (int n = length(random); n > 0; --n) line += pieces[pick(random)];
    return line;
}

TEST(PictureLines, FastPathAgreesWithPieces) {
    std::mt19937 random(2112);
    for (int round = 0; round < 20000; ++round) {
        const std::u16string line = randomLine(random, round % 2 == 0 ? kProse : kPieces);
        const LineShape fast = shapeOfLine(line, true);
        const LineShape slow = shapeOfLineByPieces(line, true);
        ASSERT_EQ(static_cast<int>(fast.kind), static_cast<int>(slow.kind)) << round;
        ASSERT_EQ(fast.units, slow.units) << round;
        // Reading a graphic line only until it is sure changes only its units.
        ASSERT_EQ(static_cast<int>(shapeOfLine(line, false).kind), static_cast<int>(slow.kind))
            << round;
        // The look at a whole body before its lines misses no graphic line.
        if (slow.kind == LineKind::Graphic) {
            ASSERT_TRUE(mayHoldGraphic(line)) << round;
        }
    }
}

}  // namespace
}  // namespace mozaru::detail
