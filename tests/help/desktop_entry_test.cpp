// Tests for reading a desktop entry's Exec= line.
#include "help/desktop_entry.h"

#include <gtest/gtest.h>

namespace mozaru {
namespace {

using Args = std::vector<std::u16string>;

struct SplitCase {
    const char* name;
    std::u16string exec;
    Args args;
    std::u16string program;
};

class ExecTest : public testing::TestWithParam<SplitCase> {};

TEST_P(ExecTest, SplitsAndFindsProgram) {
    EXPECT_EQ(splitExecLine(GetParam().exec), GetParam().args);
    EXPECT_EQ(execProgram(GetParam().exec), GetParam().program);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ExecTest,
    testing::Values(
        SplitCase{"plain", u"firefox %u", {u"firefox"}, u"firefox"},
        SplitCase{
            "upper_and_file_codes", u"web-browser %U %f %F", {u"web-browser"}, u"web-browser"},
        SplitCase{"absolute",
                  u"/opt/Web Thing/bin/web --new-window %u",
                  {u"/opt/Web", u"Thing/bin/web", u"--new-window"},
                  u"/opt/Web"},
        SplitCase{"quoted_program",
                  u"\"/opt/Web Thing/bin/web\" --new-window %u",
                  {u"/opt/Web Thing/bin/web", u"--new-window"},
                  u"/opt/Web Thing/bin/web"},
        SplitCase{
            "escapes_in_quotes", u"\"a\\\"b\\\\c\\$d\\`e\"", {u"a\"b\\c$d`e"}, u"a\"b\\c$d`e"},
        SplitCase{"empty_quoted_argument", u"prog \"\" x", {u"prog", u"", u"x"}, u"prog"},
        SplitCase{"percent_sign", u"prog 100%%", {u"prog", u"100%"}, u"prog"},
        SplitCase{"embedded_code", u"prog --url=%u", {u"prog", u"--url="}, u"prog"},
        SplitCase{"icon_code", u"prog %i %c %k", {u"prog"}, u"prog"},
        SplitCase{"many_spaces", u"  prog   a  ", {u"prog", u"a"}, u"prog"},
        SplitCase{"env_prefix",
                  u"env A=1 B=two /snap/bin/web %u",
                  {u"env", u"A=1", u"B=two", u"/snap/bin/web"},
                  u"/snap/bin/web"},
        SplitCase{"env_only", u"env A=1", {u"env", u"A=1"}, u""}, SplitCase{"empty", u"", {}, u""},
        SplitCase{"codes_only", u"%u", {}, u""}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

struct EntryCase {
    const char* name;
    std::u16string file;
    std::optional<std::u16string> exec;
};

class EntryTest : public testing::TestWithParam<EntryCase> {};

TEST_P(EntryTest, ReadsExecOfDesktopEntryGroup) {
    EXPECT_EQ(desktopEntryExec(GetParam().file), GetParam().exec);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EntryTest,
    testing::Values(
        EntryCase{"simple", u"[Desktop Entry]\nName=Web\nExec=web %u\n", u"web %u"},
        EntryCase{"crlf_and_spaces", u"[Desktop Entry]\r\nExec = web %u \r\n", u"web %u"},
        EntryCase{"action_group_ignored",
                  u"[Desktop Action new]\nExec=other\n[Desktop Entry]\nExec=web\n", u"web"},
        EntryCase{"first_wins", u"[Desktop Entry]\nExec=one\nExec=two\n", u"one"},
        EntryCase{"later_group_ignored", u"[Desktop Entry]\nName=x\n[Other]\nExec=no\n",
                  std::nullopt},
        EntryCase{"try_exec_not_exec", u"[Desktop Entry]\nTryExec=web\n", std::nullopt},
        EntryCase{"key_case_matters", u"[Desktop Entry]\nexec=web\n", std::nullopt},
        EntryCase{"comment", u"[Desktop Entry]\n#Exec=no\nExec=yes", u"yes"},
        EntryCase{"value_escapes", u"[Desktop Entry]\nExec=\"/opt/a\\sb/web\" %u\n",
                  u"\"/opt/a b/web\" %u"},
        EntryCase{"no_group", u"Exec=web\n", std::nullopt}),
    [](const testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mozaru
