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

}  // namespace
}  // namespace mozaru
