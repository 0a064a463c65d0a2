// Tests of the duplicate search: exact copies, other spaces, edited lines and
// mirror images, with the clusters expected of each threshold.
#include "library/duplicates.h"

#include <gtest/gtest.h>

#include "library/fingerprint.h"
#include "library/mirror.h"

namespace mozaru {
namespace {

// Ten distinct lines; edited: the first n lines replaced.
std::u16string picture(char16_t stroke, int edited = 0, bool otherSpaces = false) {
    std::u16string text;
    for (int k = 0; k < 10; ++k) {
        if (k > 0) text += u'\n';
        text += std::u16string(static_cast<std::size_t>(k), otherSpaces ? u' ' : u'　');
        text += stroke;
        text += std::u16string(static_cast<std::size_t>(k + 1), k < edited ? u'＊' : u'＿');
        text += k % 2 ? u"（´∀｀）" : u"ノ";
    }
    return text;
}

std::u16string mirrorOf(const std::u16string& text) {
    std::u16string out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u'\n', start)) != std::u16string::npos;
         start = end + 1) {
        out += u"  " + mirroredKey(text.substr(start, end - start)) + u'\n';
    }
    return out + mirroredKey(text.substr(start));
}

struct DuplicateCase {
    const char* name;
    double threshold;
    bool mirror;
    // picture, similarity to the first member (in hundredths), exact, mirrored
    std::vector<std::vector<std::tuple<std::size_t, int, bool, bool>>> clusters;
};

class Duplicates : public testing::TestWithParam<DuplicateCase> {};

TEST_P(Duplicates, Clusters) {
    const std::vector<std::u16string> pictures{
        picture(u'／'),            // 0
        picture(u'／', 0, true),   // 1 other spaces
        picture(u'／'),            // 2 an exact copy
        picture(u'／', 1),         // 3 one line edited: 9 of 11 lines shared
        picture(u'／', 3),         // 4 three lines edited: 7 of 13
        mirrorOf(picture(u'／')),  // 5 the mirror image
        picture(u'｜'),            // 6 another picture
        picture(u'｜'),            // 7 its copy
        u"　",                     // 8 no line with a stroke
        u"　",                     // 9 the same
    };
    FingerprintTable table;
    for (const std::u16string& p : pictures) {
        const Shingles s = shinglesOf(p);
        table.add(textHash(p), s.plain, s.mirrored);
    }
    std::vector<std::vector<std::tuple<std::size_t, int, bool, bool>>> got;
    for (const Cluster& cluster :
         findDuplicates(table, {GetParam().threshold, GetParam().mirror})) {
        got.emplace_back();
        for (const ClusterMember& m : cluster) {
            got.back().emplace_back(m.picture, static_cast<int>(m.similarity * 100 + 0.5), m.exact,
                                    m.mirrored);
        }
    }
    EXPECT_EQ(got, GetParam().clusters);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, Duplicates,
    testing::Values(DuplicateCase{"default",
                                  0.8,
                                  false,
                                  {{{0, 100, true, false},
                                    {1, 100, false, false},
                                    {2, 100, true, false},
                                    {3, 82, false, false}},
                                   {{6, 100, true, false}, {7, 100, true, false}},
                                   {{8, 100, true, false}, {9, 100, true, false}}}},
                    DuplicateCase{"mirror",
                                  0.8,
                                  true,
                                  {{{0, 100, true, false},
                                    {1, 100, false, false},
                                    {2, 100, true, false},
                                    {3, 82, false, false},
                                    {5, 100, false, true}},
                                   {{6, 100, true, false}, {7, 100, true, false}},
                                   {{8, 100, true, false}, {9, 100, true, false}}}},
                    DuplicateCase{"low",
                                  0.5,
                                  false,
                                  {{{0, 100, true, false},
                                    {1, 100, false, false},
                                    {2, 100, true, false},
                                    {3, 82, false, false},
                                    {4, 54, false, false}},
                                   {{6, 100, true, false}, {7, 100, true, false}},
                                   {{8, 100, true, false}, {9, 100, true, false}}}},
                    // Only the same text.
                    DuplicateCase{"exactOnly",
                                  1.01,
                                  false,
                                  {{{0, 100, true, false}, {2, 100, true, false}},
                                   {{6, 100, true, false}, {7, 100, true, false}},
                                   {{8, 100, true, false}, {9, 100, true, false}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Duplicates, BandingKeepsPairsAtTheThreshold) {
    EXPECT_EQ(bandingFor(0.8).rows, 5);
    EXPECT_EQ(bandingFor(0.8).bands, 25);
    EXPECT_EQ(bandingFor(0.5).rows, 2);
    EXPECT_EQ(bandingFor(0.95).rows, 8);
}

}  // namespace
}  // namespace mozaru
