// mozaru-cli run in-process: commands, options, batches, failures and messages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <thread>

#include "cli/explain.h"
#include "cli/text_pipe.h"
#include "cli_test_support.h"
#include "extract/extract_aa.h"
#include "linebreaks/line_breaks.h"
#include "support/allocation_limit.h"
#include "text/text.h"

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

// Two authors on a page: the first with an ID, a reader without a header.
const std::u16string kTwoAuthors = u"<DL><DT>1 ：<B>名無し</B>：d ID:Ab3<DD>" + kCat +
                                   u"<DT>2 ：<B>名無し</B>：d ID:Zz9<DD>" + kCatSmall +
                                   u"<DT>3 名無し<DD>" + kCat + u"</DL>";

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
// Addresses, which the seed's rules keep for their letters and the picture detector does not.
const std::u16string kAddresses =
    u"<DL><DT>1<DD> ttp://example.com/a.html <BR> ttp://example.com/b.html <BR> "
    u"ttp://example.org/c.html <BR> ttp://example.org/d.html <BR><BR></DL>";
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
        Conversion{{"extract", "--allow-empty"}, u"no list here\r\n", u""},
        Conversion{{"add-breaks"}, u"a<BR>b<Br>c", u"a<br>\r\nb<br>\r\nc"},
        Conversion{{"remove-breaks"}, u"a<br>\r\nb<BR>\r\n<HR>", u"a<br>b<br>\r\n<HR>"},
        // Inputs get CR LF like documents in the window: the LF counts as CR LF.
        Conversion{{"remove-breaks"}, u"a<br>\nb", u"a<br>b"}, Conversion{{"add-breaks"}, u"", u""},
        // Other formats are read as the classic page they stand for, unless told not to.
        Conversion{{"extract"}, kDat, kDatCat},
        Conversion{{"extract", "--input-format", "classic", "--allow-empty"}, kDat, u""},
        Conversion{{"explain", "--json", "--input-format", "CLASSIC", "--allow-empty"}, kDat, u""},
        Conversion{{"convert"}, kDat, kDatPage}, Conversion{{"convert"}, kPage, kPage},
        Conversion{{"extract", "--to", "mlt"}, kPage, kCatLines + u"[SPLIT]\r\n" + kCatLines},
        Conversion{{"extract", "--to", "AST", "--merge"}, kPage, u"[AA][1]\r\n" + kCatLines},
        Conversion{{"extract", "--to", "ast"}, kDat, u"[AA][1]\r\n" + kCatLines},
        Conversion{{"extract", "--detector", "picture"}, kPage, kBothCats},
        Conversion{{"extract", "--detector", "PICTURE", "--merge", "--to", "ast"},
                   kPage,
                   u"[AA][1]\r\n" + kCatLines},
        Conversion{{"extract", "--detector", "picture"}, kAddresses, u""}));

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

// Out of memory, the input is named and the failure said plainly.
TEST(SingleInput, OutOfMemoryIsSaidPlainly) {
    QTemporaryDir dir;
    const std::string big = path(dir.filePath("big.html"));
    putFile(dir.filePath("big.html"), std::string(4 << 20, 'x'));
    for (const char* command : {"extract", "explain"}) {
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        int status = 0;
        {
            const test::AllocationLimit limit(1 << 20);
            status = runCli({command, big}, in, out, err);
        }
        EXPECT_EQ(status, 1) << command;
        EXPECT_EQ(err.str(), "mozaru-cli: " + big + ": out of memory\n") << command;
    }
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
                      std::vector<std::string>{"extract", "--detector", "model"},
                      std::vector<std::string>{"convert", "--detector", "picture"},
                      std::vector<std::string>{"extract", MOZARU_SOURCE_DIR "/samples"},
                      std::vector<std::string>{"extract", "--author", "ID:x"},
                      std::vector<std::string>{"explain", "--author", "trip:"},
                      std::vector<std::string>{"convert", "--author", "auto"},
                      std::vector<std::string>{"extract", "--headings", "--to", "page"},
                      std::vector<std::string>{"extract", "--font", "Monapo"},
                      std::vector<std::string>{"extract", "--to", "svg", "--font-size", "x"},
                      std::vector<std::string>{"extract", "--to", "png", "-o", "x.png"}));

