// mozaru-cli run in-process: commands, options, batches, failures and messages.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <thread>

#include "cli/explain.h"
#include "cli/text_pipe.h"
#include "cli_test_support.h"

namespace mozaru {
namespace {

using namespace test;

// Seven lines (the last one empty): 36 characters, 31 symbols, 5 Latin letters.
const std::u16string kCat =
    u"  /\\_/\\<BR> ( o.o )<BR>  = ^ =<BR> /     \\<BR>(_______)<BR> cat<BR>";
// The same picture with its tags in small letters: the same merge key.
const std::u16string kCatSmall =
    u"  /\\_/\\<br> ( o.o )<br>  = ^ =<br> /     \\<br>(_______)<br> cat<br>";
const std::u16string kProse = u"こんにちは。今日は<BR>いい天気<BR>";

// Bodies written over several lines in the page, as saved pages have them.
const std::u16string kPage = u"<HTML><BODY><DL>\r\n<DT>1 名無し<DD>" + kCat +
                             u"\r\n<DT>2 名無し<DD>" + kProse + u"\r\n<DT>3 名無し<DD>" +
                             kCatSmall + u"\r\n</DL></BODY></HTML>\r\n";

const std::u16string kBothCats = u"\r\n<HR>\r\n" + kCat + u"\r\n<HR>\r\n" + kCatSmall + u"<HR>";
const std::u16string kOneCat = u"\r\n<HR>\r\n" + kCat + u"<HR>";

// The cat in a 2ch .dat log, and the classic page it becomes.
const std::u16string kDat = u"\u540D\u7121\u3057<>sage<>d ID:x<>" + kCat + u"<>T\n";
const std::u16string kDatPage =
    u"<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
    u"<TITLE>T</TITLE></HEAD><BODY>\r\n<DL>\r\n<DT>1 \uFF1A<A HREF=\"mailto:sage\"><B>\u540D"
    u"\u7121\u3057</B></A>\uFF1Ad ID:x<DD>" +
    kCat + u"<BR><BR>\r\n</DL></BODY></HTML>";
const std::u16string kDatCat = u"\r\n<HR>\r\n" + kCat + u"<BR><BR><HR>";
// The cats as plain lines: no board padding, so every space stays.
const std::u16string kCatLines =
    u"  /\\_/\\\r\n ( o.o )\r\n  = ^ =\r\n /     \\\r\n(_______)\r\n cat\r\n";

struct Conversion {
    std::vector<std::string> args;
    std::u16string input;
    std::u16string output;
};

class Commands : public ::testing::TestWithParam<Conversion> {};

INSTANTIATE_TEST_SUITE_P(
    FromStandardInput, Commands,
    ::testing::Values(
        Conversion{{"extract"}, kPage, kBothCats}, Conversion{{"extract", "-"}, kPage, kBothCats},
        Conversion{{"extract", "--level", "0"}, kPage, kBothCats},
        Conversion{{"extract", "--merge"}, kPage, kOneCat},
        Conversion{{"extract", "--level", "1"}, kPage, u""},  // 36 characters: too short
        Conversion{{"extract", "--level", "2", "--merge"}, kPage, u""},
        Conversion{{"extract"}, u"no list here\r\n", u""},
        Conversion{{"add-breaks"}, u"a<BR>b<Br>c", u"a<br>\r\nb<br>\r\nc"},
        Conversion{{"remove-breaks"}, u"a<br>\r\nb<BR>\r\n<HR>", u"a<br>b<br>\r\n<HR>"},
        // Inputs get CR LF like documents in the window: the LF counts as CR LF.
        Conversion{{"remove-breaks"}, u"a<br>\nb", u"a<br>b"}, Conversion{{"add-breaks"}, u"", u""},
        // Other formats are read as the classic page they stand for, unless told not to.
        Conversion{{"extract"}, kDat, kDatCat},
        Conversion{{"extract", "--input-format", "classic"}, kDat, u""},
        Conversion{{"explain", "--json", "--input-format", "CLASSIC"}, kDat, u""},
        Conversion{{"convert"}, kDat, kDatPage}, Conversion{{"convert"}, kPage, kPage},
        Conversion{{"extract", "--to", "mlt"}, kPage, kCatLines + u"[SPLIT]\r\n" + kCatLines},
        Conversion{{"extract", "--to", "AST", "--merge"}, kPage, u"[AA][1]\r\n" + kCatLines},
        Conversion{{"extract", "--to", "ast"}, kDat, u"[AA][1]\r\n" + kCatLines}));

TEST_P(Commands, WriteTheResultExactlyInCp932) {
    const CliRun run = runCliWith(GetParam().args, cp932(GetParam().input));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(fromCp932(run.out), GetParam().output);
    EXPECT_EQ(run.out, cp932(GetParam().output));
}

TEST(Encodings, Utf8InAndOut) {
    const std::string utf8 = encodeText(u"ё<BR>Й", OutputEncoding::Utf8).bytes;
    const CliRun run =
        runCliWith({"add-breaks", "--input-encoding", "utf-8", "--output-encoding", "UTF-8"}, utf8);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "\xD1\x91<br>\r\n\xD0\x99");
    // A classic page written in UTF-8 says so in its header.
    const CliRun page = runCliWith({"convert", "--output-encoding", "utf-8"}, cp932(kDat));
    EXPECT_EQ(page.status, 0) << page.err;
    EXPECT_NE(page.out.find("charset=UTF-8\""), std::string::npos) << page.out;
    EXPECT_EQ(page.out.find("Shift_JIS"), std::string::npos);
}

TEST(Encodings, Cp932NamedReadsBytesAsCp932) {
    // ё in CP932 is 84 76; read as UTF-8 it would be undecodable.
    const CliRun run = runCliWith({"add-breaks", "--input-encoding", "cp932"}, "\x84\x76<BR>");
    EXPECT_EQ(run.out, "\x84\x76<br>\r\n");
    EXPECT_EQ(run.err, "");
}

TEST(Warnings, UndecodableBytesNameTheInputAndCount) {
    const CliRun run = runCliWith({"add-breaks"}, "a\x80\x80<BR>");
    EXPECT_EQ(run.status, 0);
    // U+FFFD itself has no CP932 code: it is saved as a reference.
    EXPECT_EQ(run.out, "a&#65533;&#65533;<br>\r\n");
    EXPECT_EQ(run.err,
              "mozaru-cli: warning: standard input: 2 undecodable bytes replaced by U+FFFD (read "
              "as CP932)\n"
              "mozaru-cli: warning: standard output: 2 characters not in CP932 written as &#N; "
              "references\n");
}

TEST(Warnings, ReferencesNameTheOutputAndCount) {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.txt");
    const std::string utf8 = encodeText(u"\u263A<BR>\U0001F600", OutputEncoding::Utf8).bytes;
    const CliRun run = runCliWith({"add-breaks", "-o", path(out)}, utf8);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(fileBytes(out), "&#9786;<br>\r\n&#128512;");
    EXPECT_EQ(run.err, "mozaru-cli: warning: " + path(out) +
                           ": 2 characters not in CP932 written as &#N; references\n");
}

TEST(SingleInput, FileToOutputFile) {
    QTemporaryDir dir;
    putFile(dir.filePath("thread.html"), cp932(kPage));
    const CliRun run = runCliWith({"extract", "--merge", "-o", path(dir.filePath("aa.html")),
                                   path(dir.filePath("thread.html"))});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(fileBytes(dir.filePath("aa.html")), cp932(kOneCat));
}

class MissingInput : public ::testing::TestWithParam<std::string> {};

// A path from the root is a path on Windows too, not an option.
INSTANTIATE_TEST_SUITE_P(SingleInput, MissingInput,
                         ::testing::Values("absent.html", "/mozaru-no-such-folder/x.html"));

TEST_P(MissingInput, IsNamedAndNothingIsWritten) {
    QTemporaryDir dir;
    const std::string missing =
        GetParam()[0] == '/' ? GetParam() : path(dir.filePath(QString::fromStdString(GetParam())));
    const CliRun run = runCliWith({"extract", "-o", path(dir.filePath("aa.html")), missing});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "mozaru-cli: cannot read " + missing + ": " + readFailure(missing) + "\n");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

struct LimitRun {
    std::vector<std::string> args;
    std::string stdinBytes;
    std::string err;
};

class InputLimit : public ::testing::TestWithParam<LimitRun> {};

std::vector<LimitRun> limitRuns() {
    std::vector<LimitRun> runs{
        LimitRun{{"add-breaks", "--max-input-size", "9"},
                 "0123456789",
                 "mozaru-cli: cannot read standard input: larger than the input limit of 9 bytes "
                 "(--max-input-size raises it)\n"},
        LimitRun{{"add-breaks", "--max-input-size", "10"}, "0123456789", ""}};
#ifndef _WIN32
    // A device without end stops at the limit, with the option named.
    runs.push_back({{"extract", "--max-input-size", "1M", "/dev/zero"},
                    "",
                    "mozaru-cli: cannot read /dev/zero: larger than the input limit of 1 MiB "
                    "(--max-input-size raises it)\n"});
#endif
    return runs;
}

INSTANTIATE_TEST_SUITE_P(Inputs, InputLimit, ::testing::ValuesIn(limitRuns()));

TEST_P(InputLimit, LargerInputsFailWithTheLimitNamed) {
    const CliRun run = runCliWith(GetParam().args, GetParam().stdinBytes);
    EXPECT_EQ(run.status, GetParam().err.empty() ? 0 : 1);
    EXPECT_EQ(run.err, GetParam().err);
    EXPECT_EQ(run.out, GetParam().err.empty() ? GetParam().stdinBytes : "");
}

struct Unwritable {
    const char* output;  // below the temporary folder
    const char* reason;  // nullptr: the system's, whatever it is
};

class UnwritableOutput : public ::testing::TestWithParam<Unwritable> {};

INSTANTIATE_TEST_SUITE_P(Outputs, UnwritableOutput,
                         ::testing::Values(Unwritable{"no/folder/aa.html", nullptr},
                                           // A folder is refused, not written into like a device.
                                           Unwritable{"folder", "Filename refers to a directory"}));

TEST_P(UnwritableOutput, IsNamed) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const std::string target = path(dir.filePath(GetParam().output));
    const CliRun run = runCliWith({"add-breaks", "-o", target}, "x");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("mozaru-cli: cannot write " + target + ": ", 0), 0u) << run.err;
    if (GetParam().reason != nullptr) {
        EXPECT_EQ(run.err, "mozaru-cli: cannot write " + target + ": " + GetParam().reason + "\n");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"folder"});
    EXPECT_TRUE(QDir(dir.filePath("folder")).isEmpty());
}

