// ExpandLongPath through FindFirstFileW, on a scratch folder in Windows' temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "files/expand_long_path.h"

namespace mozaru {
namespace {

namespace fs = std::filesystem;

// The path as the system spells it: GetShortPathNameW or GetLongPathNameW.
std::u16string spelling(const fs::path& path, bool shortNames) {
    wchar_t out[MAX_PATH];
    const DWORD n = shortNames ? GetShortPathNameW(path.c_str(), out, MAX_PATH)
                               : GetLongPathNameW(path.c_str(), out, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::u16string(out, out + n) : u"";
}

struct Case {
    const char16_t* given;     // below the scratch folder
    const char16_t* expanded;  // nullptr: the given path comes back unchanged
    bool shortNames;           // given is first turned into its 8.3 names
};

class ExpandLongPathWin32Test : public testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() {
        fs::remove_all(folder);
        fs::create_directories(folder / L"Program Files Test" / L"logs");
        for (auto name :
             {L"Program Files Test\\logs\\Thread Log.html", L"スレッド ログ.html", L"hidden.txt"}) {
            std::ofstream(folder / name).put('x');
        }
        SetFileAttributesW((folder / L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    static void TearDownTestSuite() { fs::remove_all(folder); }
    static inline const fs::path folder = fs::temp_directory_path() / L"Mozaru Expand Test";
};

TEST_P(ExpandLongPathWin32Test, SpellsComponentsAsStored) {
    const Case& c = GetParam();
    const std::u16string root = spelling(folder, false);
    const std::u16string given =
        c.shortNames ? spelling(folder / c.given, true) : root + u"\\" + c.given;
    ASSERT_FALSE(root.empty() || given.empty());
    EXPECT_EQ(ExpandLongPath(given), c.expanded ? root + u"\\" + c.expanded : given);
}

constexpr const char16_t* kLog = u"Program Files Test\\logs\\Thread Log.html";
constexpr const char16_t* kThread = u"スレッド ログ.html";

INSTANTIATE_TEST_SUITE_P(
    Lookups, ExpandLongPathWin32Test,
    testing::Values(Case{kLog, kLog, true}, Case{kThread, kThread, true},
                    Case{u"program files test\\LOGS\\thread log.HTML", kLog, false},
                    Case{u"Prog*\\l?gs\\*.html", kLog, false}, Case{u"スレ*", kThread, false},
                    Case{u"hidden.txt", nullptr, false},
                    Case{u"Program Files Test\\missing\\Thread Log.html", nullptr, false},
                    Case{u"Program Files Test\\logs\\", nullptr, false}));

}  // namespace
}  // namespace mozaru
