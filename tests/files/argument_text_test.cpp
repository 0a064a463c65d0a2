// The argument text Windows passes the program, and the path the command line opens from it.
#include "files/argument_text.h"

#include <gtest/gtest.h>

#include "files/paths.h"
#include "support/win32_process.h"

namespace mozaru {
namespace {

struct ArgumentCase {
    const wchar_t* commandLine;  // as handed to CreateProcessW
    const char16_t* text;
    const char16_t* path;  // what commandLinePath takes from text; nullptr: nothing
};

class ArgumentTextTest : public testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentTextTest, IsTheCommandLineAfterTheProgramName) {
    const ArgumentCase& c = GetParam();
    const std::string out = test::runProbe(c.commandLine, L"argument-text");
    const std::u16string text(reinterpret_cast<const char16_t*>(out.data()), out.size() / 2);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(commandLinePath(text).value_or(u"(none)"), c.path ? c.path : u"(none)");
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ArgumentTextTest,
    testing::Values(
        ArgumentCase{L"\"C:\\My Apps\\mozaru.exe\" \"C:\\My Logs\\a b.html\" \"D:\\b.html\"",
                     u"\"C:\\My Logs\\a b.html\" \"D:\\b.html\"", u"C:\\My Logs\\a b.html"},
        ArgumentCase{L"mozaru.exe \t C:\\スレ ログ.html D:\\b.html",
                     u"C:\\スレ ログ.html D:\\b.html", u"C:\\スレ ログ.html"},
        ArgumentCase{L"C:\\My\" \"Apps\\mozaru.exe logs\\a.html", u"logs\\a.html", nullptr},
        ArgumentCase{L"mozaru.exe", u"", nullptr}));

}  // namespace
}  // namespace mozaru
