// GetRegExePath and the default browser against values the test writes under
// scratch keys of HKEY_CURRENT_USER.
#include "help/api_func.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/hex_bytes.h"
#include "support/scratch_registry.h"

namespace mozaru {
namespace {

const std::string kScratch = "Software\\Mozaru Tests\\api_func_test";
const std::string kLongest = "C:\\" + std::string(248, 'a') + ".exe";  // 256 bytes with its NUL

struct RegistryCase {
    bool keyExists;
    std::optional<std::string> value;  // the default value's bytes; none: no default value
    std::u16string expected;
};

class GetRegExePathTest : public testing::TestWithParam<RegistryCase> {};

TEST_P(GetRegExePathTest, CutsTheExecutableOutOfTheValue) {
    const RegistryCase& c = GetParam();
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch.c_str());
    HKEY key = nullptr;
    if (c.keyExists) {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch.c_str(), 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (c.value) {
            RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.value->c_str()),
                           DWORD(c.value->size() + 1));
        }
        RegCloseKey(key);
    }
    EXPECT_EQ(APIFunc::GetRegExePath(HKEY_CURRENT_USER, kScratch, ""), c.expected);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetRegExePathTest,
    testing::Values(
        RegistryCase{true, "\"C:\\Program Files\\Web\\browse.exe\" \"%1\"",
                     u"C:\\Program Files\\Web\\browse.exe"},
        // Read in the ANSI code page, 932 here: "C:\ブラウザ\web.exe -x".
        RegistryCase{true, "C:\\" + test::hexBytes("83 75 83 89 83 45 83 55") + "\\web.exe -x",
                     u"C:\\ブラウザ\\web.exe"},
        RegistryCase{true, "browse.exe", u"-1"}, RegistryCase{true, "C:\\Web\\browse", u"-1"},
        RegistryCase{true, std::nullopt, u"-1"}, RegistryCase{false, std::nullopt, u"-1"},
        RegistryCase{true, kLongest, std::u16string(kLongest.begin(), kLongest.end())},
        RegistryCase{true, "C:\\" + std::string(249, 'a') + ".exe", u"-1"}));

struct BrowserCase {
    const char* progId;          // the user's choice for http; nullptr: none
    const char* chosenCommand;   // its open command; nullptr: none
    const char* machineCommand;  // the machine's http command; nullptr: none
    std::u16string expected;
};

class DefaultBrowserExePathTest : public testing::TestWithParam<BrowserCase> {};

TEST_P(DefaultBrowserExePathTest, AsksTheUsersChoiceFirst) {
    const BrowserCase& c = GetParam();
    const test::ScratchRegistry registry;
    if (c.progId != nullptr) {
        test::ScratchRegistry::set(HKEY_CURRENT_USER,
                                   "Software\\Microsoft\\Windows\\Shell\\Associations\\"
                                   "UrlAssociations\\http\\UserChoice",
                                   "ProgId", c.progId);
    }
    if (c.chosenCommand != nullptr) {
        test::ScratchRegistry::set(HKEY_CLASSES_ROOT, "MozaruTestURL\\shell\\open\\command", "",
                                   c.chosenCommand);
    }
    if (c.machineCommand != nullptr) {
        test::ScratchRegistry::set(HKEY_LOCAL_MACHINE,
                                   "SOFTWARE\\Classes\\HTTP\\shell\\open\\command", "",
                                   c.machineCommand);
    }
    EXPECT_EQ(APIFunc::DefaultBrowserExePath(), c.expected);
}

const char* const kChosen = "\"C:\\Web\\chosen.exe\" --single-argument %1";
const char* const kSeeds = "C:\\Old\\seed.exe -nohome";

INSTANTIATE_TEST_SUITE_P(
    Places, DefaultBrowserExePathTest,
    testing::Values(BrowserCase{"MozaruTestURL", kChosen, kSeeds, u"C:\\Web\\chosen.exe"},
                    BrowserCase{"MozaruTestURL", kChosen, nullptr, u"C:\\Web\\chosen.exe"},
                    // No choice, a choice without a command or with none to cut: the seed's key.
                    BrowserCase{nullptr, kChosen, kSeeds, u"C:\\Old\\seed.exe"},
                    BrowserCase{"MozaruTestURL", nullptr, kSeeds, u"C:\\Old\\seed.exe"},
                    BrowserCase{"Missing", kChosen, kSeeds, u"C:\\Old\\seed.exe"},
                    BrowserCase{"MozaruTestURL", "chosen %1", kSeeds, u"C:\\Old\\seed.exe"},
                    BrowserCase{"MozaruTestURL", nullptr, nullptr, u"-1"},
                    BrowserCase{nullptr, nullptr, nullptr, u"-1"}));

}  // namespace
}  // namespace mozaru