TEST_P(UsageErrors, ExitTwoWithOneLineAndTheUsage) {
    const CliRun run = runCliWith(GetParam(), "<DL><DT>1<DD>x</DL>");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    const std::size_t lineEnd = run.err.find('\n');
    ASSERT_NE(lineEnd, std::string::npos);
    EXPECT_EQ(run.err.rfind("mozaru-cli: ", 0), 0u);
    EXPECT_EQ(run.err.substr(lineEnd + 1, 7), "usage:\n");
}

// Under a Japanese locale the same errors are said in Japanese, CLI11's own
// included: an English line would show no character beyond ASCII.
TEST_P(UsageErrors, InJapaneseUnderAJapaneseLocale) {
    const CliRun run = runCliWith(GetParam(), "<DL><DT>1<DD>x</DL>", CliLanguage::Japanese);
    EXPECT_EQ(run.status, 2);
    const std::string line = run.err.substr(0, run.err.find('\n'));
    EXPECT_TRUE(std::any_of(line.begin(), line.end(), [](char c) { return c & 0x80; })) << line;
    EXPECT_EQ(run.err.substr(line.size() + 1, 11), "使い方:\n");
}

TEST(Help, GoesToStandardOutput) {
    const CliRun run = runCliWith({"extract", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("--merge"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

// Under a Japanese locale every message and the help are Japanese.
struct InJapanese {
    std::vector<std::string> args;
    std::string input;
    std::string err;  // its first line
};

class Japanese : public ::testing::TestWithParam<InJapanese> {};

INSTANTIATE_TEST_SUITE_P(
    Messages, Japanese,
    ::testing::Values(
        InJapanese{{"extract", "a.html", "b.html"},
                   "",
                   "mozaru-cli: 入力が複数のときは --output-dir (-d) を指定してください（-o "
                   "は入力 1 つだけです）"},
        InJapanese{{},
                   "",
                   "mozaru-cli: コマンドを 1 つ指定してください: extract、convert、add-breaks、"
                   "remove-breaks、explain、index、search、dedup"},
        InJapanese{{"extract", "-j", "0"},
                   "",
                   "mozaru-cli: --jobs: 0 は 1 から 1024 までの範囲にありません"},
        InJapanese{{"extract", "--input-format", "5ch"},
                   "x",
                   "mozaru-cli: 標準入力: 5ch・bbspink のページの投稿がありません（--input-format "
                   "5ch）"},
        InJapanese{{"add-breaks"},
                   "a\x80\x80<BR>",
                   "mozaru-cli: 警告: 標準入力: 文字にならない 2 バイトを U+FFFD "
                   "に置き換えました（CP932 として読み込み）"},
        InJapanese{{"extract"},
                   "a<>b<>c<>d<>e\nx<>y\n",
                   "mozaru-cli: 警告: 標準入力:2: .dat ログの投稿ではないので読み飛ばしました（欄の"
                   "数が 2 です（この形式の行は 5））"},
        InJapanese{{"extract", "--max-input-size", "1K"},
                   std::string(2000, 'a'),
                   "mozaru-cli: 標準入力 を読み込めません: 入力の上限 1024 バイトを超えています"
                   "（--max-input-size で上限を上げられます）"},
        InJapanese{{"search", "--db", MOZARU_TEST_OUTPUT_DIR "/no.db", "x"},
                   "",
                   "mozaru-cli: " MOZARU_TEST_OUTPUT_DIR "/no.db: そのコレクションはありません"}));

TEST_P(Japanese, MessagesAndUsage) {
    const CliRun run = runCliWith(GetParam().args, GetParam().input, CliLanguage::Japanese);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), GetParam().err);
}

TEST(Japanese, Help) {
    const CliRun run = runCliWith({"extract", "--help"}, {}, CliLanguage::Japanese);
    EXPECT_EQ(run.status, 0);
    for (const char* text :
         {"使い方:", "オプション:", "このヘルプを表示して終わります", "同じ AA を 1 つにまとめる",
          "html: 残した本文を <HR> で区切ったもの（省略時）。mlt:",
          "同時に使えない: --output-dir"}) {
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(run.out.find("Print this help"), std::string::npos);
    EXPECT_EQ(run.out.find("the "), std::string::npos);
    const std::string commands = runCliWith({"--help"}, {}, CliLanguage::Japanese).out;
    EXPECT_NE(commands.find("\nオプション:\n"), std::string::npos) << commands;
    EXPECT_NE(commands.find("\nコマンド:\n"), std::string::npos) << commands;
}

// Every row has both languages with the same blanks, and every row of
// mozaru-cli's own (not of-..., found by its English) is used.
TEST(Japanese, EveryRowIsWholeAndUsed) {
    std::string sources;
    for (const QFileInfo& file : QDir(MOZARU_SOURCE_DIR "/src/cli").entryInfoList({"*.cpp"})) {
        sources += nativeFileBytes(file.filePath().toStdString());
    }
    for (const CliText& row : kCliTexts) {
        EXPECT_FALSE(row.english.empty() || row.japanese.empty()) << row.id;
        for (const char* blank : {"{1}", "{2}", "{3}", "{4}", "{5}", "{6}", "{7}"}) {
            EXPECT_EQ(row.english.find(blank) == std::string_view::npos,
                      row.japanese.find(blank) == std::string_view::npos)
                << row.id << " " << blank;
        }
        const std::string use =
            "\"" + std::string(row.id) + "\"" +
            (std::isupper(static_cast<unsigned char>(row.id[0])) ? "" : "_text");
        if (!row.id.starts_with("of-")) {
            EXPECT_NE(sources.find(use), std::string::npos) << row.id;
        }
    }
}

// A terminal shows UTF-8; a file or a pipe gets CP932 unless told otherwise.
TEST(Encodings, Utf8ToATerminal) {
    EXPECT_EQ(runCliWith({"add-breaks"}, cp932(u"猫"), CliLanguage::English, true).out, "猫");
    EXPECT_EQ(runCliWith({"add-breaks"}, cp932(u"猫"), CliLanguage::English, false).out,
              cp932(u"猫"));
    EXPECT_EQ(runCliWith({"add-breaks", "--output-encoding", "cp932"}, cp932(u"猫"),
                         CliLanguage::English, true)
                  .out,
              cp932(u"猫"));
    QTemporaryDir dir;
    const QString out = dir.filePath("out.txt");
    EXPECT_EQ(runCliWith({"add-breaks", "-o", path(out)}, cp932(u"猫"), CliLanguage::English, true)
                  .status,
              0);
    EXPECT_EQ(fileBytes(out), cp932(u"猫"));
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
        const CliRun run = runCliWith(
            {"extract", "--allow-empty", "-j", jobs, "-d", out, at("a/one.html"), at("b/two.txt")});
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
    putFile(m_dir.filePath("a/x/api.json"),
            cp932(u"{\"comments\":[[1,\"n\",\"\",\"d\",\"\",\"\",\"" +
                  replaceAll(kCat, u"\\", u"\\\\") + u"\"]]}"));
    putFile(m_dir.filePath("a/y.HTML"), cp932(kPage));
    putFile(m_dir.filePath("a/z.jpg"), "x");
    CliRun run = runCliWith({"extract", "-d", at("out"), at("a")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fileBytes(m_dir.filePath("out/x/log.html")), cp932(kDatCat));
    EXPECT_EQ(fileBytes(m_dir.filePath("out/x/api.html")), cp932(kDatCat));
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
    EXPECT_EQ(run.err,
              "mozaru-cli: " + at("b") + " holds no .dat, .json, .html, .htm or .txt file\n");
}

// A folder named relative to the current folder, in any spelling, is walked
// as one named absolutely; a subfolder of its own name is no alias of it.
TEST_F(Batch, FolderByRelativePath) {
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("t2/t2"));
    putFile(m_dir.filePath("t2/x.html"), cp932(kPage));
    putFile(m_dir.filePath("t2/t2/x.html"), cp932(kDatPage));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    for (const char* folder : {"t2", "./t2", "t2/"}) {
        const CliRun run = runCliWith({"convert", "-q", "-d", "out", folder});
        EXPECT_EQ(run.status, 0) << folder << ": " << run.err;
        EXPECT_EQ(fileBytes("out/x.html"), cp932(kPage)) << folder;
        EXPECT_EQ(fileBytes("out/t2/x.html"), cp932(kDatPage)) << folder;
        QDir("out").removeRecursively();
    }
    QDir::setCurrent(before);
}

#ifndef _WIN32
// Links, FIFOs, names as bytes, names with ':' and paths past PATH_MAX are
// POSIX's.

// Names that are not UTF-8 (Shift_JIS from a Windows archive) are walked,
// read and written by their bytes, and shown escaped in messages.
TEST_F(Batch, NamesThatAreNotUtf8KeepTheirBytes) {
    const std::string sjis = "\x83X\x83\x8C";  // スレ
    const std::string a = at("a");
    ASSERT_TRUE(std::filesystem::create_directory(a + "/" + sjis));
    putNativeFile(a + "/" + sjis + ".html", cp932(kPage));
    putNativeFile(a + "/" + sjis + "/" + sjis + ".dat", cp932(kDat));
    const CliRun run = runCliWith({"extract", "-d", at("out"), a});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nativeFileBytes(at("out") + "/" + sjis + ".html"), cp932(kBothCats));
    EXPECT_EQ(nativeFileBytes(at("out") + "/" + sjis + "/" + sjis + ".html"), cp932(kDatCat));
    const CliRun missing = runCliWith({"extract", "-o", at("x.html"), a + "/\xFF\n.html"});
    EXPECT_EQ(missing.err,
              "mozaru-cli: cannot read " + a + "/\\xFF\\x0A.html: No such file or directory\n");
}

// The walk names every file it leaves out, and why; it follows no link
// unless told, and then none out of the folders given or to one above.
TEST_F(Batch, WalkNamesWhatItLeavesOut) {
    namespace fs = std::filesystem;
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("a/sub"));
    putFile(m_dir.filePath("a/x.html"), cp932(kPage));
    putFile(m_dir.filePath("a/sub/y.html"), cp932(kPage));
    putFile(m_dir.filePath("b/secret.txt"), "secret");
    const fs::path a = at("a");
    fs::create_directory_symlink("sub", a / "dir");
    fs::create_symlink("../b/secret.txt", a / "file.html");
    fs::create_symlink("nowhere", a / "gone.html");
    fs::create_directory_symlink("..", a / "sub/up");
    ASSERT_EQ(mkfifo((a / "fifo.html").c_str(), 0600), 0);
    const std::string notFollowed =
        ": skipped: a symbolic link, not followed (--follow-symlinks)\n";
    const std::string common = "mozaru-cli: a/fifo.html: skipped: not a regular file\n";
    const std::string gone = "mozaru-cli: a/gone.html: skipped: a symbolic link to nothing\n";
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const CliRun run = runCliWith({"extract", "-d", "out", "a"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "mozaru-cli: a/dir" + notFollowed + common + "mozaru-cli: a/file.html" +
                           notFollowed + gone + "mozaru-cli: a/sub/up" + notFollowed);
    EXPECT_EQ(fileBytes("out/sub/y.html"), cp932(kBothCats));
    EXPECT_EQ(fileBytes("out/x.html"), cp932(kBothCats));
    const CliRun follow = runCliWith({"extract", "--follow-symlinks", "-d", "out2", "a"});
    QDir::setCurrent(before);
    EXPECT_EQ(follow.status, 1);
    const std::string above = ": skipped: a symbolic link to a folder above it\n";
    EXPECT_EQ(follow.err, "mozaru-cli: a/dir/up" + above + common +
                              "mozaru-cli: a/file.html: skipped: a symbolic link out of the "
                              "folders given\n" +
                              gone + "mozaru-cli: a/sub/up" + above);
    EXPECT_EQ(fileBytes(m_dir.filePath("out2/dir/y.html")), cp932(kBothCats));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("out2/file.html")));
}

