// The fast engine against a literal rendering of its rules, on random pages
// built from the markup and characters that matter.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "extract/extract_aa.h"
#include "extract/is_aa.h"
#include "literal_engine.h"

namespace mozaru {
namespace {

// Weighted by repetition: enough "<BR>" for bodies of six lines and more.
const std::vector<std::u16string> kPieces = {
    u"<DD>",       u"<dd>",        u"<DD ", u"<DT>",       u"<dt>",   u"</DL>",
    u"</dl>",      u"<D",          u"D",    u"T",          u"<BR>",   u"<BR>",
    u"<BR>",       u"<BR>",        u"<br>", u"<bR>",       u"<B>",    u"<A HREF=1>",
    u"<a href=2>", u"</A>",        u"</a>", u"<A NAME=x>", u"<A ",    u"HREF",
    u"NAME",       u"<A  HREF=3>", u">",    u"<",          u"\u25A0", u"\u25A0\u25A0\u25A0",
    u"\u3042",     u"\u6F22",      u"a",    u"Z",          u" ",      u"  ",
    u"\r\n",       u"\n",          u"\r",   u"\u0451",     u"\u0419", u"<SP1>",
    u"<SP",        u"\U0001F600",  u"<HR>", u"&gt;"};

// Post bodies: no list markup but the odd half of it.
const std::vector<std::u16string> kBodyPieces = {u"<BR>",       u"<BR>",
                                                 u"<br>",       u"<A HREF=1>&gt;&gt;1</A>",
                                                 u"<a href=2>", u"</a>",
                                                 u"<A NAME=x>", u"<A  HREF=3>",
                                                 u"\u25A0",     u"\u25A0\u25A0\u25A0",
                                                 u"\u3042",     u"\u6F22",
                                                 u"a",          u" ",
                                                 u"\r\n",       u"\u0451",
                                                 u"<SP1>",      u"\U0001F600",
                                                 u"<D",         u"D",
                                                 u"<B>"};

// Lines thick with anchors: nested, unclosed, and markers split so that a
// cut joins their halves ("<A HRE" + anchor + "F=5>").
const std::vector<std::u16string> kAnchorPieces = {
    u"<A HREF=1>", u"<a href=#2>", u"&gt;&gt;1", u"</A>",   u"</a>", u"<A NAME=x>",
    u"<a name=y>", u"<A HRE",      u"<A H",      u"<A",     u"<",    u"F=5>",
    u"REF=",       u"<A NAM",      u"E>",        u"ME",     u"</",   u"A>",
    u"/A>",        u">",           u"<BR>",      u"\u25A0", u"a",    u" "};

std::u16string randomText(std::mt19937& random, int maxPieces,
                          const std::vector<std::u16string>& pieces = kPieces) {
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, maxPieces);
    std::u16string text;
    for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
    return text;
}

TEST(EngineRandom, IsAAMatchesLiteralRules) {
    std::mt19937 random(8121);
    for (int round = 0; round < 4000; ++round) {
        const std::u16string body =
            round % 2 == 0 ? randomText(random, 60) : randomText(random, 200, kAnchorPieces);
        for (const std::int16_t level : {0, 1}) {
            const AAResult fast = IsAA(body, level);
            const AAResult slow = literal::isAA(body, level);
            ASSERT_EQ(fast.isAA, slow.isAA) << round;
            ASSERT_EQ(fast.mergeKey, slow.mergeKey) << round;
            ASSERT_EQ(fast.stats.lines, slow.stats.lines) << round;
            ASSERT_EQ(fast.stats.total, slow.stats.total) << round;
            ASSERT_EQ(fast.stats.symbols, slow.stats.symbols) << round;
            ASSERT_EQ(fast.stats.ideographs, slow.stats.ideographs) << round;
            ASSERT_EQ(fast.stats.latin, slow.stats.latin) << round;
        }
    }
}

// A page of posts with random bodies, random junk between them and now and
// then a post repeated, so that merging has something to do.
std::u16string randomPage(std::mt19937& random) {
    static const std::u16string kOpen[] = {u"<DT>1<DD>", u"<dt>x<dd>", u"<DD>",
                                           u"<D\r\nD>",  u"<DD ",      u"<DT>"};
    static const std::u16string kClose[] = {u"<DT>", u"</DL>", u"", u"<DT>2"};
    std::uniform_int_distribution<int> posts(0, 6);
    std::uniform_int_distribution<std::size_t> open(0, std::size(kOpen) - 1);
    std::uniform_int_distribution<std::size_t> close(0, std::size(kClose) - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    std::u16string page = randomText(random, 3);
    std::u16string previous;
    for (int n = posts(random); n > 0; --n) {
        std::u16string post = kOpen[open(random)] + randomText(random, 40, kBodyPieces);
        if (!previous.empty() && percent(random) < 30) post = previous;
        page += post + (percent(random) < 80 ? u"<DT>" : kClose[close(random)]);
        if (percent(random) < 20) page += randomText(random, 4);
        previous = post;
    }
    return page;
}

// ExtractAAInPieces on the page cut into pieces of 1 to 8 units.
std::u16string extractInPieces(std::u16string_view page, std::int16_t mergeFlag,
                               std::mt19937& random) {
    std::u16string out;
    ExtractAAInPieces extraction(0, mergeFlag, [&out](std::u16string_view s) { out += s; });
    std::uniform_int_distribution<std::size_t> size(1, 8);
    std::u16string pending;
    for (std::size_t at = 0; at < page.size();) {
        const std::size_t n = size(random);
        pending += page.substr(at, n);
        at += n;
        pending.erase(0, extraction.take(pending, false));
    }
    extraction.take(pending, true);
    return out;
}

TEST(EngineRandom, ExtractAAMatchesLiteralRules) {
    std::mt19937 random(20261208);
    int kept = 0;
    int merged = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::u16string page = randomPage(random);
        const std::u16string all = literal::extractAA(page, 0, 0);
        const std::u16string once = literal::extractAA(page, 0, 1);
        ASSERT_EQ(ExtractAA(page, 0, 0), all) << round;
        ASSERT_EQ(ExtractAA(page, 0, 1), once) << round;
        ASSERT_EQ(extractInPieces(page, 0, random), all) << round;
        ASSERT_EQ(extractInPieces(page, 1, random), once) << round;
        kept += !all.empty();
        merged += all != once;
    }
    // The pages do exercise keeping and merging.
    EXPECT_GT(kept, 1000);
    EXPECT_GT(merged, 100);
}

// The picture detector stops reading a body once its verdict is known, unless
// someone listens for its figures: the result is the same either way.
TEST(EngineRandom, PictureVerdictSameWhenListenedTo) {
    std::mt19937 random(1212);
    ExtractObserver listener;
    for (int round = 0; round < 2000; ++round) {
        const std::u16string page = randomPage(random);
        ASSERT_EQ(ExtractAA(page, 0, 1, Detector::Picture),
                  ExtractAA(page, 0, 1, Detector::Picture, listener))
            << round;
    }
}

}  // namespace
}  // namespace mozaru
