// Tests of post headers: every shape a classic page gives them, and titles.
#include "extract/post_header.h"

#include <gtest/gtest.h>

namespace mozaru {
namespace {

struct HeaderCase {
    std::u16string_view text;
    bool ok;
    std::uint64_t number;
    std::u16string_view name, trip, date, id;
};

class PostHeaders : public ::testing::TestWithParam<HeaderCase> {};

INSTANTIATE_TEST_SUITE_P(
    Shapes, PostHeaders,
    ::testing::Values(
        HeaderCase{u"<DT>1 ：<B>名無し</B>：2016/01/02 ID:Ab3", true, 1, u"名無し", u"",
                   u"2016/01/02 ID:Ab3", u"Ab3"},
        // A mail link around the name; small letters; the page's line break.
        HeaderCase{u"x<BR><BR>\r\n<dt>12 ：<a href=\"mailto:sage\"><b>名無し</b></a>："
                   u"2016/01/02(土) 12:34:56.78 ID:Xy/9+ BE:1-2",
                   true, 12, u"名無し", u"", u"2016/01/02(土) 12:34:56.78 ID:Xy/9+ BE:1-2",
                   u"Xy/9+"},
        // A trip between two bold runs; a colon inside the name.
        HeaderCase{u"<DT>3 ：<B>やる夫 </B>◆YaRuO.abc <B></B>：2016/01/02", true, 3,
                   u"やる夫 ◆YaRuO.abc", u"YaRuO.abc", u"2016/01/02", u""},
        HeaderCase{u"<DT>4 ：<B>a：b &amp; ё</B>：d ID:???", true, 4, u"a：b & ё", u"", u"d ID:???",
                   u"???"},
        // Letters the extraction carries as tokens come back.
        HeaderCase{u"<DT>5 ：<B>й<SP0></B>：d", true, 5, u"йё", u"", u"d", u""},
        // No bold at all: the name ends at the next colon.
        HeaderCase{u"<DT>6 ：名無し：d ID:Q", true, 6, u"名無し", u"", u"d ID:Q", u"Q"},
        HeaderCase{u"<DT>7 ：<B>n</B>", true, 7, u"n", u"", u"", u""},
        HeaderCase{u"<DT>：<B>n</B>：d", false, 0, u"", u"", u"", u""},
        HeaderCase{u"<DT>8 <B>n</B>", false, 8, u"", u"", u"", u""},
        HeaderCase{u"<DL>", false, 0, u"", u"", u"", u""}));

TEST_P(PostHeaders, AreRead) {
    const HeaderCase& c = GetParam();
    PostHeader h;
    ASSERT_EQ(parsePostHeader(c.text, h), c.ok);
    EXPECT_EQ(h.number, c.number);
    if (!c.ok) return;
    EXPECT_EQ(h.name, c.name);
    EXPECT_EQ(h.trip, c.trip);
    EXPECT_EQ(h.date, c.date);
    EXPECT_EQ(h.id, c.id);
}

TEST(PostHeader, ShownAsThePageShowsIt) {
    PostHeader h;
    ASSERT_TRUE(
        parsePostHeader(u"<DT>12 ：<A HREF=\"mailto:sage\"><B>名無し</B></A>：d ID:Ab3", h));
    EXPECT_EQ(shownHeader(h), u"12 ：名無し：d ID:Ab3");
}

TEST(PostHeader, FirstPostAndTitleOfAPage) {
    const std::u16string_view page =
        u"<HTML><HEAD><TITLE> やる夫は &amp; \r\n猫 </TITLE></HEAD><DL><DT>1 ：<B>a</B>：d "
        u"ID:X<DD> b "
        u"<DT>2 ：<B>c</B>：d ID:Y<DD> e </DL>";
    PostHeader h;
    ASSERT_TRUE(firstPostHeader(page, h));
    EXPECT_EQ(h.id, u"X");
    EXPECT_EQ(pageTitle(page), u"やる夫は &   猫");
    EXPECT_EQ(pageTitle(u"<TITLE>open"), u"");
    EXPECT_FALSE(firstPostHeader(u"<DD>", h));
}

}  // namespace
}  // namespace mozaru