// A result is never written through a link in --output-dir, to wherever it
// leads: the file, or a folder of its path.
TEST_F(Batch, NoResultIsWrittenThroughALink) {
    namespace fs = std::filesystem;
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("tree/sub"));
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("tree/folder"));
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("out/sub"));
    putFile(m_dir.filePath("tree/sub/a.html"), cp932(kPage));
    putFile(m_dir.filePath("tree/folder/b.html"), cp932(kPage));
    putFile(m_dir.filePath("victim.txt"), "mine");
    fs::create_symlink("../../victim.txt", at("out/sub/a.html"));
    fs::create_directory_symlink("../b", at("out/folder"));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const CliRun run = runCliWith({"extract", "-d", "out", "tree"});
    QDir::setCurrent(before);
    EXPECT_EQ(run.status, 1);
    const std::string never = " is a symbolic link, which --output-dir never writes through\n";
    EXPECT_EQ(run.err, "mozaru-cli: cannot write out/folder/b.html: out/folder" + never +
                           "mozaru-cli: cannot write out/sub/a.html: out/sub/a.html" + never);
    EXPECT_EQ(fileBytes(m_dir.filePath("victim.txt")), "mine");
    EXPECT_TRUE(QDir(m_dir.filePath("b")).isEmpty());
}

struct InsideRun {
    std::vector<std::string> args;
    int status;
    std::string firstLine;  // of standard error
};

