// Tests of the kept-key set: exact membership through growth, and repeats
// confirmed by the bodies' text or by the rebuilt key.
#include "extract/kept_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace mozaru {
namespace {

// Bodies of five units each; the key of a body here is the body with its
// first unit dropped, so bodies that differ only there share a key.
class KeptKeysTest : public testing::Test {
protected:
    std::u16string page;
    int rebuilt = 0;

    KeptKeys::Body place(std::u16string_view body) {
        page += body;
        return {page.size() - body.size(), page.size()};
    }
    bool add(KeptKeys& keys, KeptKeys::Body b) {
        const std::u16string_view text = std::u16string_view(page).substr(b.begin, b.end - b.begin);
        return keys.add(b, text.substr(1), [&](KeptKeys::Body e) {
            ++rebuilt;
            return std::u16string_view(page).substr(e.begin + 1, e.end - e.begin - 1);
        });
    }
};

TEST_F(KeptKeysTest, KeepsEachKeyOnceThroughGrowth) {
    page.reserve(5 * 6000);  // places stay valid as bodies are added
    std::vector<KeptKeys::Body> bodies;
    for (int n = 0; n < 3000; ++n) {
        std::u16string body = u"x";
        for (int k = n, d = 0; d < 4; ++d, k /= 10) body += static_cast<char16_t>(u'0' + k % 10);
        bodies.push_back(place(body));
    }
    KeptKeys keys(page);
    for (const auto& b : bodies) ASSERT_TRUE(add(keys, b));
    for (const auto& b : bodies) ASSERT_FALSE(add(keys, b));
    EXPECT_EQ(keys.size(), 3000u);
    EXPECT_EQ(rebuilt, 0);  // the repeats' text was the same
}

TEST_F(KeptKeysTest, SameKeyOtherTextIsConfirmedByRebuiltKey) {
    const auto first = place(u"a1234");
    const auto sameKey = place(u"b1234");
    const auto otherKey = place(u"b1235");
    KeptKeys keys(page);
    EXPECT_TRUE(add(keys, first));
    EXPECT_FALSE(add(keys, sameKey));
    EXPECT_EQ(rebuilt, 1);
    EXPECT_TRUE(add(keys, otherKey));
}

TEST(KeptKeysHash, DependsOnEveryUnit) {
    EXPECT_NE(KeptKeys::hashOf(u"abcdefghi"), KeptKeys::hashOf(u"abcdefghj"));
    EXPECT_NE(KeptKeys::hashOf(u"a"), KeptKeys::hashOf(u"b"));
    EXPECT_NE(KeptKeys::hashOf(u""), KeptKeys::hashOf(std::u16string(1, u'\0')));
}

}  // namespace
}  // namespace mozaru
