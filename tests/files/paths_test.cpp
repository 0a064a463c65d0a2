// Tests for the pure path helpers, each case run with "\" and with "/".
#include "files/paths.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace mozaru {
namespace {

// Cases are written with "\"; the "/" run swaps every backslash.
std::u16string withSeparator(std::u16string text, char16_t separator) {
    for (char16_t& c : text) {
        if (c == u'\\') c = separator;
    }
    return text;
}

class SeparatorTest : public testing::TestWithParam<char16_t> {};

struct PartsCase {
    std::u16string path;
    std::u16string folder;
    std::u16string name;
};

class PartsTest : public testing::TestWithParam<std::tuple<PartsCase, char16_t>> {};

TEST_P(PartsTest, SplitsAtLastSeparator) {
    const auto& [c, sep] = GetParam();
    const std::u16string path = withSeparator(c.path, sep);
    EXPECT_EQ(GetFolderPart(path, sep), withSeparator(c.folder, sep));
    EXPECT_EQ(GetNamePart(path, sep), withSeparator(c.name, sep));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, PartsTest,
    testing::Combine(
        testing::Values(PartsCase{u"C:\\logs\\thread.html", u"C:\\logs", u"thread.html"},
                        PartsCase{u"C:\\a.txt", u"C:", u"a.txt"},
                        PartsCase{u"C:\\logs\\", u"C:\\logs", u""},
                        PartsCase{u"thread.html", u"thread.html", u"thread.html"},
                        PartsCase{u"", u"", u""}, PartsCase{u"\\", u"", u""},
                        PartsCase{u"\\\\srv\\share\\a.txt", u"\\\\srv\\share", u"a.txt"},
                        PartsCase{u"C:\\我が家\\スレ.html", u"C:\\我が家", u"スレ.html"}),
        testing::Values(u'\\', u'/')));

TEST(PartsTest, OtherSeparatorIsPlainText) {
    EXPECT_EQ(GetFolderPart(u"C:\\logs/a.txt", u'/'), u"C:\\logs");
    EXPECT_EQ(GetFolderPart(u"C:\\logs/a.txt", u'\\'), u"C:");
    EXPECT_EQ(GetNamePart(u"C:\\logs/a.txt", u'\\'), u"logs/a.txt");
}

// A separator at 1-based position 32766 still fits the 16-bit counter; at 32767
// the step past it overflows.
TEST_P(SeparatorTest, PartsOverflowFromPosition32767) {
    const char16_t sep = GetParam();
    std::u16string fits(32765, u'a');
    fits += sep;
    fits += u"name";
    EXPECT_EQ(GetFolderPart(fits, sep), std::u16string(32765, u'a'));
    EXPECT_EQ(GetNamePart(fits, sep), u"name");

    std::u16string over(32766, u'a');
    over += sep;
    over += u"name";
    EXPECT_THROW(GetFolderPart(over, sep), PathOverflow);
    EXPECT_THROW(GetNamePart(over, sep), PathOverflow);

    // An earlier last separator does not help when a later one overflows, and
    // a long name after an early separator is fine.
    std::u16string longName = u"C:";
    longName += sep;
    longName += std::u16string(40000, u'b');
    EXPECT_EQ(GetFolderPart(longName, sep), u"C:");
    EXPECT_EQ(GetNamePart(longName, sep).size(), 40000u);
}

TEST(PathOverflowTest, DescribesTheError) {
    EXPECT_STREQ(PathOverflow().what(), "オーバーフローしました。");
}

struct ExtensionCase {
    std::u16string path;
    std::u16string ext;
    std::u16string expected;
};

class ExtensionTest : public testing::TestWithParam<std::tuple<ExtensionCase, char16_t>> {};

TEST_P(ExtensionTest, ReplacesLastExtension) {
    const auto& [c, sep] = GetParam();
    EXPECT_EQ(ReplaceExtension(withSeparator(c.path, sep), c.ext, sep),
              withSeparator(c.expected, sep));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ExtensionTest,
    testing::Combine(
        testing::Values(ExtensionCase{u"thread.htm", u"html", u"thread.html"},
                        ExtensionCase{u"C:\\my.logs\\thread", u"txt", u"C:\\my.logs\\thread.txt"},
                        ExtensionCase{u"a.b.c", u"txt", u"a.b.txt"},
                        ExtensionCase{u"name.", u"html", u"name.html"},
                        ExtensionCase{u"", u"html", u""},
                        ExtensionCase{u"C:\\logs\\log.htm", u"html", u"C:\\logs\\log.html"},
                        ExtensionCase{u"C:\\logs\\page.html", u"txt", u"C:\\logs\\page.txt"},
                        ExtensionCase{u"C:\\logs\\", u"txt", u"C:\\logs\\.txt"},
                        ExtensionCase{u".hidden", u"txt", u".txt"},
                        ExtensionCase{u"C:\\a.b\\.c", u"txt", u"C:\\a.b\\.txt"}),
        testing::Values(u'\\', u'/')));

TEST_P(SeparatorTest, ExtensionOverflowBeyond32767) {
    const char16_t sep = GetParam();
    // Last dot at 32767: fits.
    std::u16string fits(32766, u'a');
    fits += u".htm";
    EXPECT_EQ(ReplaceExtension(fits, u"html", sep), std::u16string(32766, u'a') + u".html");
    // Last dot at 32768: overflows.
    std::u16string dot(32767, u'a');
    dot += u".htm";
    EXPECT_THROW(ReplaceExtension(dot, u"html", sep), PathOverflow);
    // Last separator at 32768: overflows too.
    std::u16string folder = u"a.b";
    folder += std::u16string(32764, u'a');
    folder += sep;
    folder += u"name";
    EXPECT_THROW(ReplaceExtension(folder, u"txt", sep), PathOverflow);
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, SeparatorTest, testing::Values(u'\\', u'/'));

TEST(DroppedPathTest, LooksForAnyDot) {
    EXPECT_FALSE(droppedPathHasDot(u"C:\\logs\\thread"));
    EXPECT_TRUE(droppedPathHasDot(u"C:\\my.logs\\thread"));
    EXPECT_TRUE(droppedPathHasDot(u"/home/u/a.html"));
    EXPECT_FALSE(droppedPathHasDot(u""));
    EXPECT_TRUE(droppedPathHasDot(std::u16string(32766, u'a') + u"."));
    EXPECT_THROW(droppedPathHasDot(std::u16string(32767, u'a') + u"."), PathOverflow);
}

struct CommandLineCase {
    std::u16string arguments;
    std::optional<std::u16string> expected;
};

class CommandLineTest : public testing::TestWithParam<std::tuple<CommandLineCase, char16_t>> {};

TEST_P(CommandLineTest, TakesFirstAbsolutePath) {
    const auto& [c, sep] = GetParam();
    const auto result = commandLinePath(withSeparator(c.arguments, sep));
    if (!c.expected) {
        EXPECT_FALSE(result.has_value());
    } else {
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, withSeparator(*c.expected, sep));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CommandLineTest,
    testing::Combine(testing::Values(CommandLineCase{u"C:\\logs\\a.html", u"C:\\logs\\a.html"},
                                     CommandLineCase{u"\"C:\\My Logs\\a b.html\"",
                                                     u"C:\\My Logs\\a b.html"},
                                     CommandLineCase{u"C:\\a.html D:\\b.html", u"C:\\a.html"},
                                     CommandLineCase{u"\"C:\\My Logs\\a.html\" \"D:\\b c.html\"",
                                                     u"C:\\My Logs\\a.html"},
                                     CommandLineCase{u"", std::nullopt},
                                     CommandLineCase{u"logs\\a.html", std::nullopt},
                                     CommandLineCase{u"\\\\srv\\share\\a.html", std::nullopt},
                                     // A single path is used whole, not trimmed.
                                     CommandLineCase{u"  C:\\a.html  ", u"  C:\\a.html  "},
                                     // With two paths the kept part is trimmed.
                                     CommandLineCase{u"  C:\\a.html   D:\\b.html", u"C:\\a.html"},
                                     // Only one quote at each end; inner quotes stay.
                                     CommandLineCase{u"\"\"C:\\a.html\"\"", u"\"C:\\a.html\""},
                                     CommandLineCase{u"C:\\a\"b.html", u"C:\\a\"b.html"},
                                     CommandLineCase{u"\"C:\\a.html", u"C:\\a.html"},
                                     // Second ":" at position 3 keeps 0 characters; at position 2
                                     // the negative length gives the empty path as well.
                                     CommandLineCase{u"C::", u""}, CommandLineCase{u"::", u""},
                                     CommandLineCase{u"\"", std::nullopt},
                                     CommandLineCase{u":", u":"}, CommandLineCase{u"\":\"", u":"}),
                     testing::Values(u'\\', u'/')));

}  // namespace
}  // namespace mozaru