// An output folder in a folder given is not walked; one that holds pages or
// logs there is refused, as is a result that would replace an input.
TEST_F(Batch, OutputFolderInTheFolderGiven) {
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("in/sub"));
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("in/out"));
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("t/t"));
    putFile(m_dir.filePath("in/a.html"), cp932(kPage));
    putFile(m_dir.filePath("in/sub/a.html"), "mine");
    putFile(m_dir.filePath("in/sub/b.dat"), cp932(kDat));
    putFile(m_dir.filePath("t/x.html"), cp932(kPage));
    putFile(m_dir.filePath("t/t/x.html"), cp932(kPage));
    std::filesystem::create_directory_symlink("in/out", at("link"));
    const std::string refused = "mozaru-cli: the output folder ";
    const InsideRun runs[] = {
        {{"-d", "in/sub", "in"},
         2,
         refused + "in/sub lies in the folder in given and holds in/sub/a.html, which a result "
                   "could replace: give -d an empty folder or one outside in"},
        {{"-d", "in", "in"},
         2,
         refused + "in is the folder in given and holds in/a.html, which a result could replace: "
                   "give -d another folder"},
        {{"-d", ".", "t"},
         2,
         "mozaru-cli: the result of t/t/x.html would replace t/x.html, an "
         "input of this run"},
        {{"-d", "link", "in"}, 0, ""},  // in/out, as it is named by the link, is not walked
        {{"-d", "link", "in"},
         2,
         refused + "in/out lies in the folder in given and holds in/out/a.html, which a result "
                   "could replace: give -d an empty folder or one outside in"},
        {{"-d", ".", "in"}, 0, ""}};
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    for (const InsideRun& r : runs) {
        // in/sub/a.html holds no post: the walk, not the page, is under test.
        std::vector<std::string> args{"convert", "-q", "--allow-empty"};
        args.insert(args.end(), r.args.begin(), r.args.end());
        const CliRun run = runCliWith(args);
        EXPECT_EQ(run.status, r.status) << r.args[1];
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), r.firstLine) << r.args[1];
    }
    QDir::setCurrent(before);
    EXPECT_EQ(fileBytes(m_dir.filePath("in/sub/a.html")), "mine");
    EXPECT_EQ(fileBytes(m_dir.filePath("in/out/a.html")), cp932(kPage));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("in/out/out")));
    EXPECT_EQ(fileBytes(m_dir.filePath("sub/b.html")), cp932(kDatPage));
}

