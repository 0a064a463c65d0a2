// Tests of the author's posts: the choice as typed, auto on the first post,
// and which headers match.
#include "extract/post_author.h"

#include <gtest/gtest.h>

namespace mozaru {
namespace {

TEST(AuthorChoice, IsReadAsTyped) {
    AuthorChoice c;
    EXPECT_TRUE(parseAuthorChoice(u"trip:◆Abc", c));
    EXPECT_EQ(c.key, AuthorKey::Trip);
    EXPECT_EQ(c.value, u"Abc");
    EXPECT_TRUE(parseAuthorChoice(u"auto", c));
    EXPECT_EQ(c.key, AuthorKey::Auto);
    for (const char16_t* bad : {u"id:", u"trip:◆", u"ID:x", u"Auto", u"x"}) {
        EXPECT_FALSE(parseAuthorChoice(bad, c)) << std::u16string_view(bad).size();
    }
}

struct AutoCase {
    std::u16string_view first;  // the first post's header
    AuthorKey key;
    std::u16string_view value;
    AuthorProblem problem;
};

class AutoAuthor : public ::testing::TestWithParam<AutoCase> {};

INSTANTIATE_TEST_SUITE_P(
    FirstPost, AutoAuthor,
    ::testing::Values(AutoCase{u"<DT>1 ：<B>やる夫 </B>◆Tr <B></B>：d ID:Ab3", AuthorKey::Id,
                               u"Ab3", AuthorProblem::None},
                      AutoCase{u"<DT>1 ：<B>やる夫 </B>◆Tr <B></B>：d ID:???", AuthorKey::Trip,
                               u"Tr", AuthorProblem::None},
                      AutoCase{u"<DT>1 ：<B>やる夫</B>：d", AuthorKey::Name, u"やる夫",
                               AuthorProblem::None},
                      AutoCase{u"<DT>1 ：<B>名無しのやる夫だお</B>：d", AuthorKey::Off, u"",
                               AuthorProblem::DefaultName},
                      AutoCase{u"<DT>no number<DD>", AuthorKey::Off, u"", AuthorProblem::NoHeader},
                      AutoCase{u"<P>", AuthorKey::Off, u"", AuthorProblem::NoHeader}));

TEST_P(AutoAuthor, TakesTheFirstPostsIdTripOrName) {
    const std::u16string page =
        std::u16string(GetParam().first) + u"<DD> b <DT>2 ：<B>x</B>：d<DD>";
    const ResolvedAuthor r = resolveAuthor(page, {AuthorKey::Auto, {}});
    EXPECT_EQ(r.author.key, GetParam().key);
    EXPECT_EQ(r.author.value, GetParam().value);
    EXPECT_EQ(r.problem, GetParam().problem);
}

TEST(AuthorsPosts, MatchByIdTripOrName) {
    const std::u16string_view tripped = u"<DT>3 ：<B>やる夫 </B>◆Tr <B></B>：d ID:Ab3";
    EXPECT_TRUE(isAuthorsPost(tripped, {AuthorKey::Id, u"Ab3"}));
    EXPECT_TRUE(isAuthorsPost(tripped, {AuthorKey::Trip, u"Tr"}));
    EXPECT_TRUE(isAuthorsPost(tripped, {AuthorKey::Name, u"やる夫"}));
    EXPECT_TRUE(isAuthorsPost(tripped, {AuthorKey::Name, u"やる夫 ◆Tr"}));
    EXPECT_FALSE(isAuthorsPost(u"<DT>4 ：<B>やらない夫</B>：d", {AuthorKey::Trip, u"Tr"}));
    EXPECT_FALSE(isAuthorsPost(u"", {AuthorKey::Name, u"やる夫"}));

    std::vector<KeptPost> posts{{3, std::u16string(tripped), u"a"}, {4, u"", u"b"}};
    keepAuthorsPosts(posts, {AuthorKey::Off, {}});
    EXPECT_EQ(posts.size(), 2u);
    keepAuthorsPosts(posts, {AuthorKey::Trip, u"Tr"});
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].number, 3u);
}

}  // namespace
}  // namespace mozaru
