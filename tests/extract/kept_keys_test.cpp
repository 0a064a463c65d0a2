// Tests of the kept-key set: exact membership across many keys and growth.
#include "extract/kept_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace mozaru {
namespace {

std::u16string keyOf(int n) {
    std::u16string key = u"\u25A0";
    for (; n > 0; n /= 7) key += static_cast<char16_t>(u'0' + n % 7);
    return key;
}

TEST(KeptKeys, KeepsEachKeyOnceThroughGrowth) {
    KeptKeys keys;
    for (int n = 0; n < 5000; ++n) ASSERT_TRUE(keys.add(keyOf(n))) << n;
    for (int n = 0; n < 5000; ++n) ASSERT_FALSE(keys.add(keyOf(n))) << n;
    EXPECT_EQ(keys.size(), 5000u);
}

TEST(KeptKeys, ComparesWholeKeysExactly) {
    KeptKeys keys;
    EXPECT_TRUE(keys.add(u""));
    EXPECT_FALSE(keys.add(u""));
    EXPECT_TRUE(keys.add(u"ab"));
    EXPECT_TRUE(keys.add(u"aB"));
    EXPECT_TRUE(keys.add(u"ab "));
    EXPECT_TRUE(keys.add(u"a"));
    EXPECT_FALSE(keys.add(u"aB"));
}

}  // namespace
}  // namespace mozaru
