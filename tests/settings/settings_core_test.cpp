// Tests for reading settings lines into values and writing values back.
#include "settings/settings_core.h"

#include <gtest/gtest.h>

namespace mozaru {
namespace {

using Lines = std::vector<std::u16string>;

constexpr std::u16string_view kProgram = u"C:\\Program Files\\Mozaru";

struct NumberCase {
    std::u16string text;
    std::optional<std::int16_t> expected;
};

class NumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberTest, ConvertsWholeNumbersHalfToEven) {
    EXPECT_EQ(parseSettingsNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTest,
    testing::Values(NumberCase{u"0", 0}, NumberCase{u"1", 1}, NumberCase{u"-1", -1},
                    NumberCase{u"+2", 2}, NumberCase{u"007", 7}, NumberCase{u"2.5", 2},
                    NumberCase{u"3.5", 4}, NumberCase{u"-2.5", -2}, NumberCase{u"-3.5", -4},
                    NumberCase{u"2.50001", 3}, NumberCase{u"2.4999", 2}, NumberCase{u"0.5", 0},
                    NumberCase{u".6", 1}, NumberCase{u"1.", 1}, NumberCase{u"32767", 32767},
                    NumberCase{u"-32768", -32768}, NumberCase{u"32767.4", 32767},
                    NumberCase{u"-32768.5", -32768}, NumberCase{u"32767.5", std::nullopt},
                    NumberCase{u"32768", std::nullopt}, NumberCase{u"-32769", std::nullopt},
                    NumberCase{u"40000", std::nullopt},
                    NumberCase{u"99999999999999999999", std::nullopt},
                    NumberCase{u"abc", std::nullopt}, NumberCase{u"", std::nullopt},
                    NumberCase{u"-", std::nullopt}, NumberCase{u".", std::nullopt},
                    NumberCase{u"1 2", std::nullopt}, NumberCase{u"1e3", std::nullopt},
                    NumberCase{u"１", std::nullopt}, NumberCase{u"1.2.3", std::nullopt}));

struct ReadCase {
    const char* name;
    Lines lines;
    SettingsValues expected;
    bool fails;
};

class ReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, SetsValuesUpToAFailingLine) {
    const ReadCase& c = GetParam();
    SettingsValues values{u"before", 7, 8};
    const SettingsError error = readSettingsLines(c.lines, kProgram, values);
    EXPECT_EQ(error.has_value(), c.fails);
    EXPECT_EQ(values.loadFolder, c.expected.loadFolder);
    EXPECT_EQ(values.precisionLevel, c.expected.precisionLevel);
    EXPECT_EQ(values.mergeFlag, c.expected.mergeFlag);
    EXPECT_EQ(values.pictureFlag, c.expected.pictureFlag);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadTest,
    testing::Values(
        ReadCase{"empty_loadpass_is_program_folder",
                 {u"LOADPASS=", u"SLIDER=1", u"CHECK1=1"},
                 {std::u16string(kProgram), 1, 1},
                 false},
        ReadCase{"folder_trimmed", {u"LOADPASS=  C:\\logs  "}, {u"C:\\logs", 7, 8}, false},
        ReadCase{"value_with_equals", {u"LOADPASS=C:\\a=b"}, {u"C:\\a=b", 7, 8}, false},
        ReadCase{"leading_spaces", {u"   SLIDER=2", u"  CHECK1 = 1"}, {u"before", 2, 8}, false},
        ReadCase{"lower_case_key", {u"slider=2", u"Check1=-1"}, {u"before", 2, -1}, false},
        ReadCase{"space_before_equals_ignored", {u"SLIDER =1"}, {u"before", 7, 8}, false},
        ReadCase{"comment_with_equals", {u"'SLIDER=2", u"  'CHECK1=1"}, {u"before", 7, 8}, false},
        ReadCase{"unknown_key", {u"COLOR=red"}, {u"before", 7, 8}, false},
        ReadCase{"key_twice_later_wins", {u"SLIDER=1", u"SLIDER=2"}, {u"before", 2, 8}, false},
        ReadCase{"rounding", {u"SLIDER=2.5", u"CHECK1=3.5"}, {u"before", 2, 4}, false},
        ReadCase{
            "spaces_only_loadpass", {u"LOADPASS=   "}, {std::u16string(kProgram), 7, 8}, false},
        ReadCase{"no_lines", {}, {u"before", 7, 8}, false},
        ReadCase{"abc_refused", {u"SLIDER=1", u"SLIDER=abc", u"CHECK1=1"}, {u"before", 1, 8}, true},
        ReadCase{"40000_refused", {u"CHECK1=40000"}, {u"before", 7, 8}, true},
        ReadCase{"empty_value_refused", {u"SLIDER="}, {u"before", 7, 8}, true},
        ReadCase{"empty_line_stops", {u"LOADPASS=D:\\x", u"", u"SLIDER=2"}, {u"D:\\x", 7, 8}, true},
        ReadCase{"spaces_line_stops", {u"SLIDER=2", u"   ", u"CHECK1=1"}, {u"before", 2, 8}, true},
        ReadCase{"line_without_equals", {u"SLIDER"}, {u"before", 7, 8}, true},
        ReadCase{"picture_detector",
                 {u"CHECK1=1", u"check2 = 1", u"Check2=2"},
                 {u"before", 7, 1, 2},
                 false},
        ReadCase{"picture_detector_refused", {u"CHECK2=yes"}, {u"before", 7, 8}, true}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(ReadErrorTest, NamesLineAndValue) {
    SettingsValues values;
    EXPECT_EQ(readSettingsLines({u"'x", u"slider=abc"}, kProgram, values),
              u"2 行目: slider の値「abc」は -32768 から 32767 までの数値ではありません。");
    EXPECT_EQ(readSettingsLines({u"SLIDER=1", u""}, kProgram, values),
              u"2 行目: 「=」のない行があります（空の行も含みます）。");
}

struct WriteCase {
    const char* name;
    Lines lines;
    Lines expected;  // empty with fails: no lines to write
    bool fails;
    std::int16_t picture = 0;
};

class WriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteTest, ReplacesKnownValuesOnly) {
    const WriteCase& c = GetParam();
    const SettingsValues values{u"D:\\ログ", 2, -1, c.picture};
    const SettingsRewrite rewrite = rewriteSettingsLines(c.lines, values);
    EXPECT_EQ(rewrite.error.has_value(), c.fails);
    EXPECT_EQ(rewrite.lines, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WriteTest,
    testing::Values(
        WriteCase{"all_three",
                  {u"'Mozaru の設定", u"LOADPASS=", u"SLIDER=1", u"CHECK1=1"},
                  {u"'Mozaru の設定", u"LOADPASS=D:\\ログ", u"SLIDER=2", u"CHECK1=-1"},
                  false},
        WriteCase{"trimmed", {u"  SLIDER=0  ", u"  ' note  "}, {u"SLIDER=2", u"' note"}, false},
        WriteCase{"key_case_kept",
                  {u"slider=0", u"LoadPass=x"},
                  {u"slider=2", u"LoadPass=D:\\ログ"},
                  false},
        WriteCase{"space_before_equals_kept", {u"SLIDER =1 "}, {u"SLIDER =1"}, false},
        WriteCase{"comment_with_equals", {u"'SLIDER=9"}, {u"'SLIDER=9"}, false},
        WriteCase{"unknown_kept", {u"COLOR = red "}, {u"COLOR = red"}, false},
        WriteCase{"key_twice", {u"SLIDER=0", u"SLIDER=1"}, {u"SLIDER=2", u"SLIDER=2"}, false},
        WriteCase{"value_not_checked", {u"CHECK1=abc"}, {u"CHECK1=-1"}, false},
        WriteCase{"missing_keys_not_added", {u"SLIDER=0"}, {u"SLIDER=2"}, false},
        WriteCase{"empty_file", {}, {}, false},
        WriteCase{"empty_line_fails", {u"SLIDER=0", u"", u"CHECK1=0"}, {}, true},
        WriteCase{"no_equals_fails", {u"LOADPASS"}, {}, true},
        // CHECK2, which files written before the picture detector lack, is
        // added once it is chosen, never otherwise.
        WriteCase{"picture_kept_in_its_line", {u"CHECK2=0", u"'x"}, {u"CHECK2=1", u"'x"}, false, 1},
        WriteCase{"picture_added_when_chosen", {u"SLIDER=0"}, {u"SLIDER=2", u"CHECK2=1"}, false, 1},
        WriteCase{"picture_unchosen_not_added", {u"CHECK2=1"}, {u"CHECK2=0"}, false},
        WriteCase{"picture_not_added_to_a_failing_file", {u"SLIDER=0", u""}, {}, true, 1}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(WriteTest, NumbersInDecimal) {
    const SettingsRewrite rewrite =
        rewriteSettingsLines({u"SLIDER=0", u"CHECK1=0"}, SettingsValues{u"", -32768, 32767});
    EXPECT_EQ(rewrite.lines, (Lines{u"SLIDER=-32768", u"CHECK1=32767"}));
}

}  // namespace
}  // namespace mozaru
