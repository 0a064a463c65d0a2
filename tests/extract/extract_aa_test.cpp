// Tests of the extraction: cutting the page into posts, the early ends of the
// scan, merging, the result's layout and the progress notifications.
#include "extract/extract_aa.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boards/board_forms.h"
#include "extract/is_aa.h"

namespace mozaru {
namespace {

// Six lines of blocks: ASCII art at every level below 2.
const std::u16string kArt =
    u"\u25A0\u25A0\u25A0\u25A0<BR> \u25A0\u25A0 <BR>\u25A0  \u25A0<BR>\u25A0\u25A0\u25A0\u25A0"
    u"<BR>(\u00B4\u0414`)<BR>\u2501\u2501\u2501";
// A second, different picture.
const std::u16string kArt2 = u"/\\<BR>||<BR>||<BR>||<BR>||<BR>\\/";
const std::u16string kProse = u"\u3053\u3093\u306B\u3061\u306F<BR>\u6F22\u5B57";

std::u16string kept(const std::vector<std::u16string>& bodies) {
    std::u16string out;
    for (const auto& b : bodies) out += u"\r\n<HR>\r\n" + b;
    if (!out.empty()) out += u"<HR>";
    return out;
}

std::u16string post(int number, std::u16string_view body) {
    return u"<DT>" + std::u16string(1, static_cast<char16_t>(u'0' + number)) +
           u" \u540D\u524D\uFF1A<B>x</B><DD>" + std::u16string(body);
}

struct ExtractCase {
    const char* name;
    std::u16string page;
    std::int16_t level;
    std::int16_t merge;
    std::u16string expected;
    Detector detector = Detector::Seed;
};

class ExtractAATest : public testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractAATest, KeepsTheArt) {
    const ExtractCase& c = GetParam();
    EXPECT_EQ(ExtractAA(c.page, c.level, c.merge, c.detector), c.expected);
    if (c.detector == Detector::Seed) {
        EXPECT_EQ(ExtractAA(c.page, c.level, c.merge), c.expected);
    }
}

// Classic pages are never taken for another board's format: they are read as they stand.
TEST_P(ExtractAATest, IsRecognisedAsNoOtherFormat) {
    EXPECT_EQ(recognizePageFormat(GetParam().page), PageFormat::Classic);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ExtractAATest,
    testing::Values(
        ExtractCase{"empty", u"", 0, 0, u""},
        ExtractCase{"noPostBody", u"plain text<DT>x<BR>", 0, 0, u""},
        ExtractCase{"singleBodyLayout", u"<DL>" + post(1, kArt) + u"</DL>", 0, 0, kept({kArt})},
        ExtractCase{"proseDropped",
                    u"<DL>" + post(1, kProse) + post(2, kArt) + post(3, kProse) + u"</DL>", 0, 0,
                    kept({kArt})},
        ExtractCase{"pageOrder", u"<DL>" + post(1, kArt2) + post(2, kArt) + u"</DL>", 0, 0,
                    kept({kArt2, kArt})},
        ExtractCase{"smallLetterMarkup", u"<dl><dt>1<dd>" + kArt + u"<dt>2<dd>" + kArt2 + u"</dl>",
                    0, 0, kept({kArt, kArt2})},
        ExtractCase{"noneKept", u"<DL>" + post(1, kProse) + u"</DL>", 0, 0, u""},
        ExtractCase{"levelApplies", u"<DL>" + post(1, kArt) + u"</DL>", 2, 0, u""},
        ExtractCase{"lastBodyWithoutEndNeverExamined", u"<DL>" + post(1, kArt) + post(2, kArt2), 0,
                    0, kept({kArt})},
        ExtractCase{"onlyBodyWithoutEnd", post(1, kArt), 0, 0, u""},
        // The piece between "<DD" and the next "<DD" has no ">".
        ExtractCase{"pieceWithoutCloseStops",
                    u"<DL>" + post(1, kArt) + u"<DT>2<DD <DD>" + kArt2 + u"</DL>", 0, 0,
                    kept({kArt})},
        ExtractCase{"pageWithoutCloseAfterDd", u"<DL><DT>1<DD", 0, 0, u""},
        // "</DL" is looked for before "<DT": the body then holds the entry.
        ExtractCase{"listEndBeforeHeader", u"<DL><DT>1<DD>" + kArt + u"<DT>2 x</DL>", 0, 0,
                    kept({kArt + u"<DT>2 x"})},
        ExtractCase{"piecesAfterListEndIgnored",
                    u"<DL>" + post(1, kArt) + u"</DL><DL>" + post(2, kArt2) + u"</DL>", 0, 0,
                    kept({kArt})},
        // Markers before the ">" that closes the "<DD" tag do not count.
        ExtractCase{"headerInsideDdTagIgnored", u"<DL><DD <DT </dl x>" + kArt + u"<DT>", 0, 0,
                    kept({kArt})},
        // The token of a protected letter ends in the ">" that closes the tag.
        ExtractCase{"letterClosesDdTag", u"<DL><DT>1<DD \u0451" + kArt + u"<DT>", 0, 0,
                    kept({kArt})},
        ExtractCase{"tokenTextComesOutAsLetter", u"<DL>" + post(1, kArt + u"<BR><SP1>") + u"</DL>",
                    0, 0, kept({kArt + u"<BR>\u0401"})},
        ExtractCase{"protectedLettersPassThrough",
                    u"<DL>" + post(1, kArt + u"<BR>\u0451\u0401\u0439\u0419") + u"</DL>", 0, 0,
                    kept({kArt + u"<BR>\u0451\u0401\u0439\u0419"})},
        ExtractCase{"bodyOverSeveralLines",
                    u"<DL>\r\n<DT>1<DD>\u25A0\u25A0<BR>\r\n\u25A0\u25A0<BR>\n\u25A0<BR>\r\u25A0"
                    u"<BR>\r\n\u25A0<BR>\r\n\u25A0\r\n</DL>\r\n",
                    0, 0,
                    kept({u"\u25A0\u25A0<BR>\u25A0\u25A0<BR>\u25A0<BR>\u25A0<BR>\u25A0<BR>"
                          u"\u25A0"})},
        // Removing the line break first makes a "<DD" out of "<D" CR LF "D".
        ExtractCase{"markerSplitByLineBreak", u"<DL><DT>1<D\r\nD>" + kArt + u"<D\nT>", 0, 0,
                    kept({kArt})},
        ExtractCase{"surrogatePairsKept", u"<DL>" + post(1, kArt + u"<BR>\U0001F600") + u"</DL>", 0,
                    0, kept({kArt + u"<BR>\U0001F600"})},
        ExtractCase{"emptyBodySkipped", u"<DL><DT>1<DD></DL>", 0, 0, u""}),
    [](const auto& info) { return std::string(info.param.name); });

// The same picture with its <BR> tags elsewhere and in other letter case,
// and with a different reply anchor: the same merge key.
const std::u16string kArtMoved =
    u"\u25A0\u25A0\u25A0\u25A0<br> \u25A0\u25A0 <bR>\u25A0  \u25A0<Br>\u25A0\u25A0\u25A0\u25A0"
    u"(\u00B4\u0414`)<BR>\u2501\u2501\u2501<BR>";
const std::u16string kArtAnchor1 = u"<A HREF=\"/r/1\">&gt;&gt;1</A><BR>" + kArt;
const std::u16string kArtAnchor2 = u"<a href=\"/r/2\">&gt;&gt;2</a><BR>" + kArt;
// The same picture with a space more at the end of a line: another key.
const std::u16string kArtSpace = kArt + u" ";
// The picture's characters on five lines: the same key, but not ASCII art.
const std::u16string kArtFiveLines =
    u"\u25A0\u25A0\u25A0\u25A0<BR> \u25A0\u25A0 <BR>\u25A0  \u25A0<BR>\u25A0\u25A0\u25A0\u25A0"
    u"(\u00B4\u0414`)<BR>\u2501\u2501\u2501";

INSTANTIATE_TEST_SUITE_P(
    Merge, ExtractAATest,
    testing::Values(
        ExtractCase{"repeatMerged", u"<DL>" + post(1, kArt) + post(2, kArt) + u"</DL>", 0, 1,
                    kept({kArt})},
        ExtractCase{"repeatKeptWithoutMerge", u"<DL>" + post(1, kArt) + post(2, kArt) + u"</DL>", 0,
                    0, kept({kArt, kArt})},
        ExtractCase{"flagTwoDoesNotMerge", u"<DL>" + post(1, kArt) + post(2, kArt) + u"</DL>", 0, 2,
                    kept({kArt, kArt})},
        ExtractCase{"movedBrMerged",
                    u"<DL>" + post(1, kArt) + post(2, kArt2) + post(3, kArtMoved) + u"</DL>", 0, 1,
                    kept({kArt, kArt2})},
        ExtractCase{"anchorsDifferMerged",
                    u"<DL>" + post(1, kArtAnchor1) + post(2, kArtAnchor2) + u"</DL>", 0, 1,
                    kept({kArtAnchor1})},
        ExtractCase{"endSpaceNotMerged", u"<DL>" + post(1, kArt) + post(2, kArtSpace) + u"</DL>", 0,
                    1, kept({kArt, kArtSpace})},
        ExtractCase{"droppedBodyNeverKeyed",
                    u"<DL>" + post(1, kArtFiveLines) + post(2, kArt) + u"</DL>", 0, 1,
                    kept({kArt})},
        ExtractCase{"thirdRepeatMerged",
                    u"<DL>" + post(1, kArt) + post(2, kArt2) + post(3, kArt) + post(4, kArt2) +
                        post(5, kArt) + u"</DL>",
                    0, 1, kept({kArt, kArt2})}),
    [](const auto& info) { return std::string(info.param.name); });

// A mushroom of three lines, which the seed's rules never keep.
const std::u16string kMushroom = u" 　 ,.-─-.、 <BR> 　(＿＿＿＿) <BR> 　　 |　 | <BR><BR>";

INSTANTIATE_TEST_SUITE_P(
    Picture, ExtractAATest,
    testing::Values(ExtractCase{"seedDropsShortPicture", u"<DL>" + post(1, kMushroom) + u"</DL>", 0,
                                0, u""},
                    ExtractCase{"pictureKeepsShortPicture",
                                u"<DL>" + post(1, kProse) + post(2, kMushroom) + u"</DL>", 0, 0,
                                kept({kMushroom}), Detector::Picture},
                    ExtractCase{"pictureLevelApplies", u"<DL>" + post(1, kArt) + u"</DL>", 2, 0,
                                u"", Detector::Picture},
                    ExtractCase{"pictureMerges",
                                u"<DL>" + post(1, kArt) + post(2, kMushroom) + post(3, kArtMoved) +
                                    post(4, kMushroom) + u"</DL>",
                                0, 1, kept({kArt, kMushroom}), Detector::Picture}),
    [](const auto& info) { return std::string(info.param.name); });

// Records every notification as text.
class Recorder : public ExtractObserver {
public:
    std::vector<std::string> calls;
    int lines = 0;
    void start(std::int32_t n) override { calls.push_back("start " + std::to_string(n)); }
    void postDone(std::int32_t i) override { calls.push_back("post " + std::to_string(i)); }
    void finished(std::int32_t n) override { calls.push_back("finished " + std::to_string(n)); }
    void lineDone() override { ++lines; }
    void judged(std::int32_t i, std::u16string_view body, const AAResult& r) override {
        calls.push_back("judged " + std::to_string(i) + (r.isAA ? " aa " : " - ") +
                        std::to_string(body.size()));
    }
    // The header as ASCII (the tests' headers are), the body by its length.
    void kept(std::int32_t i, std::u16string_view header, std::u16string_view body) override {
        calls.push_back("kept " + std::to_string(i) + " " +
                        std::string(header.begin(), header.end()) + " " +
                        std::to_string(body.size()));
    }
};

struct NotifyCase {
    const char* name;
    std::u16string page;
    std::vector<std::string> calls;
    int lines;
};

class ExtractAANotifyTest : public testing::TestWithParam<NotifyCase> {};

TEST_P(ExtractAANotifyTest, IsRecognisedAsNoOtherFormat) {
    EXPECT_EQ(recognizePageFormat(GetParam().page), PageFormat::Classic);
}

TEST_P(ExtractAANotifyTest, NotifiesInOrder) {
    Recorder recorder;
    const std::u16string heard = ExtractAA(GetParam().page, 0, 1, recorder);
    EXPECT_EQ(recorder.calls, GetParam().calls);
    EXPECT_EQ(recorder.lines, GetParam().lines);
    EXPECT_EQ(heard, ExtractAA(GetParam().page, 0, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtractAANotifyTest,
    testing::Values(NotifyCase{"empty", u"", {}, 0}, NotifyCase{"noPostBody", u"<DT>1<BR>x", {}, 0},
                    NotifyCase{
                        "twoPosts",
                        u"<DL><DT>1<DD>a<BR>b<DT>2<DD>" + kArt + u"</DL>",
                        {"start 2", "judged 1 - 6", "post 1",
                         "kept 2 <DT>2 " + std::to_string(kArt.size()),
                         "judged 2 aa " + std::to_string(kArt.size()), "post 2", "finished 2"},
                        8},
                    // The unexamined second piece gets no notification; N counts it.
                    NotifyCase{"earlyEnd",
                               u"<DL><DT>1<DD>x<DT>2<DD>y",
                               {"start 2", "judged 1 - 1", "post 1", "finished 2"},
                               1},
                    NotifyCase{"listEndStops",
                               u"<DT>1<DD>x</DL><DT>2<DD>y<DT><DD>z<DT>",
                               {"start 3", "judged 1 - 1", "post 1", "finished 3"},
                               1},
                    NotifyCase{"firstPieceStops", u"<DD>x", {"start 1", "finished 1"}, 0},
                    NotifyCase{"emptyBodyHasNoLines",
                               u"<DD><DT>",
                               {"start 1", "judged 1 - 0", "post 1", "finished 1"},
                               0},
                    // The body is reported as judged: without line breaks, letters as tokens.
                    NotifyCase{"bodyAsJudged",
                               u"<DD>\u0451\r\n<DT>",
                               {"start 1", "judged 1 - 5", "post 1", "finished 1"},
                               1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mozaru