class UsageErrors : public ::testing::TestWithParam<std::vector<std::string>> {};

INSTANTIATE_TEST_SUITE_P(
    Options, UsageErrors,
    ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"frobnicate"},
                      std::vector<std::string>{"extract", "--level", "3"},
                      std::vector<std::string>{"extract", "--level", "-1"},
                      std::vector<std::string>{"extract", "--level"},
                      std::vector<std::string>{"extract", "--input-encoding", "latin-1"},
                      std::vector<std::string>{"extract", "--input-encoding", "1"},
                      std::vector<std::string>{"extract", "--output-encoding", "euc-jp"},
                      std::vector<std::string>{"extract", "-j", "0"},
                      std::vector<std::string>{"extract", "-o", "a", "-d", "b", "x"},
                      std::vector<std::string>{"extract", "a.html", "b.html"},
                      // Two inputs, never --level 2: / starts paths, not options.
                      std::vector<std::string>{"extract", "/level", "2"},
                      std::vector<std::string>{"extract", "-o", "out", "a.html", "b.html"},
                      std::vector<std::string>{"extract", "--json"},
                      std::vector<std::string>{"add-breaks", "--level", "1"},
                      std::vector<std::string>{"remove-breaks", "--merge"},
                      std::vector<std::string>{"explain", "a.html", "b.html"},
                      std::vector<std::string>{"explain", "-o", "x"},
                      std::vector<std::string>{"extract", "-d", "out", "-"},
                      std::vector<std::string>{"extract", "-d", "out"},
                      std::vector<std::string>{"extract", "--to", "txt"},
                      std::vector<std::string>{"explain", "--input-format", "jbbs"},
                      std::vector<std::string>{"convert", "--merge"},
                      std::vector<std::string>{"add-breaks", "--to", "mlt"},
                      std::vector<std::string>{"extract", MOZARU_SOURCE_DIR "/samples"}));

