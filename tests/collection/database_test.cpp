// Tests of the collection's file: what is no collection or of another
// version is refused, a second writer is refused, a full disk loses nothing.
#include "collection/database.h"

#include <sqlite3.h>

#include "collection/indexer.h"
#include "collection_fixture.h"
#ifndef _WIN32
#include "support/file_size_limit.h"
#endif

namespace mozaru {
namespace {

using test::CollectionFolder;

std::string refusal(const std::string& path, Access access) {
    try {
        Database db(path, access);
    } catch (const CollectionError& e) {
        return e.what();
    }
    return "";
}

void setPragma(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

class Refused : public CollectionFolder {};

TEST_F(Refused, OtherFilesAndVersionsWithAClearMessage) {
    put("a.mlt", u"／＼");
    ASSERT_NO_THROW(indexCollection(test::indexing(db(), {lib()})));
    EXPECT_EQ(refusal(db("none.db"), Access::Read), db("none.db") + ": no such collection");
    EXPECT_FALSE(std::filesystem::exists(db("none.db")));

    setPragma(db("other.db"), "CREATE TABLE t (x)");
    EXPECT_EQ(refusal(db("other.db"), Access::Write),
              db("other.db") + ": not a Mozaru collection (an SQLite database of another program)");

    setPragma(db(), "PRAGMA user_version = 2");
    EXPECT_EQ(refusal(db(), Access::Read),
              db() +
                  ": a collection of version 2, made by a later Mozaru; this one reads "
                  "version 1 only");
    setPragma(db(), "PRAGMA user_version = 0");
    EXPECT_EQ(refusal(db(), Access::Write),
              db() +
                  ": a collection of version 0, which this Mozaru cannot upgrade; index its "
                  "files again");
}

TEST_F(Refused, ASecondWriterWhileTheFirstWrites) {
    Database first(db(), Access::Write);
    EXPECT_EQ(refusal(db(), Access::Write),
              db() + ": another run is writing this collection; try again when it has finished");
}

#ifndef _WIN32
// The disk fills up while a second indexing run writes: the collection keeps
// what the first run wrote, whole. (A file size limit is POSIX's.)
TEST_F(Refused, AFullDiskLeavesTheCollectionAsItWas) {
    std::u16string big;
    for (int k = 0; k < 4000; ++k)
        big += u"[SPLIT]\r\n／＼" + std::u16string(k % 97 + 1, u'＿') + u"\r\n";
    put("a.mlt", u"∧＿∧");
    ASSERT_EQ(indexCollection(test::indexing(db(), {lib()})).picturesAdded, 1u);
    const auto before = std::filesystem::file_size(db());
    put("b.mlt", big);
    {
        test::FileSizeLimit limit(before + 4096);
        ASSERT_TRUE(limit.ok());
        try {
            indexCollection(test::indexing(db(), {lib()}));
            ADD_FAILURE() << "indexing went on past the full disk";
        } catch (const CollectionError& e) {
            EXPECT_NE(std::string(e.what()).find(db() + ": "), std::string::npos) << e.what();
        }
    }
    Database read(db(), Access::Read);
    Statement count(read.handle(), "SELECT count(*) FROM pictures");
    ASSERT_TRUE(count.step());
    EXPECT_EQ(count.integer(0), 1);
}
#endif

}  // namespace
}  // namespace mozaru
