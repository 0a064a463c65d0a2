// A folder of small libraries for the collection's tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "collection/indexer.h"
#include "encoding/text_codec.h"

namespace mozaru::test {

class CollectionFolder : public testing::Test {
protected:
    void SetUp() override {
        m_root = std::filesystem::path(MOZARU_TEST_OUTPUT_DIR) /
                 testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root / "lib");
    }
    // Writes text (UTF-16) as CP932 at lib/name.
    void put(const std::string& name, std::u16string_view text) {
        const std::filesystem::path path = m_root / "lib" / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << encodeText(text).bytes;
    }
    std::string lib() const { return (m_root / "lib").string(); }
    std::string db(const std::string& name = "c.db") const { return (m_root / name).string(); }

    std::filesystem::path m_root;
};

inline IndexOptions indexing(std::string db, std::vector<std::string> inputs,
                             std::vector<std::string> merge = {}) {
    IndexOptions options;
    options.database = std::move(db);
    options.inputs = std::move(inputs);
    options.merge = std::move(merge);
    return options;
}

}  // namespace mozaru::test