TEST_P(UsageErrors, ExitTwoWithOneLineAndTheUsage) {
    const CliRun run = runCliWith(GetParam(), "<DL><DT>1<DD>x</DL>");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    const std::size_t lineEnd = run.err.find('\n');
    ASSERT_NE(lineEnd, std::string::npos);
    EXPECT_EQ(run.err.rfind("mozaru-cli: ", 0), 0u);
    EXPECT_EQ(run.err.substr(lineEnd + 1, 7), "usage:\n");
}

TEST(Help, GoesToStandardOutput) {
    const CliRun run = runCliWith({"extract", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("--merge"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

class Batch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("a"));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("b"));
    }
    std::string at(const char* name) const { return path(m_dir.filePath(name)); }
    QTemporaryDir m_dir;
};

TEST_F(Batch, EachResultGoesToTheFolderUnderItsInputName) {
    putFile(m_dir.filePath("a/one.html"), cp932(kPage));
    putFile(m_dir.filePath("b/two.txt"), cp932(u"x<BR>y"));
    for (const char* jobs : {"1", "2"}) {
        const std::string out = at(jobs[0] == '1' ? "out1/new" : "out2/new");
        const CliRun run =
            runCliWith({"extract", "-j", jobs, "-d", out, at("a/one.html"), at("b/two.txt")});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");  // no progress line: not a terminal
        EXPECT_EQ(fileBytes(QString::fromStdString(out + "/one.html")), cp932(kBothCats));
        EXPECT_EQ(fileBytes(QString::fromStdString(out + "/two.txt")), "");
    }
}