// A folder deeper than the system lets a path name is named, not passed over.
TEST_F(Batch, FolderTooDeepToNameIsNamed) {
    std::string deep = at("a");
    while (deep.size() < 4200) deep += "/" + std::string(200, 'd');
    // mkdir -p reaches below what one path can name, one folder at a time.
    ASSERT_EQ(QProcess::execute("mkdir", {"-p", QString::fromStdString(deep)}), 0);
    putFile(m_dir.filePath("a/x.html"), cp932(kPage));
    const CliRun run = runCliWith({"extract", "-q", "-d", at("out"), at("a")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(": skipped: File name too long\n"), std::string::npos) << run.err;
    EXPECT_EQ(fileBytes(m_dir.filePath("out/x.html")), cp932(kBothCats));
    QProcess::execute("rm", {"-rf", m_dir.filePath("a")});
}

// Names that start with ':' are files, not Qt's resources.
TEST_F(Batch, NamesStartingWithAColonAreFiles) {
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("a/:sub"));
    putFile(m_dir.filePath("a/:sub/:x.html"), cp932(kPage));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.filePath("a/:sub")));
    const CliRun one = runCliWith({"extract", "--merge", "-o", ":y.html", ":x.html"});
    QDir::setCurrent(before);
    EXPECT_EQ(one.err, "");
    EXPECT_EQ(fileBytes(m_dir.filePath("a/:sub/:y.html")), cp932(kOneCat));
    ASSERT_TRUE(QDir::setCurrent(m_dir.filePath("b")));
    // :y.html, an extraction's result, holds no post.
    const CliRun folder = runCliWith({"extract", "--allow-empty", "-d", "out", "../a"});
    QDir::setCurrent(before);
    EXPECT_EQ(folder.err, "");
    EXPECT_EQ(fileBytes(m_dir.filePath("b/out/:sub/:x.html")), cp932(kBothCats));
    EXPECT_EQ(QDir(m_dir.filePath("b")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"out"});
}

