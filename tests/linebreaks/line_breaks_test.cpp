// Tests of the line-break formatting commands, including the round trip.
#include "linebreaks/line_breaks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "extract/literal_engine.h"
#include "text/text.h"

namespace mozaru {
namespace {

struct LineBreakCase {
    const char* name;
    std::u16string text;
    std::u16string expected;
};

// One table per command; the suite's name says which.
using Command = std::u16string (*)(std::u16string_view);
class LineBreaksTest : public testing::TestWithParam<LineBreakCase> {
protected:
    static Command command() {
        const std::string suite =
            testing::UnitTest::GetInstance()->current_test_info()->test_suite_name();
        return suite.starts_with("Add") ? &AddLineBreaks : &RemoveLineBreaks;
    }
};

TEST_P(LineBreaksTest, GivesExpectedText) {
    EXPECT_EQ(command()(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Add, LineBreaksTest,
    testing::Values(LineBreakCase{"upper", u"a<BR>b", u"a<br>\r\nb"},
                    LineBreakCase{"mixedCase", u"x<Br>y", u"x<br>\r\ny"},
                    LineBreakCase{"breakAlreadyThere", u"a<br>\r\nb", u"a<br>\r\n\r\nb"},
                    LineBreakCase{"protectedLetters", u"\u0451<BR>\u0419", u"\u0451<br>\r\n\u0419"},
                    LineBreakCase{"tokenText", u"<SP0>", u"\u0451"},
                    LineBreakCase{"tokenNextToBr", u"<SP3><BR><SP2>", u"\u0419<br>\r\n\u0439"},
                    LineBreakCase{"notATag", u"<B R><BR ><b>", u"<B R><BR ><b>"},
                    LineBreakCase{"nestedBracket", u"<<BR>>", u"<<br>\r\n>"},
                    LineBreakCase{"atEnd", u"<BR>", u"<br>\r\n"},
                    LineBreakCase{"truncatedAtEnd", u"a<BR", u"a<BR"},
                    LineBreakCase{"empty", u"", u""}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Remove, LineBreaksTest,
    testing::Values(LineBreakCase{"one", u"a<br>\r\nb", u"a<br>b"},
                    LineBreakCase{"onlyOneGoes", u"a<BR>\r\n\r\nb", u"a<br>\r\nb"},
                    LineBreakCase{"beforeRuleStays", u"x<BR>\r\n<HR>", u"x<br>\r\n<HR>"},
                    LineBreakCase{"ruleGetsBreak", u"x<br><hr>", u"x<br>\r\n<HR>"},
                    LineBreakCase{"loneLfUntouched", u"x<BR>\ny", u"x<BR>\ny"},
                    LineBreakCase{"loneCrUntouched", u"x<bR>\ry", u"x<bR>\ry"},
                    LineBreakCase{"tagAloneKeepsCase", u"x<Br>y", u"x<Br>y"},
                    LineBreakCase{"protectedLetters", u"\u0451<br>\r\n\u0419", u"\u0451<br>\u0419"},
                    LineBreakCase{"tokenText", u"<SP0><BR>\r\n", u"\u0451<br>"},
                    // The second tag meets the rule only once the break after it is gone.
                    LineBreakCase{"brBrRule", u"<BR><BR>\r\n<HR>", u"<BR><br>\r\n<HR>"},
                    LineBreakCase{"twoBreaksBeforeRule", u"<BR>\r\n\r\n<HR>", u"<br>\r\n<HR>"},
                    LineBreakCase{"ruleThenBr", u"<BR><HR><BR>\r\n", u"<br>\r\n<HR><br>"},
                    LineBreakCase{"extractLayout", u"\r\n<HR>\r\na<br>\r\nb<br>\r\n<HR>\r\nc<HR>",
                                  u"\r\n<HR>\r\na<br>b<br>\r\n<HR>\r\nc<HR>"},
                    LineBreakCase{"empty", u"", u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineBreaks, RoundTripOfEdgeCaseExample) {
    const std::u16string added = AddLineBreaks(u"\u0451<BR>\u0419");
    EXPECT_EQ(added, u"\u0451<br>\r\n\u0419");
    EXPECT_EQ(RemoveLineBreaks(added), u"\u0451<br>\u0419");
}

// Removing the breaks that were added gives the text back with every <BR>
// in lower case, for texts without tokens and without a <BR> followed by
// CR LF or an <HR>.
TEST(LineBreaks, RemoveUndoesAdd) {
    const std::u16string pieces[] = {u"a",  u"<BR>",   u"<bR>",   u"\r\n", u"\n",
                                     u"\r", u"\u0451", u"<HR>",   u" ",    u"<",
                                     u"B",  u"\u3042", u"\u0419", u"<SP",  u">"};
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 3000; ++round) {
        std::u16string text;
        for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
        if (findToken(text) != npos) continue;
        const std::u16string lowered = replaceAllNoCase(text, u"<BR>", u"<br>");
        if (lowered.find(u"<br>\r\n") != npos || findNoCase(lowered, u"<br><HR>") != npos) {
            continue;
        }
        EXPECT_EQ(RemoveLineBreaks(AddLineBreaks(text)), lowered);
    }
}

// The result as the slices handed to a sink give it.
std::u16string inSlices(bool add, std::u16string_view text) {
    std::u16string out;
    const TextSink sink = [&out](std::u16string_view slice) { out += slice; };
    add ? addLineBreaksInto(text, sink) : removeLineBreaksInto(text, sink);
    return out;
}

// The result of a text that comes in pieces of n units, as from a file.
std::u16string inPieces(bool add, std::u16string_view text, std::size_t n) {
    std::u16string out;
    std::u16string pending;
    const TextSink sink = [&out](std::u16string_view slice) { out += slice; };
    for (std::size_t at = 0; at < text.size(); at += n) {
        pending += text.substr(at, n);
        pending.erase(0, add ? addLineBreaksInto(pending, sink, false)
                             : removeLineBreaksInto(pending, sink, false));
    }
    add ? addLineBreaksInto(pending, sink) : removeLineBreaksInto(pending, sink);
    return out;
}

// Both commands against their steps taken literally, on random texts, and
// in slices and pieces as well as whole.
TEST(LineBreaks, MatchLiteralSteps) {
    const std::u16string pieces[] = {u"<BR>",  u"<bR>", u"<br>", u"\r\n", u"\r",     u"\n",
                                     u"<HR>",  u"<hr>", u"<Hr",  u"a",    u"\u0451", u"\u0401",
                                     u"<SP0>", u"<SP",  u"3>",   u"<",    u"B",      u">"};
    std::mt19937 random(4242);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 50);
    for (int round = 0; round < 5000; ++round) {
        std::u16string text;
        for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
        const std::u16string p = literal::protect(text);
        const std::u16string added = literal::restore(replaceAllNoCase(p, u"<BR>", u"<br>\r\n"));
        const std::u16string removed = literal::restore(replaceAllNoCase(
            replaceAllNoCase(p, u"<BR>\r\n", u"<br>"), u"<BR><HR>", u"<br>\r\n<HR>"));
        ASSERT_EQ(AddLineBreaks(text), added) << round;
        ASSERT_EQ(RemoveLineBreaks(text), removed) << round;
        ASSERT_EQ(inSlices(true, text), added) << round;
        ASSERT_EQ(inSlices(false, text), removed) << round;
        const std::size_t piece = 1 + static_cast<std::size_t>(round) % 23;
        ASSERT_EQ(inPieces(true, text, piece), added) << round;
        ASSERT_EQ(inPieces(false, text, piece), removed) << round;
    }
    // Longer than several slices, with a run of text longer than one.
    std::u16string text = std::u16string(70000, u'a');
    for (int i = 0; i < 20000; ++i) text += pieces[static_cast<std::size_t>(i) % std::size(pieces)];
    EXPECT_EQ(inSlices(true, text), AddLineBreaks(text));
    EXPECT_EQ(inSlices(false, text), RemoveLineBreaks(text));
}

}  // namespace
}  // namespace mozaru