TEST_F(Batch, SameFileNameTwiceIsRefusedBeforeAnythingIsWritten) {
    putFile(m_dir.filePath("a/first.html"), cp932(kPage));
    putFile(m_dir.filePath("a/x.html"), cp932(kPage));
    putFile(m_dir.filePath("b/x.html"), cp932(kPage));
    const CliRun run = runCliWith(
        {"extract", "-d", at("out"), at("a/first.html"), at("a/x.html"), at("b/x.html")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "mozaru-cli: inputs " + at("a/x.html") +
                                                         " and " + at("b/x.html") +
                                                         " have the same file name x.html");
    EXPECT_FALSE(QDir(m_dir.filePath("out")).exists());
}

// Names that differ only in letter case are one file where the folder does not
// tell them apart (Windows): refused before anything is written.
TEST_F(Batch, NamesDifferingInLetterCaseOnlyWhereTheyAreOneFile) {
    putFile(m_dir.filePath("a/Thread.html"), cp932(kPage));
    putFile(m_dir.filePath("b/thread.html"), cp932(kDat));
    const CliRun run = runCliWith(
        {"convert", "-j", "1", "-d", at("out"), at("a/Thread.html"), at("b/thread.html")});
#ifdef _WIN32
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
              "mozaru-cli: inputs " + at("a/Thread.html") + " and " + at("b/thread.html") +
                  " would both be written to thread.html (" + at("out") +
                  " does not tell letter case apart)");
    EXPECT_FALSE(QDir(m_dir.filePath("out")).exists());
#else
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fileBytes(m_dir.filePath("out/Thread.html")), cp932(kPage));
    EXPECT_EQ(fileBytes(m_dir.filePath("out/thread.html")), cp932(kDatPage));
#endif
}

