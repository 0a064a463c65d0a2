// Tests of the kept posts: numbers read from their headers.
#include "extract/kept_posts.h"

#include <gtest/gtest.h>

namespace mozaru {
namespace {

TEST(KeptPosts, NumberFromTheLastHeader) {
    EXPECT_EQ(postNumberOf(u"<HTML><DL>\r\n<DT>12 \uFF1A<B>n</B>\uFF1Ad"), 12u);
    EXPECT_EQ(postNumberOf(u"x<BR><BR>\r\n<dt><a name=\"7\">7</a> \uFF1A"), 7u);
    EXPECT_EQ(postNumberOf(u"<DT>1 x<DT>\u540D\u524D"), 0u);
    EXPECT_EQ(postNumberOf(u"<DL>"), 0u);
}

TEST(KeptPosts, OfAnExtractionsResult) {
    const std::vector<KeptPost> posts =
        keptPostsOfResult(u"\r\n<HR>\r\n a <BR>\r\n b\r\n<hr>\r\nc<HR>");
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts[0].number, 1u);
    EXPECT_EQ(posts[0].body, u" a <BR> b");
    EXPECT_EQ(posts[1].body, u"c");
    EXPECT_TRUE(keptPostsOfResult(u"").empty());
}

struct AtCase {
    std::u16string_view document;
    std::size_t offset;
    std::u16string_view picture;
};

class PictureAt : public ::testing::TestWithParam<AtCase> {};

INSTANTIATE_TEST_SUITE_P(
    Documents, PictureAt,
    ::testing::Values(AtCase{u"\r\n<HR>\r\na<BR>\r\nb\r\n<HR>\r\nc<HR>", 9, u"a<BR>b"},
                      AtCase{u"\r\n<HR>\r\na<BR>\r\nb\r\n<HR>\r\nc<HR>", 22, u"c"},
                      AtCase{u"<DL><DT>1 x<DD> a <BR> b <DT>2<DD>c</DL>", 17, u" a <BR> b "},
                      AtCase{u"<DL><DT>1 x<DD> a <BR> b <DT>2<DD>c</DL>", 99, u"c"},
                      AtCase{u"plain\r\ntext", 3, u"plaintext"}));

TEST_P(PictureAt, IsTheBodyAroundTheOffset) {
    EXPECT_EQ(pictureAt(GetParam().document, GetParam().offset), GetParam().picture);
}

}  // namespace
}  // namespace mozaru
