// Tests for the cut of the browser's executable out of the registered command.
#include "help/browser_path.h"

#include <gtest/gtest.h>

namespace mozaru {
namespace {

struct CutCase {
    const char* name;
    std::u16string value;
    std::u16string expected;
};

class CutTest : public testing::TestWithParam<CutCase> {};

TEST_P(CutTest, CutsDriveToThirdCharacterAfterDot) {
    EXPECT_EQ(cutRegExePath(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CutTest,
    testing::Values(
        CutCase{"options_dropped", u"C:\\PROGRA~1\\Web\\browse.exe -nohome",
                u"C:\\PROGRA~1\\Web\\browse.exe"},
        CutCase{"quoted_with_placeholder", u"\"C:\\Program Files\\Web\\browse.exe\" \"%1\"",
                u"C:\\Program Files\\Web\\browse.exe"},
        CutCase{"first_dot_in_folder", u"C:\\Apps\\web.browser\\run.exe", u"C:\\Apps\\web.bro"},
        CutCase{"no_colon", u"browse.exe", u"-1"},
        CutCase{"no_dot", u"C:\\Web\\browse -nohome", u"-1"}, CutCase{"empty", u"", u"-1"},
        CutCase{"colon_first", u":\\Web\\browse.exe", u"-1"},
        // A dot before the colon: up to three characters before it still cut,
        // four or more give no cut at all.
        CutCase{"dot_two_before_colon", u"x.C:\\x.exe", u"C:\\"},
        CutCase{"dot_three_before_colon", u"a.bC:\\x.exe", u"C:"},
        CutCase{"dot_four_before_colon", u"a.bcC:\\x.exe", u"-1"},
        CutCase{"short_extension_at_end", u"C:\\w.e", u"C:\\w.e"},
        // The zero-filled rest of the buffer is not part of the value.
        CutCase{"buffer_zeros", std::u16string(u"C:\\w.ex") + std::u16string(249, u'\0'),
                u"C:\\w.ex"},
        CutCase{"only_zeros", std::u16string(256, u'\0'), u"-1"},
        CutCase{"colon_after_zero", std::u16string(u"abc\0C:\\w.exe", 12), u"-1"}),
    [](const testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

// A value that fills all 256 characters of the buffer, with no zero after it.
TEST(CutTest, ValueFillingTheBuffer) {
    std::u16string value = u"\"C:\\";
    value += std::u16string(256 - value.size() - 9, u'a');
    value += u"\\web.exe\"";
    ASSERT_EQ(value.size(), 256u);
    EXPECT_EQ(cutRegExePath(value), value.substr(1, 254));

    std::u16string noDot = u"C:\\" + std::u16string(253, u'a');
    EXPECT_EQ(cutRegExePath(noDot), u"-1");
}

}  // namespace
}  // namespace mozaru
