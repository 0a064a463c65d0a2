// The sample thread page and the same thread in every other format: which
// posts mozaru-cli extract keeps at each setting, as samples/README.md lists them.
#include <gtest/gtest.h>

#include <cctype>

#include "boards/board_forms.h"
#include "cli_test_support.h"

namespace mozaru {
namespace {

using namespace test;

const QString kSample = QStringLiteral(MOZARU_SOURCE_DIR "/samples/thread.html");

// Post number -> body, read the way the page is laid out: one post a line,
// "<DT>n ：" ... "<DD>" body.
std::vector<std::pair<int, std::u16string>> postsOfSample() {
    const std::u16string page = fromCp932(fileBytes(kSample));
    std::vector<std::pair<int, std::u16string>> posts;
    std::size_t at = 0;
    while ((at = page.find(u"\r\n<DT>", at)) != std::u16string::npos) {
        at += 6;
        const std::size_t end = page.find(u"\r\n", at);
        const std::u16string line = page.substr(at, end - at);
        const int number = std::stoi(std::string(line.begin(), line.begin() + line.find(u' ')));
        posts.emplace_back(number, line.substr(line.find(u"<DD>") + 4));
    }
    return posts;
}

// The extraction's bodies, in order, matched to the posts they came from.
std::vector<int> keptPosts(const std::u16string& result) {
    const std::u16string rule = u"\r\n<HR>\r\n";
    std::vector<int> numbers;
    if (result.empty()) return numbers;
    EXPECT_EQ(result.substr(0, rule.size()), rule);
    EXPECT_EQ(result.substr(result.size() - 4), u"<HR>");
    const std::u16string inner = result.substr(rule.size(), result.size() - rule.size() - 4);
    const auto posts = postsOfSample();
    std::size_t next = 0;
    std::size_t from = 0;
    for (;;) {
        const std::size_t cut = inner.find(rule, from);
        const std::u16string body = inner.substr(from, cut - from);
        while (next < posts.size() && posts[next].second != body) ++next;
        EXPECT_LT(next, posts.size()) << "a body that is no post's";
        if (next == posts.size()) break;
        numbers.push_back(posts[next++].first);
        if (cut == std::u16string::npos) break;
        from = cut + rule.size();
    }
    return numbers;
}

struct Setting {
    const char* level;
    bool merge;
    std::vector<int> posts;
    const char* detector = "seed";
};

class SampleExtraction : public ::testing::TestWithParam<Setting> {};

INSTANTIATE_TEST_SUITE_P(
    Readme, SampleExtraction,
    ::testing::Values(Setting{"0", false, {3, 5, 8, 10, 14, 17, 19, 21, 24, 26, 29, 31, 38, 42}},
                      Setting{"0", true, {3, 5, 8, 10, 14, 17, 19, 21, 24, 26, 29, 31}},
                      Setting{"1", false, {5, 8, 10, 17, 21, 24, 26, 29, 31, 42}},
                      Setting{"1", true, {5, 8, 10, 17, 21, 24, 26, 29, 31}},
                      Setting{"2", false, {26}}, Setting{"2", true, {26}},
                      // Not the addresses (17); nor the chick (3, 38) and the fish (12),
                      // whose lines hold a stroke or two each.
                      Setting{"0", false, {5, 8, 10, 14, 19, 21, 24, 26, 29, 31, 42}, "picture"},
                      Setting{"0", true, {5, 8, 10, 14, 19, 21, 24, 26, 29, 31}, "picture"},
                      Setting{"1", true, {5, 8, 10, 21, 24, 26, 29, 31}, "picture"}));

TEST_P(SampleExtraction, KeepsThePostsTheReadmeLists) {
    std::vector<std::string> args{"extract", "--level", GetParam().level, "--detector",
                                  GetParam().detector};
    if (GetParam().merge) args.push_back("--merge");
    args.push_back(kSample.toStdString());
    const CliRun run = runCliWith(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(keptPosts(fromCp932(run.out)), GetParam().posts);
}

const std::vector<int> kAll{3, 5, 8, 10, 14, 17, 19, 21, 24, 26, 29, 31, 38, 42};
const std::vector<int> kAllMerged{3, 5, 8, 10, 14, 17, 19, 21, 24, 26, 29, 31};
const std::vector<int> kStandard{5, 8, 10, 17, 21, 24, 26, 29, 31, 42};
const std::vector<int> kStandardMerged{5, 8, 10, 17, 21, 24, 26, 29, 31};
const std::vector<int> kLarge{26};

// A file of samples/formats/: how it is read, and the posts kept at levels
// 0, 1 and 2, without and with merging.
struct FormatSample {
    const char* file;
    PageFormat format;
    Encoding encoding;
    std::vector<std::vector<int>> kept;
};

class SampleFormats : public ::testing::TestWithParam<FormatSample> {};

const std::vector<std::vector<int>> kAsThread{kAll,   kAllMerged, kStandard, kStandardMerged,
                                              kLarge, kLarge};
// Merging drops the cat of 29 too.
const std::vector<std::vector<int>> kBreaksWithoutSpaces{
    kAll,      {3, 5, 8, 10, 14, 17, 19, 21, 24, 26, 31},
    kStandard, {5, 8, 10, 17, 21, 24, 26, 31},
    kLarge,    kLarge};

INSTANTIATE_TEST_SUITE_P(
    Readme, SampleFormats,
    ::testing::Values(
        FormatSample{"5ch-read-cgi-06.html", PageFormat::ReadCgi06, Encoding::Cp932, kAsThread},
        FormatSample{"5ch-read-cgi-07.html", PageFormat::ReadCgi07, Encoding::Cp932, kAsThread},
        FormatSample{"5ch-read-cgi-076.html", PageFormat::ReadCgi076, Encoding::Cp932, kAsThread},
        FormatSample{"5ch-read-cgi-08.html", PageFormat::ReadCgi08, Encoding::Cp932, kAsThread},
        FormatSample{"bbspink-06.html", PageFormat::Bbspink06, Encoding::Cp932, kAsThread},
        // <br> without spaces gives 29 the cat's merge key.
        FormatSample{"open2ch.html", PageFormat::Open2ch, Encoding::Utf8, kBreaksWithoutSpaces},
        FormatSample{"itest.json", PageFormat::JsonThread, Encoding::Cp932, kAsThread},
        // Summary blogs: <br> (or raw line breaks) without spaces, as open2ch.
        FormatSample{"blog-br.html", PageFormat::SummaryBlog, Encoding::Utf8, kBreaksWithoutSpaces},
        FormatSample{"blog-divs.html", PageFormat::SummaryBlog, Encoding::Utf8,
                     kBreaksWithoutSpaces},
        FormatSample{"blog-text.html", PageFormat::SummaryBlog, Encoding::Utf8,
                     kBreaksWithoutSpaces},
        FormatSample{"2ch.dat", PageFormat::Dat2ch, Encoding::Cp932, kAsThread},
        FormatSample{"machi.dat", PageFormat::DatMachi, Encoding::Cp932, kAsThread},
        // 38 was deleted; <br> without spaces gives 29 the cat's merge key.
        FormatSample{"shitaraba.dat",
                     PageFormat::DatShitaraba,
                     Encoding::EucJp,
                     {{3, 5, 8, 10, 14, 17, 19, 21, 24, 26, 29, 31, 42},
                      {3, 5, 8, 10, 14, 17, 19, 21, 24, 26, 31},
                      kStandard,
                      {5, 8, 10, 17, 21, 24, 26, 31},
                      kLarge,
                      kLarge}}),
    [](const auto& info) {
        std::string name = info.param.file;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

// The post numbers of an AST library, from its "[AA][N]" lines.
std::vector<int> astNumbers(const std::string& library) {
    std::vector<int> numbers;
    for (std::size_t at = 0; (at = library.find("[AA][", at)) != std::string::npos; at += 5) {
        numbers.push_back(std::stoi(library.substr(at + 5)));
    }
    return numbers;
}

TEST_P(SampleFormats, IsReadInItsFormatAndKeepsThePostsTheReadmeLists) {
    const std::string file = std::string(MOZARU_SOURCE_DIR "/samples/formats/") + GetParam().file;
    const DecodedText decoded = decodeBytes(fileBytes(QString::fromStdString(file)));
    EXPECT_EQ(decoded.encoding, GetParam().encoding);
    EXPECT_EQ(decoded.undecodable, 0u);
    EXPECT_EQ(recognizePageFormat(decoded.text), GetParam().format);
    for (std::size_t k = 0; k < GetParam().kept.size(); ++k) {
        std::vector<std::string> args{"extract",
                                      "--to",
                                      "ast",
                                      "--output-encoding",
                                      "utf-8",
                                      "--level",
                                      std::to_string(k / 2)};
        if (k % 2 == 1) args.push_back("--merge");
        args.push_back(file);
        const CliRun run = runCliWith(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(astNumbers(run.out), GetParam().kept[k])
            << "level " << k / 2 << " merge " << k % 2;
    }
}

// The thread told in pictures by its author (samples/yaruo/), in both its
// forms: the posts kept with each --author choice, as samples/README.md lists them.
struct AuthorSample {
    const char* author;  // empty: off
    std::vector<int> kept;
};

class YaruoSample : public ::testing::TestWithParam<std::tuple<const char*, AuthorSample>> {};

INSTANTIATE_TEST_SUITE_P(
    Readme, YaruoSample,
    ::testing::Combine(::testing::Values("thread.html", "2ch.dat"),
                       ::testing::Values(AuthorSample{"", {1, 3, 4, 5, 8, 9, 10}},
                                         AuthorSample{"auto", {1, 3, 5, 10}},
                                         AuthorSample{"trip:◆MaRuO.neko", {1, 3, 5, 10}},
                                         AuthorSample{"trip:MaRuO.neko", {1, 3, 5, 10}},
                                         AuthorSample{"name:まる夫", {1, 3, 5, 9, 10}},
                                         AuthorSample{"id:26ybf26y", {4}})));

TEST_P(YaruoSample, KeepsTheAuthorsPostsTheReadmeLists) {
    const auto& [file, sample] = GetParam();
    std::vector<std::string> args{"extract", "--to", "ast", "--output-encoding", "utf-8"};
    if (*sample.author != '\0') args.insert(args.end(), {"--author", sample.author});
    args.push_back(std::string(MOZARU_SOURCE_DIR "/samples/yaruo/") + file);
    const CliRun run = runCliWith(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(astNumbers(run.out), sample.kept);
}

// An MLT library's items, as AA editors split it.
std::vector<std::string> mltItems(const std::string& library) {
    std::vector<std::string> items(1);
    for (std::size_t at = 0; at < library.size();) {
        const std::size_t end = library.find("\r\n", at);
        const std::string line = library.substr(at, end - at);
        at = end + 2;
        if (line == "[SPLIT]") {
            items.emplace_back();
        } else {
            items.back() += line + "\n";
        }
    }
    return items;
}

// What an editor shows as a heading: an item of one line starting with 【.
bool isHeading(const std::string& item) {
    return item.rfind("【", 0) == 0 && item.find('\n') == item.size() - 1;
}

TEST(YaruoSample, LibraryWithHeadingsReadsBackAsTheSamePictures) {
    const std::string page = MOZARU_SOURCE_DIR "/samples/yaruo/thread.html";
    const auto library = [&](std::vector<std::string> more) {
        std::vector<std::string> args{"extract", "--to", "mlt", "--output-encoding", "utf-8"};
        args.insert(args.end(), more.begin(), more.end());
        args.push_back(page);
        const CliRun run = runCliWith(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return mltItems(run.out);
    };
    const std::vector<std::string> plain = library({"--author", "auto"});
    std::vector<std::string> pictures;
    std::vector<std::string> headings;
    for (const std::string& item : library({"--author", "auto", "--headings"})) {
        (isHeading(item) ? headings : pictures).push_back(item);
    }
    EXPECT_EQ(pictures, plain);
    EXPECT_EQ(headings, (std::vector<std::string>{
                            "【まる夫は猫の世話をするようです】\n", "【>>1 まる夫 ◆MaRuO.neko】\n",
                            "【>>3 まる夫 ◆MaRuO.neko】\n", "【>>5 まる夫 ◆MaRuO.neko】\n",
                            "【>>10 まる夫 ◆MaRuO.neko】\n"}));
}

TEST(Sample, ThreadPageIsReadAsItStands) {
    EXPECT_EQ(recognizePageFormat(fromCp932(fileBytes(kSample))), PageFormat::Classic);
}

TEST(Sample, PageHoldsWhatItShows) {
    const auto posts = postsOfSample();
    ASSERT_EQ(posts.size(), 42u);
    EXPECT_EQ(posts.front().first, 1);
    EXPECT_EQ(posts.back().first, 42);
    const std::u16string page = fromCp932(fileBytes(kSample));
    EXPECT_NE(page.find(u"&#9786;"), std::u16string::npos);
    for (const char16_t* letter : {u"ё", u"Ё", u"й", u"Й"}) {
        EXPECT_NE(posts[20].second.find(letter), std::u16string::npos);
    }
}

TEST(Sample, CyrillicLettersAndTheReferenceComeOutUnchanged) {
    const CliRun run = runCliWith({"extract", "--level", "1", kSample.toStdString()});
    const std::u16string result = fromCp932(run.out);
    EXPECT_NE(result.find(u"（ ёдё ）"), std::u16string::npos);
    EXPECT_NE(result.find(u"　　Ё　　　Ё"), std::u16string::npos);
    EXPECT_NE(result.find(u"|　й　|"), std::u16string::npos);
    EXPECT_NE(result.find(u"|　Й　|"), std::u16string::npos);
    EXPECT_EQ(result.find(u"<SP"), std::u16string::npos);
    const CliRun level0 = runCliWith({"extract", kSample.toStdString()});
    EXPECT_NE(fromCp932(level0.out).find(u"｜&#9786;｜"), std::u16string::npos);
}

}  // namespace
}  // namespace mozaru