#endif

#ifdef MOZARU_EXPORT_IMAGES
TEST_F(Batch, PicturesGoOneFileEachNamedByPost) {
    putFile(m_dir.filePath("a/t.html"), cp932(kTwoAuthors));
    const std::string out = at("pictures");
    CliRun run = runCliWith({"extract", "--to", "svg", "--author", "auto", "-d", out, "--font-size",
                             "20", at("a/t.html")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(QDir(m_dir.filePath("pictures")).entryList(QDir::Files), QStringList{"t-1.svg"});
    const std::string svg = fileBytes(m_dir.filePath("pictures/t-1.svg"));
    EXPECT_NE(svg.find("font-size=\"20px\""), std::string::npos);
    EXPECT_NE(svg.find(">(_______)</tspan>"), std::string::npos);
    // A face that is not there fails before anything is read or written.
    run = runCliWith(
        {"extract", "--to", "png", "-d", at("none"), "--font", "No Such Face", at("a/t.html")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "mozaru-cli: no font file or installed family No Such Face\n");
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("none")));
}
#endif

TEST(Formats, MalformedDatLineIsNamedAndSkipped) {
    const CliRun run = runCliWith({"extract", "--to", "ast"}, cp932(kDat + u"broken<>\n"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(fromCp932(run.out), u"[AA][1]\r\n" + kCatLines);
    EXPECT_EQ(run.err,
              "mozaru-cli: warning: standard input:2: not a post of the .dat log, skipped (2 "
              "fields where its lines have 5)\n");
}

TEST(Formats, ClassicEntriesBesidesThePostsAreNamed) {
    const CliRun run =
        runCliWith({"convert"},
                   "<article class=\"post\"><span class=\"postid\">1</span><section "
                   "class=\"post-content\">a</section></article><DL><DT>2<DD>b</DL>");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "mozaru-cli: warning: standard input: 1 <DD> entry of a classic page besides the "
              "posts not read (--input-format classic reads the page as it stands)\n");
}

struct NoPosts {
    std::vector<std::string> args;
    std::u16string input;
    std::string name;  // of the input in the message
};

class NoPostsFound : public ::testing::TestWithParam<NoPosts> {};

INSTANTIATE_TEST_SUITE_P(
    Inputs, NoPostsFound,
    ::testing::Values(NoPosts{{"extract"}, u"no list here\r\n", "standard input"},
                      NoPosts{{"convert"}, u"<dl><dt>1</dl>", "standard input"},
                      NoPosts{{"explain", "--json"}, u"", "standard input"},
                      NoPosts{{"extract", "--input-format", "classic"}, kDat, "standard input"}));
#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(
    Files, NoPostsFound,
    ::testing::Values(NoPosts{{"extract", "--to", "mlt", "/dev/null"}, u"", "/dev/null"},
                      // Read and extracted in pieces, as a page into a file is.
                      // The output's folder exists, so that only the page can fail.
                      NoPosts{
                          {"extract", "-o",
                           (std::filesystem::temp_directory_path() / "mozaru-none.html").string(),
                           "/dev/null"},
                          u"",
                          "/dev/null"}));
#endif

TEST_P(NoPostsFound, IsNamedAndExitsOneUnlessAllowed) {
    const CliRun run = runCliWith(GetParam().args, cp932(GetParam().input));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "mozaru-cli: " + GetParam().name +
                           ": no posts found (the page is in no form Mozaru reads)\n");
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

TEST(Explain, PictureDetectorsFigures) {
    const std::string proseKey =
        "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF\xE3\x80\x82\xE4\xBB"
        "\x8A\xE6\x97\xA5\xE3\x81\xAF\xE3\x81\x84\xE3\x81\x84\xE5\xA4\xA9\xE6\xB0\x97";
    const std::string cat =
        "{\"post\":1,\"lines\":7,\"total\":36,\"graphic_lines\":4,"
        "\"text_lines\":1,\"longest_run\":5,\"is_aa\":true,\"rule\":"
        "\"picture\",\"merge_key\":\"" +
        kCatKey + "\"}\n";
    CliRun run = runCliWith({"explain", "--json", "--detector", "picture"}, cp932(kPage));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, cat +
                           "{\"post\":2,\"lines\":3,\"total\":13,\"graphic_lines\":0,"
                           "\"text_lines\":2,\"longest_run\":0,\"is_aa\":false,\"rule\":"
                           "\"no-picture\",\"merge_key\":\"" +
                           proseKey + "\"}\n" + "{\"post\":3" + cat.substr(9));
    // The level's minimum applies; the figures are still shown.
    run = runCliWith({"explain", "--level", "1", "--detector", "picture"}, cp932(kPage));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find("\n     2")),
              "  post  lines    total  graphic   text    run  AA   rule           merge key\n"
              "     1      7       36        4      1      5  no   too-short        /\\_/\\ ( "
              "o.o )  = ^ = /     \\(_______) \xE2\x80\xA6");
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