TEST_F(Batch, OutputThatWouldReplaceItsInputIsRefused) {
    putFile(m_dir.filePath("a/x.html"), cp932(kPage));
    const CliRun run = runCliWith({"extract", "-d", at("a"), at("a/x.html")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(fileBytes(m_dir.filePath("a/x.html")), cp932(kPage));
}

TEST_F(Batch, MissingInputIsNamedAndTheOthersAreWritten) {
    putFile(m_dir.filePath("a/one.html"), cp932(kPage));
    putFile(m_dir.filePath("b/three.html"), cp932(kPage));
    const CliRun run = runCliWith({"extract", "--merge", "-q", "-d", at("out"), at("a/one.html"),
                                   at("a/absent.html"), at("b/three.html")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "mozaru-cli: cannot read " + at("a/absent.html") + ": " +
                           readFailure(at("a/absent.html")) + "\n");
    EXPECT_EQ(fileBytes(m_dir.filePath("out/one.html")), cp932(kOneCat));
    EXPECT_EQ(fileBytes(m_dir.filePath("out/three.html")), cp932(kOneCat));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("out/absent.html")));
}

TEST_F(Batch, MessagesComeInInputOrder) {
    putFile(m_dir.filePath("a/1.html"), "\x80");
    putFile(m_dir.filePath("a/2.html"), "\x80\x80");
    const CliRun run =
        runCliWith({"add-breaks", "-j", "2", "-d", at("out"), at("a/1.html"), at("a/2.html")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "mozaru-cli: warning: " + at("a/1.html") +
                           ": 1 undecodable byte replaced by U+FFFD (read as CP932)\n"
                           "mozaru-cli: warning: " +
                           at("out/1.html") +
                           ": 1 character not in CP932 written as &#N; references\n"
                           "mozaru-cli: warning: " +
                           at("a/2.html") +
                           ": 2 undecodable bytes replaced by U+FFFD (read as CP932)\n"
                           "mozaru-cli: warning: " +
                           at("out/2.html") +
                           ": 2 characters not in CP932 written as &#N; references\n");
}

TEST_F(Batch, ProgressLineOnlyOnATerminalAndNotWhenQuiet) {
    putFile(m_dir.filePath("a/1.html"), "x");
    putFile(m_dir.filePath("a/2.html"), "y");
    for (const bool quiet : {false, true}) {
        std::vector<std::string> args{"add-breaks", "-j",           "1",           "-d",
                                      at("out"),    at("a/1.html"), at("a/2.html")};
        if (quiet) args.push_back("-q");
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runCli(args, in, out, err, true), 0);
        const std::string progress = err.str();
        if (quiet) {
            EXPECT_EQ(progress, "");
        } else {
            EXPECT_EQ(progress.rfind("\r1/2 files, ", 0), 0u) << progress;
            EXPECT_NE(progress.find("\r2/2 files, "), std::string::npos);
            EXPECT_EQ(progress.back(), '\n');
        }
    }
}

// A folder is walked for pages and logs; the results keep their paths below it.
TEST_F(Batch, FolderResultsMirrorItsPaths) {
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("a/x"));
    putFile(m_dir.filePath("a/x/log.dat"), cp932(kDat));
    putFile(m_dir.filePath("a/y.HTML"), cp932(kPage));
    putFile(m_dir.filePath("a/z.jpg"), "x");
    CliRun run = runCliWith({"extract", "-d", at("out"), at("a")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fileBytes(m_dir.filePath("out/x/log.html")), cp932(kDatCat));
    EXPECT_EQ(fileBytes(m_dir.filePath("out/y.HTML")), cp932(kBothCats));
    EXPECT_EQ(QDir(m_dir.filePath("out")).entryList(QDir::Files), QStringList{"y.HTML"});
    run = runCliWith({"extract", "--to", "mlt", "-d", at("a/lib"), at("a")});
    EXPECT_EQ(fileBytes(m_dir.filePath("a/lib/x/log.mlt")), cp932(kCatLines));
    // The results of that run, inside the folder, are no inputs of the next.
    run = runCliWith({"convert", "-d", at("a/lib"), at("a")});
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(fileBytes(m_dir.filePath("a/lib/x/log.html")), cp932(kDatPage));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("a/lib/lib")));
    run = runCliWith({"extract", "-d", at("out"), at("b")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "mozaru-cli: " + at("b") + " holds no .dat, .html, .htm or .txt file\n");
}

TEST(Formats, MalformedDatLineIsNamedAndSkipped) {
    const CliRun run = runCliWith({"extract", "--to", "ast"}, cp932(kDat + u"broken<>\n"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(fromCp932(run.out), u"[AA][1]\r\n" + kCatLines);
    EXPECT_EQ(run.err,
              "mozaru-cli: warning: standard input:2: not a post of the .dat log, skipped (2 "
              "fields where its lines have 5)\n");
}

TEST(Formats, FormatAskedForButAbsentFails) {
    const CliRun run = runCliWith({"extract", "--input-format", "5ch"}, cp932(kPage));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(
        run.err,
        "mozaru-cli: standard input: no post of a 5ch or bbspink page (--input-format 5ch)\n");
}

const std::string kCatKey = "  /\\\\_/\\\\ ( o.o )  = ^ = /     \\\\(_______) cat";

TEST(Explain, JsonLinesForEveryExaminedBody) {
    const CliRun run = runCliWith({"explain", "--json"}, cp932(kPage));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"post\":1,\"lines\":7,\"total\":36,\"symbols\":31,\"ideographs\":0,\"latin\":5,"
              "\"is_aa\":true,\"rule\":\"symbols\",\"merge_key\":\"" +
                  kCatKey +
                  "\"}\n"
                  "{\"post\":2,\"lines\":3,\"total\":13,\"symbols\":1,\"ideographs\":4,"
                  "\"latin\":0,\"is_aa\":false,\"rule\":\"too-few-lines\",\"merge_key\":\""
                  "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF\xE3\x80\x82"
                  "\xE4\xBB\x8A\xE6\x97\xA5\xE3\x81\xAF\xE3\x81\x84\xE3\x81\x84\xE5\xA4\xA9"
                  "\xE6\xB0\x97\"}\n"
                  "{\"post\":3,\"lines\":7,\"total\":36,\"symbols\":31,\"ideographs\":0,"
                  "\"latin\":5,\"is_aa\":true,\"rule\":\"symbols\",\"merge_key\":\"" +
                  kCatKey + "\"}\n");
}

// The table shows the first 40 characters of a key.
TEST(Explain, TableForPeopleWithLevel) {
    QTemporaryDir dir;
    putFile(dir.filePath("t.html"), cp932(kPage));
    const CliRun run = runCliWith({"explain", "--level", "1", path(dir.filePath("t.html"))});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "  post  lines    total      symbols   ideographs        latin  AA   rule           "
              "merge key\n"
              "     1      7       36     31  86.1%      0   0.0%      5  13.9%  no   too-short  "
              "      /\\_/\\ ( o.o )  = ^ = /     \\(_______) \xE2\x80\xA6\n"
              "     2      3       13      1   7.7%      4  30.8%      0   0.0%  no   too-short  "
              "    \xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF\xE3\x80\x82\xE4"
              "\xBB\x8A\xE6\x97\xA5\xE3\x81\xAF\xE3\x81\x84\xE3\x81\x84\xE5\xA4\xA9\xE6\xB0\x97\n"
              "     3      7       36     31  86.1%      0   0.0%      5  13.9%  no   too-short  "
              "      /\\_/\\ ( o.o )  = ^ = /     \\(_______) \xE2\x80\xA6\n"
              "3 bodies examined, 0 ASCII art\n");
}

