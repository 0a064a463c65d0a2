// Tests of the mirror table: the pairs AA turns round, and lines read back to front.
#include "library/mirror.h"

#include <gtest/gtest.h>

namespace mozaru {
namespace {

TEST(Mirror, PairsSwapBothWaysOthersStay) {
    const std::u16string facing = u"/\\／＼()（）<>＜＞「」ノヽ⊂⊃´｀┌┐ミ彡εз";
    const std::u16string turned = u"\\/＼／)(）（><＞＜」「ヽノ⊃⊂｀´┐┌彡ミзε";
    for (std::size_t i = 0; i < facing.size(); ++i) {
        EXPECT_EQ(mirroredCharacter(facing[i]), turned[i]) << i;
    }
    for (const char16_t same : std::u16string(u"|｜＿￣∧∨・ωAあ ")) {
        EXPECT_EQ(mirroredCharacter(same), same);
    }
    // Every character is its own mirror's mirror.
    for (char32_t c = 0; c < 0x10000; ++c) {
        const auto unit = static_cast<char16_t>(c);
        ASSERT_EQ(mirroredCharacter(mirroredCharacter(unit)), unit) << static_cast<unsigned>(c);
    }
}

TEST(Mirror, KeyReadBackToFront) {
    EXPECT_EQ(mirroredKey(u"（´∀｀）ノ"), u"ヽ（´∀｀）");
    EXPECT_EQ(mirroredKey(u"/＿|"), u"|＿\\");
    // A character outside the BMP keeps its two units in order.
    EXPECT_EQ(mirroredKey(u"(\U0001F600"), u"\U0001F600)");
    EXPECT_EQ(mirroredKey(u""), u"");
}

}  // namespace
}  // namespace mozaru