struct AuthorRun {
    std::vector<std::string> args;
    int status;
    std::u16string out;  // its start
    std::string err;
};

class Authors : public ::testing::TestWithParam<AuthorRun> {};

INSTANTIATE_TEST_SUITE_P(
    Options, Authors,
    ::testing::Values(
        AuthorRun{{"extract", "--author", "auto"}, 0, u"\r\n<HR>\r\n" + kCat + u"<HR>", ""},
        AuthorRun{{"extract", "--author", "id:Zz9", "--with-header"},
                  0,
                  u"\r\n<HR>\r\n2 ：名無し：d ID:Zz9<BR>" + kCatSmall + u"<HR>",
                  ""},
        AuthorRun{{"extract", "--author", "name:x"}, 0, u"", ""},
        AuthorRun{{"explain", "--author", "auto", "--json", "--level", "2"},
                  0,
                  u"{\"author\":\"id:Ab3 (the ID in post 1's header)\"}\n"
                  u"{\"post\":1,\"lines\":7,\"total\":36,\"symbols\":31,\"ideographs\":0,"
                  u"\"latin\":5,\"is_aa\":false,\"rule\":\"too-short\",\"by_author\":null,"
                  u"\"merge_key\":\"",
                  ""}));

TEST_P(Authors, KeepTheAuthorsPostsOnly) {
    const CliRun run = runCliWith(GetParam().args, cp932(kTwoAuthors));
    EXPECT_EQ(run.status, GetParam().status);
    EXPECT_EQ(fromCp932(run.out).substr(0, GetParam().out.size()), GetParam().out);
    EXPECT_EQ(run.err, GetParam().err);
}