TEST(Explain, WarnsOfUndecodableBytes) {
    const CliRun run = runCliWith({"explain", "--json"}, "<DL><DT>1<DD>\x80</DL>");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "mozaru-cli: warning: standard input: 1 undecodable byte replaced by U+FFFD (read "
              "as CP932)\n");
    EXPECT_EQ(run.out,
              "{\"post\":1,\"lines\":1,\"total\":1,\"symbols\":1,\"ideographs\":0,\"latin\":0,"
              "\"is_aa\":false,\"rule\":\"too-few-lines\",\"merge_key\":\"\xEF\xBF\xBD\"}\n");
}

TEST(Explain, MissingFileExitsOne) {
    const CliRun run = runCliWith({"explain", "/nonexistent/x.html"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "mozaru-cli: cannot read /nonexistent/x.html: " +
                           readFailure("/nonexistent/x.html") + "\n");
}

struct Escaped {
    std::u16string text;
    std::string json;
};

class JsonEscaping : public ::testing::TestWithParam<Escaped> {};

INSTANTIATE_TEST_SUITE_P(Strings, JsonEscaping,
                         ::testing::Values(Escaped{u"a\"b\\c", "a\\\"b\\\\c"},
                                           Escaped{u"\t\r\n\x01", "\\t\\r\\n\\u0001"},
                                           Escaped{u"<SP0>/", "<SP0>/"},
                                           Escaped{u"\u3042", "\xE3\x81\x82"},
                                           Escaped{u"\U0001F600", "\xF0\x9F\x98\x80"},
                                           Escaped{u"\xD800x", "\\uD800x"}));

TEST_P(JsonEscaping, EscapesWhatJsonRequires) {
    EXPECT_EQ(jsonEscaped(GetParam().text), GetParam().json);
}

// Pieces of random sizes through the pipe from another thread, junctions
// cut inside tags and CR LF: the same result as the text whole.
TEST(TextPipe, LineBreaksOnPiecesFromAnotherThreadAsOnTheWhole) {
    const std::u16string parts[] = {u"<BR>", u"<br>",   u"\r\n",  u"<HR>",
                                    u"a",    u"\u3042", u"<SP1>", u"<"};
    std::u16string text;
    std::uint32_t seed = 99;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 16;
    };
    for (int i = 0; i < 20000; ++i) text += parts[next() % std::size(parts)];
    for (const bool add : {true, false}) {
        TextPipe pipe(2);
        std::thread producer([&] {
            std::u16string piece;
            for (std::size_t at = 0; at < text.size();) {
                const std::size_t n = 1 + next() % 300;
                piece.assign(text, at, n);
                pipe.put(piece);
                at += n;
            }
            pipe.close();
        });
        std::u16string out;
        rewriteLineBreaks(add ? addLineBreaksInto : removeLineBreaksInto, pipe,
                          [&out](std::u16string_view slice) { out += slice; });
        producer.join();
        EXPECT_EQ(out, add ? AddLineBreaks(text) : RemoveLineBreaks(text));
    }
}

}  // namespace
}  // namespace mozaru
