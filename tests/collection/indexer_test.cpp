// Tests of indexing, indexing again, merging two halves, and search.
#include "collection/indexer.h"

#include <set>
#include <tuple>

#include "collection/search.h"
#include "collection_fixture.h"

namespace mozaru {
namespace {

using test::CollectionFolder;

// Every picture as (file name, item, first search result's text).
std::set<std::tuple<std::string, std::int64_t, std::int64_t>> rows(const std::string& path) {
    Database db(path, Access::Read);
    Statement all(db.handle(),
                  "SELECT f.path, p.item, p.exact FROM pictures p JOIN files f ON f.id = p.file");
    std::set<std::tuple<std::string, std::int64_t, std::int64_t>> out;
    while (all.step()) {
        const std::string file(all.text(0));
        out.emplace(file.substr(file.rfind("/lib/") + 5), all.integer(1), all.integer(2));
    }
    return out;
}

std::vector<std::string> found(const std::string& path, std::u16string text,
                               const std::string& category = "") {
    Database db(path, Access::Read);
    std::vector<std::string> names;
    for (const FoundPicture& p : searchCollection(db, {std::move(text), category, 20})) {
        names.push_back(p.path.substr(p.path.rfind("/lib/") + 5) + ":" + std::to_string(p.item));
    }
    return names;
}

class Indexing : public CollectionFolder {};

TEST_F(Indexing, AgainReadsOnlyWhatChangedAndDropsWhatIsGone) {
    put("a.mlt", u"　∧＿∧\r\n（　´∀｀）\r\n[SPLIT]\r\n／＼&#9829\r\n");
    put("cats/b.ast", u"[AA][猫]\r\n　∧∧\r\n（ﾟーﾟ*）\r\n");
    put("cats/c.txt", u"ﾐ　 ﾟーﾟ彡");
    put("cats/notes.doc", u"not read");
    IndexReport first = indexCollection(test::indexing(db(), {lib()}));
    EXPECT_EQ(std::tie(first.filesRead, first.picturesAdded, first.filesSkipped),
              std::make_tuple(3u, 4u, 0u));
    IndexReport again = indexCollection(test::indexing(db(), {lib()}));
    EXPECT_EQ(std::tie(again.filesRead, again.filesUnchanged, again.picturesAdded),
              std::make_tuple(0u, 3u, 0u));
    put("a.mlt", u"　∧＿∧\r\n（　´∀｀）ノ\r\n");
    std::filesystem::remove(m_root / "lib" / "cats" / "c.txt");
    IndexReport changed = indexCollection(test::indexing(db(), {lib()}));
    EXPECT_EQ(std::make_tuple(changed.filesRead, changed.filesUnchanged, changed.filesRemoved,
                              changed.picturesAdded, changed.picturesRemoved),
              std::make_tuple(1u, 1u, 1u, 1u, 3u));
    // The category is the folder below the one indexed; spaces match as runs.
    EXPECT_EQ(found(db(), u"´∀｀）ノ"), std::vector<std::string>{"a.mlt:1"});
    // In the order indexed: a.mlt was read again after b.ast.
    EXPECT_EQ(found(db(), u"∧"), (std::vector<std::string>{"cats/b.ast:1", "a.mlt:1"}));
    EXPECT_EQ(found(db(), u"∧", "cats"), std::vector<std::string>{"cats/b.ast:1"});
    EXPECT_EQ(found(db(), u" 　∧∧"), std::vector<std::string>{"cats/b.ast:1"});
    EXPECT_EQ(found(db(), u"ﾟ彡"), std::vector<std::string>{});
}

TEST_F(Indexing, AnUndecodableFileIsNamedAndSkipped) {
    put("a.mlt", u"／＼");
    std::ofstream(m_root / "lib" / "bad.mlt", std::ios::binary) << "\x82\xA0\x81";
    const IndexReport report = indexCollection(test::indexing(db(), {lib()}));
    EXPECT_EQ(report.filesSkipped, 1u);
    ASSERT_EQ(report.problems.size(), 1u);
    // The file by its whole path (on Windows with its drive, '/' between names).
    EXPECT_TRUE(report.problems[0].ends_with(
        "/lib/bad.mlt: 1 undecodable bytes (read as CP932); skipped, --input-encoding names its "
        "encoding"))
        << report.problems[0];
#ifndef _WIN32
    EXPECT_TRUE(report.problems[0].starts_with(m_root.string())) << report.problems[0];
#endif
}

// Two halves indexed apart and merged hold what one index of the whole holds,
// and are searched alike.
TEST_F(Indexing, MergedHalvesEqualTheWhole) {
    put("one/a.mlt", u"／＼\r\n[SPLIT]\r\n∧＿∧\r\n");
    put("one/b.mlt", u"（´・ω・）");
    put("two/c.ast", u"[AA][x]\r\n∧＿∧\r\n[AA][y]\r\n(ﾟдﾟ)");
    ASSERT_NO_THROW(indexCollection(test::indexing(db("whole.db"), {lib()})));
    ASSERT_NO_THROW(indexCollection(test::indexing(db("one.db"), {lib() + "/one"})));
    ASSERT_NO_THROW(indexCollection(test::indexing(db("two.db"), {lib() + "/two"})));
    const IndexOptions merge = test::indexing(db("merged.db"), {}, {db("one.db"), db("two.db")});
    const IndexReport report = indexCollection(merge);
    EXPECT_EQ(std::tie(report.filesRead, report.picturesAdded), std::make_tuple(3u, 5u));
    EXPECT_EQ(rows(db("merged.db")), rows(db("whole.db")));
    EXPECT_EQ(found(db("merged.db"), u"∧＿∧"),
              (std::vector<std::string>{"one/a.mlt:2", "two/c.ast:1"}));
    // Merged again: every file is there already, as new as in the other.
    EXPECT_EQ(indexCollection(merge).filesUnchanged, 3u);
}

}  // namespace
}  // namespace mozaru