TEST(Authors, AutoWithoutAnAuthorSaysWhyAndWritesNothing) {
    QTemporaryDir dir;
    const std::string out = path(dir.filePath("out.html"));
    CliRun run = runCliWith({"extract", "--author", "auto", "-o", out}, cp932(kPage));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "mozaru-cli: standard input: --author auto: the first post has no header (<DT>N "
              "：NAME：DATE ID:X) to take the author from\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("out.html")));
    run = runCliWith({"explain", "--author", "auto"},
                     cp932(u"<DL><DT>1 ：<B>名無しさん</B>：d<DD>x</DL>"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "mozaru-cli: standard input: --author auto: post 1's header shows no ID, no trip, "
              "and the board's default name 名無しさん; name the author with id:X, trip:X or "
              "name:X\n");
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
// cut inside tags, CR LF and posts: the same result as the text whole.
TEST(TextPipe, CommandsOnPiecesFromAnotherThreadAsOnTheWhole) {
    const std::u16string parts[] = {u"<BR>",   u"<br>",  u"\r\n", u"<HR>", u"a",
                                    u"\u3042", u"<SP1>", u"<",    u"<DD>", u"<DT>1>"};
    std::u16string text;
    std::uint32_t seed = 99;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 16;
    };
    for (int i = 0; i < 20000; ++i) text += parts[next() % std::size(parts)];
    for (const int command : {0, 1, 2}) {
        TextPipe pipe(2);
        std::thread producer([&] {
            std::u16string piece;
            for (std::size_t at = 0; at < text.size();) {
                const std::size_t n = 1 + next() % 300;
                piece.append(text, at, n);
                pipe.put(piece);
                at += n;
            }
            pipe.close();
        });
        std::u16string out;
        const TextSink sink = [&out](std::u16string_view slice) { out += slice; };
        ExtractAAInPieces extraction(0, 1, sink);
        takePieces(pipe, [&](std::u16string_view piece, bool last) {
            if (command == 2) return extraction.take(piece, last);
            return (command == 0 ? addLineBreaksInto : removeLineBreaksInto)(piece, sink, last);
        });
        producer.join();
        const std::u16string whole = command == 0   ? AddLineBreaks(text)
                                     : command == 1 ? RemoveLineBreaks(text)
                                                    : ExtractAA(text, 0, 1);
        EXPECT_EQ(out, whole) << "command " << command;
    }
}

// The collection's commands end to end: a library indexed, searched, its
// duplicates listed, and a thread's pictures kept only when the library lacks them.
TEST_F(Batch, CollectionIndexSearchDedupAndNewOnly) {
    const std::u16string dog =
        u" ∪＿∪<BR>（・ω・）<BR>(つ　 つ<BR> | |<BR> し─Ｊ<BR> ^^^<BR> dog<BR>";
    putFile(
        m_dir.filePath("a/lib.mlt"),
        cp932(u"  /\\_/\\\r\n ( o.o )\r\n  = ^ =\r\n /     \\\r\n(_______)\r\n cat\r\n[SPLIT]\r\n"
              u"   /\\_/\\\r\n ( o.o )\r\n = ^ =\r\n /    \\\r\n(_______)\r\n cat\r\n"));
    const std::string db = at("c.db");
    const CliRun index = runCliWith({"index", "-q", "--db", db, at("a")});
    ASSERT_EQ(index.status, 0) << index.err;
    const std::string lib = path(QDir(m_dir.filePath("a/lib.mlt")).absolutePath());
    EXPECT_EQ(runCliWith({"search", "--db", db, "o.o"}).out,
              lib + ":1:   /\\_/\\\n" + lib + ":2:    /\\_/\\\n");
    EXPECT_EQ(runCliWith({"search", "--db", db, "--to", "ast", "--limit", "1", "( o.o )"}).out,
              "[AA][1]\r\n  /\\_/\\\r\n ( o.o )\r\n  = ^ =\r\n /     \\\r\n(_______)\r\n cat\r\n");
    const CliRun dedup = runCliWith({"dedup", "--db", db});
    EXPECT_EQ(dedup.out, "cluster 1\t2 pictures\n\t" + lib + ":1\t1.00\tfirst\t  /\\_/\\\n\t" +
                             lib + ":2\t1.00\tnear\t   /\\_/\\\n");
    EXPECT_EQ(dedup.err, "mozaru-cli: 2 pictures: 1 cluster, 0 exact and 1 near duplicates\n");
    putFile(m_dir.filePath("b/page.html"),
            cp932(u"<DL><DT>1 名無し<DD>" + kCat + u"\r\n<DT>2 名無し<DD>" + dog + u"</DL>"));
    const CliRun fresh = runCliWith({"extract", "--new-only", "--db", db, at("b/page.html")});
    EXPECT_EQ(fresh.status, 0) << fresh.err;
    EXPECT_EQ(fresh.out, cp932(u"\r\n<HR>\r\n" + dog + u"<HR>"));
}

}  // namespace
}  // namespace mozaru
